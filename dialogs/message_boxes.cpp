#include "dialogs/message_boxes.h"

#include <QLabel>
#include <QPushButton>

#include <initializer_list>
#include <utility>

namespace zelvo::dialogs {
namespace {

using Button = std::pair<QMessageBox::StandardButton, const char*>;

// The application's title. Not set as Qt's application display name: on Linux Qt appends that
// to every window caption.
constexpr const char* kProgramTitle = "Zelvo 0.9 Beta 3";

QMessageBox::StandardButton run(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                const QString& text, const QString& detail,
                                std::initializer_list<Button> buttons)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
    }
    if (owner == nullptr)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    for (const auto& [button, caption] : buttons)
        box.addButton(button)->setText(QString::fromUtf8(caption));
    box.setDefaultButton(buttons.begin()->first);
    box.exec();
    // Closed without a button, the box reports its escape button (Abbrechen, Nein).
    return box.standardButton(box.clickedButton());
}

}  // namespace

void showNote(QWidget* owner, const QString& text)
{
    run(owner, QMessageBox::NoIcon, QString::fromUtf8(kProgramTitle), text, {}, {{QMessageBox::Ok, "OK"}});
}

void showError(QWidget* owner, const QString& text)
{
    run(owner, QMessageBox::Critical, QStringLiteral("Fehler"), text, {}, {{QMessageBox::Ok, "OK"}});
}

bool askOkCancel(QWidget* owner, QMessageBox::Icon icon, const QString& text)
{
    const QString title =
        icon == QMessageBox::Critical ? QStringLiteral("Fehler") : QStringLiteral("Bestätigung");
    return run(owner, icon, title, text, {}, {{QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Abbrechen"}}) ==
           QMessageBox::Ok;
}

bool askYesNo(QWidget* owner, const QString& text, const QString& detail)
{
    return run(owner, QMessageBox::Question, QStringLiteral("Bestätigung"), text, detail,
               {{QMessageBox::Yes, "&Ja"}, {QMessageBox::No, "&Nein"}}) == QMessageBox::Yes;
}

}  // namespace zelvo::dialogs

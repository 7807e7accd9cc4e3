#include "dialogs/message_boxes.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <initializer_list>
#include <utility>

namespace zelvo::dialogs {
namespace {

// The translation context of the boxes' titles and button captions.
struct MessageBoxes {
    Q_DECLARE_TR_FUNCTIONS(MessageBoxes)
};

using Button = std::pair<QMessageBox::StandardButton, QString>;

// The application's title, the same in every language. Not set as Qt's application display name:
// on Linux Qt appends that to every window caption.
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
        box.addButton(button)->setText(caption);
    box.setDefaultButton(buttons.begin()->first);
    // The keyboard goes back where it was: a desktop that activates no window after the box, or
    // activates another one, would leave a user without sight lost.
    const QPointer<QWidget> before = QApplication::focusWidget();
    box.exec();
    if (before != nullptr && before->isVisible()) {
        before->activateWindow();
        before->setFocus(Qt::OtherFocusReason);
    }
    // Closed without a button, the box reports its escape button (Abbrechen, Nein).
    return box.standardButton(box.clickedButton());
}

Button ok()
{
    return {QMessageBox::Ok, MessageBoxes::tr("OK")};
}

}  // namespace

void showNote(QWidget* owner, const QString& text)
{
    run(owner, QMessageBox::NoIcon, QString::fromUtf8(kProgramTitle), text, {}, {ok()});
}

void showError(QWidget* owner, const QString& text)
{
    run(owner, QMessageBox::Critical, MessageBoxes::tr("Fehler"), text, {}, {ok()});
}

bool askOkCancel(QWidget* owner, QMessageBox::Icon icon, const QString& text)
{
    const QString title =
        icon == QMessageBox::Critical ? MessageBoxes::tr("Fehler") : MessageBoxes::tr("Bestätigung");
    return run(owner, icon, title, text, {}, {ok(), {QMessageBox::Cancel, MessageBoxes::tr("Abbrechen")}}) ==
           QMessageBox::Ok;
}

bool askYesNo(QWidget* owner, const QString& text, const QString& detail)
{
    return run(owner, QMessageBox::Question, MessageBoxes::tr("Bestätigung"), text, detail,
               {{QMessageBox::Yes, MessageBoxes::tr("&Ja")}, {QMessageBox::No, MessageBoxes::tr("&Nein")}}) ==
           QMessageBox::Yes;
}

}  // namespace zelvo::dialogs

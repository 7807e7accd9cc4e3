#include "dialogs/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace zelvo::dialogs {
namespace {

void prepare(QMessageBox& box, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    box.setIcon(icon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
}

void showWithOk(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(parent);
    prepare(box, icon, title, text);
    box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
}

}  // namespace

void showNote(QWidget* parent, const QString& text)
{
    showWithOk(parent, QMessageBox::NoIcon, QStringLiteral("Zelvo"), text);
}

void showError(QWidget* parent, const QString& text)
{
    showWithOk(parent, QMessageBox::Critical, QStringLiteral("Fehler"), text);
}

bool askYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(parent);
    prepare(box, QMessageBox::Question, QStringLiteral("Bestätigung"), text);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace zelvo::dialogs

// The program's modal message boxes: titles and button texts in the windows' language, texts
// shown as plain text (they may come from the air or the store), and never hidden behind the
// always-on-top roster window: `owner` is the window that asks (the roster window only while it
// is visible); without one the box stays on top itself. Once a box is answered, the keyboard focus
// is back in the control that had it.
#pragma once

#include <QMessageBox>
#include <QString>

namespace zelvo::dialogs {

// A note with "OK", titled with the program's name.
void showNote(QWidget* owner, const QString& text);
// An error box titled "Fehler" with "OK".
void showError(QWidget* owner, const QString& text);
// "OK" and "Abbrechen"; titled "Bestätigung", or "Fehler" with the Critical icon. True for OK.
bool askOkCancel(QWidget* owner, QMessageBox::Icon icon, const QString& text);
// "&Ja" and "&Nein" under the title "Bestätigung"; `detail` goes below the question. True for Ja.
bool askYesNo(QWidget* owner, const QString& text, const QString& detail = {});

}  // namespace zelvo::dialogs

// The dialogs' modal message boxes: German button texts, and the text shown as plain text (it
// may come from the air or the store). `parent` is the dialog that asks, so the box stays on it.
#pragma once

#include <QString>
#include <QWidget>

namespace zelvo::dialogs {

// A plain note with "OK".
void showNote(QWidget* parent, const QString& text);
// An error box with "OK".
void showError(QWidget* parent, const QString& text);
// "Ja" and "Nein"; true for "Ja".
bool askYesNo(QWidget* parent, const QString& text);

}  // namespace zelvo::dialogs

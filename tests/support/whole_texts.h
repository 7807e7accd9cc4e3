// For the window tests in every language: the controls of a window whose text does not fit.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace zelvo::testing {

// "objectName 'text' w<hint" for each shown label, button and group box of `window` narrower
// than its text needs (a wrapped label: lower than its text needs at its width).
inline QStringList cutTexts(const QWidget& window)
{
    QStringList cut;
    const auto note = [&](const QWidget* widget, const QString& text, int has, int needs) {
        if (has < needs)
            cut << QStringLiteral("%1 '%2' %3<%4").arg(widget->objectName(), text).arg(has).arg(needs);
    };
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap())
                note(label, label->text(), label->height(), label->heightForWidth(label->width()));
            else
                note(label, label->text(), label->width(), label->sizeHint().width());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty())
                note(button, button->text(), button->width(), button->sizeHint().width());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            note(group, group->title(), group->width(), group->minimumSizeHint().width());
        }
    }
    return cut;
}

}  // namespace zelvo::testing

// For the window tests: children by their control names, and answers to the message boxes.
#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelvo::testing {

template <class W = QWidget>
W& child(const QObject& parent, const char* name)
{
    W* widget = parent.findChild<W*>(name);
    if (widget == nullptr)
        throw std::runtime_error(std::string("no control ") + name);
    return *widget;
}

// "objectName 'name'" for each control of `window` that Tab reaches, enabled or not, whose name
// on the accessibility bus (what a screen reader says on reaching it) has no word or is another
// control's too. A tab bar is read by its tabs, a spin box's field and a control that hands its
// focus on by the control that takes it.
inline std::vector<std::string> unnamedControls(const QWidget& window)
{
    std::vector<std::string> bad;
    QStringList names;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isWindow() || !(widget->focusPolicy() & Qt::TabFocus) ||
            widget->focusProxy() != nullptr || qobject_cast<QTabBar*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget->parentWidget()))
            continue;
        const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).trimmed();
        if (!name.contains(QRegularExpression(QStringLiteral("\\w{2}"))) || names.contains(name))
            bad.push_back(QStringLiteral("%1 '%2'").arg(widget->objectName(), name).toStdString());
        names << name;
    }
    return bad;
}

// Answers each modal message box with the next caption queued (compared without "&"), noting
// "title: text / detail", its owner and whether it stays on top. A box nobody expected fails the
// test and is closed. While `hold` says so for the box on top, it stays open unanswered.
class BoxAnswers {
public:
    BoxAnswers()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || (hold && hold(*box)))
                return;
            texts.append(box->windowTitle() + ": " + box->text() +
                         (box->informativeText().isEmpty() ? "" : " / " + box->informativeText()));
            owners.append(box->parentWidget());
            onTop.append(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            const QString caption = answers.isEmpty() ? QString() : answers.takeFirst();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text().remove('&') == caption)
                    return button->click();
            }
            ADD_FAILURE() << "no answer for " << box->text().toStdString();
            box->done(0);
        });
        timer_.start(1);
    }
    QStringList answers;
    QStringList texts;
    QList<QWidget*> owners;
    QList<bool> onTop;
    std::function<bool(const QMessageBox&)> hold;

private:
    QTimer timer_;
};

}  // namespace zelvo::testing

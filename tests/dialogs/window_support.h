// For the window tests: children by their control names, and an answer to the next message box.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <stdexcept>
#include <string>

namespace zelvo::testing {

template <class W = QWidget>
W& child(const QObject& parent, const char* name)
{
    W* widget = parent.findChild<W*>(name);
    if (widget == nullptr)
        throw std::runtime_error(std::string("no control ") + name);
    return *widget;
}

// Waits, as the event loop runs, for the next message box, notes its title and text and clicks
// the button whose caption (without "&") is `button`. Gives up after a few seconds.
class BoxAnswer {
public:
    explicit BoxAnswer(QString button) : button_(std::move(button))
    {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(5);
    }

    QString title;
    QString text;

private:
    void look()
    {
        if (clock_.elapsed() > 5000) {
            timer_.stop();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        timer_.stop();
        title = box->windowTitle();
        text = box->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove('&') == button_) {
                b->click();
                return;
            }
        }
        text = "(no button " + button_ + ")";  // fails the test's check of the text
        box->reject();
    }

    QString button_;
    QTimer timer_;
    QElapsedTimer clock_;
};

}  // namespace zelvo::testing

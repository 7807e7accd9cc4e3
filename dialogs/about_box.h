// The about box "Über Zelvo": the program's name, version and purpose, in a small tool window.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace zelvo::dialogs {

class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // Shows the about box of `owner` without making it modal: the first call creates it as a tool
    // window of `owner`, later calls show that one again. `owner` must outlive the box (the main
    // window; not the splash, which goes away while the box may still be open).
    static AboutBox* showFor(QWidget* owner);

private:
    void setTexts();
    void fitTexts();

    QString number_;  // the file version; empty without a version block
    QLabel* version_;
    QLabel* purpose_;
    QLabel* help_;
};

}  // namespace zelvo::dialogs

// The help window: shows the pages of the compiled help file, with the pictures they show and the
// links between them. Help needs chmlib; without it nothing is shown and F1 does nothing. The
// pages are read by the reader program (help_pages.h); a help file it cannot read is named in the
// window with the reason.
#pragma once

#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"

#include <QWidget>

#include <memory>

class QTextBrowser;

namespace zelvo::dialogs {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `germanFile` names the German help file; a topic shows the file of the language applied
    // then (help_pages.h: helpFileOf). It is read when a topic is first shown, again after it
    // could not be read, and when the language has changed since.
    explicit HelpWindow(QString germanFile = defaultFileName(), QWidget* parent = nullptr);
    ~HelpWindow() override;

    // The German help file: Zelvo.chm beside the program, else in the data folder of an install;
    // the one beside the program when neither exists.
    static QString defaultFileName();
    // Whether help can be shown at all: chmlib was loaded.
    static bool available() { return ChmLibrary::standard().available(); }

    // Shows and raises the window with `topic`, a path inside the help file ("/liste.html"), or
    // the file's default topic when empty: what F1 shows. False, showing nothing, without chmlib.
    bool showTopic(const QString& topic = {});

    QTextBrowser* browser() const;

private:
    class Browser;
    // "Zelvo-Hilfe" and the title of the page shown.
    void setTitle();
    QString failureText(HelpPages::Failure failure) const;
    // An open window shows the page it shows from the file of the language applied now.
    void followLanguageFile();
    void openPages(const QString& fileName);

    QString germanFile_;
    QString fileName_;  // the file read last
    std::unique_ptr<HelpPages> pages_;
    Browser* browser_;
};

}  // namespace zelvo::dialogs

// The help window: shows the pages of the compiled help file, with the pictures they show and the
// links between them. Help needs chmlib; without it nothing is shown and F1 does nothing. The
// pages are read by the reader program (help_pages.h); a help file it cannot read is named in the
// window with the reason.
#pragma once

#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"

#include <QWidget>

#include <memory>
#include <optional>

class QTextBrowser;

namespace zelvo::dialogs {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `germanFile` names the German help file; a topic shows the file of the language applied
    // then (help_pages.h: helpFileOf). It is read when a topic is first shown, again after it
    // could not be read, and when the language has changed since; the window says it is loading
    // until the reader is done and stays usable meanwhile.
    explicit HelpWindow(QString germanFile = defaultFileName(), QWidget* parent = nullptr);
    ~HelpWindow() override;

    // The German help file: Zelvo.chm beside the program, else in the data folder of an install;
    // the one beside the program when neither exists.
    static QString defaultFileName();
    // Whether help can be shown at all: chmlib was loaded.
    static bool available() { return ChmLibrary::standard().available(); }

    // Shows and raises the window with `topic`, a path inside the help file ("/liste.html"), or
    // the file's default topic when empty: what F1 shows. A file still to be read shows the topic
    // once it has been read. False, showing nothing, without chmlib.
    bool showTopic(const QString& topic = {});
    // Whether the reader runs.
    bool loading() const { return load_ != nullptr; }
    // The reader program; HelpPages::readerProgram() unless set.
    void setReaderProgram(const QString& reader) { reader_ = reader; }

    QTextBrowser* browser() const;

private:
    class Browser;
    // "Zelvo-Hilfe" and the title of the page shown.
    void setTitle();
    QString loadingText() const;
    QString failureText(HelpPages::Failure failure) const;
    // An open window shows the page it shows from the file of the language applied now.
    void followLanguageFile();
    void openPages(const QString& fileName);
    void pagesRead(HelpPages pages);
    void showPage(const QUrl& url, bool otherFile);

    QString germanFile_;
    QString fileName_;  // the file read last
    QString reader_ = HelpPages::readerProgram();
    std::unique_ptr<HelpPages> pages_;
    HelpPagesLoad* load_ = nullptr;        // the file being read
    std::optional<QString> pendingTopic_;  // to be shown once it has been read
    Browser* browser_;
};

}  // namespace zelvo::dialogs

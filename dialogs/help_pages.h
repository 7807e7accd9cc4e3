// The pages of the compiled help file, read by the reader program zelvo-help-reader in a process
// of its own. chmlib is not safe on damaged files (it divides by zero in chm_open, crashes on bad
// pages and reads past its buffers): a crash or a hang there ends the reader, never the program
// with its queued texts. The reader hands over every file of the help file at once; the help window
// then shows them from memory. The window waits for the reader through HelpPagesLoad, never on
// its own thread.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <string_view>

namespace zelvo::dialogs {

inline constexpr const char* kHelpReader = "zelvo-help-reader";
// The reader's exit status for a file that is missing or not a help file. Any other but 0 means a
// damaged file; 1 and 23 are left to the sanitizers, which end a process with them.
inline constexpr int kHelpReaderCannotOpen = 10;
// The most the reader writes: more is a damaged file (or not the reader), and is not kept.
inline constexpr qint64 kHelpReaderMaxOutput = 64 * 1024 * 1024;
// How long the reader may take.
inline constexpr std::chrono::milliseconds kHelpReaderTime = std::chrono::seconds(10);

class HelpPages {
public:
    // Why the pages could not be read.
    enum class Failure {
        None,
        NoReader,    // the reader program is missing or cannot be started
        CannotOpen,  // the file is missing or not a help file
        Damaged,     // the reader crashed or failed on the file, or its output is cut
        TooSlow,     // the reader did not finish in time and was ended
    };

    // Runs `reader` on `fileName` and waits for it at most `limit`, blocking: for the command line
    // (HelpPagesLoad for the windows).
    static HelpPages load(const QString& fileName, const QString& reader = readerProgram(),
                          std::chrono::milliseconds limit = kHelpReaderTime);

    // zelvo-help-reader in the program's folder, else in an install's library folder; the one in
    // the program's folder when neither exists.
    static QString readerProgram();

    bool isOpen() const { return failure_ == Failure::None; }
    Failure failure() const { return failure_; }
    // The page to show first, as a path; empty when the file names none.
    QString defaultTopic() const;
    // The content of the file at `path` ("/index.html"; one without "/" is taken from the root;
    // letter case does not matter, as in chmlib); nullopt when there is no such file.
    std::optional<QByteArray> read(const QString& path) const;

private:
    friend class HelpPagesLoad;
    // What an ended reader's status and output make.
    static HelpPages ended(const QProcess& process, const QByteArray& output);
    static HelpPages failed(Failure failure);

    Failure failure_ = Failure::NoReader;
    QHash<QString, QByteArray> files_;  // by lower-case path
};

// One run of the reader that does not block: started at once, it hands the pages to `done` from
// the event loop when the reader has ended, could not start, wrote more than
// kHelpReaderMaxOutput, or was ended after `limit`. Destroyed before, it ends the reader and
// `done` is not called; `done` itself may deleteLater() it, not delete it.
class HelpPagesLoad : public QObject {
public:
    using Done = std::function<void(HelpPages)>;
    HelpPagesLoad(const QString& fileName, Done done, const QString& reader = HelpPages::readerProgram(),
                  std::chrono::milliseconds limit = kHelpReaderTime, QObject* parent = nullptr);
    ~HelpPagesLoad() override;

    const QString& fileName() const { return fileName_; }

private:
    void stop(HelpPages::Failure why);
    void finish(HelpPages pages);

    QString fileName_;
    Done done_;
    QProcess process_;
    QTimer deadline_;
    QByteArrayList output_;  // as it came: joined once at the end
    qint64 outputSize_ = 0;
    HelpPages::Failure stopped_ = HelpPages::Failure::None;
};

// Each language's help file lies beside the German one, with the same page names: Zelvo_en.chm and
// Zelvo_fr.chm beside Zelvo.chm. The path of `language`'s file beside `germanFile`, whether or not
// it exists; `germanFile` itself for German.
QString helpFileName(const QString& germanFile, std::string_view language);
// The file that shows the help in `language`: its own when it exists, else the German one.
QString helpFileOf(const QString& germanFile, std::string_view language);

// The reader's output, one record a file: the path (UTF-8), a NUL, the length in decimal, a NUL,
// and the bytes.
QByteArray encodeHelpRecord(const QString& path, const QByteArray& data);
// The files of a whole output; nullopt when it is not a sequence of whole records.
std::optional<QHash<QString, QByteArray>> decodeHelpRecords(const QByteArray& output);

}  // namespace zelvo::dialogs

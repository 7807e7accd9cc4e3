#include "dialogs/help_pages.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "dialogs/help_file.h"
#include "platform/install_layout.h"

namespace zelvo::dialogs {

namespace {

QString key(const QString& path)
{
    return (path.startsWith(u'/') ? path : u'/' + path).toLower();
}

}  // namespace

QString helpFileName(const QString& germanFile, std::string_view language)
{
    if (language.empty() || language == "de")
        return germanFile;
    const QFileInfo german(germanFile);
    const QString suffix = german.suffix().isEmpty() ? QString() : u'.' + german.suffix();
    return german.dir().filePath(german.completeBaseName() + u'_' +
                                 QString::fromLatin1(language.data(), qsizetype(language.size())) + suffix);
}

QString helpFileOf(const QString& germanFile, std::string_view language)
{
    const QString own = helpFileName(germanFile, language);
    return QFileInfo::exists(own) ? own : germanFile;
}

QByteArray encodeHelpRecord(const QString& path, const QByteArray& data)
{
    return path.toUtf8() + '\0' + QByteArray::number(data.size()) + '\0' + data;
}

std::optional<QHash<QString, QByteArray>> decodeHelpRecords(const QByteArray& output)
{
    QHash<QString, QByteArray> files;
    for (qsizetype at = 0; at < output.size();) {
        const qsizetype pathEnd = output.indexOf('\0', at);
        const qsizetype lengthEnd = pathEnd < 0 ? -1 : output.indexOf('\0', pathEnd + 1);
        if (lengthEnd < 0)
            return std::nullopt;
        bool number = false;
        const qsizetype length = output.mid(pathEnd + 1, lengthEnd - pathEnd - 1).toLongLong(&number);
        if (!number || length < 0 || length > output.size() - lengthEnd - 1)
            return std::nullopt;
        files.insert(key(QString::fromUtf8(output.mid(at, pathEnd - at))), output.mid(lengthEnd + 1, length));
        at = lengthEnd + 1 + length;
    }
    return files;
}

HelpPages HelpPages::failed(Failure failure)
{
    HelpPages pages;
    pages.failure_ = failure;
    return pages;
}

HelpPages HelpPages::ended(const QProcess& process, const QByteArray& output)
{
    const bool crashed = process.exitStatus() != QProcess::NormalExit;
    if (!crashed && process.exitCode() == kHelpReaderCannotOpen)
        return failed(Failure::CannotOpen);
    auto files = decodeHelpRecords(output);
    // Every help file holds a few files of the help system's own at least.
    if (crashed || process.exitCode() != 0 || !files || files->isEmpty())
        return failed(Failure::Damaged);
    HelpPages pages;
    pages.files_ = std::move(*files);
    pages.failure_ = Failure::None;
    return pages;
}

HelpPages HelpPages::load(const QString& fileName, const QString& reader, std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);  // what it complains about
    process.start(reader, {fileName}, QIODevice::ReadOnly);
    if (!process.waitForStarted(int(deadline.remainingTime())))
        return failed(Failure::NoReader);
    if (!process.waitForFinished(int(deadline.remainingTime()))) {
        process.kill();
        process.waitForFinished(-1);
        return failed(Failure::TooSlow);
    }
    return ended(process, process.readAllStandardOutput());
}

HelpPagesLoad::HelpPagesLoad(const QString& fileName, Done done, const QString& reader,
                             std::chrono::milliseconds limit, QObject* parent)
    : QObject(parent), fileName_(fileName), done_(std::move(done))
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&process_, &QProcess::readyReadStandardOutput, this, [this] {
        const QByteArray more = process_.readAllStandardOutput();
        if (stopped_ != HelpPages::Failure::None)
            return;
        output_.append(more);
        outputSize_ += more.size();
        if (outputSize_ > kHelpReaderMaxOutput)
            stop(HelpPages::Failure::Damaged);
    });
    connect(&process_, &QProcess::finished, this, [this] {
        if (stopped_ != HelpPages::Failure::None)
            return finish(HelpPages::failed(stopped_));
        output_.append(process_.readAllStandardOutput());
        finish(HelpPages::ended(process_, output_.join()));
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(HelpPages::failed(HelpPages::Failure::NoReader));
    });
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { stop(HelpPages::Failure::TooSlow); });
    deadline_.start(limit);
    process_.start(reader, {fileName_}, QIODevice::ReadOnly);
}

HelpPagesLoad::~HelpPagesLoad()
{
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(-1);  // ended by SIGKILL: at once
    }
}

// Ends the reader; `done` learns why when it has gone.
void HelpPagesLoad::stop(HelpPages::Failure why)
{
    if (stopped_ != HelpPages::Failure::None)
        return;
    stopped_ = why;
    output_.clear();
    process_.kill();
}

void HelpPagesLoad::finish(HelpPages pages)
{
    deadline_.stop();
    output_.clear();
    // Queued: never inside the constructor (a reader that cannot start may be told there) nor
    // inside a signal of the process.
    QMetaObject::invokeMethod(
        this,
        [this, pages = std::move(pages)] {
            if (auto done = std::exchange(done_, nullptr))
                done(pages);
        },
        Qt::QueuedConnection);
}

QString HelpPages::readerProgram()
{
    const auto folders = platform::privateLibraryFolders();
    for (const auto& folder : folders) {
        const QString program = QString::fromStdString((folder / kHelpReader).string());
        if (QFileInfo(program).isExecutable())
            return program;
    }
    return folders.empty() ? QString::fromLatin1(kHelpReader)
                           : QString::fromStdString((folders.front() / kHelpReader).string());
}

QString HelpPages::defaultTopic() const
{
    return defaultTopicOf(read(QStringLiteral("/#SYSTEM")).value_or(QByteArray()));
}

std::optional<QByteArray> HelpPages::read(const QString& path) const
{
    const auto found = files_.constFind(key(path));
    if (found == files_.constEnd())
        return std::nullopt;
    return *found;
}

}  // namespace zelvo::dialogs

#include "app/activity_log.h"

#include "platform/ansi.h"
#include "platform/install_layout.h"
#include "platform/user_folders.h"

#include <QtGlobal>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace zelvo::app {
namespace {

constexpr const char* kFileName = "Zelvo.log";

struct KindLine {
    LogKind kind;
    std::string_view text;
};

// Texts ending in ": " are followed by the caller's text.
constexpr std::array<KindLine, 17> kKindLines = {{
    {LogKind::MessageReceived, " Rcv frm: "},
    {LogKind::MessageSent, " Send to: "},
    {LogKind::UserOnline, " Online : "},
    {LogKind::UserOffline, " Offline: "},
    {LogKind::UserAway, " Away   : "},
    {LogKind::UserBack, " Back   : "},
    {LogKind::SelfOnline, " Programm OnLine"},
    {LogKind::SelfOffline, " Programm OffLine"},
    {LogKind::Polled, " Poll by: "},
    {LogKind::PollTo, " Poll to: "},
    {LogKind::Started, " Programm gestartet"},
    {LogKind::Ended, " Programm beendet"},
    {LogKind::Remote, " Remote : "},
    {LogKind::Error, " Fehler : "},
    {LogKind::TncLost, " TNC weg: "},
    {LogKind::TncBack, " TNC da : "},
    {LogKind::Private, " Rechte : "},
}};

std::string twoDigits(int n)
{
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::filesystem::path ActivityLog::pathFor(const std::filesystem::path& programDir)
{
    if (!programDir.empty() && ::access(programDir.c_str(), W_OK) == 0 && !platform::isInstalled(programDir))
        return programDir / kFileName;
    return platform::stateHome() / "zelvo" / kFileName;
}

std::filesystem::path ActivityLog::defaultPath()
{
    return pathFor(platform::programDirectory());
}

std::optional<std::string_view> ActivityLog::kindText(LogKind kind)
{
    for (const auto& line : kKindLines) {
        if (line.kind == kind)
            return line.text;
    }
    return std::nullopt;
}

bool ActivityLog::kindTakesText(LogKind kind)
{
    const auto text = kindText(kind);
    return text && text->ends_with(": ");
}

ActivityLog::ActivityLog(std::filesystem::path file, Switch enabled, QLocale locale, Clock clock)
    : file_(std::move(file)),
      enabled_(std::move(enabled)),
      locale_(std::move(locale)),
      clock_(std::move(clock))
{}

std::optional<platform::Problem> ActivityLog::createFile()
{
    if (file_.has_parent_path())
        platform::makePrivateFolder(file_.parent_path());
    int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, platform::kPrivateFileMode);
    if (fd < 0) {
        return platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem",
                              "Logdatei %1 kann nicht angelegt werden (%2); es wird kein Log geschrieben."),
            {file_.string(), std::strerror(errno)});
    }
    ::close(fd);
    return std::nullopt;
}

std::string ActivityLog::timeStamp(const QDateTime& time) const
{
    const QDate date = time.date();
    QString month = locale_.standaloneMonthName(date.month(), QLocale::ShortFormat);
    if (month.endsWith(u'.'))
        month.chop(1);
    return twoDigits(date.day()) + "." + platform::toAnsi(month) + "." + std::to_string(date.year()) + " " +
           twoDigits(time.time().hour()) + ":" + twoDigits(time.time().minute());
}

void ActivityLog::logFile(std::string_view text, LogKind kind)
{
    if (enabled_ && !enabled_())
        return;
    std::lock_guard lock(mutex_);
    const int fd = ::open(file_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return;
    if (const auto kindLine = kindText(kind)) {
        std::string line = timeStamp(clock_ ? clock_() : QDateTime::currentDateTime());
        line += *kindLine;
        if (kindTakesText(kind))
            line += text;
        line += "\r\n";
        writeAll(fd, line);
    }
    ::close(fd);
}

}  // namespace zelvo::app

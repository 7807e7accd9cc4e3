// The activity log Zelvo.log: one line per noted event, "dd.MMM.yyyy hh:mm" + kind text (+ the
// caller's text), CR LF, Windows-1252, only ever appended to. The file is opened and closed for
// every line; a line is written with one write() on an O_APPEND descriptor under a mutex, so lines
// from the two threads never interleave.
#pragma once

#include <QDateTime>
#include <QLocale>

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "app/event_log.h"
#include "platform/problem.h"

namespace zelvo::app {

class ActivityLog : public EventLog {
public:
    // The log setting, asked at every call from either thread; an empty one counts as on.
    using Switch = std::function<bool()>;
    using Clock = std::function<QDateTime()>;  // local time

    // Zelvo.log beside the program when its directory is writable and not an install (portable
    // use), else $XDG_STATE_HOME/zelvo/Zelvo.log (default ~/.local/state/zelvo).
    static std::filesystem::path defaultPath();
    static std::filesystem::path pathFor(const std::filesystem::path& programDir);

    // The text that follows the time stamp, or nullopt for a kind that writes no line.
    static std::optional<std::string_view> kindText(LogKind kind);
    // Whether the kind's line carries the caller's text.
    static bool kindTakesText(LogKind kind);

    explicit ActivityLog(std::filesystem::path file, Switch enabled = {}, QLocale locale = QLocale(),
                         Clock clock = &QDateTime::currentDateTime);

    const std::filesystem::path& file() const { return file_; }

    // Creates the file (and its directory) when it does not exist, whatever the setting says.
    // The problem when it can be neither opened nor created.
    std::optional<platform::Problem> createFile();

    // Appends the kind's line when the setting is on. Failures are ignored: the line is lost,
    // and a file deleted meanwhile is not created again.
    void logFile(std::string_view text, LogKind kind) override;

    // "05.Dez.2026 09:05" in Windows-1252.
    std::string timeStamp(const QDateTime& time) const;

private:
    std::filesystem::path file_;
    Switch enabled_;
    QLocale locale_;
    Clock clock_;
    std::mutex mutex_;
};

}  // namespace zelvo::app

// The message history kept across restarts: the last 200 received and delivered messages of each
// station, as their conversation lines ("R" or "T", the time of day, a blank, the text), in an
// SQLite database written as each message arrives or is delivered and read back by load().
// Waiting texts are not kept.
//
// Only a file that is damaged (SQLite's integrity check fails, or it is no database at all) is
// set aside under a new name (never written over) and a new one is begun. A file another program
// holds (busy or locked) is no damage: SQLite waits only kBusyTimeout, so the windows never
// stall, and what could not be done waits in memory, in order: the load (the kept lines still go
// in front of what came meanwhile) and every line and change for the file, written once when it
// is free. A timer on the event loop tries again every kRetryInterval; when the file stays held
// for kTellBusyAfter the store says so once, and says when it is free again. What still waits
// when the store ends gets one last try of kLastWait. A file that cannot be read for another
// reason (permission, input/output) is kept as it is, and the store stops for the run.
//
// The first problem that stops the store is returned once for the status bar, and the program
// goes on without it. Problems of the timer's tries come as problemArose().
//
// Use from one thread (the one that made the store): Qt SQL connections belong to their thread.
#pragma once

#include <QObject>
#include <QTimer>
#include <QVariant>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/roster.h"
#include "platform/problem.h"

class QSqlError;

namespace zelvo::app {

class HistoryStore : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr int kKeptPerStation = 200;
    // SQLite's own wait for a held file, on the calling (window) thread.
    static constexpr std::chrono::milliseconds kBusyTimeout{50};
    static constexpr std::chrono::milliseconds kRetryInterval{500};
    static constexpr std::chrono::seconds kTellBusyAfter{10};
    // The last try at the end, for the lines still waiting.
    static constexpr std::chrono::milliseconds kLastWait{2000};

    // $XDG_DATA_HOME/zelvo/history.sqlite (default ~/.local/share/zelvo/history.sqlite).
    static std::filesystem::path defaultPath();

    explicit HistoryStore(std::filesystem::path file = defaultPath(), Clock clock = {});
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the database (making it when missing) and puts each roster station's kept lines,
    // oldest first, in front of its conversation, with their dates in keptDates. Lines of calls
    // not on the roster stay stored. A held file leaves the load waiting().
    [[nodiscard]] std::optional<platform::Problem> load(Roster& roster);
    // The program's way: the store loads into `roster` at its first use (loaded(), record,
    // removeStation, renameStation), so that a program that only sits in the tray never maps
    // SQLite. A problem of that load is returned by the call that made it.
    void loadOnFirstUse(Roster& roster) { pending_ = &roster; }
    // Runs the load left for the first use, if any.
    [[nodiscard]] std::optional<platform::Problem> loaded();
    // Keeps one conversation line of `entry` (the line just appended to its rxBuffer) and drops
    // the station's lines beyond the last 200. Nothing while switched off or stopped.
    [[nodiscard]] std::optional<platform::Problem> record(const TUserEntry& entry, std::string_view line);
    // Lines are filed by call, and two rows may share one (a registered station's call is cut to
    // six characters): such lines belong to every row of that call, ASCII case ignored.
    //
    // Forgets the lines of the station in `row`, which is about to leave `roster`, unless another
    // row keeps its call.
    [[nodiscard]] std::optional<platform::Problem> removeStation(const Roster& roster, int row);
    // Files the lines of `from` under `to` as well: the entry editor changed a station's call, and
    // its conversation stays with it. They leave `from` when no row of `roster` has it any more.
    [[nodiscard]] std::optional<platform::Problem> renameStation(const Roster& roster, std::string_view from,
                                                                 std::string_view to);

    // Work waits for a held file: the load, or lines and changes to write.
    bool waiting() const { return waitingLoad_ != nullptr || (open_ && !queue_.empty()); }
    // Tries the waiting work again (the timer's job); the problem to show, or the news that the
    // file is free again after it was said to be held.
    [[nodiscard]] std::optional<platform::Problem> retry();

    // Off: record() keeps nothing until switched on again ("History speichern").
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    // Open and working.
    bool available() const { return open_; }
    const std::filesystem::path& file() const { return file_; }

signals:
    // A problem of a try made by the timer.
    void problemArose(const zelvo::platform::Problem& problem);
    // Kept lines went in front of the entry's conversation.
    void keptLinesAdded(const zelvo::app::TUserEntry& entry);

private:
    enum class Opening { Opened, Busy, Damaged, Unreadable, Unwritable };
    struct Row {
        std::string call;
        std::string line;
        std::string date;  // yyyy-MM-dd, empty when unknown
    };
    // One change for the file, kept until it is written.
    struct Change {
        enum class Kind { Insert, Drop, Move, Copy } kind;
        std::string call;
        std::string text;       // Insert: the line; Move and Copy: the new call
        QString recorded = {};  // Insert: when it came
    };

    // Opens (or makes) the database and reads every kept line, oldest first.
    Opening openDatabase(std::string& error, std::vector<Row>& rows);
    Opening readDatabase(std::string& error, std::vector<Row>& rows);
    // The load after the file opened: the rows as the waiting changes leave them, into `roster`.
    void attach(Roster& roster, std::vector<Row> rows);
    std::optional<platform::Problem> setAsideAndBegin(std::string error, std::vector<Row>& rows);
    void closeDatabase();
    // Moves the unusable file (and SQLite's files beside it) aside; the new name, or empty.
    std::filesystem::path setAside();
    // Stops the store; the problem the first time only.
    std::optional<platform::Problem> fail(platform::Problem problem);
    // Queues a change and writes what waits.
    std::optional<platform::Problem> change(Change change);
    // Writes every waiting change in one transaction; a held file leaves them waiting.
    std::optional<platform::Problem> flush();
    // Runs one change's statements; false with the error on failure.
    bool write(const Change& change, QSqlError& error);
    // The file is held: the first time it lasts kTellBusyAfter, the problem to tell.
    std::optional<platform::Problem> heldBack();
    // Nothing waits any more: the news, when the user was told the file was held.
    std::optional<platform::Problem> noneHeldBack();
    void scheduleRetry();
    void retryByTimer();
    void lastTry();

    std::filesystem::path file_;
    Clock clock_;
    std::string connection_;
    Roster* pending_ = nullptr;      // the roster to load into at the first use
    Roster* waitingLoad_ = nullptr;  // the roster whose load met a held file
    std::deque<Change> queue_;       // changes not yet written, oldest first
    std::optional<std::chrono::steady_clock::time_point> heldSince_;
    std::chrono::milliseconds busyTimeout_ = kBusyTimeout;
    QTimer retryTimer_;
    bool toldHeld_ = false;
    bool enabled_ = true;
    bool open_ = false;
    bool reported_ = false;
};

}  // namespace zelvo::app

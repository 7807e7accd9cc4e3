// The message history kept across restarts: the last 200 received and delivered messages of each
// station, as their conversation lines ("R" or "T", the time of day, a blank, the text), in an
// SQLite database written as each message arrives or is delivered and read back by load().
// Waiting texts are not kept.
//
// A database that cannot be opened or read is set aside under a new name (never written over)
// and a new one is begun; the first problem is returned once for the status bar, and after a
// problem that stops the store, the program goes on without it.
//
// Use from one thread (the one that made the store): Qt SQL connections belong to their thread.
#pragma once

#include <QVariant>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/roster.h"
#include "platform/problem.h"

namespace zelvo::app {

class HistoryStore {
public:
    static constexpr int kKeptPerStation = 200;

    // $XDG_DATA_HOME/zelvo/history.sqlite (default ~/.local/share/zelvo/history.sqlite).
    static std::filesystem::path defaultPath();

    explicit HistoryStore(std::filesystem::path file = defaultPath());
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the database (making it when missing) and puts each roster station's kept lines,
    // oldest first, in front of its conversation, with their dates in keptDates. Lines of calls
    // not on the roster stay stored.
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

    // Off: record() keeps nothing until switched on again ("History speichern").
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    // Open and working.
    bool available() const { return open_; }
    const std::filesystem::path& file() const { return file_; }

private:
    enum class Opening { Opened, Unreadable, Unwritable };
    struct Row {
        std::string call;
        std::string line;
        std::string date;  // yyyy-MM-dd, empty when unknown
    };

    // Opens (or makes) the database and reads every kept line, oldest first.
    Opening openDatabase(std::string& error, std::vector<Row>& rows);
    void closeDatabase();
    // Moves the unusable file (and SQLite's files beside it) aside; the new name, or empty.
    std::filesystem::path setAside();
    // Stops the store; the problem the first time only.
    std::optional<platform::Problem> fail(platform::Problem problem);
    std::optional<platform::Problem> insertLine(const TUserEntry& entry, std::string_view line);
    std::optional<platform::Problem> dropStation(const Roster& roster, int row);
    std::optional<platform::Problem> fileUnder(const Roster& roster, std::string_view from,
                                               std::string_view to);
    // Runs one statement with its values bound in order; the failure stops the store.
    std::optional<platform::Problem> change(const char* statement, std::initializer_list<QVariant> values);

    std::filesystem::path file_;
    std::string connection_;
    Roster* pending_ = nullptr;  // the roster to load into at the first use
    bool enabled_ = true;
    bool open_ = false;
    bool reported_ = false;
};

}  // namespace zelvo::app

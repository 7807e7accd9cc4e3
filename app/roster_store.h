// Keeps the roster in the registry: HKEY_CURRENT_USER\Software\Varkel\Zelvo\User, one REG_SZ per
// row named by its position ("0", "1", ...), holding the row's ten text fields as comma text.
//
// Stored stations are never dropped silently. A value that cannot become a row (no call in it,
// not a string, or beyond the 31 that are read) is reported by loadList and kept under its name
// by every later saveList; the rows go to the other names, in row order. After a load that failed
// because the registry file could not be read, saveList refuses, so an empty roster is never
// saved over the stored one.
//
// One program per folder (reg_claim.h) saves its rows whole. Where the folder cannot be claimed
// (a file system without locks), a save merges with what is on disk under the registry's lock,
// against the rows this store last loaded or saved: rows another program added since are kept,
// rows this program deleted go, rows another program deleted stay deleted unless changed here
// since, and a station in both keeps this program's row.
#pragma once

#include "app/roster.h"
#include "platform/problem.h"
#include "platform/registry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zelvo::app {

inline constexpr const char* ROSTER_KEY = "\\Software\\Varkel\\Zelvo\\User";

struct StoreProblem : platform::Problem {
    std::string valueName;  // empty when it concerns the whole store
};

class RosterStore {
public:
    explicit RosterStore(platform::Registry& registry);

    // Appends the stored entries (values "0".."30", gaps skipped) to the roster, each Offline with
    // its transient fields reset. Returns what could not be loaded; empty when everything was.
    std::vector<StoreProblem> loadList(Roster& roster);

    // Whether other programs may save this roster too: saves then merge with the disk.
    void setShared(bool shared) { shared_ = shared; }

    // Stores the roster's rows (merged when shared) in one atomic change of the registry file.
    // Returns the reason when nothing was saved.
    std::optional<StoreProblem> saveList(const Roster& roster);

    // Makes one entry from a stored line, as the load does; nullptr when it has no call.
    static std::unique_ptr<TUserEntry> entryFromLine(std::string_view line);

private:
    std::vector<std::string> mergedRows(const std::vector<std::string>& mine,
                                        const std::vector<std::string>& theirs) const;
    void remember(const std::string& line);
    // A row's station, ASCII upper case; empty for a line without a call.
    static std::string keyOf(std::string_view line);
    // The line as a load gives it back: its transient fields reset.
    static std::string storedForm(std::string_view line);

    platform::Registry& registry_;
    std::set<std::string> kept_;  // the values the last load reported, which saves keep
    // Station -> storedForm of the rows last loaded or saved.
    std::map<std::string, std::string> baseline_;
    bool loadFailed_ = false;
    bool shared_ = false;
};

}  // namespace zelvo::app

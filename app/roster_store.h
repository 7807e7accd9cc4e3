// Keeps the roster in the registry: HKEY_CURRENT_USER\Software\Varkel\Zelvo\User, one REG_SZ per
// row named by its position ("0", "1", ...), holding the row's ten text fields as comma text.
//
// Stored stations are never dropped silently. A value that cannot become a row (no call in it,
// not a string, or beyond the 31 that are read) is reported by loadList and kept under its name
// by every later saveList; the rows go to the other names, in row order. After a load that failed
// because the registry file could not be read, saveList refuses, so an empty roster is never
// saved over the stored one.
#pragma once

#include "app/roster.h"
#include "platform/problem.h"
#include "platform/registry.h"

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

    // Replaces the stored rows by the roster's rows, in one atomic change of the registry file.
    // Returns the reason when nothing was saved.
    std::optional<StoreProblem> saveList(const Roster& roster);

    // The values that the last load reported and that saves keep.
    const std::set<std::string>& keptValues() const { return kept_; }

    // Makes one entry from a stored line, as the load does; nullptr when it has no call.
    static std::unique_ptr<TUserEntry> entryFromLine(std::string_view line);

private:
    platform::Registry& registry_;
    std::set<std::string> kept_;
    bool loadFailed_ = false;
};

}  // namespace zelvo::app

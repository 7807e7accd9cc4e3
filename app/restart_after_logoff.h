// Starting again after a logoff, when "mit &Windows starten" is on: the RunOnce value that a
// Windows logon runs once, and its meaning on Linux, an XDG autostart entry. The next start of the
// program removes both, so it runs once, as RunOnce does.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/problem.h"
#include "platform/registry.h"

namespace zelvo::app {

inline constexpr const char* kRunOnceKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr const char* kRunOnceValue = "Zelvo";

// $XDG_CONFIG_HOME/autostart/zelvo-once.desktop (default ~/.config/autostart).
std::filesystem::path autostartEntryPath();

// Writes "Zelvo" = "\"<program>\"" under HKCU RunOnce and the autostart entry that starts
// `program`. A registry that cannot be written is skipped, as on Windows; the entry is still made.
// Where no entry can start `program` (its path holds %, a control character other than line
// break, tab and carriage return, or is not UTF-8) or the entry cannot be written, there is no
// entry afterwards, not even an earlier one, and the problem says why.
std::optional<platform::Problem> registerRestart(platform::Registry& registry,
                                                 const std::filesystem::path& program);
// Removes both again (at every start). Nothing when there is nothing to remove.
void clearRestart(platform::Registry& registry);

}  // namespace zelvo::app

// Where Zelvo keeps the user's files (the XDG base folders), and keeping them the user's alone:
// the roster, the settings, the log and the message history are nobody else's business, so
// Zelvo's own folders are 0700 and its files 0600 whatever the umask.
//
// No Qt here: the driver finds its channel table through the same folders.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelvo::platform {

// $HOME when it is an absolute path, else the home of the user's password entry (a program
// started by `env -i` or a service has no $HOME), else "/".
std::filesystem::path homeFolder();

// $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_STATE_HOME when absolute, else their defaults under
// homeFolder() (.config, .local/share, .local/state).
std::filesystem::path configHome();
std::filesystem::path dataHome();
std::filesystem::path stateHome();

// The mode of every file Zelvo creates.
inline constexpr mode_t kPrivateFileMode = 0600;

// Creates `folder` with any missing parents; the folder itself is made 0700 when it is new.
// Nothing, or the system's reason it failed.
std::optional<std::string> makePrivateFolder(const std::filesystem::path& folder);

// Takes the group's and others' bits from `folder` and from the regular files directly in it,
// when they belong to this user. A shared folder (sticky, as /tmp) keeps its bits; its files
// are still tightened. Returns what was tightened; a missing folder is nothing to do.
std::vector<std::filesystem::path> tightenFolder(const std::filesystem::path& folder);
// The same for one file; whether it was tightened.
bool tightenFile(const std::filesystem::path& file);

}  // namespace zelvo::platform

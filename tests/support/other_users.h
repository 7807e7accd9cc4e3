// Programs run as other local users, for checks of what one user can do to another's files:
// an owner whose files are at stake and an intruder who tries to read or lock them. Only root
// can switch users; the tests that need it skip elsewhere and say why.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zelvo::testing {

struct LocalUser {
    uid_t uid;
    gid_t gid;
};

// Neither needs a password entry: the kernel knows users by number alone.
inline constexpr LocalUser kOwner{64011, 64011};
inline constexpr LocalUser kIntruder{64012, 64012};

inline constexpr const char* kSetpriv = "/usr/bin/setpriv";

// Why users cannot be switched here; nothing when they can.
inline std::optional<std::string> whyNoOtherUsers()
{
    if (::geteuid() != 0)
        return "only a test run as root can act as two other users";
    if (::access(kSetpriv, X_OK) != 0)
        return std::string(kSetpriv) + " is missing (package util-linux)";
    return std::nullopt;
}

// `argv` run as `user`, with no supplementary groups and the umask given.
inline std::vector<std::string> asUser(LocalUser user, std::vector<std::string> argv,
                                       const char* umask = "0022")
{
    std::vector<std::string> wrapped{kSetpriv,
                                     "--reuid=" + std::to_string(user.uid),
                                     "--regid=" + std::to_string(user.gid),
                                     "--clear-groups",
                                     "--",
                                     "/bin/sh",
                                     "-c",
                                     std::string("umask ") + umask + " && exec \"$0\" \"$@\""};
    wrapped.insert(wrapped.end(), argv.begin(), argv.end());
    return wrapped;
}

// Hands a folder made by the test to `user`, so that a program run as that user can work in it.
// The folder's parents must let others pass (the system's temporary folder does).
inline void giveTo(const std::filesystem::path& folder, LocalUser user)
{
    if (::chown(folder.c_str(), user.uid, user.gid) != 0)
        throw std::filesystem::filesystem_error("chown", folder,
                                                std::error_code(errno, std::generic_category()));
}

}  // namespace zelvo::testing

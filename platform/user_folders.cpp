#include "platform/user_folders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvo::platform {

namespace fs = std::filesystem;

namespace {

fs::path xdgFolder(const char* variable, const fs::path& fallback)
{
    if (const char* value = std::getenv(variable); value != nullptr && *value == '/')
        return value;
    return homeFolder() / fallback;
}

// Clears the group's and others' bits of what `fd` refers to when it is ours and has any.
bool tightenOpen(int fd, bool isFolder)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid())
        return false;
    if (isFolder ? !S_ISDIR(st.st_mode) || (st.st_mode & S_ISVTX) != 0 : !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & 077) == 0)
        return false;
    return ::fchmod(fd, st.st_mode & 07700) == 0;
}

// Opened without following a link, so that a link placed in the folder never makes Zelvo
// change the mode of a file elsewhere.
bool tightenPath(const fs::path& path, bool isFolder)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (isFolder ? O_DIRECTORY : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return false;
    const bool tightened = tightenOpen(fd, isFolder);
    ::close(fd);
    return tightened;
}

}  // namespace

fs::path homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        return home;
    if (const passwd* pw = ::getpwuid(::getuid());
        pw != nullptr && pw->pw_dir != nullptr && *pw->pw_dir == '/')
        return pw->pw_dir;
    return "/";
}

fs::path configHome()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

fs::path dataHome()
{
    return xdgFolder("XDG_DATA_HOME", fs::path(".local") / "share");
}

fs::path stateHome()
{
    return xdgFolder("XDG_STATE_HOME", fs::path(".local") / "state");
}

std::optional<std::string> makePrivateFolder(const fs::path& folder)
{
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return std::nullopt;
    if (folder.has_parent_path() && folder.parent_path() != folder) {
        fs::create_directories(folder.parent_path(), ec);
        if (ec)
            return ec.message();
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return std::strerror(errno);
    // mkdir's mode passes through the umask, which can only take bits away: 0700 stays 0700.
    return std::nullopt;
}

std::vector<fs::path> tightenFolder(const fs::path& folder)
{
    std::vector<fs::path> tightened;
    if (tightenPath(folder, true))
        tightened.push_back(folder);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec) && !entry.is_symlink(ec) && tightenPath(entry.path(), false))
            tightened.push_back(entry.path());
    }
    return tightened;
}

bool tightenFile(const fs::path& file)
{
    return tightenPath(file, false);
}

}  // namespace zelvo::platform

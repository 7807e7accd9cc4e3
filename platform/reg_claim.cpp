// The program's claim on its registry folder: an exclusive, non-blocking flock held open.
#include "platform/reg_claim.h"

#include "platform/user_folders.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zelvo::platform {

namespace fs = std::filesystem;

RegistryClaim::~RegistryClaim()
{
    release();
}

fs::path RegistryClaim::folderOf(const Registry::Paths& paths)
{
    return paths.currentUser.parent_path();
}

RegistryClaim::Result RegistryClaim::take(const Registry::Paths& paths)
{
    if (held())
        return Result::Claimed;
    failure_.clear();
    const fs::path folder = folderOf(paths);
    if (auto failure = makePrivateFolder(folder)) {
        failure_ = *failure;
        return Result::Failed;
    }
    // Read access is enough for flock, so a lock file left read-only still serves.
    const fs::path lockFile = paths.currentUser.string() + ".inuse";
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, kPrivateFileMode);
    if (fd < 0) {
        failure_ = std::strerror(errno);
        return Result::Failed;
    }
    int locked;
    while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (locked == 0) {
        fd_ = fd;
        return Result::Claimed;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
        return Result::InUse;
    failure_ = std::strerror(error);
    return Result::Failed;
}

void RegistryClaim::release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

}  // namespace zelvo::platform

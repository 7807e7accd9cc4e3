// The program's claim on its registry folder: an exclusive, non-blocking flock held open.
#include "platform/reg_claim.h"

#include "platform/lock_file.h"
#include "platform/user_folders.h"

#include <cerrno>
#include <cstring>

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
    const LockedFile claim = lockPrivateFile(paths.currentUser.string() + ".inuse", LOCK_EX, {});
    if (claim.fd < 0) {
        failure_ = std::strerror(claim.error);
        return Result::Failed;
    }
    const int error = claim.wait == LockWait::Held ? EWOULDBLOCK : claim.error;
    if (error != 0)
        ::close(claim.fd);
    if (error == EWOULDBLOCK)
        return Result::InUse;
    failure_ = error == 0 ? std::string() : std::strerror(error);
    if (error != 0 && !meansNoLocks(error))
        return Result::Failed;
    // The registry's own lock file too, before anything tightens it in place: a stranger who
    // opened it while it was open to all could lock it through that descriptor any time later.
    // Failing here is for the registry's first write to report.
    if (const int lock = openPrivateLockFile(paths.currentUser.string() + ".lock"); lock >= 0)
        ::close(lock);
    if (error != 0)
        return Result::NoLocks;
    fd_ = claim.fd;
    return Result::Claimed;
}

void RegistryClaim::release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

}  // namespace zelvo::platform

// The lock files beside the registry ("<HKCU file>.lock" serialises writes, ".inuse" is a
// program's claim on the folder). flock needs no more than read access, so a lock file that
// another user can open is a lock another user can hold: such a file (an earlier version's, made
// under a lax umask, or one another user put there) is replaced by a fresh one that only this
// user can open. A stranger's lock then stays on a file nobody uses any more, and so does one
// taken later through a descriptor opened while the file was open to all.
#pragma once

#include <chrono>
#include <filesystem>

namespace zelvo::platform {

// The lock file at `path` open for reading, created 0600 when missing, and only this user's.
// -1 with errno set when it cannot be had.
int openPrivateLockFile(const std::filesystem::path& path);

// Whether flock failed because the file system has no locks (NFS without its lock service, some
// FUSE file systems): nothing there can be locked, but nothing is wrong with the file either.
bool meansNoLocks(int error);

enum class LockWait { Locked, Held, Failed };

struct LockedFile {
    int fd = -1;  // the caller's to close; -1 when the file cannot be opened
    LockWait wait = LockWait::Failed;
    int error = 0;  // errno when it cannot be opened or wait is Failed
};
// openPrivateLockFile() and lockWithin() together, until the locked file is the one at `path`:
// a lock taken on a file that was replaced meanwhile is let go and taken on the new one.
LockedFile lockPrivateFile(const std::filesystem::path& path, int operation, std::chrono::milliseconds bound);

// Takes flock `operation` (LOCK_SH or LOCK_EX) on `fd`, trying again with a growing pause while
// another holder has it, for at most `bound`. Held when it is still held then; Failed with errno
// set for any other reason.
LockWait lockWithin(int fd, int operation, std::chrono::milliseconds bound);

}  // namespace zelvo::platform

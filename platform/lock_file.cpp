#include "platform/lock_file.h"

#include "platform/user_folders.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvo::platform {

namespace fs = std::filesystem;

namespace {

bool openToOthers(const struct stat& st)
{
    return st.st_uid != ::geteuid() || (st.st_mode & 077) != 0;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Puts a fresh private file at `path` in place of `judged`, the file found there. Programs of
// this user that found the same file take turns on a lock file of their own (only this user can
// open it), and only the first still finds `judged` at `path`: the others leave the new file be.
bool replaceWithPrivate(const fs::path& path, const struct stat& judged)
{
    const fs::path turn = path.string() + ".swap";
    const int turnFd = ::open(turn.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kPrivateFileMode);
    if (turnFd < 0)
        return false;
    const LockWait wait = lockWithin(turnFd, LOCK_EX, std::chrono::seconds(3));
    if (wait == LockWait::Held || (wait == LockWait::Failed && !meansNoLocks(errno))) {
        const int error = wait == LockWait::Held ? EWOULDBLOCK : errno;
        ::close(turnFd);
        errno = error;
        return false;
    }
    static std::atomic<unsigned> counter{0};
    bool replaced = true;
    struct stat now {};
    if (::lstat(path.c_str(), &now) == 0 && sameFile(now, judged)) {
        const fs::path temp =
            path.string() + ".new." + std::to_string(::getpid()) + "." + std::to_string(counter++);
        const int fd = ::open(temp.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFileMode);
        replaced = fd >= 0 && ::rename(temp.c_str(), path.c_str()) == 0;
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        if (!replaced)
            ::unlink(temp.c_str());
        errno = error;
    }
    // Only once `judged` is gone: whoever makes the turn file anew finds nothing to replace.
    const int error = errno;
    ::unlink(turn.c_str());
    ::close(turnFd);
    errno = error;
    return replaced;
}

}  // namespace

int openPrivateLockFile(const fs::path& path)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kPrivateFileMode);
        struct stat st {};
        if (fd >= 0) {
            if (::fstat(fd, &st) != 0 || !openToOthers(st))
                return fd;
            ::close(fd);
        } else {
            // Only another user's file is in the way; anything else is a reason to give.
            const int error = errno;
            if (error != EACCES || ::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
                !openToOthers(st)) {
                errno = error;
                return -1;
            }
        }
        if (!replaceWithPrivate(path, st))
            return -1;
    }
    errno = EAGAIN;
    return -1;
}

bool meansNoLocks(int error)
{
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP || error == ENOSYS;
}

LockedFile lockPrivateFile(const fs::path& path, int operation, std::chrono::milliseconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        LockedFile file{openPrivateLockFile(path), LockWait::Failed, 0};
        if (file.fd < 0) {
            file.error = errno;
            return file;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        file.wait = lockWithin(file.fd, operation, std::max(left, std::chrono::milliseconds(0)));
        file.error = file.wait == LockWait::Failed ? errno : 0;
        struct stat locked {};
        struct stat named {};
        // A lock on a file that no longer has the name locks nothing: try the one that has it.
        if (file.wait != LockWait::Locked || ::fstat(file.fd, &locked) != 0 ||
            (::stat(path.c_str(), &named) == 0 && sameFile(locked, named)))
            return file;
        ::close(file.fd);
    }
}

LockWait lockWithin(int fd, int operation, std::chrono::milliseconds bound)
{
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    auto pause = 1ms;
    while (::flock(fd, operation | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return LockWait::Failed;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return LockWait::Held;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
    }
    return LockWait::Locked;
}

}  // namespace zelvo::platform

#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvo::platform {

namespace fs = std::filesystem;

namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::optional<std::string> replaceFileAtomically(const fs::path& file, std::string_view bytes)
{
    const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::exists(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec)
            return ec.message();
        fs::permissions(dir, fs::perms::owner_all, ec);
    }
    struct stat old {};
    const bool existed = ::stat(file.c_str(), &old) == 0;
    std::string temp = (dir / ("." + file.filename().string() + ".tmp.XXXXXX")).string();
    const int raw = ::mkstemp(temp.data());
    if (raw < 0)
        return std::strerror(errno);
    const Fd fd(raw);
    // A new file is the user's alone, as mkstemp made it.
    const mode_t mode = existed ? old.st_mode & 07777 : 0600;
    int error = 0;
    if (::fchmod(fd.get(), mode) != 0 || !writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 ||
        ::rename(temp.c_str(), file.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return std::strerror(error);
    }
    const Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0)
        ::fsync(dirFd.get());
    return std::nullopt;
}

}  // namespace zelvo::platform

#include "driver/tnc_connect.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace zelvo::driver {

namespace {

constexpr int kConnectTimeoutMs = 3000;

speed_t toSpeed(unsigned baud)
{
    switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
    }
}

OpenResult failed(std::string where, int error)
{
    return {-1, error, std::move(where), std::strerror(error)};
}

// One address of the host: the connected descriptor, or -1 with error set.
int tryAddress(const addrinfo* ai, int wakeFd, int& error)
{
    const int fd = ::socket(ai->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::connect(fd, ai->ai_addr, ai->ai_addrlen) == 0)
        return fd;
    error = errno;
    if (error == EINPROGRESS) {
        pollfd p[2] = {{fd, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
        if (::poll(p, 2, kConnectTimeoutMs) > 0 && (p[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
            socklen_t len = sizeof error;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len);
            if (error == 0)
                return fd;
        } else {
            error = ETIMEDOUT;
        }
    }
    ::close(fd);
    return -1;
}

}  // namespace

OpenResult connectTcp(const std::string& host, std::uint16_t port, int wakeFd,
                      const std::atomic<bool>& stopping)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string where = host + ":" + std::to_string(port);
    const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0)
        return {-1, -1, where, ::gai_strerror(rc)};
    int fd = -1;
    int error = ECONNREFUSED;
    for (const addrinfo* ai = found; ai != nullptr && fd < 0 && !stopping; ai = ai->ai_next)
        fd = tryAddress(ai, wakeFd, error);
    ::freeaddrinfo(found);
    if (fd < 0)
        return failed(where, error);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return {fd, 0, where, {}};
}

OpenResult openSerial(const std::string& device, unsigned baud)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(device, errno);
    termios tio{};
    const speed_t speed = toSpeed(baud);
    if (::tcgetattr(fd, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        return failed(device, error);
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
        ::tcsetattr(fd, TCSANOW, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        return failed(device, error);
    }
    ::tcflush(fd, TCIOFLUSH);
    return {fd, 0, device, {}};
}

}  // namespace zelvo::driver

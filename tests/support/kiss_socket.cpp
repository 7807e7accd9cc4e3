#include "tests/support/kiss_socket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace zelvo::testing {

sockaddr_in loopback(std::uint16_t port)
{
    return {AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
}

int loopback_socket(std::uint16_t port, int backlog, std::uint16_t& bound)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address = loopback(port);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        (backlog >= 0 && ::listen(fd, backlog) != 0) ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    bound = ntohs(address.sin_port);
    return fd;
}

void KissReader::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    decoder_ = kiss::Decoder();
    frames_.clear();
    raw_.clear();
}

const std::vector<kiss::Frame>& KissReader::wait_frames(std::size_t n, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (fd_ >= 0 && frames_.size() < n) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
            break;
        char chunk[4096];
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);  // a socket or a pseudo-terminal
        if (got <= 0)
            break;
        raw_.append(chunk, static_cast<std::size_t>(got));
        decoder_.feed(std::string_view(chunk, static_cast<std::size_t>(got)), frames_);
    }
    return frames_;
}

KissClient::KissClient(std::uint16_t port, int rcvbuf)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (rcvbuf > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &rcvbuf, sizeof rcvbuf);
    const sockaddr_in address = loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0) {
        ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    reset(fd);
}

KissClient::~KissClient()
{
    reset(-1);
}

bool KissClient::send(const std::string& bytes)
{
    std::size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd fd{fd_, POLLOUT, 0};
            if (::poll(&fd, 1, 10'000) <= 0)
                return false;
        } else {
            return false;
        }
    }
    return fd_ >= 0;
}

KissServer::KissServer(bool listen_now, std::uint16_t port)
{
    listener_ = loopback_socket(port, listen_now ? 4 : -1, port_);
}

KissServer::~KissServer()
{
    reset(-1);
    ::close(listener_);
}

void KissServer::listen()
{
    EXPECT_EQ(::listen(listener_, 4), 0);
}

bool KissServer::accept(std::chrono::milliseconds limit)
{
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(limit.count())) <= 0)
        return false;
    reset(::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC));
    return fd_ >= 0;
}

void KissServer::send_raw(const std::string& bytes)
{
    EXPECT_EQ(::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
}

void KissServer::send_frame(const ax25::Frame& frame, std::uint8_t kiss_port)
{
    send_raw(kiss::encodeData(kiss_port, ax25::encodeFrame(frame)));
}

ax25::Frame ui_frame(const char* from, const char* to, std::uint8_t pid, const std::string& info,
                     std::vector<const char*> digis, bool repeated)
{
    std::vector<ax25::Address> path;
    for (const char* d : digis)
        path.push_back(address(d));
    auto frame = ax25::makeUiFrame(address(from), address(to), path, pid, info);
    for (auto& d : frame.digis)
        d.setRepeated(repeated);
    return frame;
}

}  // namespace zelvo::testing

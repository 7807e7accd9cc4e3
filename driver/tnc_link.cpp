#include "driver/tnc_link.h"

#include "driver/kiss_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace zelvo::driver {

namespace {

using namespace std::chrono_literals;

constexpr auto kFirstBackoff = 100ms;
constexpr auto kMaxBackoff = 5000ms;
constexpr auto kStableConnection = 1000ms;  // shorter ones do not reset the backoff
constexpr int kConnectTimeoutMs = 3000;
constexpr int kWriteTimeoutMs = 1000;

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

int remainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

TncLink::TncLink(ChannelConfig config, Counters& counters, Sink sink)
    : config_(std::move(config)), counters_(counters), sink_(std::move(sink))
{
    if (config_.airRate > 0)
        pacer_.emplace(config_.airRate);
}

TncLink::~TncLink()
{
    stop();
}

bool TncLink::start()
{
    if (thread_.joinable())
        return true;
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0)
        return false;
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void TncLink::stop()
{
    if (thread_.joinable()) {
        stopping_ = true;
        wake();
        thread_.join();
    }
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
        wakeFd_ = -1;
    }
}

void TncLink::wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(wakeFd_, &one, sizeof one);
}

void TncLink::drainWake()
{
    std::uint64_t value;
    [[maybe_unused]] const auto n = ::read(wakeFd_, &value, sizeof value);
}

bool TncLink::sleepUnlessStopped(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!stopping_) {
        pollfd p{wakeFd_, POLLIN, 0};
        const int ms = remainingMs(deadline);
        if (ms == 0)
            break;
        if (::poll(&p, 1, ms) > 0)
            drainWake();
    }
    return stopping_;
}

void TncLink::reportFailure(const std::string& what, int error)
{
    if (error == lastReportedError_)
        return;
    lastReportedError_ = error;
    std::fprintf(stderr, "flxapi32: channel %d: %s: %s; retrying\n", config_.number, what.c_str(),
                 std::strerror(error));
}

void TncLink::run()
{
    auto backoff = std::chrono::milliseconds(kFirstBackoff);
    while (!stopping_) {
        const int fd = config_.kind == ChannelConfig::Kind::KissTcp ? connectTcp() : openSerial();
        if (fd >= 0) {
            const auto since = std::chrono::steady_clock::now();
            serve(fd);
            if (std::chrono::steady_clock::now() - since >= kStableConnection)
                backoff = kFirstBackoff;
        } else if (!stopping_) {
            ++counters_.connectFailures;
        }
        if (sleepUnlessStopped(backoff))
            break;
        backoff = std::min(backoff * 2, std::chrono::milliseconds(kMaxBackoff));
    }
}

int TncLink::connectTcp()
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string where = config_.host + ":" + std::to_string(config_.port);
    const int rc = ::getaddrinfo(config_.host.c_str(), std::to_string(config_.port).c_str(), &hints, &found);
    if (rc != 0) {
        if (lastReportedError_ != -1)
            std::fprintf(stderr, "flxapi32: channel %d: %s: %s; retrying\n", config_.number, where.c_str(),
                         ::gai_strerror(rc));
        lastReportedError_ = -1;
        return -1;
    }
    int result = -1;
    int error = ECONNREFUSED;
    for (addrinfo* ai = found; ai != nullptr && result < 0 && !stopping_; ai = ai->ai_next) {
        const int fd = ::socket(ai->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            error = errno;
            continue;
        }
        if (::connect(fd, ai->ai_addr, ai->ai_addrlen) == 0) {
            result = fd;
            break;
        }
        error = errno;
        if (error == EINPROGRESS) {
            pollfd p[2] = {{fd, POLLOUT, 0}, {wakeFd_, POLLIN, 0}};
            if (::poll(p, 2, kConnectTimeoutMs) > 0 && (p[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
                socklen_t len = sizeof error;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len);
                if (error == 0) {
                    result = fd;
                    break;
                }
            } else {
                error = ETIMEDOUT;
            }
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    if (result < 0) {
        if (!stopping_)
            reportFailure(where, error);
        return -1;
    }
    const int one = 1;
    ::setsockopt(result, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return result;
}

int TncLink::openSerial()
{
    const int fd = ::open(config_.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reportFailure(config_.device, errno);
        return -1;
    }
    termios tio{};
    const speed_t speed = toSpeed(config_.baud);
    if (::tcgetattr(fd, &tio) != 0) {
        reportFailure(config_.device, errno);
        ::close(fd);
        return -1;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
        ::tcsetattr(fd, TCSANOW, &tio) != 0) {
        reportFailure(config_.device, errno);
        ::close(fd);
        return -1;
    }
    ::tcflush(fd, TCIOFLUSH);
    return fd;
}

void TncLink::serve(int fd)
{
    {
        std::lock_guard lock(writeMutex_);
        fd_ = fd;
        reconnect_ = false;
        connected_ = true;
    }
    lastReportedError_ = 0;
    ++counters_.connects;

    kiss::Decoder decoder;
    std::uint64_t errorsSeen = 0;
    while (!stopping_ && !reconnect_) {
        pollfd p[2] = {{fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (::poll(p, 2, msUntilDue()) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (p[1].revents)
            drainWake();
        if (p[0].revents && !receive(fd, decoder, errorsSeen))
            break;
        releaseDue();
    }
    {
        std::lock_guard lock(writeMutex_);
        // ax_exit: what still waits goes to the TNC now, so the last frames of a session (the
        // offline announcements) are not lost. After a lost connection it is dropped instead:
        // the program repeats what has to arrive, and nothing is held for a TNC that may not
        // come back.
        for (; stopping_ && !reconnect_ && !outbox_.empty(); outbox_.pop())
            if (!writeAll(fd, kiss::encodeData(config_.kissPort, outbox_.front())))
                break;
        outbox_.clear();
        fd_ = -1;
        connected_ = false;
    }
    ::close(fd);
}

bool TncLink::receive(int fd, kiss::Decoder& decoder, std::uint64_t& errorsSeen)
{
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0)
        return false;
    if (n < 0)
        return errno == EAGAIN || errno == EINTR;
    std::vector<kiss::Frame> frames;
    decoder.feed(std::string_view(buffer, static_cast<std::size_t>(n)), frames);
    const auto& s = decoder.stats();
    const std::uint64_t errors = s.overlong + s.badEscapes + s.unterminated;
    counters_.kissErrors += errors - errorsSeen;
    errorsSeen = errors;
    for (const auto& frame : frames) {
        ++counters_.kissFrames;
        if (frame.port != config_.kissPort || frame.command != kiss::CMD_DATA) {
            ++counters_.droppedOtherPort;
            continue;
        }
        // Every frame on the channel took its air time, whoever it is for. A serial TNC hands it
        // on after its end, at the line's speed (ten bits a byte, with FENDs and command byte).
        if (pacer_) {
            auto end = std::chrono::steady_clock::now();
            if (config_.kind == ChannelConfig::Kind::KissSerial)
                end -= std::chrono::microseconds((frame.data.size() + 3) * 10'000'000 / config_.baud);
            std::lock_guard lock(writeMutex_);
            pacer_->heard(frame.data.size(), end);
        }
        sink_(frame.data);
    }
    return true;
}

int TncLink::msUntilDue()
{
    std::lock_guard lock(writeMutex_);
    if (outbox_.empty())
        return -1;
    if (outbox_.frontWithoutInfo())
        return 0;
    const auto left = pacer_->freeAt() - std::chrono::steady_clock::now();
    return left.count() > 0 ? static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count())
                            : 0;
}

void TncLink::releaseDue()
{
    std::lock_guard lock(writeMutex_);
    const auto now = std::chrono::steady_clock::now();
    while (!outbox_.empty() && !reconnect_ && (outbox_.frontWithoutInfo() || now >= pacer_->freeAt())) {
        const std::string next = outbox_.front();
        outbox_.pop();
        handOver(next, now);
    }
}

bool TncLink::send(std::string_view ax25, bool withoutInfo)
{
    std::lock_guard lock(writeMutex_);
    if (fd_ < 0 || reconnect_)
        return false;
    if (!pacer_)
        return writeFrame(ax25);
    const auto now = std::chrono::steady_clock::now();
    if (withoutInfo ? !outbox_.holdsPair(ax25) : outbox_.empty() && now >= pacer_->freeAt())
        return handOver(ax25, now);
    const auto pushed = outbox_.push(std::string(ax25), withoutInfo);
    if (pushed == SendQueue::Push::Queued)
        wake();  // the link thread's poll timeout is to be worked out anew
    return pushed != SendQueue::Push::Full;
}

bool TncLink::waiting(std::string_view ax25)
{
    std::lock_guard lock(writeMutex_);
    return outbox_.contains(ax25) || (pacer_ && pacer_->held(ax25, std::chrono::steady_clock::now()));
}

std::size_t TncLink::waitingCount()
{
    // Only a paced channel holds frames back; an unpaced one needs no clock.
    if (!pacer_)
        return 0;
    std::lock_guard lock(writeMutex_);
    return outbox_.size() + pacer_->heldCount(std::chrono::steady_clock::now());
}

bool TncLink::withdraw(std::string_view ax25)
{
    std::lock_guard lock(writeMutex_);
    return outbox_.remove(ax25);
}

bool TncLink::handOver(std::string_view ax25, std::chrono::steady_clock::time_point now)
{
    if (!writeFrame(ax25))
        return false;
    pacer_->sent(ax25, now);
    return true;
}

bool TncLink::writeFrame(std::string_view ax25)
{
    if (writeAll(fd_, kiss::encodeData(config_.kissPort, ax25)))
        return true;
    // Whatever part went out is garbage to the TNC; start over on a fresh connection.
    reconnect_ = true;
    wake();
    return false;
}

bool TncLink::writeAll(int fd, std::string_view bytes)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    const bool socket = config_.kind == ChannelConfig::Kind::KissTcp;
    while (!bytes.empty()) {
        const ssize_t n = socket ? ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                 : ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        pollfd p{fd, POLLOUT, 0};
        const int ms = remainingMs(deadline);
        if (ms == 0 || ::poll(&p, 1, ms) <= 0)
            return false;
    }
    return true;
}

}  // namespace zelvo::driver

#include "driver/tnc_link.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zelvo::driver {

namespace {

using namespace std::chrono_literals;

constexpr auto kFirstBackoff = 100ms;
constexpr auto kMaxBackoff = 5000ms;
constexpr auto kStableConnection = 1000ms;  // shorter ones do not reset the backoff
constexpr int kWriteTimeoutMs = 1000;

int remainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(std::min<long long>(left.count(), 60'000)) : 0;
}

}  // namespace

TncLink::TncLink(ChannelConfig config, Counters& counters, Sink heard, Sink handed)
    : config_(std::move(config)), counters_(counters), heard_(std::move(heard)), handed_(std::move(handed))
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

LinkStatus TncLink::status() const
{
    std::lock_guard lock(statusMutex_);
    return status_;
}

void TncLink::setStatus(int state, int error)
{
    LinkStatus status;
    status.state = state;
    status.error = state == FLX_LINK_DOWN ? error : 0;
    if (state == FLX_LINK_UP && framing_)
        framing_->fill(status);
    std::lock_guard lock(statusMutex_);
    status_ = status;
}

void TncLink::report(const std::string& text)
{
    if (text == lastReported_)
        return;
    lastReported_ = text;
    std::fprintf(stderr, "flxapi32: channel %d: %s\n", config_.number, text.c_str());
}

void TncLink::run()
{
    auto backoff = std::chrono::milliseconds(kFirstBackoff);
    while (!stopping_) {
        const OpenResult opened = open();
        if (opened.fd >= 0) {
            const auto since = std::chrono::steady_clock::now();
            serve(opened.fd);
            // A peer that turned out to speak another protocol is not tried again at once.
            if (std::chrono::steady_clock::now() - since >= kStableConnection && !keptWrong_)
                backoff = kFirstBackoff;
        } else if (!stopping_) {
            ++counters_.connectFailures;
            setStatus(FLX_LINK_DOWN, opened.error);
            report(opened.where + ": " + opened.errorText + "; retrying");
        }
        if (sleepUnlessStopped(backoff))
            break;
        backoff = std::min(backoff * 2, std::chrono::milliseconds(kMaxBackoff));
    }
    setStatus(FLX_LINK_DOWN, 0);
}

OpenResult TncLink::open()
{
    if (config_.isTcp())
        return connectTcp(config_.host, config_.port, wakeFd_, stopping_);
    return openSerial(config_.device, config_.baud);
}

void TncLink::serve(int fd)
{
    ++counters_.connects;
    bool closedByPeer = false;
    if (std::unique_lock lock(writeMutex_); begin(fd)) {
        lock.unlock();
        while (!stopping_ && !reconnect_) {
            if (!check(Clock::now()))
                break;
            releaseDue();
            pollfd p[2] = {{fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
            if (::poll(p, 2, pollTimeout(Clock::now())) < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (p[1].revents)
                drainWake();
            if (p[0].revents && !receive(fd)) {
                closedByPeer = true;
                break;
            }
        }
    }
    std::lock_guard lock(writeMutex_);
    finish(fd, closedByPeer);
}

bool TncLink::begin(int fd)
{
    fd_ = fd;
    reconnect_ = false;
    proven_ = false;
    framing_ = makeFraming(config_, counters_, pacer_.has_value(), Clock::now());
    if (const std::string hello = framing_->greeting(); !hello.empty() && !writeAll(fd, hello))
        return false;
    if (framing_->sendsBeforeProof()) {
        connected_ = true;
        setStatus(keptWrong_ ? FLX_LINK_WRONG_PROTOCOL : FLX_LINK_UP, 0);
    }
    return true;
}

bool TncLink::check(Clock::time_point now)
{
    std::lock_guard lock(writeMutex_);
    if (const auto failure = framing_->failure(now)) {
        keptWrong_ = failure->state == FLX_LINK_WRONG_PROTOCOL;
        setStatus(failure->state, failure->error);
        report(failure->reason + (failure->close ? "; retrying" : ""));
        if (failure->close || !framing_->sendsBeforeProof())
            connected_ = false;
        if (failure->close)
            return false;
    } else if (framing_->proven(now)) {
        if (!proven_) {
            proven_ = true;
            keptWrong_ = false;
            connected_ = true;
            lastReported_.clear();
        }
        setStatus(FLX_LINK_UP, 0);  // an AGW port list may follow the version
    }
    const std::string query = framing_->due(now, !outbox_.empty());
    if (!query.empty() && !writeAll(fd_, query))
        return false;
    return true;
}

bool TncLink::receive(int fd)
{
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return true;
    const auto now = Clock::now();
    std::vector<std::string> heard;
    {
        std::lock_guard lock(writeMutex_);
        if (n <= 0) {  // closed, or reset with frames unread (Direwolf's AGW port on a KISS frame)
            framing_->closed(now);
            return false;
        }
        framing_->receive(std::string_view(buffer, static_cast<std::size_t>(n)), now, heard);
        // Every frame on the channel took its air time, whoever it is for. A serial TNC hands it
        // on after its end, at the line's speed (ten bits a byte, with FENDs and command byte).
        for (const auto& frame : heard) {
            if (!pacer_)
                break;
            auto end = now;
            if (config_.kind == ChannelConfig::Kind::KissSerial)
                end -= std::chrono::microseconds((frame.size() + 3) * 10'000'000 / config_.baud);
            pacer_->heard(frame.size(), end);
        }
    }
    for (const auto& frame : heard)
        heard_(frame);
    return true;
}

void TncLink::finish(int fd, bool closedByPeer)
{
    // ax_exit: what still waits goes to the TNC now, so the last frames of a session (the
    // offline announcements) are not lost. After a lost connection it is dropped instead: the
    // program repeats what has to arrive, and nothing is held for a TNC that may not come back.
    for (; connected_ && stopping_ && !reconnect_ && !outbox_.empty(); outbox_.pop())
        if (!writeFrame(outbox_.front()))
            break;
    outbox_.clear();
    const auto failure = framing_ ? framing_->failure(Clock::now()) : std::nullopt;
    if (failure && closedByPeer) {
        if (!keptWrong_)
            report(failure->reason + "; retrying");
        keptWrong_ = true;
        setStatus(failure->state, failure->error);
    } else if ((closedByPeer || reconnect_) && !(keptWrong_ && framing_ && framing_->sendsBeforeProof())) {
        setStatus(FLX_LINK_DOWN, ECONNRESET);  // a KISS verdict stays until a connection proves otherwise
    }
    framing_.reset();
    fd_ = -1;
    connected_ = false;
    ::close(fd);
}

int TncLink::pollTimeout(Clock::time_point now)
{
    std::lock_guard lock(writeMutex_);
    int ms = msUntilDue(now);
    if (const auto at = framing_->nextCheck(now, !outbox_.empty())) {
        const int checkMs = remainingMs(*at);
        ms = ms < 0 ? checkMs : std::min(ms, checkMs);
    }
    return ms;
}

int TncLink::msUntilDue(Clock::time_point now)
{
    if (outbox_.empty())
        return -1;
    if (outbox_.frontWithoutInfo())
        return 0;
    if (framing_->holding(now))
        return -1;  // the framing's next check asks the TNC again
    const auto left = pacer_->freeAt() - now;
    return left.count() > 0 ? static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count())
                            : 0;
}

void TncLink::releaseDue()
{
    std::lock_guard lock(writeMutex_);
    const auto now = Clock::now();
    while (!outbox_.empty() && !reconnect_ &&
           (outbox_.frontWithoutInfo() || (now >= pacer_->freeAt() && !framing_->holding(now)))) {
        const std::string next = outbox_.front();
        outbox_.pop();
        handOver(next, now);
    }
}

bool TncLink::send(std::string_view ax25, bool withoutInfo)
{
    std::lock_guard lock(writeMutex_);
    if (fd_ < 0 || reconnect_ || !connected_)
        return false;
    if (!pacer_)
        return writeFrame(ax25);
    const auto now = Clock::now();
    const bool free = outbox_.empty() && now >= pacer_->freeAt() && !framing_->holding(now);
    if (withoutInfo ? !outbox_.holdsPair(ax25) : free)
        return handOver(ax25, now);
    const auto pushed = outbox_.push(std::string(ax25), withoutInfo);
    if (pushed == SendQueue::Push::Queued)
        wake();  // the link thread's poll timeout is to be worked out anew
    return pushed != SendQueue::Push::Full;
}

bool TncLink::waiting(std::string_view ax25)
{
    std::lock_guard lock(writeMutex_);
    return outbox_.contains(ax25) || (pacer_ && pacer_->held(ax25, Clock::now()));
}

std::size_t TncLink::waitingCount()
{
    // Only a paced channel holds frames back; an unpaced one needs no clock.
    if (!pacer_)
        return 0;
    std::lock_guard lock(writeMutex_);
    return outbox_.size() + pacer_->heldCount(Clock::now());
}

bool TncLink::withdraw(std::string_view ax25)
{
    std::lock_guard lock(writeMutex_);
    return outbox_.remove(ax25);
}

bool TncLink::handOver(std::string_view ax25, Clock::time_point now)
{
    if (!writeFrame(ax25))
        return false;
    pacer_->sent(ax25, now);
    return true;
}

bool TncLink::writeFrame(std::string_view ax25)
{
    if (writeAll(fd_, framing_->encode(ax25))) {
        framing_->sent(Clock::now());
        if (handed_)
            handed_(ax25);
        wake();  // what the framing checks next may have changed
        return true;
    }
    // Whatever part went out is garbage to the TNC; start over on a fresh connection.
    reconnect_ = true;
    wake();
    return false;
}

bool TncLink::writeAll(int fd, std::string_view bytes)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    const bool socket = config_.isTcp();
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

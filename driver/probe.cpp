#include "driver/probe.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "driver/agw_codec.h"
#include "driver/channel_table.h"
#include "driver/kiss_codec.h"

namespace zelvo::driver {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kHostNotFound = -1;
constexpr int kBadAddress = -2;

FlxProbe found(int kind, int error = 0)
{
    FlxProbe result{};
    result.kind = kind;
    result.error = error;
    return result;
}

int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 24 * 3600 * 1000));
}

// poll() for one descriptor until the deadline: > 0 ready, 0 time is up, < 0 failed.
int waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, msLeft(deadline));
        if (ready >= 0 || errno != EINTR)
            return ready;
    }
}

// The address as one table line reads it, so that it is written exactly as in the table: one
// channel, nothing left over after the connection.
std::optional<ChannelConfig> parseAddress(std::string_view address)
{
    if (address.find('\0') != std::string_view::npos)
        return std::nullopt;
    const auto table = parseChannelTable("0 " + std::string(address) + " x", {});
    if (!table.errors.empty() || table.channels.size() != 1 || table.channels.front().name != "x")
        return std::nullopt;
    return table.channels.front();
}

// Opening a serial line sends nothing. A file that is no character device is no serial line.
FlxProbe probeSerial(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return found(FLX_PROBE_NOTHING, errno);
    struct stat status {};
    const bool characterDevice = ::fstat(fd, &status) == 0 && S_ISCHR(status.st_mode);
    ::close(fd);
    return found(characterDevice ? FLX_PROBE_KISS : FLX_PROBE_OTHER);
}

// A host name lookup that may outlive the probe: the lookup thread and the probe share it.
struct Lookup {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    int status = 0;
    int systemError = 0;
    addrinfo* result = nullptr;

    ~Lookup()
    {
        if (result != nullptr)
            ::freeaddrinfo(result);
    }
};

// The addresses of host:port in lookup->result; 0, or the probe's error. A numeric address is
// converted at once; a name is looked up on a thread of its own, so that a slow name server
// cannot hold the probe past its deadline.
int resolve(const ChannelConfig& config, Clock::time_point deadline, std::shared_ptr<Lookup>& lookup)
{
    const std::string service = std::to_string(config.port);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    lookup = std::make_shared<Lookup>();
    if (::getaddrinfo(config.host.c_str(), service.c_str(), &hints, &lookup->result) == 0)
        return 0;
    lookup->result = nullptr;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    std::thread([lookup, host = config.host, service, hints] {
        addrinfo* result = nullptr;
        const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &result);
        const int systemError = errno;
        std::lock_guard lock(lookup->mutex);
        lookup->status = status;
        lookup->systemError = systemError;
        lookup->result = status == 0 ? result : nullptr;
        lookup->done = true;
        lookup->finished.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    if (!lookup->finished.wait_until(lock, deadline, [&] { return lookup->done; }))
        return ETIMEDOUT;
    if (lookup->status == EAI_SYSTEM)
        return lookup->systemError;
    return lookup->status == 0 ? 0 : kHostNotFound;
}

// A connected socket to the first address that takes the connection, or -errno of the last try.
int connectTo(const addrinfo* addresses, Clock::time_point deadline)
{
    int error = EHOSTUNREACH;
    for (const addrinfo* a = addresses; a != nullptr; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            error = errno;
            continue;
        }
        error = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
        if (error == EINPROGRESS) {
            const int ready = waitFor(fd, POLLOUT, deadline);
            socklen_t length = sizeof error;
            if (ready == 0)
                error = ETIMEDOUT;
            else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) < 0)
                error = errno;
        }
        if (error == 0)
            return fd;
        ::close(fd);
        if (msLeft(deadline) == 0)
            return -ETIMEDOUT;
    }
    return -error;
}

bool sendAll(int fd, const std::string& bytes)
{
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

// Reads what the other end says after the version request and tells what it is.
class Listener {
public:
    explicit Listener(int fd) : fd_(fd) {}

    FlxProbe run(Clock::time_point deadline)
    {
        agw::Frame request;
        request.kind = 'R';
        if (!sendAll(fd_, agw::encode(request)))
            return found(FLX_PROBE_OTHER);
        char chunk[4096];
        while (!done_ && waitFor(fd_, POLLIN, deadline) > 0) {
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n <= 0)  // closed (or reset) in answer to a request an AGW server or a KISS TNC takes
                return result_.kind == FLX_PROBE_AGW ? result_ : found(FLX_PROBE_OTHER);
            take(std::string_view(chunk, static_cast<std::size_t>(n)));
        }
        // Time is up: an AGW server without a port list in time still answered the version; a
        // KISS TNC stayed quiet or sent KISS frames. Other bytes never made an AGW answer.
        if (done_ || result_.kind == FLX_PROBE_AGW || seenKiss_ || seen_ == 0)
            return result_;
        return found(FLX_PROBE_OTHER);
    }

private:
    void take(std::string_view bytes)
    {
        if (seen_++ == 0)
            seenKiss_ = static_cast<std::uint8_t>(bytes.front()) == kiss::FEND;
        if (seenKiss_) {
            kissFrames_.clear();
            kiss_.feed(bytes, kissFrames_);
            const auto& stats = kiss_.stats();
            if (stats.noiseBytes + stats.badEscapes + stats.overlong != 0)
                finish(found(FLX_PROBE_OTHER));
            return;
        }
        std::vector<agw::Frame> frames;
        if (!agw_.feed(bytes, frames) && result_.kind != FLX_PROBE_AGW)
            return finish(found(FLX_PROBE_OTHER));
        for (std::size_t i = 0; i < frames.size() && !done_; ++i)
            answer(frames[i]);
        if (agw_.error() != agw::Decoder::Error::None)
            finish(result_);
    }

    void answer(const agw::Frame& frame)
    {
        if (frame.kind == 'R' && result_.kind != FLX_PROBE_AGW) {
            const auto version = agw::parseVersion(frame.data);
            if (!version)
                return finish(found(FLX_PROBE_OTHER));
            result_ = found(FLX_PROBE_AGW);
            std::tie(result_.agw_major, result_.agw_minor) = *version;
            agw::Frame ports;
            ports.kind = 'G';
            if (!sendAll(fd_, agw::encode(ports)))
                finish(result_);
        } else if (frame.kind == 'G' && result_.kind == FLX_PROBE_AGW) {
            if (const auto ports = agw::parsePortList(frame.data))
                notePorts(*ports);
            finish(result_);
        }
    }

    void notePorts(const std::vector<std::string>& ports)
    {
        result_.radio_ports = static_cast<int>(ports.size());
        std::string names;
        for (const std::string& port : ports)
            names += (names.empty() ? "" : ";") + port;
        const std::size_t length = std::min(names.size(), sizeof result_.port_names - 1);
        std::memcpy(result_.port_names, names.data(), length);
        result_.port_names[length] = '\0';
    }

    void finish(const FlxProbe& result)
    {
        result_ = result;
        done_ = true;
    }

    int fd_;
    FlxProbe result_ = found(FLX_PROBE_KISS);
    bool done_ = false;
    std::size_t seen_ = 0;  // chunks read
    bool seenKiss_ = false;
    kiss::Decoder kiss_;
    std::vector<kiss::Frame> kissFrames_;
    agw::Decoder agw_;
};

FlxProbe probeTcp(const ChannelConfig& config, Clock::time_point deadline)
{
    std::shared_ptr<Lookup> lookup;
    if (const int error = resolve(config, deadline, lookup); error != 0)
        return found(FLX_PROBE_NOTHING, error);
    const int fd = connectTo(lookup->result, deadline);
    if (fd < 0)
        return found(FLX_PROBE_NOTHING, -fd);
    FlxProbe result = Listener(fd).run(deadline);
    ::close(fd);
    return result;
}

}  // namespace

FlxProbe probe(std::string_view address, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
    try {
        const auto config = parseAddress(address);
        if (!config)
            return found(FLX_PROBE_NOTHING, kBadAddress);
        if (config->kind == ChannelConfig::Kind::KissSerial)
            return probeSerial(config->device);
        return probeTcp(*config, deadline);
    } catch (const std::exception&) {  // no memory or no thread for the lookup
        return found(FLX_PROBE_NOTHING, ENOMEM);
    }
}

}  // namespace zelvo::driver

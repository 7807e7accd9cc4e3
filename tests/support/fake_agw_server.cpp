#include "tests/support/fake_agw_server.h"
#include "tests/support/kiss_socket.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace zelvo::testing {
namespace {

std::string littleEndian(std::uint32_t value)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}

void writeAll(int fd, const std::string& bytes)
{
    (void)!::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

agw::Frame reply(const agw::Frame& request, std::string data)
{
    return {request.port, request.kind, 0, {}, {}, std::move(data)};
}

}  // namespace

FakeAgwServer::FakeAgwServer(Behaviour behaviour) : FakeAgwServer(behaviour, Options{}) {}

FakeAgwServer::FakeAgwServer(Behaviour behaviour, Options options)
    : options_(std::move(options)), behaviour_(behaviour)
{
    listener_ = loopback_socket(0, 4, port_);
    if (::pipe2(wake_, O_CLOEXEC) < 0)
        throw std::runtime_error("fake AGW server: no pipe");
    thread_ = std::thread([this] { serve(); });
}

FakeAgwServer::~FakeAgwServer()
{
    (void)!::write(wake_[1], "x", 1);
    thread_.join();
    ::close(listener_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

void FakeAgwServer::setBehaviour(Behaviour behaviour)
{
    std::lock_guard lock(mutex_);
    behaviour_ = behaviour;
}

void FakeAgwServer::setOutstanding(std::uint32_t count)
{
    std::lock_guard lock(mutex_);
    options_.outstanding = count;
}

int FakeAgwServer::waitConnections(int n, std::chrono::milliseconds timeout) const
{
    wait_until([&] { return connections_ >= n; }, timeout);
    return connections_;
}

std::vector<agw::Frame> FakeAgwServer::waitFrames(std::size_t n, std::chrono::milliseconds timeout) const
{
    wait_until(
        [&] {
            std::lock_guard lock(mutex_);
            return frames_.size() >= n;
        },
        timeout);
    std::lock_guard lock(mutex_);
    return frames_;
}

bool FakeAgwServer::send(const agw::Frame& frame)
{
    const std::string bytes = agw::encode(frame);
    std::lock_guard lock(mutex_);
    return client_ >= 0 &&
           ::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

// Serves one connection at a time until the server stops; a newer one replaces it.
void FakeAgwServer::serve()
{
    int fd = -1;  // the client; poll passes over it while there is none
    agw::Decoder decoder;
    const auto drop = [&] {
        std::lock_guard lock(mutex_);
        if (fd >= 0)
            ::close(fd);
        client_ = fd = -1;
    };
    for (;;) {
        pollfd fds[3] = {{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}, {fd, POLLIN, 0}};
        if ((::poll(fds, 3, -1) < 0 && errno != EINTR) || fds[0].revents != 0)
            break;
        if ((fds[1].revents & POLLIN) != 0) {
            drop();
            std::lock_guard lock(mutex_);
            client_ = fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            connections_ += fd >= 0;
            decoder = agw::Decoder();
            continue;
        }
        if (fds[2].revents == 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        bool keep = n > 0 || (n < 0 && errno == EINTR);
        std::vector<agw::Frame> frames;
        if (n > 0 && !decoder.feed(std::string_view(chunk, static_cast<std::size_t>(n)), frames)) {
            broken_ = true;  // Direwolf: "Invalid message from AGW client", and the connection ends
            keep = false;
        }
        for (const agw::Frame& frame : frames) {
            {
                std::lock_guard lock(mutex_);
                frames_.push_back(frame);
            }
            answer(fd, frame, keep);
        }
        if (!keep)
            drop();
    }
    drop();
}

void FakeAgwServer::answer(int fd, const agw::Frame& request, bool& keep)
{
    std::unique_lock lock(mutex_);
    const Behaviour behaviour = behaviour_;
    const Options options = options_;
    lock.unlock();
    const std::string version = littleEndian(static_cast<std::uint32_t>(options.version.first)) +
                                littleEndian(static_cast<std::uint32_t>(options.version.second));
    switch (behaviour) {
    case Behaviour::Garbage: return writeAll(fd, "HTTP/1.0 400 Bad Request\r\n\r\n");
    case Behaviour::CloseAfterRequest: keep = false; return;
    case Behaviour::Oversize: {
        std::string header = agw::encode(reply(request, version)).substr(0, agw::kHeaderLength);
        header.replace(28, 4, littleEndian(agw::kMaxData + 1));  // the data length field
        return writeAll(fd, header);
    }
    case Behaviour::CutOff: return writeAll(fd, agw::encode(reply(request, version)).substr(0, 20));
    case Behaviour::Answer: break;
    }
    if (request.kind == 'R') {
        writeAll(fd, agw::encode(reply(request, version)));
    } else if (request.kind == 'G') {
        std::string list = std::to_string(options.ports.size()) + ";";
        for (const std::string& port : options.ports)
            list += port + ";";
        writeAll(fd, agw::encode(reply(request, list + '\0')));
    } else if (request.kind == 'y') {
        writeAll(fd, agw::encode(reply(request, littleEndian(options.outstanding))));
    } else if (request.kind == 'X') {
        agw::Frame registered = reply(request, std::string(1, '\1'));
        registered.callFrom = request.callFrom;
        writeAll(fd, agw::encode(registered));
    }
}

}  // namespace zelvo::testing

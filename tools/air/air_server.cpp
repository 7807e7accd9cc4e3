// Poll loop of zelvo-air. Sockets are non-blocking; one read of at most kReadChunk bytes per
// client and round keeps a flooding client from starving the others.
#include "tools/air/air_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace zelvo::air {
namespace {

constexpr std::size_t kReadChunk = 16 * 1024;
// Small kernel send buffers keep the amount a silent client can swallow close to kMaxOutput.
constexpr int kSocketSendBuffer = 64 * 1024;

std::string peer_name(const sockaddr_in& address)
{
    char host[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &address.sin_addr, host, sizeof host);
    return std::string(host) + ":" + std::to_string(ntohs(address.sin_port));
}

int poll_timeout(const std::optional<Clock::time_point>& deadline, Clock::time_point now)
{
    if (!deadline)
        return -1;
    if (*deadline <= now)
        return 0;
    // Round up so the loop never wakes a little before the deadline and spins.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*deadline - now);
    return static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), 60'000));
}

}  // namespace

AirServer::AirServer(Channel& channel, std::FILE* log) : channel_(channel), log_(log) {}

AirServer::~AirServer()
{
    for (auto& [id, client] : clients_)
        ::close(client.fd);
    if (listen_fd_ >= 0)
        ::close(listen_fd_);
}

void AirServer::say(const std::string& line)
{
    std::fprintf(log_, "zelvo-air: %s\n", line.c_str());
    std::fflush(log_);
}

bool AirServer::listen(std::uint16_t port, std::string& error)
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listen_fd_ < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const int on = 1;
    ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0 ||
        ::listen(listen_fd_, 16) < 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    return true;
}

void AirServer::accept_clients()
{
    for (;;) {
        sockaddr_in address{};
        socklen_t length = sizeof address;
        const int fd = ::accept4(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;  // EAGAIN, or an aborted connection: nothing to do
        if (clients_.size() >= kMaxClients) {
            say("refused " + peer_name(address) + ": too many clients");
            ::close(fd);
            continue;
        }
        ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSocketSendBuffer, sizeof kSocketSendBuffer);
        const int id = next_id_++;
        Client& client = clients_[id];
        client.fd = fd;
        client.peer = peer_name(address);
        channel_.add_client(id);
        say("client " + std::to_string(id) + " connected from " + client.peer);
    }
}

bool AirServer::read_from(int id, Client& client, Clock::time_point now)
{
    std::uint8_t buffer[kReadChunk];
    const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (n == 0)
        return false;
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    std::vector<kiss::Frame> frames;
    client.decoder.feed(buffer, static_cast<std::size_t>(n), frames);
    for (kiss::Frame& frame : frames) {
        // Only data frames go on the air; the other commands set up a TNC's timing.
        if (frame.command != kiss::CMD_DATA || frame.data.empty())
            continue;
        channel_.transmit(id, AirFrame{frame.port, std::move(frame.data)}, now);
    }
    return true;
}

bool AirServer::flush(Client& client)
{
    while (client.out_sent < client.out.size()) {
        const ssize_t n = ::send(client.fd, client.out.data() + client.out_sent,
                                 client.out.size() - client.out_sent, MSG_NOSIGNAL);
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        client.out_sent += static_cast<std::size_t>(n);
    }
    client.out.clear();
    client.out_sent = 0;
    return true;
}

void AirServer::deliver(const Delivery& delivery)
{
    const auto it = clients_.find(delivery.client);
    if (it == clients_.end())
        return;  // gone while the frame was on its way
    Client& client = it->second;
    const std::string bytes = kiss::encodeData(delivery.frame.kiss_port, delivery.frame.ax25);
    if (client.out.size() - client.out_sent + bytes.size() > kMaxOutput) {
        close_client(delivery.client, "dropped: not reading");
        return;
    }
    client.out += bytes;
    ++delivered_;
    if (!flush(client))
        close_client(delivery.client, "dropped: write failed");
}

void AirServer::close_client(int id, const char* why)
{
    const auto it = clients_.find(id);
    if (it == clients_.end())
        return;
    ::close(it->second.fd);
    clients_.erase(it);
    channel_.remove_client(id);
    say("client " + std::to_string(id) + " " + why);
}

bool AirServer::run(int stop_fd)
{
    std::vector<pollfd> fds;
    std::vector<int> ids;
    for (;;) {
        fds.assign({{stop_fd, POLLIN, 0}, {listen_fd_, POLLIN, 0}});
        ids.clear();
        for (const auto& [id, client] : clients_) {
            const short events = POLLIN | (client.out.empty() ? 0 : POLLOUT);
            fds.push_back({client.fd, events, 0});
            ids.push_back(id);
        }
        const int timeout = poll_timeout(channel_.next_deadline(), Clock::now());
        if (::poll(fds.data(), fds.size(), timeout) < 0) {
            if (errno == EINTR)
                continue;
            say(std::string("poll: ") + std::strerror(errno));
            return false;
        }
        if (fds[0].revents)
            return true;
        const auto now = Clock::now();
        if (fds[1].revents & POLLIN)
            accept_clients();
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const short revents = fds[i + 2].revents;
            const auto it = clients_.find(ids[i]);
            if (!revents || it == clients_.end())
                continue;
            if ((revents & (POLLIN | POLLHUP | POLLERR)) && !read_from(ids[i], it->second, now))
                close_client(ids[i], "disconnected");
            else if ((revents & POLLOUT) && !flush(it->second))
                close_client(ids[i], "dropped: write failed");
        }
        for (const Delivery& delivery : channel_.advance(Clock::now()))
            deliver(delivery);
    }
}

}  // namespace zelvo::air

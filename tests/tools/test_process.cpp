// Child processes and sockets for the end-to-end tests. Waits poll their file descriptors
// with a deadline; nothing here sleeps for a fixed time.
#include "tests/tools/test_process.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zelvo::testing {
namespace {

using Deadline = std::chrono::steady_clock::time_point;

Deadline deadline_in(std::chrono::milliseconds timeout)
{
    return std::chrono::steady_clock::now() + timeout;
}

std::chrono::milliseconds left(Deadline deadline)
{
    const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return std::max(rest, 0ms);
}

sockaddr_in loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

}  // namespace

LinePredicate starts_with(std::string prefix)
{
    return [prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; };
}

LinePredicate contains(std::string part)
{
    return [part](const std::string& line) { return line.find(part) != std::string::npos; };
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvo-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Process::Process(std::vector<std::string> argv, std::vector<std::string> env)
{
    std::signal(SIGPIPE, SIG_IGN);  // a child that died must not kill the test with it
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) < 0 || ::pipe2(out, O_CLOEXEC) < 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);

    std::vector<char*> args;
    for (auto& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);  // later entries lose: getenv finds the first
    std::vector<char*> envp;
    for (auto& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const int rc = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    stdin_fd_ = in[1];
    stdout_fd_ = out[0];
    if (rc != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(rc));
    }
    ::fcntl(stdout_fd_, F_SETFL, O_NONBLOCK);
}

Process::~Process()
{
    if (pid_ > 0 && !exited_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    ::close(stdin_fd_);
    ::close(stdout_fd_);
}

void Process::write_line(const std::string& line)
{
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(stdin_fd_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("cannot write to the child's stdin");
        done += static_cast<std::size_t>(n);
    }
}

bool Process::pump(std::chrono::milliseconds wait)
{
    pollfd fd{stdout_fd_, POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(wait.count())) <= 0)
        return true;
    char chunk[4096];
    const ssize_t n = ::read(stdout_fd_, chunk, sizeof chunk);
    if (n == 0)
        return false;
    if (n < 0)
        return errno == EAGAIN || errno == EINTR;
    partial_.append(chunk, static_cast<std::size_t>(n));
    for (std::size_t end; (end = partial_.find('\n')) != std::string::npos;) {
        lines_.push_back(partial_.substr(0, end));
        partial_.erase(0, end + 1);
    }
    return true;
}

std::optional<std::string> Process::wait_line(const LinePredicate& pred,
                                              std::chrono::milliseconds timeout)
{
    const Deadline deadline = deadline_in(timeout);
    for (;;) {
        for (; cursor_ < lines_.size(); ++cursor_) {
            if (pred(lines_[cursor_]))
                return lines_[cursor_++];
        }
        if (left(deadline) == 0ms || !pump(left(deadline)))
            return std::nullopt;
    }
}

std::vector<std::string> Process::wait_lines(const LinePredicate& pred, std::size_t n,
                                             std::chrono::milliseconds timeout)
{
    const Deadline deadline = deadline_in(timeout);
    for (;;) {
        std::vector<std::string> found = lines(pred);
        if (found.size() >= n || left(deadline) == 0ms || !pump(left(deadline)))
            return found;
    }
}

std::vector<std::string> Process::lines(const LinePredicate& pred)
{
    for (pollfd fd{stdout_fd_, POLLIN, 0}; ::poll(&fd, 1, 0) > 0 && pump(0ms);) {
    }
    std::vector<std::string> found;
    for (const auto& line : lines_)
        if (pred(line))
            found.push_back(line);
    return found;
}

std::optional<int> Process::stop(int sig, std::chrono::milliseconds timeout)
{
    if (exited_)
        return std::nullopt;
    ::kill(pid_, sig);
    const Deadline deadline = deadline_in(timeout);
    // Reading until EOF collects the last lines.
    while (left(deadline) > 0ms && pump(left(deadline))) {
    }
    // Then the exit itself, checked in short steps until the deadline.
    for (;;) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            return status;
        }
        if (left(deadline) == 0ms)
            return std::nullopt;
        ::poll(nullptr, 0, 5);
    }
}

KissClient::KissClient(std::uint16_t port, int rcvbuf)
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (rcvbuf > 0)
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &rcvbuf, sizeof rcvbuf);
    const sockaddr_in address = loopback(port);
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    ::fcntl(fd_, F_SETFL, O_NONBLOCK);
}

KissClient::~KissClient()
{
    if (fd_ >= 0)
        ::close(fd_);
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

const std::vector<kiss::Frame>& KissClient::wait_frames(std::size_t n,
                                                        std::chrono::milliseconds timeout)
{
    const Deadline deadline = deadline_in(timeout);
    while (fd_ >= 0 && frames_.size() < n) {
        pollfd fd{fd_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left(deadline).count())) <= 0)
            break;
        char chunk[4096];
        const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
        if (got <= 0)
            break;
        decoder_.feed(std::string_view(chunk, static_cast<std::size_t>(got)), frames_);
    }
    return frames_;
}

std::optional<std::uint16_t> parse_listen_port(const std::string& line)
{
    const std::string prefix = "zelvo-air: listening on 127.0.0.1:";
    if (line.rfind(prefix, 0) != 0)
        return std::nullopt;
    const int port = std::atoi(line.c_str() + prefix.size());
    if (port <= 0 || port > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

bool wait_until(const std::function<bool()>& cond, std::chrono::milliseconds timeout)
{
    const Deadline deadline = deadline_in(timeout);
    while (!cond()) {
        if (left(deadline) == 0ms)
            return false;
        ::poll(nullptr, 0, 10);
    }
    return true;
}

AirInstance start_air(const std::string& binary, std::vector<std::string> args)
{
    args.insert(args.begin(), binary);
    if (std::find(args.begin(), args.end(), "--port") == args.end()) {
        args.push_back("--port");
        args.push_back("0");
    }
    AirInstance air;
    air.process = std::make_unique<Process>(args);
    if (auto line = air.process->wait_line(starts_with("zelvo-air: listening on")))
        air.port = parse_listen_port(*line).value_or(0);
    return air;
}

std::uint16_t free_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::optional<PcapFile> read_pcap(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::uint32_t header[6];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 0xa1b2c3d4)
        return std::nullopt;
    PcapFile file;
    file.link_type = header[5];
    std::uint32_t record[4];
    while (in.read(reinterpret_cast<char*>(record), sizeof record)) {
        std::string bytes(record[2], '\0');
        if (record[2] > 65535 || !in.read(bytes.data(), record[2]))
            return std::nullopt;
        file.records.push_back(std::move(bytes));
    }
    return file;
}

}  // namespace zelvo::testing

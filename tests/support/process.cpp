// Child processes for tests that run programs. Waits poll the pipe with a deadline; nothing
// here sleeps for a fixed time.
#include "tests/support/process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string_view>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace zelvo::testing {
namespace {

using Deadline = std::chrono::steady_clock::time_point;

std::chrono::milliseconds left(Deadline deadline)
{
    const auto rest =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return std::max(rest, 0ms);
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

Process::Process(std::vector<std::string> argv, std::vector<std::string> env)
{
    std::signal(SIGPIPE, SIG_IGN);  // a child that died must not kill the test with it
    int in[2], out[2], failed[2];
    if (::pipe2(in, O_CLOEXEC) < 0 || ::pipe2(out, O_CLOEXEC) < 0 || ::pipe2(failed, O_CLOEXEC) < 0)
        throw std::runtime_error("pipe failed");

    std::vector<char*> args;
    for (auto& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    // The given entries replace inherited ones of the same name: a shell between the test and
    // the program would otherwise take the last of two.
    const std::size_t given = env.size();
    for (char** e = environ; *e; ++e) {
        const std::string_view name(*e, std::strcspn(*e, "="));
        if (std::none_of(
                env.begin(), env.begin() + static_cast<std::ptrdiff_t>(given),
                [&](const std::string& entry) { return entry.starts_with(std::string(name) + "="); }))
            env.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (auto& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls from here on. The child dies with the test: an orphan
        // would hold the test runner's output pipe open and keep the run from ending.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        // With the test's own stdin closed, the pipe may already be fd 0: keep it open then.
        for (const auto& [fd, target] : {std::pair{in[0], STDIN_FILENO}, std::pair{out[1], STDOUT_FILENO}}) {
            if (fd == target)
                ::fcntl(fd, F_SETFD, 0);
            else
                ::dup2(fd, target);
        }
        ::execve(args[0], args.data(), envp.data());
        const int error = errno;
        (void)!::write(failed[1], &error, sizeof error);
        ::_exit(127);
    }
    int error = pid_ < 0 ? errno : 0;
    ::close(in[0]);
    ::close(out[1]);
    ::close(failed[1]);
    // The error pipe closes without a word when the exec succeeds.
    if (pid_ > 0 && ::read(failed[0], &error, sizeof error) == sizeof error)
        ::waitpid(pid_, nullptr, 0);
    ::close(failed[0]);
    if (error != 0) {
        ::close(in[1]);
        ::close(out[0]);
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
    }
    stdin_fd_ = in[1];
    stdout_fd_ = out[0];
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

std::optional<std::string> Process::wait_line(const LinePredicate& pred, std::chrono::milliseconds timeout)
{
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (; cursor_ < lines_.size(); ++cursor_) {
            if (pred(lines_[cursor_]))
                return lines_[cursor_++];
        }
        if (left(deadline) == 0ms || !pump(left(deadline)))
            return std::nullopt;
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
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
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

}  // namespace zelvo::testing

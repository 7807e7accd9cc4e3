// A child process with piped stdin/stdout that is always killed when the guard goes out of
// scope, and waits for its output lines with a deadline.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zelvo::testing {

using namespace std::chrono_literals;
using LinePredicate = std::function<bool(const std::string&)>;

LinePredicate starts_with(std::string prefix);
LinePredicate contains(std::string part);

class Process {
public:
    // Starts argv[0] with the current environment plus env ("NAME=value" entries).
    explicit Process(std::vector<std::string> argv, std::vector<std::string> env = {});
    ~Process();  // SIGKILL if still running, then reaped
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    void write_line(const std::string& line);
    // Waits for the next unconsumed output line matching pred, consumes everything up to it.
    std::optional<std::string> wait_line(const LinePredicate& pred, std::chrono::milliseconds timeout = 10s);
    // Every line matching pred read so far (reads what is available first).
    std::vector<std::string> lines(const LinePredicate& pred);
    // Sends sig and waits for the exit; the exit status (as waitpid gives it), or nullopt when
    // the process did not end in time. Reads the remaining output.
    std::optional<int> stop(int sig, std::chrono::milliseconds timeout = 10s);

private:
    // Reads output for at most wait; false once stdout is closed.
    bool pump(std::chrono::milliseconds wait);

    pid_t pid_ = -1;
    int stdin_fd_ = -1;
    int stdout_fd_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
    std::size_t cursor_ = 0;
    bool exited_ = false;
};

}  // namespace zelvo::testing

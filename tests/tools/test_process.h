// Helpers for tests that run programs: a child process with piped stdin/stdout that is always
// killed when the guard goes out of scope, line waits with a deadline, a temporary directory,
// and a raw KISS TCP client.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "driver/kiss_codec.h"

namespace zelvo::testing {

using namespace std::chrono_literals;
using LinePredicate = std::function<bool(const std::string&)>;

LinePredicate starts_with(std::string prefix);
LinePredicate contains(std::string part);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

class Process {
public:
    // Starts argv[0] with the current environment plus env ("NAME=value" entries).
    explicit Process(std::vector<std::string> argv, std::vector<std::string> env = {});
    ~Process();  // SIGKILL if still running, then reaped
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    void write_line(const std::string& line);
    // Waits for the next unconsumed output line matching pred, consumes everything up to it.
    std::optional<std::string> wait_line(const LinePredicate& pred,
                                         std::chrono::milliseconds timeout = 10s);
    // Waits until at least n lines of all output so far match pred; returns them all.
    std::vector<std::string> wait_lines(const LinePredicate& pred, std::size_t n,
                                        std::chrono::milliseconds timeout = 10s);
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

// A raw KISS TCP connection to 127.0.0.1.
class KissClient {
public:
    // rcvbuf > 0 shrinks the receive buffer before connecting (for a client that never reads).
    explicit KissClient(std::uint16_t port, int rcvbuf = 0);
    ~KissClient();
    KissClient(const KissClient&) = delete;
    KissClient& operator=(const KissClient&) = delete;

    bool connected() const { return fd_ >= 0; }
    // Writes all bytes; false when the connection failed.
    bool send(const std::string& bytes);
    // Frames received so far, waiting until there are at least n or the timeout passes.
    const std::vector<kiss::Frame>& wait_frames(std::size_t n,
                                                std::chrono::milliseconds timeout = 10s);

private:
    int fd_ = -1;
    kiss::Decoder decoder_;
    std::vector<kiss::Frame> frames_;
};

// Checks cond in short steps until it holds or the timeout passes; its last result.
bool wait_until(const std::function<bool()>& cond, std::chrono::milliseconds timeout = 10s);

// A running zelvo-air and the port it listens on; port 0 when it did not come up.
struct AirInstance {
    std::unique_ptr<Process> process;
    std::uint16_t port = 0;
};
// Starts zelvo-air (default --port 0) with args and waits for its first line.
AirInstance start_air(const std::string& binary, std::vector<std::string> args = {});

// The port named by zelvo-air's first line, "zelvo-air: listening on 127.0.0.1:PORT".
std::optional<std::uint16_t> parse_listen_port(const std::string& line);
// A port that was free a moment ago (for a program that is to bind it later).
std::uint16_t free_port();
// Records of a pcap file: link type and, per record, its bytes.
struct PcapFile {
    std::uint32_t link_type = 0;
    std::vector<std::string> records;
};
std::optional<PcapFile> read_pcap(const std::filesystem::path& path);

}  // namespace zelvo::testing

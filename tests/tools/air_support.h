// zelvo-air for the tool tests: a running instance and its port, and its capture file; and the
// zelvo-station processes on it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/kiss_socket.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {

// A running zelvo-air and the port it listens on; port 0 when it did not come up.
struct AirInstance {
    std::unique_ptr<Process> process;
    std::uint16_t port = 0;
};
// Starts zelvo-air (default --port 0) with args and waits for its first line,
// "zelvo-air: listening on 127.0.0.1:PORT".
AirInstance start_air(const std::string& binary, std::vector<std::string> args = {});

// Records of a pcap file: link type and, per record, its bytes.
struct PcapFile {
    std::uint32_t link_type = 0;
    std::vector<std::string> records;
};
std::optional<PcapFile> read_pcap(const std::filesystem::path& path);

// Reads until a frame with these AX.25 bytes arrives; false when the frames stop first.
bool hears(KissClient& client, const std::string& ax25, std::chrono::milliseconds timeout = kDeadline);

LinePredicate line_is(std::string whole);
// The last lines a process printed, for failure messages.
std::string tail(Process& process, std::size_t count = 30);

// Waits for exactly this line of the process (within the timeout given, if one is); on failure
// shows its last lines.
#define ASSERT_SEES(process, text, ...)                                                                      \
    ASSERT_TRUE((process).wait_line(::zelvo::testing::line_is(text) __VA_OPT__(, ) __VA_ARGS__))             \
        << ::zelvo::testing::tail(process)

// A station's call, alias and home directory (registry files, channel table, log), which
// outlives restarts of its process.
struct Home {
    std::string call;  // with SSID
    std::string alias;
    TempDir dir{};

    std::string base() const { return call.substr(0, call.find('-')); }
};

// Starts zelvo-station (`binary`) for `home` on a channel table of the one line `channel`,
// private as the channel dialog saves it (one open to others would be tightened, with a log
// line), with passes of `passMs` and `options` after the others. Does not wait for it.
std::unique_ptr<Process> start_station(const std::string& binary, const Home& home,
                                       const std::string& channel, const char* passMs,
                                       std::vector<std::string> options = {});

}  // namespace zelvo::testing

// flx_peer: one station on top of libflxapi32.so for the end-to-end tests (the driver keeps
// global state, so each station needs its own process). The driver reads its channel table
// from $ZELVO_FLEXNET_CONF.
//
//   flx_peer MYCALL
//   stdin:  "send PID HEX DESTINATION..."  (HEX "-" for an empty field) -> "SENT 1" / "SENT 0"
//           "wait-connected MS" -> "CONNECTED 1" once channel 0's TNC is connected, or
//                                   "CONNECTED 0" after MS milliseconds
//           "stats" -> "STATS name=value ..." (the driver's counters)
//           "quit"
//   stdout: "RX SOURCE PID CHANNEL HEX PATH..." for every frame the driver hands out.
#include <chrono>
#include <cstdio>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <unistd.h>

#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"

namespace {

std::string to_hex(const std::uint8_t* bytes, std::size_t length)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < length; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0x0F];
    }
    return hex.empty() ? "-" : hex;
}

std::optional<std::string> from_hex(const std::string& hex)
{
    if (hex == "-")
        return std::string();
    if (hex.size() % 2)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        try {
            std::size_t used = 0;
            bytes += static_cast<char>(std::stoi(hex.substr(i, 2), &used, 16));
            if (used != 2)
                return std::nullopt;
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    return bytes;
}

void print_received(const FlxUiFrame& frame)
{
    char source[FLX_CALL_TEXT + 1] = {};
    char path[FLX_PATH_TEXT + 1] = {};
    strcall(source, frame.source);
    strpath(path, &frame);
    std::printf("RX %s %u %d %s %s\n", source, frame.pid, frame.channel,
                to_hex(frame.info, frame.info_length).c_str(), path);
    std::fflush(stdout);
}

void wait_connected(int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!flx_channel_connected(0) && std::chrono::steady_clock::now() < deadline)
        ::poll(nullptr, 0, 5);
    std::printf("CONNECTED %d\n", flx_channel_connected(0));
}

void print_stats()
{
    FlxStats s{};
    flx_get_stats(&s);
    std::printf("STATS kiss_frames=%llu incomplete_path=%llu queued=%llu delivered=%llu\n",
                static_cast<unsigned long long>(s.kiss_frames),
                static_cast<unsigned long long>(s.dropped_incomplete_path),
                static_cast<unsigned long long>(s.frames_queued),
                static_cast<unsigned long long>(s.frames_delivered));
}

// One command line; false on "quit".
bool run_command(const std::string& mycall, const std::string& line)
{
    std::istringstream words(line);
    std::string verb, pid, hex, destination;
    words >> verb;
    if (verb == "quit")
        return false;
    if (verb == "wait-connected" || verb == "stats") {
        int timeout_ms = 0;
        words >> timeout_ms;
        verb == "stats" ? print_stats() : wait_connected(timeout_ms);
        std::fflush(stdout);
        return true;
    }
    words >> pid >> hex;
    std::getline(words >> std::ws, destination);
    const auto info = from_hex(hex);
    if (verb != "send" || pid.empty() || !info || destination.empty()) {
        std::printf("ERROR %s\n", line.c_str());
    } else {
        const auto ok = l2_send_ui(mycall.c_str(), destination.c_str(), std::stoi(pid), 0,
                                   static_cast<int>(info->size()), info->data());
        std::printf("SENT %d\n", ok ? 1 : 0);
    }
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: flx_peer MYCALL\n");
        return 2;
    }
    const std::string mycall = argv[1];
    if (ax_init() != 0) {
        std::fprintf(stderr, "flx_peer: ax_init failed\n");
        return 1;
    }
    std::printf("READY %s\n", mycall.c_str());
    std::fflush(stdout);
    // Commands are read with read(2), not iostreams, so that poll sees every unread line.
    std::string pending;
    for (bool running = true; running;) {
        while (const FlxUiFrame* frame = l2_get_ui(mycall.c_str()))
            print_received(*frame);
        pollfd in{STDIN_FILENO, POLLIN, 0};
        if (::poll(&in, 1, 5) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0)
            break;
        pending.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t end; running && (end = pending.find('\n')) != std::string::npos;) {
            running = run_command(mycall, pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    ax_exit();
    return 0;
}

// Helpers for the driver tests: a KISS TNC on 127.0.0.1 the test drives step by step, a
// temporary directory, and waiting for a condition with a deadline.
#pragma once

#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace zelvo::test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

inline constexpr auto kDeadline = 15s;

template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit = kDeadline) {
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(2ms);  // polling interval, not a wait for the event
    }
    return true;
}

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zelvo-driver-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& text) const {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

private:
    std::filesystem::path path_;
};

// A KISS TNC over TCP. The listening socket is bound at construction (ephemeral port), so a
// test can hold the port while the TNC is still "down" and start listening later.
class KissServer {
public:
    explicit KissServer(bool listenNow = true, std::uint16_t port = 0) {
        bind(port);
        if (listenNow) listen();
    }
    ~KissServer() { closeAll(); }

    std::uint16_t port() const { return port_; }
    void listen() { ASSERT_EQ(::listen(listener_, 4), 0); }

    bool accept(std::chrono::milliseconds limit = kDeadline) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(limit.count())) <= 0) return false;
        client_ = ::accept(listener_, nullptr, nullptr);
        decoder_ = kiss::Decoder();
        return client_ >= 0;
    }
    void closeClient() {
        if (client_ >= 0) ::close(client_);
        client_ = -1;
    }
    void closeAll() {
        closeClient();
        if (listener_ >= 0) ::close(listener_);
        listener_ = -1;
    }

    void sendRaw(const std::string& bytes) {
        ASSERT_EQ(::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    void sendFrame(const ax25::Frame& frame, std::uint8_t kissPort = 0) {
        sendRaw(kiss::encodeData(kissPort, ax25::encodeFrame(frame)));
    }

    // Reads until count frames have come or the deadline passes.
    std::vector<kiss::Frame> readFrames(std::size_t count, std::chrono::milliseconds limit = kDeadline) {
        std::vector<kiss::Frame> frames;
        const auto deadline = Clock::now() + limit;
        while (frames.size() < count && Clock::now() < deadline) {
            pollfd p{client_, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (::poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0) break;
            char buffer[4096];
            const ssize_t n = ::read(client_, buffer, sizeof buffer);
            if (n <= 0) break;
            raw_.append(buffer, static_cast<std::size_t>(n));
            decoder_.feed(std::string_view(buffer, static_cast<std::size_t>(n)), frames);
        }
        return frames;
    }
    const std::string& rawReceived() const { return raw_; }
    const kiss::DecoderStats& decoderStats() const { return decoder_.stats(); }

private:
    void bind(std::uint16_t port) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int one = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(port);
        ASSERT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        socklen_t len = sizeof a;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }

    int listener_ = -1;
    int client_ = -1;
    std::uint16_t port_ = 0;
    kiss::Decoder decoder_;
    std::string raw_;
};

inline ax25::Address address(const char* text) {
    return ax25::parseAddress(text).value();
}

// A UI frame as another station's TNC would deliver it, digipeaters already repeated.
inline ax25::Frame uiFrame(const char* from, const char* to, std::uint8_t pid, const std::string& info,
                           std::vector<const char*> digis = {}, bool repeated = true) {
    std::vector<ax25::Address> path;
    for (const char* d : digis) path.push_back(address(d));
    auto frame = ax25::makeUiFrame(address(from), address(to), path, pid, info);
    for (auto& d : frame.digis) d.setRepeated(repeated);
    return frame;
}

}  // namespace zelvo::test

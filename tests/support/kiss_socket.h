// Raw KISS over TCP on 127.0.0.1: a client (of zelvo-air) and a TNC the driver connects to.
// Both collect the frames they read, waiting for them with a deadline.
#pragma once

#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"
#include "tests/support/wait.h"

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvo::testing {

// Bytes read from a socket or a pseudo-terminal, as KISS frames and as they came.
class KissReader {
public:
    KissReader() = default;
    explicit KissReader(int fd) { reset(fd); }  // the caller keeps fd and closes it
    // Frames received so far, waiting until there are at least n or the timeout passes.
    const std::vector<kiss::Frame>& wait_frames(std::size_t n, std::chrono::milliseconds timeout = kDeadline);
    const std::string& raw_received() const { return raw_; }
    const kiss::DecoderStats& decoder_stats() const { return decoder_.stats(); }

protected:
    void reset(int fd);
    int fd_ = -1;

private:
    kiss::Decoder decoder_;
    std::vector<kiss::Frame> frames_;
    std::string raw_;
};

class KissClient : public KissReader {
public:
    // rcvbuf > 0 shrinks the receive buffer before connecting (for a client that never reads).
    explicit KissClient(std::uint16_t port, int rcvbuf = 0);
    ~KissClient();
    KissClient(const KissClient&) = delete;
    KissClient& operator=(const KissClient&) = delete;

    bool connected() const { return fd_ >= 0; }
    // Writes all bytes; false when the connection failed.
    bool send(const std::string& bytes);
};

// A KISS TNC. The listening socket is bound at construction (ephemeral port unless given), so
// a test can hold the port while the TNC is still "down" and start listening later.
class KissServer : public KissReader {
public:
    explicit KissServer(bool listen_now = true, std::uint16_t port = 0);
    ~KissServer();
    KissServer(const KissServer&) = delete;
    KissServer& operator=(const KissServer&) = delete;

    std::uint16_t port() const { return port_; }
    void listen();
    // Takes the next connection; the frames read so far are forgotten.
    bool accept(std::chrono::milliseconds limit = kDeadline);
    void send_raw(const std::string& bytes);
    void send_frame(const ax25::Frame& frame, std::uint8_t kiss_port = 0);

private:
    int listener_ = -1;
    std::uint16_t port_ = 0;
};

// 127.0.0.1:port.
sockaddr_in loopback(std::uint16_t port);

// A TCP socket bound to 127.0.0.1:port (a free one for 0), listening unless backlog < 0; the port
// it got goes to `bound`. Throws when it cannot.
int loopback_socket(std::uint16_t port, int backlog, std::uint16_t& bound);

// A byte string from its values, for vectors written out byte by byte.
inline std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int b : values)
        out.push_back(static_cast<char>(b));
    return out;
}

inline ax25::Address address(const char* text)
{
    return ax25::parseAddress(text).value();
}

// A UI frame as another station's TNC would deliver it, digipeaters already repeated.
ax25::Frame ui_frame(const char* from, const char* to, std::uint8_t pid, const std::string& info,
                     std::vector<const char*> digis = {}, bool repeated = true);

}  // namespace zelvo::testing

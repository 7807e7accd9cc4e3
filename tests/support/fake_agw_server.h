// An AGW (AGWPE) server on 127.0.0.1 for tests: it answers the version ('R'), port list ('G') and
// outstanding-frames ('y') requests as Direwolf does, records every frame a client sends, and
// hands frames to the client on request (a monitored 'K' frame, say). Its faults are set per
// test: no answer, garbage, a close after a request, an oversized or a cut-off answer. One client
// at a time; a new connection replaces the one before.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "driver/agw_codec.h"
#include "tests/support/wait.h"

namespace zelvo::testing {

class FakeAgwServer {
public:
    // What the server does with each request it reads.
    enum class Behaviour {
        Answer,             // as Direwolf: answers 'R', 'G', 'y' and 'X', takes the others silently
        Garbage,            // answers with bytes that are no AGW header
        CloseAfterRequest,  // closes the connection once a whole request is read
        Oversize,           // answers 'R' with a header announcing more data than AGW allows
        CutOff,             // sends the first bytes of the 'R' answer's header, then nothing
    };
    struct Options {
        std::pair<int, int> version{1, 6};
        std::vector<std::string> ports{"Port1 first soundcard mono"};
        std::uint32_t outstanding = 0;  // the answer to 'y'
    };

    explicit FakeAgwServer(Behaviour behaviour = Behaviour::Answer);
    FakeAgwServer(Behaviour behaviour, Options options);
    ~FakeAgwServer();
    FakeAgwServer(const FakeAgwServer&) = delete;
    FakeAgwServer& operator=(const FakeAgwServer&) = delete;

    std::uint16_t port() const { return port_; }
    void setBehaviour(Behaviour behaviour);
    void setOutstanding(std::uint32_t count);

    // Connections accepted so far, waiting until there are at least n or the time is up.
    int waitConnections(int n, std::chrono::milliseconds timeout = kDeadline) const;
    // Frames read from clients so far (all connections), waiting until there are at least n.
    std::vector<agw::Frame> waitFrames(std::size_t n, std::chrono::milliseconds timeout = kDeadline) const;
    // Whether a client's bytes broke the AGW framing (the server then closed it, as Direwolf does).
    bool sawBrokenStream() const { return broken_; }

    // To the connected client; false when none is connected.
    bool send(const agw::Frame& frame);

private:
    void serve();
    void answer(int fd, const agw::Frame& request, bool& keep);

    int listener_ = -1;
    int wake_[2] = {-1, -1};  // ends the serving thread
    std::uint16_t port_ = 0;
    Options options_;
    mutable std::mutex mutex_;
    Behaviour behaviour_;
    std::vector<agw::Frame> frames_;
    int client_ = -1;
    std::atomic<int> connections_{0};
    std::atomic<bool> broken_{false};
    std::thread thread_;
};

}  // namespace zelvo::testing

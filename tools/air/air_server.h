// The KISS TCP side of zelvo-air: a listening socket on 127.0.0.1, one connection per client,
// all driven by one poll loop. Client bytes are decoded into KISS frames and put on the shared
// Channel; deliveries are re-encoded and written without blocking. A client whose unsent
// output grows past a bound is dropped, so a client that stops reading cannot hold up the
// channel.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "driver/kiss_codec.h"
#include "tools/air/air_channel.h"

namespace zelvo::air {

class AirServer {
public:
    static constexpr std::size_t kMaxOutput = 64 * 1024;  // unsent bytes per client
    static constexpr std::size_t kMaxClients = 64;

    // log receives one line per client event, flushed per line.
    AirServer(Channel& channel, std::FILE* log);
    ~AirServer();
    AirServer(const AirServer&) = delete;
    AirServer& operator=(const AirServer&) = delete;

    // Binds 127.0.0.1:port (0: any free port); false with a message in error.
    bool listen(std::uint16_t port, std::string& error);
    std::uint16_t port() const { return port_; }

    // Serves until stop_fd becomes readable. Returns false on a fatal poll error.
    bool run(int stop_fd);
    // Frames handed to client connections so far.
    std::uint64_t delivered() const { return delivered_; }

private:
    struct Client {
        int fd = -1;
        std::string peer;
        kiss::Decoder decoder;
        std::string out;           // encoded frames not yet written
        std::size_t out_sent = 0;  // bytes of out already written
    };

    void accept_clients();
    // Each returns false when the client is to be closed.
    bool read_from(int id, Client& client, Clock::time_point now);
    bool flush(Client& client);
    void deliver(const Delivery& delivery);
    void close_client(int id, const char* why);
    void say(const std::string& line);

    Channel& channel_;
    std::FILE* log_;
    int listen_fd_ = -1;
    std::uint16_t port_ = 0;
    int next_id_ = 1;
    std::map<int, Client> clients_;
    std::uint64_t delivered_ = 0;
};

}  // namespace zelvo::air

// The shared radio channel of zelvo-air as pure logic, without sockets: frames go on the air
// one at a time (taking their air time at the configured baud rate), and every frame heard on
// the air becomes one delivery per listening client except its sender, each subject to the
// random loss, duplication and delay faults. A digipeater on the channel repeats frames whose
// next unrepeated digipeater is its call.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "driver/ax25_frame.h"

namespace zelvo::air {

using Clock = std::chrono::steady_clock;

// Sender id of frames the digipeater transmits: they reach every client.
inline constexpr int kFromDigi = -1;

struct AirFrame {
    std::uint8_t kiss_port = 0;
    std::string ax25;  // the AX.25 frame without FCS, passed on byte for byte
};

struct Delivery {
    int client = 0;
    AirFrame frame;
};

struct ChannelConfig {
    double loss = 0.0;
    double dup = 0.0;
    std::chrono::milliseconds delay{0};
    std::uint32_t baud = 0;  // 0: no air time
    std::uint64_t seed = 0;
    std::optional<ax25::Address> digi;
};

// The digipeated copy of an AX.25 frame: when its first digipeater without the H bit is
// `digi`, the same bytes with that H bit set; otherwise nullopt (also for undecodable
// address fields).
std::optional<std::string> repeat_as_digi(const std::string& ax25, const ax25::Address& digi);

struct ChannelStats {
    std::uint64_t heard = 0;     // frames that went on the air, digipeated copies included
    std::uint64_t lost = 0;      // deliveries dropped by the loss fault
    std::uint64_t doubled = 0;   // deliveries sent twice by the duplication fault
    std::uint64_t overflow = 0;  // frames or deliveries dropped because a queue was full
};

class Channel {
public:
    using HeardHook = std::function<void(const AirFrame&)>;

    explicit Channel(const ChannelConfig& config);

    // Called for every frame when its transmission ends (original and digipeated alike).
    void on_heard(HeardHook hook) { heard_ = std::move(hook); }

    void add_client(int id) { clients_.insert(id); }
    void remove_client(int id) { clients_.erase(id); }

    // Bounds that keep a flooding client from eating memory; what goes past them is dropped.
    static constexpr std::size_t kMaxWaiting = 4096;
    static constexpr std::size_t kMaxScheduled = 65536;

    // A client keys up: the frame waits for the channel to be free. False when too many
    // frames are already waiting and this one is dropped.
    bool transmit(int from, AirFrame frame, Clock::time_point now);
    // Ends every transmission and hands out every delivery due by now, in order.
    std::vector<Delivery> advance(Clock::time_point now);
    // When advance has work next; nullopt while idle.
    std::optional<Clock::time_point> next_deadline() const;
    const ChannelStats& stats() const { return stats_; }

private:
    struct Transmission {
        int from;
        AirFrame frame;
        Clock::time_point queued;
    };
    struct Scheduled {
        Clock::time_point due;
        Delivery delivery;
    };

    Clock::duration air_time(const AirFrame& frame) const;
    Clock::time_point end_of_next() const;
    void hear(const Transmission& tx, Clock::time_point at);
    bool chance(double probability);

    ChannelConfig config_;
    std::mt19937_64 random_;
    std::set<int> clients_;  // ordered, so a seed gives the same faults on every run
    std::deque<Transmission> waiting_;
    std::deque<Scheduled> scheduled_;  // due times never decrease: the delay is constant
    Clock::time_point free_at_{};
    HeardHook heard_;
    ChannelStats stats_;
};

}  // namespace zelvo::air

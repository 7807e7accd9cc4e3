// The bounded queue of received UI frames between the connection threads and l2_get_ui.
// Frames are kept whatever their destination; the call they are for is known only when the
// program asks, and frames for other calls are dropped then.
#pragma once

#include "driver/ax25_frame.h"
#include "driver/counters.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace zelvo::driver {

inline constexpr std::size_t RX_QUEUE_CAPACITY = 256;

struct ReceivedFrame {
    ax25::Frame frame;
    int channel = 0;
};

class RxQueue {
public:
    RxQueue(Counters& counters, std::size_t capacity = RX_QUEUE_CAPACITY);

    // False (and counted) when the queue is full: the newest frame is the one lost.
    bool push(ReceivedFrame frame);
    // The oldest frame addressed to mycall (call and SSID); older frames for other stations
    // are dropped on the way and counted.
    std::optional<ReceivedFrame> takeFor(const ax25::Address& mycall);
    void clear();

private:
    Counters& counters_;
    const std::size_t capacity_;
    std::mutex mutex_;
    std::deque<ReceivedFrame> frames_;
};

}  // namespace zelvo::driver

// The frames of a paced channel that wait for the channel to be free, as AX.25 bytes.
//
// Frames go in the order they were sent, with one exception: a frame without an information
// field (an acknowledgment or a request: short, and another station waits for it) is not held
// back by frames between other stations. It goes at once unless a frame between the same two
// stations waits; frames of a pair keep their order, since what the receiver makes of one may
// depend on the one before. Then it waits right behind them, and they move to the front together.
//
// A frame that still waits is not queued twice: its repetition leaves the waiting copy in its
// place, which is the earlier one.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace zelvo::driver {

class SendQueue {
public:
    enum class Push { Queued, Merged, Full };

    explicit SendQueue(std::size_t capacity) : capacity_(capacity) {}

    Push push(std::string ax25, bool withoutInfo);
    // A frame between the same two stations (destination and source) as ax25 waits.
    bool holdsPair(std::string_view ax25) const;
    bool contains(std::string_view ax25) const;
    // Takes the frame with exactly these bytes out; false when none waits.
    bool remove(std::string_view ax25);

    bool empty() const { return frames_.empty(); }
    std::size_t size() const { return frames_.size(); }
    const std::string& front() const { return frames_.front().ax25; }
    // The front frame has no information field: it may go without waiting for the channel.
    bool frontWithoutInfo() const { return frames_.front().withoutInfo; }
    void pop() { frames_.pop_front(); }
    void clear() { frames_.clear(); }

private:
    struct Waiting {
        std::string ax25;
        bool withoutInfo;
        bool moved;  // moved to the front with a frame without information field
    };

    std::size_t capacity_;
    std::deque<Waiting> frames_;  // the moved frames first
};

}  // namespace zelvo::driver

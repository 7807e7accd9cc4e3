// How long a channel is busy, as one station can tell: its own frames from the moment it hands
// them to the TNC, the frames of others from the moment it hears them end. A frame takes
// bytes * 8 / rate on the air, counting the AX.25 bytes without flags, FCS and bit stuffing, as
// zelvo-air does. The channel carries one frame at a time, in the order the stations keyed up:
// a frame handed to the TNC while another station transmits goes when the channel is free again.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace zelvo::driver {

class AirPacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit AirPacer(unsigned bitsPerSecond) : rate_(bitsPerSecond) {}

    Clock::duration airTime(std::size_t bytes) const;
    // When the own frames handed so far are expected to be off the air; the next one may go then.
    Clock::time_point freeAt() const { return freeAt_; }

    // The own frame ax25 was handed to the TNC at `now`.
    void sent(std::string_view ax25, Clock::time_point now);
    // A frame of `bytes` from another station ended at `now`. An own frame that was expected on the
    // air meanwhile had not gone yet: it and the own frames after it go after this one.
    void heard(std::size_t bytes, Clock::time_point now);
    // True while the own frame ax25 is known to have waited in the TNC for other stations'
    // frames, until it is expected to be off the air. A frame handed to a free channel is on the
    // air from then on, as far as the sender can tell.
    bool held(std::string_view ax25, Clock::time_point now) const;
    // How many own frames held() is true for at `now`.
    std::size_t heldCount(Clock::time_point now) const;

private:
    struct Own {
        std::string ax25;
        Clock::time_point start, end;  // as expected
        bool displaced;
    };

    unsigned rate_;
    std::deque<Own> own_;  // in the order handed, which is the order they go
    Clock::time_point freeAt_{};
};

}  // namespace zelvo::driver

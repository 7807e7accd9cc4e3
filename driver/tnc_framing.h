// How frames travel on one connection to a TNC, and what its bytes prove about the other end:
// KISS (kiss_framing.h) or AGWPE (agw_framing.h). One instance per connection; the link
// (TncLink) calls it under its lock and writes what it asks for.
#pragma once

#include "driver/channel_table.h"
#include "driver/counters.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::driver {

// The state of a channel's TNC connection as flx_channel_state reports it.
struct LinkStatus {
    int state = FLX_LINK_DOWN;
    int error = 0;  // FLX_LINK_DOWN: errno of the last attempt, -1 for a host name not found
    int agwMajor = 0;
    int agwMinor = 0;
    int radioPorts = 0;
};

class Framing {
public:
    using Clock = std::chrono::steady_clock;

    // What ends the trust in a connection.
    struct Failure {
        int state;  // FLX_LINK_WRONG_PROTOCOL, or FLX_LINK_DOWN with error
        int error;
        std::string reason;  // for the message on stderr
        bool close;          // the connection is closed and opened again
    };

    virtual ~Framing() = default;

    // Bytes to write as soon as the connection is open.
    virtual std::string greeting() { return {}; }
    // The bytes that hand the TNC one AX.25 frame.
    virtual std::string encode(std::string_view ax25) const = 0;
    // The frame from encode() was written completely at `now`.
    virtual void sent(Clock::time_point now) = 0;
    // Takes bytes read from the TNC; appends the AX.25 frames heard on the channel's port.
    virtual void receive(std::string_view bytes, Clock::time_point now, std::vector<std::string>& heard) = 0;
    // The connection was closed by the other end at `now`.
    virtual void closed(Clock::time_point now) = 0;

    // The other end has shown it speaks the protocol.
    virtual bool proven(Clock::time_point now) const = 0;
    virtual std::optional<Failure> failure(Clock::time_point now) const = 0;
    // Bytes to write now (queries); framesWaiting: the link has frames that wait to go.
    virtual std::string due(Clock::time_point /*now*/, bool /*framesWaiting*/) { return {}; }
    // The TNC reports frames of its own that have not gone on the air yet: the next one waits.
    virtual bool holding(Clock::time_point /*now*/) const { return false; }
    // When proven(), failure(), due() or holding() may change without bytes arriving; a time not
    // after now only where due() or failure() acts on it at once.
    virtual std::optional<Clock::time_point> nextCheck(Clock::time_point now, bool framesWaiting) const = 0;
    // The AGW version and port count, once known.
    virtual void fill(LinkStatus& /*status*/) const {}
    // Unproven connections of this kind may carry frames (KISS); an AGW link waits for its proof.
    virtual bool sendsBeforeProof() const = 0;
};

std::unique_ptr<Framing> makeFraming(const ChannelConfig& config, Counters& counters, bool paced,
                                     Framing::Clock::time_point now);

}  // namespace zelvo::driver

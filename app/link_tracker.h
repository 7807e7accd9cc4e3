// What is known of each channel's TNC link, asked of the driver on the caller's thread: up, down
// (with the reason of the last attempt), or a connection that does not speak the channel's
// protocol. No Qt: the windowed program asks it from a timer (app/link_watch.h), zelvo-station after
// each receive pass.
//
// A channel counts as down once its TNC has not been up for the grace time. The driver connects in
// the background with a backoff: right after ax_init, and for a moment after a TNC dropped the link
// and came back, it is not up yet, and that should not flash a warning. hurry() (going online)
// counts a channel down as soon as its TNC is known not to answer, without the grace.
//
// Where the driver has no flx_channel_state, a TNC not connected counts as down without a reason.
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "link/flex_api.h"

namespace zelvo::app {

enum class LinkCondition { Up, Down, WrongProtocol };

struct LinkStatus {
    LinkCondition condition = LinkCondition::Down;
    // Down: the errno of the last attempt, -1 when the host name was not found, 0 when unknown.
    int error = 0;
    bool operator==(const LinkStatus&) const = default;
};

class LinkTracker {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kGrace{2000};

    struct Channel {
        link::FlexApi::Channel channel;
        LinkStatus status;
        bool down = false;         // counted down
        bool exact = false;        // status from flx_channel_state
        bool hurried = false;      // going online while it was not up
        Clock::time_point lastUp;  // or when the watch began
    };
    // A channel counted down (lost) or up again (back).
    struct Change {
        std::size_t index;
        bool lost;
    };

    LinkTracker(link::FlexApi& driver, std::chrono::milliseconds grace);

    // Takes the channels from the driver, which has run ax_init. Called again (after the driver
    // read its table anew), a channel with the same number, kind and address keeps what is known.
    void start(Clock::time_point now = Clock::now());
    // Asks the driver; the channels counted down or up again since the last call.
    std::vector<Change> check(Clock::time_point now = Clock::now());
    // Going online: a channel that is not up counts down at the next check() that finds its TNC
    // known not to answer.
    void hurry();

    const std::vector<Channel>& channels() const { return channels_; }

private:
    void ask(Channel& channel);
    bool knownSilent(const Channel& channel, Clock::time_point now) const;

    link::FlexApi& driver_;
    const std::chrono::milliseconds grace_;
    Clock::time_point began_;
    std::vector<Channel> channels_;
};

}  // namespace zelvo::app

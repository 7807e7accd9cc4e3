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
//
// A KISS TCP link looks up as long as the connection stays open, and Direwolf's AGW port keeps
// silent until it has a whole AGW header. So, where asked to, once a kiss-tcp channel is first up
// its address is probed in the background (flx_probe: an AGW version request, which a KISS TNC
// ignores, nothing on the air); an AGW server answering there makes the channel's state the wrong
// protocol for as long as that line of the table stays. The probe is a second client of the TNC
// for a second.
#pragma once

#include <chrono>
#include <cstddef>
#include <future>
#include <map>
#include <optional>
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
        bool down = false;           // counted down
        bool exact = false;          // status from flx_channel_state
        bool hurried = false;        // going online while it was not up
        Clock::time_point lastUp{};  // or when the watch began
        bool probed = false;         // its address has been probed while it was up
        bool notKiss = false;        // and an AGW server or another protocol answered there
    };
    // A channel counted down (lost) or up again (back).
    struct Change {
        std::size_t index;
        bool lost;
    };

    static constexpr std::chrono::milliseconds kProbeWait{1000};

    // `probes`: kiss-tcp addresses are probed as above.
    LinkTracker(link::FlexApi& driver, std::chrono::milliseconds grace, bool probes);
    ~LinkTracker();
    LinkTracker(const LinkTracker&) = delete;
    LinkTracker& operator=(const LinkTracker&) = delete;

    // Takes the channels from the driver, which has run ax_init. Called again (after the driver
    // read its table anew), a channel with the same number, kind and address keeps what is known.
    void start(Clock::time_point now = Clock::now());
    // Asks the driver; the channels counted down or up again since the last call.
    std::vector<Change> check(Clock::time_point now = Clock::now());
    // Going online: a channel that is not up counts down at the next check() that finds its TNC
    // known not to answer.
    void hurry();
    // Waits for the probes under way and starts no more: before the driver is left.
    void stop();

    const std::vector<Channel>& channels() const { return channels_; }

private:
    void ask(Channel& channel);
    // Starts the probe of an up kiss-tcp channel's address, or takes its answer.
    void probe(Channel& channel);
    bool knownSilent(const Channel& channel, Clock::time_point now) const;

    link::FlexApi& driver_;
    const std::chrono::milliseconds grace_;
    Clock::time_point began_;
    std::vector<Channel> channels_;
    const bool probes_;
    std::map<int, std::future<std::optional<FlxProbe>>> pending_;  // probes under way, by channel number
    bool stopped_ = false;
};

}  // namespace zelvo::app

#include "app/link_tracker.h"

#include <algorithm>
#include <utility>

namespace zelvo::app {

LinkTracker::LinkTracker(link::FlexApi& driver, std::chrono::milliseconds grace, bool probes)
    : driver_(driver), grace_(grace), probes_(probes)
{}

LinkTracker::~LinkTracker()
{
    stop();
}

void LinkTracker::stop()
{
    stopped_ = true;
    for (auto& [number, pending] : pending_)
        pending.wait();
    pending_.clear();
}

void LinkTracker::start(Clock::time_point now)
{
    stop();  // a probe under way may be of a line that changed
    stopped_ = false;
    std::vector<Channel> taken;
    for (auto& channel : driver_.channels()) {
        Channel next{std::move(channel), {}, false, false, false, now};
        const auto same = std::find_if(channels_.begin(), channels_.end(), [&](const Channel& old) {
            return old.channel.number == next.channel.number && old.channel.kind == next.channel.kind &&
                   old.channel.address == next.channel.address;
        });
        if (same != channels_.end()) {
            next.status = same->status;
            next.down = same->down;
            next.hurried = same->hurried;
            next.lastUp = same->lastUp;
            next.probed = same->probed;
            next.notKiss = same->notKiss;
        }
        taken.push_back(std::move(next));
    }
    channels_ = std::move(taken);
    if (began_ == Clock::time_point{})
        began_ = now;
}

void LinkTracker::ask(Channel& channel)
{
    if (const auto state = driver_.linkState(channel.channel.number)) {
        channel.exact = true;
        switch (state->state) {
        case FLX_LINK_UP: channel.status = {LinkCondition::Up, 0}; break;
        case FLX_LINK_WRONG_PROTOCOL: channel.status = {LinkCondition::WrongProtocol, 0}; break;
        default: channel.status = {LinkCondition::Down, state->error}; break;
        }
    } else {
        channel.exact = false;
        channel.status = {
            driver_.tncConnected(channel.channel.number) ? LinkCondition::Up : LinkCondition::Down, 0};
    }
    probe(channel);
    if (channel.notKiss && channel.status.condition == LinkCondition::Up)
        channel.status = {LinkCondition::WrongProtocol, 0};
}

void LinkTracker::probe(Channel& channel)
{
    const int number = channel.channel.number;
    if (const auto pending = pending_.find(number); pending != pending_.end()) {
        if (pending->second.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return;
        const auto answer = pending->second.get();
        pending_.erase(pending);
        // Only an AGW answer tells: a TNC that went away during the probe looks like another
        // protocol (bytes that are no KISS the link itself tells). Such a probe, and one that found
        // no connection, is made again the next time the channel is up.
        channel.notKiss = answer && answer->kind == FLX_PROBE_AGW;
        channel.probed = answer && (answer->kind == FLX_PROBE_AGW || answer->kind == FLX_PROBE_KISS);
        return;
    }
    if (!probes_ || stopped_ || channel.probed || channel.channel.kind != "kiss-tcp" ||
        channel.status.condition != LinkCondition::Up || !driver_.canProbe())
        return;
    const std::string address = channel.channel.kind + " " + channel.channel.address;
    pending_.emplace(number, std::async(std::launch::async,
                                        [this, address] { return driver_.probe(address, kProbeWait); }));
}

bool LinkTracker::knownSilent(const Channel& channel, Clock::time_point now) const
{
    if (!channel.exact)  // right after the start the driver may not have tried yet
        return now - began_ >= grace_;
    return channel.status.condition == LinkCondition::WrongProtocol || channel.status.error != 0;
}

std::vector<LinkTracker::Change> LinkTracker::check(Clock::time_point now)
{
    std::vector<Change> changes;
    for (std::size_t index = 0; index < channels_.size(); ++index) {
        Channel& channel = channels_[index];
        ask(channel);
        if (channel.status.condition == LinkCondition::Up) {
            channel.lastUp = now;
            channel.hurried = false;
            if (std::exchange(channel.down, false))
                changes.push_back({index, false});
        } else if (!channel.down &&
                   (now - channel.lastUp >= grace_ || (channel.hurried && knownSilent(channel, now)))) {
            channel.down = true;
            channel.hurried = false;
            changes.push_back({index, true});
        }
    }
    return changes;
}

void LinkTracker::hurry()
{
    for (Channel& channel : channels_)
        channel.hurried = !channel.down;  // check() forgets it for a TNC that is up
}

}  // namespace zelvo::app

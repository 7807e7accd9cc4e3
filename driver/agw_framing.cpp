#include "driver/agw_framing.h"

#include "driver/kiss_framing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

namespace zelvo::driver {

AgwFraming::AgwFraming(const ChannelConfig& config, Counters& counters, bool paced, Clock::time_point now)
    : counters_(counters),
      channel_(config.number),
      radioPort_(config.radioPort),
      paced_(paced),
      openedAt_(now)
{}

std::string AgwFraming::greeting()
{
    return agw::encode({0, 'R', 0, "", "", ""}) + agw::encode({0, 'G', 0, "", "", ""}) +
           agw::encode({0, 'k', 0, "", "", ""});
}

std::string AgwFraming::encode(std::string_view ax25) const
{
    // The data of a raw frame starts with a port byte for the TNC, which the server ignores.
    return agw::encode({radioPort_, 'K', 0, "", "", '\0' + std::string(ax25)});
}

void AgwFraming::sent(Clock::time_point /*now*/)
{
    askAgain_ = paced_ && ySupported_;
}

void AgwFraming::receive(std::string_view bytes, Clock::time_point now, std::vector<std::string>& heard)
{
    std::vector<agw::Frame> frames;
    if (!decoder_.feed(bytes, frames) && decoder_.error() != agw::Decoder::Error::None)
        ++counters_.kissErrors;
    for (const auto& frame : frames)
        take(frame, now, heard);
}

void AgwFraming::take(const agw::Frame& frame, Clock::time_point now, std::vector<std::string>& heard)
{
    switch (frame.kind) {
    case 'R': version_ = agw::parseVersion(frame.data); break;
    case 'G':
        if (const auto ports = agw::parsePortList(frame.data))
            radioPorts_ = static_cast<int>(ports->size());
        break;
    case 'y':
        if (const auto count = agw::parseOutstanding(frame.data); count && frame.port == radioPort_) {
            if (*count > 0 && outstanding_ == 0)
                holdingSince_ = now;
            outstanding_ = *count;
            askedAt_.reset();
            answeredAt_ = now;
        }
        break;
    case 'K':
        ++counters_.kissFrames;
        if (frame.port != radioPort_)
            ++counters_.droppedOtherPort;
        else if (frame.data.size() < 2)
            ++counters_.droppedMalformed;
        else
            heard.emplace_back(frame.data, 1);
        break;
    default: break;  // answers to what this link does not ask
    }
}

std::optional<Framing::Failure> AgwFraming::failure(Clock::time_point now) const
{
    switch (decoder_.error()) {
    case agw::Decoder::Error::Oversize:
        return Failure{FLX_LINK_WRONG_PROTOCOL, 0, "AGW frame with a data length over 4096 bytes", true};
    case agw::Decoder::Error::BadHeader:
        return Failure{FLX_LINK_WRONG_PROTOCOL, 0, "not an AGW server: it sent bytes that are no AGW frame",
                       true};
    case agw::Decoder::Error::None: break;
    }
    if (!version_ && now - openedAt_ >= kAnswerTimeout)
        return Failure{FLX_LINK_WRONG_PROTOCOL, 0, "not an AGW server: no answer to the version request",
                       true};
    // Frames for a port the server does not have would go nowhere. The table has to change.
    if (version_ && radioPorts_ > 0 && radioPort_ >= radioPorts_)
        return Failure{FLX_LINK_DOWN, ENODEV,
                       "the AGW server has " + std::to_string(radioPorts_) +
                           " radio ports, numbered from 0; " + std::to_string(radioPort_) +
                           " is none of them",
                       false};
    return std::nullopt;
}

std::string AgwFraming::due(Clock::time_point now, bool framesWaiting)
{
    if (!ySupported_)
        return {};
    if (askedAt_) {
        if (now - *askedAt_ < kAnswerTimeout)
            return {};
        // An AGW server without 'y': the link paces by the air rate alone.
        std::fprintf(
            stderr,
            "flxapi32: channel %d: the AGW server does not answer 'y'; pacing by the air rate alone\n",
            channel_);
        ySupported_ = false;
        askedAt_.reset();
        outstanding_ = 0;
        return {};
    }
    const bool stillHolding = outstanding_ > 0 && framesWaiting && now - answeredAt_ >= kQueryInterval;
    if (askAgain_ || stillHolding)
        return query(now);
    return {};
}

std::string AgwFraming::query(Clock::time_point now)
{
    askAgain_ = false;
    askedAt_ = now;
    return agw::encode({radioPort_, 'y', 0, "", "", ""});
}

bool AgwFraming::holding(Clock::time_point now) const
{
    return ySupported_ && outstanding_ > 0 && now - holdingSince_ < kMaxHold;
}

std::optional<Framing::Clock::time_point> AgwFraming::nextCheck(Clock::time_point /*now*/,
                                                                bool framesWaiting) const
{
    if (!version_)
        return openedAt_ + kAnswerTimeout;
    if (askedAt_)
        return *askedAt_ + kAnswerTimeout;
    if (askAgain_)
        return Clock::time_point{};
    if (framesWaiting && ySupported_ && outstanding_ > 0)
        return answeredAt_ + kQueryInterval;
    return std::nullopt;
}

void AgwFraming::fill(LinkStatus& status) const
{
    if (version_) {
        status.agwMajor = version_->first;
        status.agwMinor = version_->second;
    }
    status.radioPorts = radioPorts_;
}

std::unique_ptr<Framing> makeFraming(const ChannelConfig& config, Counters& counters, bool paced,
                                     Framing::Clock::time_point now)
{
    if (config.kind == ChannelConfig::Kind::AgwTcp)
        return std::make_unique<AgwFraming>(config, counters, paced, now);
    return std::make_unique<KissFraming>(config, counters);
}

}  // namespace zelvo::driver

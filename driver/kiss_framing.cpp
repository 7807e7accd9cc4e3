#include "driver/kiss_framing.h"

#include <cerrno>

namespace zelvo::driver {

KissFraming::KissFraming(const ChannelConfig& config, Counters& counters)
    : counters_(counters), kissPort_(config.kissPort), checked_(config.isTcp())
{}

std::string KissFraming::encode(std::string_view ax25) const
{
    return kiss::encodeData(kissPort_, ax25);
}

void KissFraming::sent(Clock::time_point now)
{
    if (!lastSent_)  // the proof counts from the first frame
        lastSent_ = now;
}

void KissFraming::receive(std::string_view bytes, Clock::time_point /*now*/, std::vector<std::string>& heard)
{
    std::vector<kiss::Frame> frames;
    decoder_.feed(bytes, frames);
    const auto& s = decoder_.stats();
    const std::uint64_t errors = s.overlong + s.badEscapes + s.unterminated;
    counters_.kissErrors += errors - errorsSeen_;
    errorsSeen_ = errors;
    if (checked_ && s.noiseBytes > 0 && !frameReceived_ && wrong_.empty())
        wrong_ = "not a KISS TNC: it sent bytes outside KISS framing";
    for (auto& frame : frames) {
        ++counters_.kissFrames;
        frameReceived_ = true;
        if (frame.port != kissPort_ || frame.command != kiss::CMD_DATA) {
            ++counters_.droppedOtherPort;
            continue;
        }
        heard.push_back(std::move(frame.data));
    }
}

void KissFraming::closed(Clock::time_point now)
{
    if (checked_ && lastSent_ && !proven(now) && wrong_.empty())
        wrong_ = "not a KISS TNC: it closed the connection after a frame was written";
}

bool KissFraming::proven(Clock::time_point now) const
{
    if (!checked_)
        return true;
    if (!wrong_.empty())
        return false;
    return frameReceived_ || (lastSent_ && now - *lastSent_ >= kProofWindow);
}

std::optional<Framing::Failure> KissFraming::failure(Clock::time_point /*now*/) const
{
    // The connection stays: a TNC that is no KISS TNC is still better left connected than
    // hammered with reconnects; the state tells the operator.
    if (wrong_.empty())
        return std::nullopt;
    return Failure{FLX_LINK_WRONG_PROTOCOL, 0, wrong_, false};
}

std::optional<Framing::Clock::time_point> KissFraming::nextCheck(Clock::time_point now,
                                                                 bool /*framesWaiting*/) const
{
    if (!checked_ || !lastSent_ || frameReceived_ || !wrong_.empty() || now - *lastSent_ >= kProofWindow)
        return std::nullopt;
    return *lastSent_ + kProofWindow;
}

}  // namespace zelvo::driver

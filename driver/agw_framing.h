// AGWPE over TCP on a connection. It asks the version ('R'), the port list ('G') and raw
// monitoring ('k') at once; the version answer is the proof that the other end speaks AGW.
// Every frame heard arrives as 'K' (a KISS-like port byte, then the AX.25 frame); frames go out
// the same way on the channel's radio port. On a paced channel it asks after each frame how many
// frames still wait on the port ('y'), and the link holds its next frame while the server reports
// any, for a bounded time.
#pragma once

#include "driver/agw_codec.h"
#include "driver/tnc_framing.h"

namespace zelvo::driver {

class AgwFraming : public Framing {
public:
    AgwFraming(const ChannelConfig& config, Counters& counters, bool paced, Clock::time_point now);

    std::string greeting() override;
    std::string encode(std::string_view ax25) const override;
    void sent(Clock::time_point now) override;
    void receive(std::string_view bytes, Clock::time_point now, std::vector<std::string>& heard) override;
    void closed(Clock::time_point /*now*/) override {}
    bool proven(Clock::time_point /*now*/) const override { return version_.has_value(); }
    std::optional<Failure> failure(Clock::time_point now) const override;
    std::string due(Clock::time_point now, bool framesWaiting) override;
    bool holding(Clock::time_point now) const override;
    std::optional<Clock::time_point> nextCheck(Clock::time_point now, bool framesWaiting) const override;
    void fill(LinkStatus& status) const override;
    bool sendsBeforeProof() const override { return false; }

    static constexpr std::chrono::milliseconds kAnswerTimeout{3000};  // for the version answer
    static constexpr std::chrono::milliseconds kQueryInterval{100};   // 'y' while the server holds frames
    static constexpr std::chrono::milliseconds kMaxHold{10000};       // then the next frame goes anyway

private:
    void take(const agw::Frame& frame, Clock::time_point now, std::vector<std::string>& heard);
    std::string query(Clock::time_point now);

    Counters& counters_;
    const int channel_;
    const std::uint8_t radioPort_;
    const bool paced_;
    const Clock::time_point openedAt_;
    agw::Decoder decoder_;
    std::optional<std::pair<int, int>> version_;
    int radioPorts_ = 0;

    // 'y': frames the server still holds on the radio port.
    bool ySupported_ = true;
    bool askAgain_ = false;                     // a frame went since the last question
    std::optional<Clock::time_point> askedAt_;  // a question without answer yet
    Clock::time_point answeredAt_{};
    std::uint32_t outstanding_ = 0;
    Clock::time_point holdingSince_{};
};

}  // namespace zelvo::driver

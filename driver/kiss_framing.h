// KISS on a connection. Over TCP the bytes tell whether the other end is a KISS TNC: bytes
// outside KISS framing (an AGW answer, a text) are not, nor is a port that closes the connection
// right after a frame was written to it (Direwolf's AGW port does). A whole KISS frame received,
// or the connection staying up across a written frame, proves it is. A serial line is trusted:
// its first bytes may start in the middle of a frame, and it does not close.
#pragma once

#include "driver/kiss_codec.h"
#include "driver/tnc_framing.h"

namespace zelvo::driver {

class KissFraming : public Framing {
public:
    KissFraming(const ChannelConfig& config, Counters& counters);

    std::string encode(std::string_view ax25) const override;
    void sent(Clock::time_point now) override;
    void receive(std::string_view bytes, Clock::time_point now, std::vector<std::string>& heard) override;
    void closed(Clock::time_point now) override;
    bool proven(Clock::time_point now) const override;
    std::optional<Failure> failure(Clock::time_point now) const override;
    std::optional<Clock::time_point> nextCheck(Clock::time_point now, bool framesWaiting) const override;
    bool sendsBeforeProof() const override { return true; }

    // How long a connection has to stay up after a frame was written to count as a KISS TNC.
    static constexpr std::chrono::milliseconds kProofWindow{1500};

private:
    Counters& counters_;
    const std::uint8_t kissPort_;
    const bool checked_;  // TCP
    kiss::Decoder decoder_;
    std::uint64_t errorsSeen_ = 0;
    bool frameReceived_ = false;
    std::optional<Clock::time_point> lastSent_;
    std::string wrong_;  // why this is no KISS TNC
};

}  // namespace zelvo::driver

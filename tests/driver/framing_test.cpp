// What the framings make of a connection's bytes and times, on a clock of the test's own: the
// AGW version as proof, the 'y' questions and how long their answers hold frames back, and the
// KISS verdicts of a TCP peer.
#include "driver/agw_framing.h"
#include "driver/kiss_framing.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace agw = zelvo::agw;
namespace drv = zelvo::driver;
using namespace std::chrono_literals;
using namespace std::string_view_literals;
using Clock = drv::Framing::Clock;

namespace {

const Clock::time_point t0{100s};

drv::ChannelConfig channel(drv::ChannelConfig::Kind kind, std::uint8_t port)
{
    drv::ChannelConfig config;
    config.kind = kind;
    config.radioPort = port;
    config.kissPort = port;
    return config;
}

std::string answer(std::uint8_t port, char kind, std::string data)
{
    return agw::encode({port, kind, 0, "", "", std::move(data)});
}

std::string count(std::uint32_t n)
{
    return std::string{static_cast<char>(n), 0, 0, 0};
}

}  // namespace

TEST(AgwFraming, AsksAfterEachPacedFrameAndHoldsTheNextOneForABoundedTime)
{
    drv::Counters counters;
    drv::AgwFraming f(channel(drv::ChannelConfig::Kind::AgwTcp, 1), counters, /*paced=*/true, t0);
    std::vector<std::string> heard;
    EXPECT_EQ(std::tuple(f.proven(t0), f.nextCheck(t0, false)), std::tuple(false, t0 + 3s));
    f.receive(answer(0, 'R', std::string{2, 0, 0, 0, 7, 0, 0, 0}) + answer(0, 'G', "2;a;b;"), t0, heard);
    // What the answers fill in: DriverLink.AgwChannelIsUpOnTheVersionAnswerAndCarriesRawFramesOnItsRadioPort.
    EXPECT_TRUE(f.proven(t0));

    f.sent(t0);
    EXPECT_EQ(f.due(t0, false), answer(1, 'y', ""));
    EXPECT_EQ(f.due(t0, false), "");  // one question at a time
    f.receive(answer(0, 'y', count(5)) + answer(1, 'y', count(2)), t0 + 10ms, heard);
    EXPECT_EQ(std::tuple(f.holding(t0 + 10ms), f.nextCheck(t0 + 10ms, true), f.nextCheck(t0 + 10ms, false)),
              std::tuple(true, std::optional(t0 + 110ms), std::optional<Clock::time_point>()));
    EXPECT_EQ(f.due(t0 + 50ms, true), "");
    EXPECT_EQ(f.due(t0 + 110ms, true), answer(1, 'y', ""));
    f.receive(answer(1, 'y', count(1)), t0 + 120ms, heard);
    EXPECT_EQ(std::tuple(f.holding(t0 + 10ms + drv::AgwFraming::kMaxHold - 1ms),
                         f.holding(t0 + 10ms + drv::AgwFraming::kMaxHold)),
              std::tuple(true, false));  // never stuck behind a server that always reports frames

    // A server that stops answering 'y' leaves the pacing to the air rate.
    f.sent(t0 + 1s);
    EXPECT_EQ(f.due(t0 + 1s, true), answer(1, 'y', ""));
    EXPECT_EQ(f.due(t0 + 4s, true), "");
    EXPECT_EQ(std::tuple(f.holding(t0 + 4s), f.failure(t0 + 4s).has_value()), std::tuple(false, false));
    f.sent(t0 + 5s);
    EXPECT_EQ(f.due(t0 + 5s, true), "");
    EXPECT_TRUE(heard.empty());
}

TEST(AgwFraming, FailsOnSilenceBrokenBytesAndARadioPortTheServerLacks)
{
    drv::Counters counters;
    std::vector<std::string> heard;
    const auto verdict = [](const drv::AgwFraming& f, Clock::time_point at) {
        const auto failure = f.failure(at);
        return failure ? std::tuple(failure->state, failure->error, failure->close)
                       : std::tuple(-1, -1, false);
    };
    drv::AgwFraming silent(channel(drv::ChannelConfig::Kind::AgwTcp, 0), counters, false, t0);
    EXPECT_EQ(std::tuple(verdict(silent, t0 + 2999ms), verdict(silent, t0 + 3s)),
              std::tuple(std::tuple(-1, -1, false), std::tuple(FLX_LINK_WRONG_PROTOCOL, 0, true)));

    // Broken bytes: DriverLink.AgwFaultsEndInTheirStateAndTheLinkComesBackWhenTheServerAnswers.
    drv::AgwFraming lacking(channel(drv::ChannelConfig::Kind::AgwTcp, 2), counters, false, t0);
    lacking.receive(answer(0, 'R', std::string(8, '\0')) + answer(0, 'G', "2;a;b;"), t0, heard);
    EXPECT_EQ(verdict(lacking, t0), std::tuple(FLX_LINK_DOWN, ENODEV, false));

    // A raw frame of its port byte alone is counted (its port byte going and frames of other
    // ports: DriverLink.AgwChannelIsUpOnTheVersionAnswerAndCarriesRawFramesOnItsRadioPort).
    drv::AgwFraming raw(channel(drv::ChannelConfig::Kind::AgwTcp, 2), counters, false, t0);
    raw.receive(answer(2, 'K', "\x20"), t0, heard);
    EXPECT_EQ(std::tuple(heard.size(), counters.kissFrames.load(), counters.droppedMalformed.load()),
              std::tuple(0u, 1u, 1u));
}

TEST(KissFraming, TcpPeerIsJudgedByItsBytesAndByAConnectionThatEndsAfterAFrame)
{
    drv::Counters counters;
    std::vector<std::string> heard;
    const auto tcp = channel(drv::ChannelConfig::Kind::KissTcp, 0);
    const auto wrong = [](const drv::KissFraming& f, Clock::time_point at) {
        const auto failure = f.failure(at);
        return failure && failure->state == FLX_LINK_WRONG_PROTOCOL && !failure->close;
    };

    // Text, and a connection that ends right after our frame, are wrong through the entry points:
    // DriverLink.KissChannelThatHearsText... and DriverLink.KissChannelOnAnAgwPort...
    drv::KissFraming staysUp(tcp, counters);
    staysUp.sent(t0);
    EXPECT_EQ(std::tuple(staysUp.proven(t0 + 1s), staysUp.nextCheck(t0 + 1s, false),
                         staysUp.proven(t0 + 1500ms), staysUp.nextCheck(t0 + 1500ms, false)),
              std::tuple(false, std::optional(t0 + 1500ms), true, std::optional<Clock::time_point>()));
    staysUp.closed(t0 + 2s);  // a TNC that goes away later is still a KISS TNC
    EXPECT_FALSE(wrong(staysUp, t0 + 2s));

    drv::KissFraming answers(tcp, counters);
    answers.receive(zelvo::kiss::encodeData(0, "frame"), t0, heard);
    EXPECT_EQ(std::tuple(answers.proven(t0), heard), std::tuple(true, std::vector<std::string>{"frame"}));

    // A serial line's first bytes may be the end of a frame, and it never closes.
    drv::KissFraming serial(channel(drv::ChannelConfig::Kind::KissSerial, 0), counters);
    serial.receive("tail of a frame", t0, heard);
    serial.sent(t0);
    serial.closed(t0);
    EXPECT_EQ(std::tuple(wrong(serial, t0), serial.proven(t0)), std::tuple(false, true));
}

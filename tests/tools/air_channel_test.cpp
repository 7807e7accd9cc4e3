// zelvo-air's channel logic without sockets, for what the process tests cannot see exactly:
// air time and queueing, the digipeater's H-bit handling, and the seeded faults.
#include <gtest/gtest.h>

#include "driver/ax25_frame.h"
#include "tests/support/kiss_socket.h"
#include "tools/air/air_channel.h"

namespace zelvo::air {
namespace {

using namespace std::chrono_literals;
using testing::address;

std::string ui_frame(const std::vector<ax25::Address>& digis, std::size_t info_length = 1)
{
    return ax25::encodeFrame(
        ax25::makeUiFrame(address("ALPHA"), address("BRAVO"), digis, 0xF0, std::string(info_length, 'x')));
}

std::vector<int> receivers(const std::vector<Delivery>& deliveries)
{
    std::vector<int> ids;
    for (const auto& d : deliveries)
        ids.push_back(d.client);
    return ids;
}

TEST(AirChannel, FramesTakeTheirAirTimeOneAtATime)
{
    ChannelConfig config;
    config.baud = 1200;
    config.delay = 100ms;
    Channel channel(config);
    channel.add_client(1);
    channel.add_client(2);
    const std::string frame = ui_frame({}, 150 - 16);  // 150 bytes: exactly one second at 1200 baud
    ASSERT_EQ(frame.size(), 150u);
    const auto t0 = Clock::now();
    channel.transmit(1, {0, frame}, t0);
    channel.transmit(2, {0, frame}, t0);

    EXPECT_TRUE(channel.advance(t0 + 1099ms).empty());
    EXPECT_EQ(channel.next_deadline(), t0 + 1100ms);
    EXPECT_EQ(receivers(channel.advance(t0 + 1100ms)), (std::vector<int>{2}));
    // The second frame waited for the first: on air from 1 s to 2 s, delivered at 2.1 s.
    EXPECT_TRUE(channel.advance(t0 + 2099ms).empty());
    EXPECT_EQ(receivers(channel.advance(t0 + 2100ms)), (std::vector<int>{1}));

    // A frame sent to an idle channel starts at once, not where the last one ended.
    channel.transmit(1, {0, frame}, t0 + 10s);
    EXPECT_EQ(channel.next_deadline(), t0 + 11s);
}

TEST(AirChannel, RepeatAsDigiSetsOnlyTheNextUnrepeatedHBit)
{
    auto partly = ax25::makeUiFrame(address("ALPHA"), address("BRAVO"),
                                    {address("DIGI1"), address("DIGI2-3"), address("DIGI3")}, 0xF0, "x");
    partly.digis[0].setRepeated(true);
    const std::string frame = ax25::encodeFrame(partly);

    const auto repeated = repeat_as_digi(frame, address("DIGI2-3"));
    ASSERT_TRUE(repeated);
    ax25::Frame decoded;
    ASSERT_EQ(ax25::decodeUiFrame(*repeated, decoded), ax25::DecodeError::None);
    EXPECT_EQ(std::tuple(decoded.digis[0].repeated(), decoded.digis[1].repeated(),
                         decoded.digis[2].repeated(), repeated->size()),
              std::tuple(true, true, false, frame.size()));

    EXPECT_FALSE(repeat_as_digi(frame, address("DIGI1")));  // already repeated it
    EXPECT_FALSE(repeat_as_digi(frame, address("DIGI3")));  // not its turn yet
    EXPECT_FALSE(repeat_as_digi(frame, address("DIGI2")));  // other SSID
    EXPECT_FALSE(repeat_as_digi(ui_frame({}), address("BRAVO")));
    EXPECT_FALSE(repeat_as_digi(*repeat_as_digi(*repeated, address("DIGI3")), address("DIGI3")));
}

TEST(AirChannel, RepeatAsDigiRejectsBrokenAddressFields)
{
    const std::string frame = ui_frame({address("DIGI")});
    for (std::size_t cut = 0; cut < 21; ++cut)
        EXPECT_FALSE(repeat_as_digi(frame.substr(0, cut), address("DIGI"))) << cut;
    // Eight repeated digipeaters without the extension bit, then a ninth: more than AX.25 allows.
    std::string overlong = frame.substr(0, 14);
    for (int i = 0; i < 8; ++i)
        overlong += frame.substr(14, 6) + '\xe0';
    overlong += frame.substr(14) + "\x03\xf0";
    EXPECT_FALSE(repeat_as_digi(overlong, address("DIGI")));
    EXPECT_FALSE(repeat_as_digi(std::string(40, '\xff'), address("DIGI")));
}

// Which of 30 frames from client 1 reach client 2, in order of delivery.
std::vector<std::string> delivered(double loss, double dup, std::uint64_t seed)
{
    ChannelConfig config;
    config.loss = loss;
    config.dup = dup;
    config.seed = seed;
    Channel channel(config);
    channel.add_client(1);
    channel.add_client(2);
    const auto t0 = Clock::now();
    for (int i = 0; i < 30; ++i)
        channel.transmit(1, {0, ui_frame({}, 1 + i)}, t0);
    std::vector<std::string> frames;
    for (const Delivery& d : channel.advance(t0 + 1s))
        frames.push_back(d.frame.ax25);
    return frames;
}

TEST(AirChannel, LossAndDuplicationFollowTheSeed)
{
    EXPECT_TRUE(delivered(1, 0, 1).empty());
    const auto doubled = delivered(0, 1, 1);
    ASSERT_EQ(doubled.size(), 60u);
    for (std::size_t i = 0; i < 60; i += 2)
        EXPECT_EQ(doubled[i], doubled[i + 1]);
    const auto half = delivered(0.5, 0, 1234);
    EXPECT_TRUE(half.size() > 0 && half.size() < 30) << half.size();
    EXPECT_EQ(delivered(0.5, 0, 1234), half);
    EXPECT_NE(delivered(0.5, 0, 99), half);
}

}  // namespace
}  // namespace zelvo::air

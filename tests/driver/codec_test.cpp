// Byte-exact checks of the KISS and AX.25 codecs against vectors worked out by hand from the
// KISS framing rules and the AX.25 2.2 address and UI frame layout.
#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"
#include "tests/support/kiss_socket.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
namespace ax25 = zelvo::ax25;
namespace kiss = zelvo::kiss;
using zelvo::testing::address;
using zelvo::testing::bytes;

namespace {

// DL1ABC-7 to APZ001 via DB0XYZ-1, PID F0, info "Hi": every byte written out. How a frame is
// written is checked byte for byte through the entry point: DriverApi.SendWritesOneKissFrameByteForByte.
const std::string kDigiFrame =
    bytes({0x82, 0xA0, 0xB4, 0x60, 0x60, 0x62, 0xE0,  // APZ001, C bit set, SSID 0
           0x88, 0x98, 0x62, 0x82, 0x84, 0x86, 0x6E,  // DL1ABC-7, C bit clear
           0x88, 0x84, 0x60, 0xB0, 0xB2, 0xB4, 0x63,  // DB0XYZ-1, H clear, last address
           0x03, 0xF0, 'H',  'i'});

}  // namespace

TEST(KissEncode, EscapesDelimitersInDataAndCommandByte)
{
    // FEND and FESC in the data and the port in the high nibble:
    // DriverApi.SendWritesOneKissFrameByteForByte. Port 12, whose command byte is a FEND, travels
    // through zelvo-air in AirProcess.RelaysWholeDataFramesAndCapturesEveryFrameOnTheAir; this
    // command byte is a FESC.
    EXPECT_EQ(kiss::encode(13, 0x0B, ""), bytes({0xC0, 0xDB, 0xDD, 0xC0}));
    EXPECT_EQ(kiss::encodeData(0, ""), bytes({0xC0, 0x00, 0xC0}));
}

TEST(KissDecode, RoundTripsEveryByteValueOnEveryPortInOneByteChunks)
{
    std::string data;
    for (int i = 0; i < 256; ++i)
        data.push_back(static_cast<char>(i));
    kiss::Decoder decoder;
    std::vector<kiss::Frame> frames;
    for (std::uint8_t port = 0; port <= kiss::MAX_PORT; ++port) {
        for (char c : kiss::encodeData(port, data))
            decoder.feed(std::string(1, c), frames);
    }
    ASSERT_EQ(std::tuple(frames.size(), decoder.stats().frames), std::tuple(16u, 16u));
    for (std::uint8_t port = 0; port <= kiss::MAX_PORT; ++port)
        EXPECT_EQ(std::tie(frames[port].port, frames[port].command, frames[port].data),
                  std::tuple(port, kiss::CMD_DATA, data));
}

TEST(KissDecode, SkipsNoiseEmptyFramesAndBadEscapesAndSplitsBackToBackFrames)
{
    kiss::Decoder decoder;
    // Between the two frames, one whose FESC comes right before the FEND; a FESC before a plain
    // byte: DriverApi.QueuesOnlyCompleteUiFramesForTheOwnCall.
    auto frames = decoder.feed(
        bytes({'x', 'y', 0xC0, 0xC0, 0xC0, 0x00, 'a', 0xC0, 0x00, 0xDB, 0xC0, 0x16, 'b', 0xC0, 0xC0}));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(std::tie(frames[0].data, frames[1].port, frames[1].command, frames[1].data,
                       decoder.stats().noiseBytes, decoder.stats().badEscapes),
              std::make_tuple("a", 1, 6, "b", 2u, 1u));
}

TEST(KissDecode, DropsOverlongFramesAndCountsUnterminatedOnReset)
{
    kiss::Decoder decoder(8);
    auto frames = decoder.feed(bytes({0xC0, 0x00, '1', '2', '3', '4', '5', '6', '7', 0xC0}));
    ASSERT_EQ(frames.size(), 1u);  // exactly at the bound: command byte plus seven bytes
    frames =
        decoder.feed(bytes({0xC0, 0x00, '1', '2', '3', '4', '5', '6', '7', '8', '9', 0xC0, 0x00, 'x', 0xC0}));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(std::tie(frames[0].data, decoder.stats().overlong), std::make_tuple("x", 1u));

    // A connection that breaks mid-frame: the partial frame must not be glued to the next one.
    decoder.feed(bytes({0xC0, 0x00, 'p', 'a', 'r'}));
    decoder.reset();
    frames = decoder.feed(bytes({'t', 0xC0, 0x00, 'n', 0xC0}));
    ASSERT_EQ(std::tuple(decoder.stats().unterminated, frames.size()), std::tuple(1u, 1u));
    EXPECT_EQ(frames[0].data, "n");
}

TEST(Ax25Address, ParsesAndFormatsCallText)
{
    for (const auto& [text, call] :
         {std::pair{"dl1abc", "DL1ABC"}, {"DL1ABC-0", "DL1ABC"}, {"DL1ABC-05", "DL1ABC-5"}, {"A-15", "A-15"}})
        EXPECT_EQ(ax25::formatAddress(address(text)), call);
    for (const char* bad : {"", "-", "-1", "DL1ABCD", "DL1ABC-16", "DL1ABC-", "DL1ABC-1x", "DL1ABC--1",
                            "DL1ABC-+1", "DL1ABC-100", "DL 1", "DL1\xC4", "DL/1", "DL1ABC-1-2", " DL1"}) {
        EXPECT_FALSE(ax25::parseAddress(bad)) << '"' << bad << '"';
    }
    EXPECT_FALSE(ax25::parseAddress("AB\0C"s));
}

TEST(Ax25Address, RefusesCharactersThatAreNoCallSign)
{
    // A character after the padding blank, a lower-case one, the extension bit inside the call.
    for (const auto& [at, value] :
         {std::pair<int, std::uint8_t>{3, 'C' << 1}, {1, 'b' << 1}, {0, 'A' << 1 | 1}}) {
        ax25::RawAddress raw = ax25::encodeAddress(address("AB"), false);
        raw[at] = value;
        EXPECT_FALSE(ax25::decodeAddress(raw.data())) << at;
    }
    const ax25::RawAddress blanks{0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x61};
    EXPECT_FALSE(ax25::decodeAddress(blanks.data()));
}

TEST(Ax25Frame, DecodesFieldsAndRepeatedBits)
{
    ax25::Frame frame;
    ASSERT_EQ(ax25::decodeUiFrame(kDigiFrame, frame), ax25::DecodeError::None);
    EXPECT_EQ(std::make_tuple(ax25::formatAddress(frame.destination), frame.destination.chBit,
                              ax25::formatAddress(frame.source), frame.source.chBit, frame.pid, frame.info),
              std::make_tuple("APZ001", true, "DL1ABC-7", false, 0xF0, "Hi"));
    ASSERT_EQ(frame.digis.size(), 1u);
    EXPECT_EQ(std::tuple(ax25::formatAddress(frame.digis[0]), frame.pathComplete(), frame.nextDigi()),
              std::tuple("DB0XYZ-1", false, std::optional<std::size_t>(0)));

    // A digipeater sets its H bit: byte 0x80 of its SSID byte. That the path then reads as
    // complete: AirChannel.RepeatAsDigiSetsOnlyTheNextUnrepeatedHBit and the relay in AirProcess.
    frame.digis[0].setRepeated(true);
    EXPECT_EQ(static_cast<std::uint8_t>(ax25::encodeFrame(frame)[20]), 0xE3);
    ax25::Frame again;

    // UI with the poll bit set is still UI; an empty info field is allowed.
    std::string polled = kDigiFrame.substr(0, 23);
    polled[21] = 0x13;
    ASSERT_EQ(ax25::decodeUiFrame(polled, again), ax25::DecodeError::None);
    EXPECT_EQ(again.info, "");
}

TEST(Ax25Frame, ReportsEveryMalformedShape)
{
    using E = ax25::DecodeError;
    ax25::Frame out;
    const std::string two = kDigiFrame.substr(0, 14);
    std::string direct = two;
    direct[13] |= 0x01;
    EXPECT_EQ(ax25::decodeUiFrame("", out), E::TooShort);
    EXPECT_EQ(ax25::decodeUiFrame(two.substr(0, 13), out), E::TooShort);
    EXPECT_EQ(ax25::decodeUiFrame(two, out), E::AddressUnterminated);
    EXPECT_EQ(ax25::decodeUiFrame(kDigiFrame.substr(0, 20), out), E::AddressUnterminated);
    EXPECT_EQ(ax25::decodeUiFrame(direct, out), E::NoControl);
    EXPECT_EQ(ax25::decodeUiFrame(direct + "\x03", out), E::NoPid);
    EXPECT_EQ(ax25::decodeUiFrame(direct + "\x3F", out), E::NotUi);       // SABM
    EXPECT_EQ(ax25::decodeUiFrame(direct + "\x00\xF0"s, out), E::NotUi);  // I frame

    std::string first = kDigiFrame;
    first[6] |= 0x01;  // extension bit already on the destination
    EXPECT_EQ(ax25::decodeUiFrame(first, out), E::TooShort);

    std::string bad = kDigiFrame;
    bad[8] = '?' << 1;
    EXPECT_EQ(ax25::decodeUiFrame(bad, out), E::BadAddress);

    // Ten addresses are the most a frame can have; the eleventh is refused.
    std::string many;
    const auto a = ax25::encodeAddress(address("AB"), false);
    for (int i = 0; i < 11; ++i)
        many.append(a.begin(), a.end());
    many[10 * 7 - 1] |= 0x01;
    EXPECT_EQ(ax25::decodeUiFrame(many.substr(0, 70) + "\x03\xF0", out), E::None);
    EXPECT_EQ(out.digis.size(), 8u);
    many[10 * 7 - 1] &= ~0x01;
    many[11 * 7 - 1] |= 0x01;
    EXPECT_EQ(ax25::decodeUiFrame(many + "\x03\xF0", out), E::TooManyAddresses);
}

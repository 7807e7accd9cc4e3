// The AGW header written out byte by byte, and the decoder against a TCP stream cut anywhere,
// a length over the bound and headers that cannot be AGW.
#include "driver/agw_codec.h"
#include "tests/support/kiss_socket.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
namespace agw = zelvo::agw;
using zelvo::testing::bytes;

namespace {

agw::Frame rawFrame(std::uint8_t port, std::string data)
{
    return agw::Frame{port, 'K', 0, "DL1ABC-7", "APZ001", std::move(data)};
}

auto fields(const agw::Frame& f)
{
    return std::tie(f.port, f.kind, f.pid, f.callFrom, f.callTo, f.data);
}

}  // namespace

TEST(AgwEncode, WritesTheHeaderLittleEndianWithPaddedCalls)
{
    const std::string expected = bytes({2, 0, 0, 0, 'K', 0, 0xF0, 0}) + "DL1ABC-7\0\0"s + "APZ001\0\0\0\0"s +
                                 bytes({5, 0, 0, 0, 0, 0, 0, 0}) + "Hello";
    EXPECT_EQ(agw::encode({2, 'K', 0xF0, "DL1ABC-7", "APZ001", "Hello"}), expected);
    // A call over ten characters is cut; the header stays 36 bytes.
    EXPECT_EQ(agw::encode({0, 'R', 0, "ABCDEFGHIJKL", "", ""}).substr(8, 10), "ABCDEFGHIJ");
}

TEST(AgwDecode, RoundTripsFramesCutIntoAnyChunks)
{
    std::string all256;
    for (int i = 0; i < 256; ++i)
        all256.push_back(static_cast<char>(i));
    const std::vector<agw::Frame> sent = {rawFrame(0, all256), rawFrame(255, ""),
                                          agw::Frame{1, 'y', 0, "", "", bytes({3, 0, 0, 0})},
                                          rawFrame(3, std::string(agw::kMaxData, 'x'))};
    std::string stream;
    for (const auto& f : sent)
        stream += agw::encode(f);
    for (std::size_t chunk :
         {std::size_t{1}, std::size_t{7}, agw::kHeaderLength, std::size_t{1000}, stream.size()}) {
        agw::Decoder decoder;
        std::vector<agw::Frame> got;
        for (std::size_t at = 0; at < stream.size(); at += chunk)
            ASSERT_TRUE(decoder.feed(std::string_view(stream).substr(at, chunk), got));
        ASSERT_EQ(std::tuple(got.size(), decoder.pending(), decoder.error()),
                  std::tuple(sent.size(), 0u, agw::Decoder::Error::None))
            << "chunk " << chunk;
        for (std::size_t i = 0; i < sent.size(); ++i)
            EXPECT_EQ(fields(got[i]), fields(sent[i])) << "chunk " << chunk << " frame " << i;
    }
}

TEST(AgwDecode, BreaksForGoodOnOversizeOrAHeaderThatIsNoAgw)
{
    std::string oversize = agw::encode(rawFrame(0, ""));
    oversize[28] = 0x01;
    oversize[29] = 0x10;  // 4097
    std::string reserved = agw::encode(rawFrame(0, ""));
    reserved[5] = 1;
    std::string digitKind = agw::encode(rawFrame(0, ""));
    digitKind[4] = '1';
    const std::string kiss = bytes({0xC0, 0x00}) + std::string(40, 'A');
    const std::string text = "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n";
    using E = agw::Decoder::Error;
    for (const auto& [stream, error] : {std::pair{oversize, E::Oversize},
                                        {reserved, E::BadHeader},
                                        {digitKind, E::BadHeader},
                                        {kiss, E::BadHeader},
                                        {text, E::BadHeader}}) {
        agw::Decoder decoder;
        std::vector<agw::Frame> got;
        // A good frame before the broken header is still handed out.
        EXPECT_FALSE(decoder.feed(agw::encode(rawFrame(1, "ok")) + stream, got));
        EXPECT_EQ(std::tuple(got.size(), decoder.error()), std::tuple(1u, error));
        EXPECT_FALSE(decoder.feed(agw::encode(rawFrame(1, "later")), got));
        EXPECT_EQ(got.size(), 1u);
    }
    // Oversize is seen from the header alone, before any of the data arrived.
    agw::Decoder decoder;
    std::vector<agw::Frame> got;
    EXPECT_FALSE(decoder.feed(oversize.substr(0, agw::kHeaderLength), got));
}

TEST(AgwParse, VersionPortListAndOutstandingCount)
{
    EXPECT_EQ(agw::parseVersion(bytes({0xD5, 0x07, 0, 0, 127, 0, 0, 0})), std::pair(2005, 127));
    for (const std::string& bad :
         {bytes({1, 0, 0, 0}), bytes({1, 0, 0, 0, 0, 0, 0, 0x80}), std::string(9, '\0')})
        EXPECT_FALSE(agw::parseVersion(bad));

    // Ports each ended by its ';': the Probe test of an AGW server.
    using Ports = std::vector<std::string>;
    EXPECT_EQ(agw::parsePortList("1;Port1 AFSK 1200"), Ports{"Port1 AFSK 1200"});
    // Direwolf 1.6 goes on past the count.
    EXPECT_EQ(
        agw::parsePortList("1;Port1 first soundcard mono;Port2 INVALID CHANNEL;Port3 INVALID CHANNEL;\0"s),
        Ports{"Port1 first soundcard mono"});
    EXPECT_EQ(agw::parsePortList("0;"), Ports{});
    for (const std::string& bad : {""s, ";"s, "x;Port1;"s, "2;Port1;"s, "1;;"s, "-1;"s, "300;"s, "1;Po\0rt;"s,
                                   "1 ;Port1;"s, "2;Port1;;Port3;"s})
        EXPECT_FALSE(agw::parsePortList(bad)) << bad;

    EXPECT_EQ(agw::parseOutstanding(bytes({2, 1, 0, 0})), 258u);
    EXPECT_FALSE(agw::parseOutstanding(bytes({2, 1, 0})));
}

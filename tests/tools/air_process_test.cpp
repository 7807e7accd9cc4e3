// zelvo-air as a program, driven over raw KISS TCP connections: relaying, robustness against
// bad clients, the capture file and the command line.
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>

#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"
#include "tests/tools/air_support.h"

namespace zelvo::testing {
namespace {

const std::string kAir = ZELVO_AIR_BIN;

// A UI frame's AX.25 bytes, digipeaters not yet repeated.
std::string frame_bytes(const char* source, const char* dest, std::vector<const char*> digis,
                        std::string info)
{
    return ax25::encodeFrame(ui_frame(source, dest, 0xF0, info, std::move(digis), false));
}

// Connects one client and waits until zelvo-air has taken it on as client number id.
std::unique_ptr<KissClient> join(AirInstance& air, int id, int rcvbuf = 0)
{
    auto client = std::make_unique<KissClient>(air.port, rcvbuf);
    EXPECT_TRUE(client->connected());
    EXPECT_TRUE(
        air.process->wait_line(starts_with("zelvo-air: client " + std::to_string(id) + " connected")));
    return client;
}

bool exited_cleanly(const std::optional<int>& status)
{
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

TEST(AirProcess, GarbageFromAClientDoesNotStopTheChannel)
{
    auto air = start_air(kAir);
    ASSERT_NE(air.port, 0);
    auto noisy = join(air, 1), reader = join(air, 2);

    std::mt19937 random(4711);
    std::string garbage;
    for (int i = 0; i < 4000; ++i)
        garbage += static_cast<char>(random());
    garbage += "\xC0" + std::string(5000, 'A');     // a frame far too long, never ended
    garbage += "\xC0\xC0\x00\xDB\x41\xC0";          // a bad escape
    garbage += "\xC0\xC0\xC0\xFF\xC0\xC0\x00\xC0";  // empty frames, the return command
    const std::string valid = frame_bytes("ALPHA", "BRAVO", {}, "still here");
    ASSERT_TRUE(noisy->send(garbage + kiss::encodeData(0, valid)));

    ASSERT_TRUE(hears(*reader, valid));
    noisy.reset();
    EXPECT_TRUE(air.process->wait_line(starts_with("zelvo-air: client 1 disconnected")));
    auto late = join(air, 3);
}

TEST(AirProcess, DropsAClientThatDoesNotRead)
{
    auto air = start_air(kAir);
    ASSERT_NE(air.port, 0);
    auto silent = join(air, 1, 4096), reader = join(air, 2), sender = join(air, 3);

    const std::string frame = kiss::encodeData(0, frame_bytes("ALPHA", "BRAVO", {}, std::string(250, 'x')));
    // The reader keeps pace (it has each burst before the next is sent); the silent client
    // falls further behind with every burst.
    bool dropped = false;
    for (std::size_t sent = 0; sent < 20'000 && !dropped;) {
        std::string burst;
        for (int i = 0; i < 50; ++i)
            burst += frame;
        ASSERT_TRUE(sender->send(burst));
        sent += 50;
        ASSERT_EQ(reader->wait_frames(sent).size(), sent);
        dropped = !air.process->lines(starts_with("zelvo-air: client 1 dropped")).empty();
    }
    ASSERT_TRUE(dropped) << "a client that never reads was kept";
    for (const auto& line : air.process->lines(starts_with("zelvo-air: client")))
        EXPECT_EQ(line.find("client 2 dropped"), std::string::npos) << line;

    const std::string marker = frame_bytes("ALPHA", "BRAVO", {}, "marker");
    ASSERT_TRUE(sender->send(kiss::encodeData(0, marker)));
    EXPECT_TRUE(hears(*reader, marker));
}

// Every other client gets each data frame whole, and a digipeated one a second time as repeated;
// the sender hears only the repeat. The capture holds every frame on the air.
TEST(AirProcess, RelaysWholeDataFramesAndCapturesEveryFrameOnTheAir)
{
    TempDir dir;
    const auto capture = dir / "air.pcap";
    auto air = start_air(kAir, {"--pcap", capture.string(), "--digi", "DIGI-2"});
    ASSERT_NE(air.port, 0);
    auto a = join(air, 1), b = join(air, 2), c = join(air, 3);

    // Port 12 makes the command byte 0xC0 itself, which must travel escaped.
    const std::string frame = frame_bytes("ALPHA-1", "BRAVO", {"DIGI-2"}, std::string("\xC0\xDB\0\xDC", 4));
    ASSERT_TRUE(a->send(kiss::encode(0, 1, "\x20")));  // TXDELAY: for the TNC, not the air
    ASSERT_TRUE(a->send(kiss::encodeData(12, frame)));
    ASSERT_EQ(a->wait_frames(1).size(), 1u);
    const std::string repeated = a->wait_frames(1)[0].data;
    for (KissClient* listener : {b.get(), c.get()}) {
        const auto& frames = listener->wait_frames(2);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(std::tie(frames[0].port, frames[0].command, frames[0].data, frames[1].data),
                  std::tuple(12, kiss::CMD_DATA, frame, repeated));
    }
    ax25::Frame decoded;
    ASSERT_EQ(ax25::decodeUiFrame(repeated, decoded), ax25::DecodeError::None);
    EXPECT_TRUE(decoded.pathComplete());

    EXPECT_TRUE(exited_cleanly(air.process->stop(SIGTERM)));
    const auto pcap = read_pcap(capture);
    ASSERT_TRUE(pcap);
    EXPECT_EQ(std::tie(pcap->link_type, pcap->records),
              std::tuple(202u, std::vector<std::string>{"\xC0" + frame, "\xC0" + repeated}));
    // That another AX.25 reader takes these bytes as we mean them: the Direwolf test below.
}

// Direwolf's own AX.25 code (its kissutil, a KISS client on the channel) must read the frames
// our codec writes as we mean them, 8-bit payload and digipeater included, and we its frames.
TEST(AirProcess, DirewolfReadsOurFramesAndWeReadItsFrames)
{
#ifndef ZELVO_KISSUTIL
    GTEST_SKIP() << "kissutil (Debian package direwolf) is not installed";
#else
    auto air = start_air(kAir);
    ASSERT_NE(air.port, 0);
    auto ours = join(air, 1);
    // Line-buffered, so that every decoded frame reaches us at once.
    Process direwolf(
        {ZELVO_STDBUF, "-oL", ZELVO_KISSUTIL, "-h", "127.0.0.1", "-p", std::to_string(air.port)});
    ASSERT_TRUE(air.process->wait_line(starts_with("zelvo-air: client 2 connected")));

    // As the driver sends them: makeUiFrame, encodeFrame, KISS data frame.
    const auto send = [&](std::uint8_t pid, const std::string& info, std::vector<const char*> digis) {
        return ours->send(kiss::encodeData(
            0, ax25::encodeFrame(ui_frame("DL1ABC-7", "DB0XYZ-1", pid, info, std::move(digis), false))));
    };
    ASSERT_TRUE(send(218, "[Nord]\x18", {"DK0AA"}));
    EXPECT_TRUE(direwolf.wait_line(contains("[0] DL1ABC-7>DB0XYZ-1,DK0AA:[Nord]<0x18>")));
    // Umlauts in Windows-1252, CR LF, and the two bytes KISS has to escape.
    ASSERT_TRUE(send(208, "Hallo\xE4\xF6\xFC\r\n\xC0\xDB", {}));
    EXPECT_TRUE(direwolf.wait_line(contains("[0] DL1ABC-7>DB0XYZ-1:Hallo\xE4\xF6\xFC<0x0d><0x0a>\xC0\xDB")));

    // Direwolf's frame, already repeated by DK0AA, addressed to us.
    direwolf.write_line("DL2BBB-3>DL1ABC-7,DK0AA*:Hallo von Direwolf");
    const auto& frames = ours->wait_frames(1);
    ASSERT_EQ(frames.size(), 1u);
    ax25::Frame frame;
    ASSERT_EQ(ax25::decodeUiFrame(frames[0].data, frame), ax25::DecodeError::None);
    ASSERT_EQ(frame.digis.size(), 1u);
    EXPECT_EQ(std::tuple(ax25::formatAddress(frame.source), ax25::formatAddress(frame.destination),
                         ax25::formatAddress(frame.digis[0]), frame.pathComplete(), frame.pid, frame.info),
              std::tuple("DL2BBB-3", "DL1ABC-7", "DK0AA", true, 0xF0, "Hallo von Direwolf"));
#endif
}

TEST(AirProcess, CommandLine)
{
    for (const std::vector<std::string>& bad : {std::vector<std::string>{kAir, "--loss", "2"},
                                                {kAir, "--digi", "NO-CALL!"},
                                                {kAir, "--pcap", "/nonexistent/dir/x.pcap"}}) {
        Process air(bad);
        const auto status = air.stop(0);
        ASSERT_TRUE(status && WIFEXITED(*status)) << bad[1];
        EXPECT_NE(WEXITSTATUS(*status), 0) << bad[1];
    }

    auto air = start_air(kAir);
    ASSERT_NE(air.port, 0);
    EXPECT_TRUE(exited_cleanly(air.process->stop(SIGINT)));
    EXPECT_FALSE(air.process->lines(starts_with("zelvo-air: stopped")).empty());
}

}  // namespace
}  // namespace zelvo::testing

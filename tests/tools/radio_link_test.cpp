// The radio link end to end: stations on top of libflxapi32.so (one flx_peer process each)
// exchanging frames through zelvo-air with its faults, its digipeater and its capture file.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/tools/air_support.h"

namespace zelvo::testing {
namespace {

const std::string kAir = ZELVO_AIR_BIN;
const std::string kPeer = ZELVO_FLX_PEER_BIN;

struct Rx {
    std::string source;
    int pid = -1;
    int channel = -1;
    std::string hex;
    std::string path;
};

Rx parse_rx(const std::string& line)
{
    std::istringstream words(line);
    Rx rx;
    std::string tag;
    words >> tag >> rx.source >> rx.pid >> rx.channel >> rx.hex;
    std::getline(words >> std::ws, rx.path);
    return rx;
}

std::string hex_of(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 0x0F];
    }
    return hex;
}

// One station: a flx_peer process with its own channel table pointing at the given port.
class Station {
public:
    Station(const TempDir& dir, const std::string& call, std::uint16_t port)
    {
        const auto table = dir / (call + std::to_string(counter_++) + ".conf");
        std::ofstream(table) << "0 kiss-tcp 127.0.0.1:" << port << " Simulation\n";
        process_ =
            std::make_unique<Process>(std::vector<std::string>{kPeer, call},
                                      std::vector<std::string>{"ZELVO_FLEXNET_CONF=" + table.string()});
        EXPECT_TRUE(process_->wait_line(starts_with("READY")));
    }

    bool wait_connected(std::chrono::milliseconds timeout = 10s)
    {
        process_->write_line("wait-connected " + std::to_string(timeout.count()));
        return process_->wait_line(starts_with("CONNECTED"), timeout + 5s) == "CONNECTED 1";
    }

    bool send(int pid, const std::string& info, const std::string& destination)
    {
        const std::string hex = info.empty() ? "-" : hex_of(info);
        process_->write_line("send " + std::to_string(pid) + " " + hex + " " + destination);
        return process_->wait_line(starts_with("SENT")) == "SENT 1";
    }

    std::vector<Rx> received(std::size_t at_least, std::chrono::milliseconds timeout = 10s)
    {
        std::vector<Rx> frames;
        for (const auto& line : process_->wait_lines(starts_with("RX "), at_least, timeout))
            frames.push_back(parse_rx(line));
        return frames;
    }

    // One of the driver's counters, by the name flx_peer prints.
    long stat(const std::string& name)
    {
        process_->write_line("stats");
        const auto line = process_->wait_line(starts_with("STATS"));
        std::smatch match;
        if (!line || !std::regex_search(*line, match, std::regex(" " + name + "=(\\d+)")))
            return -1;
        return std::stol(match[1]);
    }

private:
    static inline int counter_ = 0;
    std::unique_ptr<Process> process_;
};

// zelvo-air with a capture file, so a test knows when frames have been on the air.
struct SimulatedChannel {
    TempDir& dir;
    AirInstance air;

    SimulatedChannel(TempDir& d, std::vector<std::string> args) : dir(d)
    {
        args.insert(args.end(), {"--pcap", (dir / "air.pcap").string()});
        air = start_air(kAir, args);
        EXPECT_NE(air.port, 0);
    }

    std::size_t frames_on_air() const
    {
        const auto pcap = read_pcap(dir / "air.pcap");
        return pcap ? pcap->records.size() : 0;
    }

    bool wait_clients(std::size_t n)
    {
        return air.process->wait_lines(contains(" connected from "), n).size() >= n;
    }

    // Stops zelvo-air and returns its closing counter, e.g. "delivered".
    long stop_and_count(const std::string& name)
    {
        air.process->stop(SIGTERM);
        const auto lines = air.process->lines(starts_with("zelvo-air: stopped"));
        std::smatch match;
        if (lines.empty() || !std::regex_search(lines[0], match, std::regex("(\\d+) " + name)))
            return -1;
        return std::stol(match[1]);
    }
};

// zelvo-air with these options and the stations ALPHA and BRAVO on it.
struct TwoStations {
    TempDir dir;
    SimulatedChannel channel;
    Station alpha, bravo;
    bool ready;  // both connected, and zelvo-air has taken both on

    explicit TwoStations(std::vector<std::string> args)
        : channel(dir, std::move(args)),
          alpha(dir, "ALPHA", channel.air.port),
          bravo(dir, "BRAVO", channel.air.port),
          ready(alpha.wait_connected() && bravo.wait_connected() && channel.wait_clients(2))
    {}
};

std::string all_bytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

TEST(RadioLink, StationsExchangeFramesByteForByte)
{
    TempDir dir;
    SimulatedChannel channel(dir, {});
    Station alpha(dir, "ALPHA", channel.air.port), bravo(dir, "BRAVO-7", channel.air.port),
        alpha2(dir, "ALPHA", channel.air.port);
    ASSERT_TRUE(alpha.wait_connected() && bravo.wait_connected() && alpha2.wait_connected());
    ASSERT_TRUE(channel.wait_clients(3));

    // The whole 8-bit range: FEND, FESC and NUL travel as they are.
    ASSERT_TRUE(alpha.send(208, all_bytes(), "BRAVO-7 0"));
    auto at_bravo = bravo.received(1);
    ASSERT_EQ(at_bravo.size(), 1u);
    EXPECT_EQ(at_bravo[0].source, "ALPHA");
    EXPECT_EQ(at_bravo[0].pid, 208);
    EXPECT_EQ(at_bravo[0].channel, 0);
    EXPECT_EQ(at_bravo[0].hex, hex_of(all_bytes()));
    EXPECT_EQ(at_bravo[0].path, "ALPHA");

    // A frame to its own call reaches the other ALPHA but not the sender: when bravo's answer
    // arrives at alpha, nothing came before it.
    ASSERT_TRUE(alpha.send(218, "[Nord]\x18", "ALPHA 0"));
    ASSERT_EQ(alpha2.received(1).size(), 1u);
    const std::string answer("\xC0\xDB\xDC\xDD\0\xE4\xF6", 7);
    ASSERT_TRUE(bravo.send(220, answer, "ALPHA 0"));
    auto at_alpha = alpha.received(1);
    ASSERT_EQ(at_alpha.size(), 1u);
    EXPECT_EQ(at_alpha[0].source, "BRAVO-7");
    EXPECT_EQ(at_alpha[0].pid, 220);
    EXPECT_EQ(at_alpha[0].hex, hex_of(answer));
    EXPECT_EQ(alpha2.received(2).size(), 2u);
    EXPECT_EQ(channel.stop_and_count("heard"), 3);
}

TEST(RadioLink, TotalLossDeliversNothing)
{
    TwoStations s({"--loss", "1"});
    ASSERT_TRUE(s.ready);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(s.alpha.send(240, "lost " + std::to_string(i), "BRAVO 0"));
    ASSERT_TRUE(wait_until([&] { return s.channel.frames_on_air() == 5; }));
    EXPECT_EQ(s.channel.stop_and_count("delivered"), 0);
    EXPECT_EQ(s.bravo.stat("kiss_frames"), 0);
}

// Which of 30 frames arrive through a channel that loses half of them.
std::vector<std::string> survivors(std::uint64_t seed)
{
    TwoStations s({"--loss", "0.5", "--seed", std::to_string(seed)});
    EXPECT_TRUE(s.ready);
    for (int i = 0; i < 30; ++i)
        EXPECT_TRUE(s.alpha.send(240, "frame " + std::to_string(i), "BRAVO 0"));
    EXPECT_TRUE(wait_until([&] { return s.channel.frames_on_air() == 30; }));
    const long delivered = s.channel.stop_and_count("delivered");
    std::vector<std::string> texts;
    for (const Rx& rx : s.bravo.received(static_cast<std::size_t>(std::max(delivered, 0L))))
        texts.push_back(rx.hex);
    EXPECT_EQ(static_cast<long>(texts.size()), delivered);
    return texts;
}

TEST(RadioLink, RandomLossIsReproducibleFromTheSeed)
{
    const auto first = survivors(1234);
    EXPECT_GT(first.size(), 0u);
    EXPECT_LT(first.size(), 30u);
    EXPECT_EQ(survivors(1234), first);
    EXPECT_NE(survivors(99), first);
}

TEST(RadioLink, DuplicationDeliversEveryFrameTwice)
{
    TwoStations s({"--dup", "1"});
    ASSERT_TRUE(s.ready);
    for (const char* text : {"one", "two", "three"})
        ASSERT_TRUE(s.alpha.send(240, text, "BRAVO 0"));
    const auto frames = s.bravo.received(6);
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(s.channel.stop_and_count("delivered"), 6);
    for (std::size_t i = 0; i < 6; i += 2)
        EXPECT_EQ(frames[i].hex, frames[i + 1].hex);
    EXPECT_EQ(frames[4].hex, hex_of("three"));
}

TEST(RadioLink, FrameViaTheDigipeaterArrivesOnlyAsRepeated)
{
    TwoStations s({"--digi", "DIGI-1"});
    ASSERT_TRUE(s.ready);
    // No station repeats for DIGI-2: that frame stays incomplete and must never be handed out.
    ASSERT_TRUE(s.alpha.send(240, "nobody repeats", "BRAVO 0 DIGI-2"));
    ASSERT_TRUE(s.alpha.send(240, "repeated", "BRAVO 0 DIGI-1"));
    const auto frames = s.bravo.received(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].hex, hex_of("repeated"));
    EXPECT_EQ(frames[0].path, "DIGI-1 ALPHA");
    // Both unrepeated originals reached the driver, which held them back.
    EXPECT_EQ(s.bravo.stat("incomplete_path"), 2);
    EXPECT_EQ(s.channel.frames_on_air(), 3u);
}

TEST(RadioLink, StationStartedBeforeTheChannelReachesItWhenItComesUp)
{
    TempDir dir;
    const std::uint16_t port = free_port();
    Station alpha(dir, "ALPHA", port), bravo(dir, "BRAVO", port);
    EXPECT_FALSE(alpha.send(240, "too early", "BRAVO 0"));

    SimulatedChannel channel(dir, {"--port", std::to_string(port)});
    ASSERT_EQ(channel.air.port, port);
    ASSERT_TRUE(alpha.wait_connected(20s) && bravo.wait_connected(20s));
    ASSERT_TRUE(channel.wait_clients(2));
    ASSERT_TRUE(alpha.send(240, "now", "BRAVO 0"));
    const auto frames = bravo.received(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].hex, hex_of("now"));
}

// Direwolf's own AX.25 code (its kissutil, a KISS client on the same channel) must read our
// frames as we mean them, 8-bit payload and digipeater included, and we must read its frames.
TEST(RadioLink, DirewolfReadsOurFramesAndWeReadItsFrames)
{
#ifndef ZELVO_KISSUTIL
    GTEST_SKIP() << "kissutil (Debian package direwolf) is not installed";
#else
    TempDir dir;
    SimulatedChannel channel(dir, {});
    Station alpha(dir, "DL1ABC-7", channel.air.port);
    ASSERT_TRUE(alpha.wait_connected());
    // Line-buffered, so that every decoded frame reaches us at once.
    Process direwolf(
        {ZELVO_STDBUF, "-oL", ZELVO_KISSUTIL, "-h", "127.0.0.1", "-p", std::to_string(channel.air.port)});
    ASSERT_TRUE(channel.wait_clients(2));

    ASSERT_TRUE(alpha.send(218, "[Nord]\x18", "DB0XYZ-1 0 DK0AA"));
    EXPECT_TRUE(direwolf.wait_line(contains("[0] DL1ABC-7>DB0XYZ-1,DK0AA:[Nord]<0x18>")));
    // Umlauts in Windows-1252, CR LF, and the two bytes KISS has to escape.
    ASSERT_TRUE(alpha.send(208, "Hallo\xE4\xF6\xFC\r\n\xC0\xDB", "DB0XYZ-1 0"));
    EXPECT_TRUE(direwolf.wait_line(contains("[0] DL1ABC-7>DB0XYZ-1:Hallo\xE4\xF6\xFC<0x0d><0x0a>\xC0\xDB")));

    // Direwolf's frame, already repeated by DK0AA, addressed to us.
    direwolf.write_line("DL2BBB-3>DL1ABC-7,DK0AA*:Hallo von Direwolf");
    const auto frames = alpha.received(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].source, "DL2BBB-3");
    EXPECT_EQ(frames[0].pid, 0xF0);
    EXPECT_EQ(frames[0].hex, hex_of("Hallo von Direwolf"));
    EXPECT_EQ(frames[0].path, "DK0AA DL2BBB-3");
#endif
}

}  // namespace
}  // namespace zelvo::testing

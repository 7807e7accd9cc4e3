// The driver's pure parts: channel table lines, destination texts, and the air time a paced
// channel counts. Which table is taken: ChannelFileTest.SavesOnlyTheUsersTable. The receive
// queue's matching of the own call and its bound are checked through the entry points (DriverApi).
#include "driver/air_pacer.h"
#include "driver/channel_table.h"
#include "driver/destination.h"

#include <gtest/gtest.h>

namespace ax25 = zelvo::ax25;
namespace drv = zelvo::driver;
using Kind = drv::ChannelConfig::Kind;

// Each channel as its number and the line that writes it back.
std::vector<std::string> described(const drv::ChannelTable& table)
{
    std::vector<std::string> out;
    for (const auto& c : table.channels)
        out.push_back(std::to_string(c.number) + " " + drv::describeChannel(c) + " " + c.name);
    return out;
}

TEST(ChannelTable, ReadsEveryKindWithPortsNamesAndCommentsAndWritesThemBack)
{
    const auto table = drv::parseChannelTable("# channels\n"
                                              "0 kiss-tcp 127.0.0.1:8001 Simulation\r\n"
                                              "  3\tkiss-tcp   tnc.local:8100/2   Nord  Relais  # 2 m\n"
                                              "\n"
                                              "15 kiss-serial /dev/ttyUSB0 9600/1 Funk \xE4"
                                              "ber Draht\n"
                                              "7 kiss-tcp [::1]:9000 IPv6\n"
                                              "8 kiss-tcp h:8001/1@1200 Funk\n"
                                              "9 kiss-serial /dev/ttyUSB1 9600@1200 TNC\n"
                                              "1 agw-tcp 127.0.0.1:8000/1@1200 Direwolf AGW\n"
                                              "2 agw-tcp tnc.local Soundmodem\n"  // port 8000, radio port 0
                                              "4 agw-tcp [::1]/255 V6\n"          // highest radio port
                                              "5 agw-tcp h:8010 Zehn\n",
                                              "flexnet.conf");
    EXPECT_TRUE(table.errors.empty());
    EXPECT_EQ(
        described(table),
        (std::vector<std::string>{
            "0 kiss-tcp 127.0.0.1:8001 Simulation", "3 kiss-tcp tnc.local:8100/2 Nord  Relais",
            "15 kiss-serial /dev/ttyUSB0 9600/1 Funk \xE4"
            "ber Draht",
            "7 kiss-tcp [::1]:9000 IPv6", "8 kiss-tcp h:8001/1@1200 Funk",
            "9 kiss-serial /dev/ttyUSB1 9600@1200 TNC", "1 agw-tcp 127.0.0.1:8000/1@1200 Direwolf AGW",
            "2 agw-tcp tnc.local:8000 Soundmodem", "4 agw-tcp [::1]:8000/255 V6", "5 agw-tcp h:8010 Zehn"}));
    EXPECT_EQ(std::tuple(table.channels[6].kind, table.channels[6].radioPort, table.channels[6].kissPort,
                         table.channels[8].host),
              std::tuple(Kind::AgwTcp, 1, 0, "::1"));
    // Every line written back reads as the same channel.
    for (const auto& c : table.channels) {
        const auto again = drv::parseChannelTable("9 " + drv::describeChannel(c) + " " + c.name, "g");
        ASSERT_EQ(again.channels.size(), 1u);
        auto expected = c;
        expected.number = 9;
        EXPECT_EQ(again.channels[0], expected);
    }
}

TEST(ChannelTable, ReportsEachBadLineWithItsNumberAndKeepsTheRest)
{
    const auto table = drv::parseChannelTable("16 kiss-tcp h:1 A\n"                // 1: channel out of range
                                              "1 kiss-udp h:1 A\n"                 // 2: unknown kind
                                              "1 kiss-tcp h A\n"                   // 3: no port
                                              "1 kiss-tcp h:0 A\n"                 // 4: port 0
                                              "1 kiss-tcp h:70000 A\n"             // 5: port too large
                                              "1 kiss-tcp h:1/16 A\n"              // 6: KISS port too large
                                              "1 kiss-tcp h:1\n"                   // 7: no name
                                              "1 kiss-serial /dev/x 1234 A\n"      // 8: odd baud rate
                                              "1 kiss-serial /dev/x\n"             // 9: no baud rate
                                              "2 kiss-tcp h:1 Good\n"              // 10
                                              "2 kiss-tcp h:2 Twice\n"             // 11: duplicate
                                              "x kiss-tcp h:1 A\n"                 // 12: no number
                                              "-1 kiss-tcp h:1 A\n"                // 13
                                              "1 kiss-tcp h:1@0 A\n"               // 14: air rate 0
                                              "1 kiss-tcp h:1@1200/1 A\n"          // 15: KISS port after it
                                              "1 kiss-serial /dev/x 9600@ A\n"     // 16: no air rate
                                              "4 agw-tcp h:8000/256 A\n"           // 17: radio port too large
                                              "4 agw-tcp h:0 A\n"                  // 18: port 0
                                              "4 agw-tcp h:/1 A\n"                 // 19: empty port
                                              "4 agw-tcp [::1 A\n"                 // 20: bracket not closed
                                              "4 agw-tcp h@0 A\n"                  // 21: air rate 0
                                              "4 agw-tcp h:8000\n"                 // 22: no name
                                              "4 agw-udp h:8000 A\n"               // 23: unknown kind
                                              "5 kiss-serial /dev/ttyS0 9600 S\n"  // 24
                                              "6 kiss-serial /dev/ttyS0 9600/1 B\n"  // 25: the same line
                                              "7 kiss-tcp h:1/1 D\n",  // 26: a TCP server takes several
                                              "/tmp/t/flexnet.conf");
    EXPECT_EQ(described(table),
              (std::vector<std::string>{"2 kiss-tcp h:1 Good", "5 kiss-serial /dev/ttyS0 9600 S",
                                        "7 kiss-tcp h:1/1 D"}));
    ASSERT_EQ(table.errors.size(), 23u);
    const int lines[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 25};
    for (std::size_t i = 0; i < table.errors.size(); ++i)
        EXPECT_EQ(table.errors[i].rfind("/tmp/t/flexnet.conf:" + std::to_string(lines[i]) + ": ", 0), 0u)
            << table.errors[i];
    EXPECT_NE(table.errors[9].find("already defined in line 10"), std::string::npos);
    EXPECT_EQ(table.errors[22], "/tmp/t/flexnet.conf:25: device /dev/ttyS0 already used by channel 5");
}

TEST(Destination, ParsesCallChannelAndDigipeatersInOrder)
{
    // Call, channel and digipeaters as parsed, written out again with single blanks.
    const std::pair<const char*, const char*> cases[] = {
        {"db0abc-3 5 dk0xy wide2-2", "DB0ABC-3 5 DK0XY WIDE2-2"},
        {"  DL1ABC   15  ", "DL1ABC 15"},
        {"A 0 B C D E F G H I", "A 0 B C D E F G H I"},  // eight digipeaters
    };
    for (const auto& [text, parsed] : cases) {
        const auto d = drv::parseDestination(text);
        ASSERT_TRUE(d) << text;
        std::string out = ax25::formatAddress(d->call) + " " + std::to_string(d->channel);
        for (const auto& digi : d->digis)
            out += " " + ax25::formatAddress(digi);
        EXPECT_EQ(out, parsed);
    }
}

TEST(Destination, RefusesWhatCannotBeSent)
{
    // One bad call and one bad digipeater; what else makes a call bad:
    // Ax25Address.ParsesAndFormatsCallText.
    for (const char* bad :
         {"", "   ", "DL1ABC", "DL1ABC X", "DL1ABC 16", "DL1ABC -1", "DL1ABC +1", "DL1ABC 1x", "DL1ABC 100",
          " 3DL1ABC", "3 DL1ABC", "DL1ABC-16 0", "DL1ABC 0 DI/GI", "A 0 B C D E F G H I J"})
        EXPECT_FALSE(drv::parseDestination(bad)) << '"' << bad << '"';
    EXPECT_FALSE(drv::parseDestination("DL1ABC 0" + std::string(300, ' ')));
}

TEST(AirPacer, OwnFramesGoAfterTheFramesHeardMeanwhile)
{
    using namespace std::chrono_literals;
    zelvo::driver::AirPacer pacer(1200);
    const drv::AirPacer::Clock::time_point t0{10s};
    const std::string a(60, 'a'), b(90, 'b');  // 0.4 s and 0.6 s on the air
    pacer.sent(a, t0);
    pacer.sent(b, t0 + 100ms);    // behind a
    pacer.heard(30, t0 + 500ms);  // 0.2 s from 0.3 s: neither had gone yet
    EXPECT_EQ(std::tuple(pacer.freeAt(), pacer.held(a, t0 + 899ms), pacer.held(a, t0 + 900ms),
                         pacer.heldCount(t0 + 899ms), pacer.heldCount(t0 + 900ms)),
              std::tuple(t0 + 1500ms, true, false, 2u, 1u));
    pacer.heard(30, t0 + 1700ms);  // after both: nothing moves
    EXPECT_EQ(pacer.freeAt(), t0 + 1500ms);
    // Heard just as the next own frame went: it had held up the one before.
    pacer.sent(a, t0 + 5s);
    pacer.sent(b, t0 + 5400ms);
    pacer.heard(60, t0 + 5400ms);
    EXPECT_EQ(std::tuple(pacer.freeAt(), pacer.held(b, t0 + 6s)), std::tuple(t0 + 6400ms, true));
    pacer.heard(30, t0 + 6590ms);  // seems to start 10 ms before b's expected end: it followed b
    EXPECT_EQ(pacer.freeAt(), t0 + 6400ms);
}

// The monitor's line for frames as they travel: Zelvo's UI frames, connected-mode frames of other
// stations, digipeated frames, and bytes that are no frame at all. The columns' fields:
// MonitorWindowTest.OpenWindowListens... and MonitorModelTest.HeardList...; a status frame's line:
// StationPair.MonitorPrintsSentReceivedAndForeignFramesUntilSwitchedOff.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/ax25_frame.h"
#include "link/monitor_line.h"
#include "tests/support/kiss_socket.h"

namespace zelvo::link::monitor {
namespace {

constexpr auto b = zelvo::testing::bytes;

// Address bytes: "CALL-SSID" with the C/H bit when the text ends in '!'.
std::string addr(std::string text, bool last)
{
    const bool bit = !text.empty() && text.back() == '!';
    if (bit)
        text.pop_back();
    auto address = ax25::parseAddress(text).value();
    address.chBit = bit;
    const auto raw = ax25::encodeAddress(address, last);
    return std::string(raw.begin(), raw.end());
}

// A frame: destination, source, digipeaters, then the bytes after the address field.
std::string frame(std::vector<std::string> calls, std::string rest)
{
    std::string out;
    for (std::size_t i = 0; i < calls.size(); ++i)
        out += addr(calls[i], i + 1 == calls.size());
    return out + rest;
}

TEST(MonitorLine, FramesOfTheChannelAsMonitorsShowThem)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::string line;
    };
    const std::string longText(300, 'x');
    std::string eleven;  // more addresses than AX.25 carries: no frame
    for (int i = 0; i < 11; ++i)
        eleven += addr("DB0AAA", i == 10);
    const Case cases[] = {
        {"Zelvo message with CR LF", frame({"DL2BBB!", "DL1AAA"}, b({0x03, 0xD2}) + "Hallo\r\nBert"),
         "DL1AAA>DL2BBB [UI C] pid=D2 Nachricht: Hallo<0x0d><0x0a>Bert"},
        {"Zelvo acknowledgement", frame({"DL1AAA!", "DL2BBB"}, b({0x03, 0xD2})),
         "DL2BBB>DL1AAA [UI C] pid=D2 Quittung"},
        {"Zelvo poll and back", frame({"DL1AAA!", "DL2BBB"}, b({0x03, 0xDB})),
         "DL2BBB>DL1AAA [UI C] pid=DB Poll"},
        {"Zelvo away", frame({"DL1AAA!", "DL2BBB"}, b({0x03, 0xDC}) + "Essen"),
         "DL2BBB>DL1AAA [UI C] pid=DC Away: Essen"},
        {"digipeated, H bits on the first two of three",
         frame({"APRS!", "DL3CCC-9", "DB0AAA!", "WIDE1-1!", "WIDE2-2"},
               b({0x03, 0xF0}) + "!5030.00N/00700.00E-"),
         "DL3CCC-9>APRS via DB0AAA,WIDE1-1*,WIDE2-2 [UI C] pid=F0 !5030.00N/00700.00E-"},
        {"I frame, poll bit", frame({"DB0XYZ!", "DL4DDD"}, b({0x36, 0xF0}) + "dir\r"),
         "DL4DDD>DB0XYZ [I N(S)=3 N(R)=1 C P] pid=F0 dir<0x0d>"},
        {"RR response with final bit", frame({"DL4DDD", "DB0XYZ!"}, b({0xB1})),
         "DB0XYZ>DL4DDD [RR N(R)=5 R F]"},
        {"RNR, REJ, SREJ", frame({"DL4DDD!", "DB0XYZ"}, b({0x45})), "DB0XYZ>DL4DDD [RNR N(R)=2 C]"},
        {"REJ", frame({"DL4DDD!", "DB0XYZ"}, b({0x69})), "DB0XYZ>DL4DDD [REJ N(R)=3 C]"},
        {"SREJ", frame({"DL4DDD", "DB0XYZ!"}, b({0x0D})), "DB0XYZ>DL4DDD [SREJ N(R)=0 R]"},
        {"SABM via a digipeater not yet repeated", frame({"DB0XYZ!", "DL4DDD", "DB0AAA"}, b({0x3F})),
         "DL4DDD>DB0XYZ via DB0AAA [SABM C P]"},
        {"SABME", frame({"DB0XYZ!", "DL4DDD"}, b({0x7F})), "DL4DDD>DB0XYZ [SABME C P]"},
        {"UA", frame({"DL4DDD", "DB0XYZ!"}, b({0x73})), "DB0XYZ>DL4DDD [UA R F]"},
        {"DISC", frame({"DB0XYZ!", "DL4DDD"}, b({0x53})), "DL4DDD>DB0XYZ [DISC C P]"},
        {"DM", frame({"DL4DDD", "DB0XYZ!"}, b({0x1F})), "DB0XYZ>DL4DDD [DM R F]"},
        {"FRMR with its bytes", frame({"DL4DDD", "DB0XYZ!"}, b({0x87, 0x01, 0x02, 0x03})),
         "DB0XYZ>DL4DDD [FRMR R] <0x01><0x02><0x03>"},
        {"XID", frame({"DB0XYZ!", "DL4DDD"}, b({0xBF})), "DL4DDD>DB0XYZ [XID C P]"},
        {"TEST with text", frame({"DB0XYZ!", "DL4DDD"}, b({0xE3}) + "ping"), "DL4DDD>DB0XYZ [TEST C] ping"},
        {"version 1: both C bits equal", frame({"DB0XYZ", "DL4DDD"}, b({0x3F})), "DL4DDD>DB0XYZ [SABM P/F]"},
        {"undefined U frame", frame({"DB0XYZ!", "DL4DDD"}, b({0xCB})), "DL4DDD>DB0XYZ [U?CB C]"},
        {"over-long text is cut", frame({"CQ!", "DL1AAA"}, b({0x03, 0xF0}) + longText),
         "DL1AAA>CQ [UI C] pid=F0 " + std::string(kMaxTextBytes, 'x') + "..."},
        {"DEL, tab and an umlaut", frame({"CQ!", "DL1AAA"}, b({0x03, 0xF0}) + "a\tb\x7f\xe4"),
         "DL1AAA>CQ [UI C] pid=F0 a<0x09>b<0x7f>\xe4"},
        {"call with a bad character",
         b({'D' << 1, '?' << 1, 0x40, 0x40, 0x40, 0x40, 0xE0}) + addr("DL1AAA", true) + b({0x03, 0xF0}),
         "DL1AAA>D? [UI C] pid=F0"},
        {"addresses only", frame({"CQ!", "DL1AAA"}, ""), "DL1AAA>CQ [?]"},
        {"UI without PID", frame({"CQ!", "DL1AAA"}, b({0x03})), "DL1AAA>CQ [UI C]"},
        {"no address ends", std::string(14, '\x82'), "[?] " + std::string(14, '\x82')},
        {"eleven addresses", eleven, "[?] " + eleven},
        {"too short", b({0x00, 0x0d}), "[?] <0x00><0x0d>"},
        {"nothing", "", "[?]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatLine(decodeLine(c.bytes)), c.line) << c.what;
}

}  // namespace
}  // namespace zelvo::link::monitor

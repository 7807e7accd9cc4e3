// zelvo-station's monitor on a zelvo-air channel: the station's own frames, a frame it receives,
// and another station's connected-mode frame, each a MON line; none once the monitor is off.
#include <gtest/gtest.h>

#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"
#include "tests/tools/air_support.h"

namespace zelvo::testing {
namespace {

const std::string kAir = ZELVO_AIR_BIN;
const std::string kStation = ZELVO_STATION_BIN;

// A connected-mode SABM (poll bit set) from DL4DDD to DB0XYZ, as a KISS client sends it: a UI
// frame's address field (C bit on the destination) with the SABM's control byte.
std::string sabm()
{
    return kiss::encodeData(0,
                            ax25::encodeFrame(ui_frame("DL4DDD", "DB0XYZ", 0xF0, "")).substr(0, 14) + "\x3F");
}

class StationMonitor : public ::testing::Test {
protected:
    void SetUp() override
    {
        air = start_air(kAir);
        ASSERT_NE(air.port, 0);
        other = std::make_unique<KissClient>(air.port);
        ASSERT_TRUE(other->connected());
        station =
            start_station(kStation, home, "0 kiss-tcp 127.0.0.1:" + std::to_string(air.port) + " Sim", "10");
        ASSERT_TRUE(station->wait_line(starts_with("READY ")));
        ASSERT_TRUE(air.process->wait_line(contains(" connected from")));
        ASSERT_TRUE(air.process->wait_line(contains(" connected from")));
    }

    // Waits until the station has printed exactly this line, wherever among its others.
    bool printed(const std::string& line)
    {
        return wait_until(
            [&] { return !station->lines([&](const std::string& l) { return l == line; }).empty(); });
    }
    std::size_t monitorLines()
    {
        return station->lines([](const std::string& l) { return l.starts_with("MON "); }).size();
    }

    Home home{"DL1AAA-1", "Anna"};
    AirInstance air;
    std::unique_ptr<KissClient> other;
    std::unique_ptr<Process> station;
};

TEST_F(StationMonitor, PrintsSentReceivedAndForeignFramesUntilSwitchedOff)
{
    station->write_line("monitor on");
    station->write_line("add DL2BBB");
    station->write_line("online");
    EXPECT_TRUE(printed("MON 0 TX DL1AAA-1>DL2BBB [UI C] pid=DA Status: [Anna]<0x18>"));

    ASSERT_TRUE(other->send(
        kiss::encodeData(0, ax25::encodeFrame(ui_frame("DL2BBB", "DL1AAA-1", 218, "[Bert]\x19")))));
    EXPECT_TRUE(printed("MON 0 RX DL2BBB>DL1AAA-1 [UI C] pid=DA Status: [Bert]<0x19>"));
    ASSERT_TRUE(other->send(sabm()));
    EXPECT_TRUE(printed("MON 0 RX DL4DDD>DB0XYZ [SABM C P]"));

    // Off: neither the foreign frame nor the poll that follows it (its STATUS line shows it was
    // taken) is printed.
    station->write_line("monitor off");
    station->write_line("list");
    ASSERT_TRUE(station->wait_line(starts_with("END ")));
    const std::size_t before = monitorLines();
    ASSERT_TRUE(other->send(sabm()));
    ASSERT_TRUE(other->send(kiss::encodeData(0, ax25::encodeFrame(ui_frame("DL2BBB", "DL1AAA-1", 219, "")))));
    EXPECT_TRUE(station->wait_line(contains("Poll von")));
    EXPECT_EQ(monitorLines(), before);

    station->write_line("monitor sideways");
    EXPECT_TRUE(station->wait_line(starts_with("ERR usage: monitor on|off")));
}

}  // namespace
}  // namespace zelvo::testing

// What a whole exchange leaves behind, byte for byte: the lines zelvo-station prints for it and
// the activity log's lines. Both are read by people and scripts that rely on their exact words,
// so a change of how the engine reports an event must not change a single byte of either.
//
// The expected transcript is tests/fixtures/exchange_transcript.txt; ZELVO_WRITE_TRANSCRIPT=FILE
// writes the one this build makes to FILE, for a review of a deliberate change.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/activity_log.h"
#include "protocol/commands.h"
#include "protocol/presence.h"
#include "tests/protocol/station_harness.h"
#include "tools/station/console_ui.h"

namespace zelvo::testing {
namespace {

// The console's lines go to a file in a temporary folder; the engine's questions are answered with "Ja".
class Transcript {
public:
    explicit Transcript(StationHarness& h)
        : roster_(h.roster),
          out_(std::fopen((dir_ / "console.txt").c_str(), "wb")),
          console_(out_),
          ui_(console_, h.roster, {.registerAnswer = true}),
          log_(dir_.path() / "Zelvo.log", {}, QLocale(QLocale::German),
               [] { return QDateTime(QDate(2026, 12, 5), QTime(9, 5)); })
    {
        h.roster.addObserver(&ui_);
        EXPECT_EQ(log_.createFile(), std::nullopt);
    }
    ~Transcript()
    {
        roster_.removeObserver(&ui_);
        std::fclose(out_);
    }

    tools::ConsoleUi& ui() { return ui_; }
    app::ActivityLog& log() { return log_; }

    std::string text()
    {
        std::fflush(out_);
        return "--- zelvo-station\n" + readFile(dir_ / "console.txt") + "--- Zelvo.log\n" +
               readFile(log_.file());
    }

private:
    app::Roster& roster_;
    TempDir dir_;
    std::FILE* out_;
    tools::Console console_;
    tools::ConsoleUi ui_;
    app::ActivityLog log_;
};

TEST(Transcript, AWholeExchangePrintsAndLogsWhatItAlwaysHas)
{
    StationHarness h;
    Transcript transcript(h);
    // The console's interface itself, as zelvo-station gives it to its station.
    protocol::Station station(h.roster, h.settings, h.driver, transcript.ui());
    station.log = &transcript.log();
    station.timeOfDay = h.station.timeOfDay;
    station.pause = h.station.pause;
    const auto handle = [&](std::string source, int pid, std::string info = {}) {
        h.driver.deliver(std::move(source), pid, std::move(info));
        link::receiveTick(station);
    };

    protocol::goOnlineClick(station);  // an empty roster: the error box
    auto& sued = h.add("DL2BBB-4 DB0XY", app::TStationState::Offline, "0",
                       "S\xFC"
                       "d");
    protocol::pollStation(station, sued);  // offline
    protocol::goOnlineClick(station);
    handle("DL2BBB-4", 218,
           "[S\xFC"
           "d]\x19");
    protocol::pollStation(station, sued);
    handle("DL2BBB-4", 219, "+");
    handle("DL2BBB-4", 219);
    handle("DL2BBB-4", 208, "Hallo\r\nWelt");
    protocol::queueMessage(station, sued, "Servus", false);
    handle("DL2BBB-4", 209);
    protocol::queueMessage(station, sued, "an alle", true);
    handle("DL2BBB-4", 209, "//v");
    handle("DL2BBB-4", 210, "//de DL2BBB");
    handle("DL2BBB-4", 220, "Beim Essen");
    handle("DL2BBB-4", 220, "");
    handle("OE3CCC-1", 218, "[Wien]\x19");  // unknown: registered
    handle("OE3CCC-1", 218, "[]");
    protocol::queueMessage(station, sued, "verloren", false);
    for (int pass = 0; pass < 400; ++pass)
        link::receiveTick(station);
    handle("DL2BBB-4", 218, "[]");
    protocol::toggleAway(station);
    protocol::toggleAway(station);
    protocol::deleteEntry(station, sued);
    protocol::goOnlineClick(station);

    const std::string actual = transcript.text();
    if (const char* file = std::getenv("ZELVO_WRITE_TRANSCRIPT"))
        std::ofstream(file, std::ios::binary) << actual;
    EXPECT_EQ(actual, readFile(ZELVO_FIXTURES_DIR "/exchange_transcript.txt"));
}

}  // namespace
}  // namespace zelvo::testing

// The user's commands that reach the air: online switch, away switch, poll, message, delete. A
// message to all, through the message window: MessageWindowTest.SendingToAllSkipsOnlyOfflineStations.
#include "protocol/commands.h"

#include <gtest/gtest.h>

#include "app/activity_log.h"
#include "app/roster_store.h"
#include "protocol/messages.h"
#include "tests/protocol/station_harness.h"

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using dialogs::TEventKind;

namespace {

constexpr const char* kMe = StationHarness::kMyCall;

class Commands : public ::testing::Test {
protected:
    StationHarness h;
};

}  // namespace

TEST_F(Commands, OnlineSwitchAnnouncesBothWays)
{
    h.add("DL2BBB-4", S::OnlineUnread, "1").sendPid = "209";
    h.add("DB0AAA", S::Offline);
    h.add("OE3CCC", S::Away);

    // What the windows are told each way, state, icon and status line:
    // Transcript.AWholeExchangePrintsAndLogsWhatItAlwaysHas.
    ASSERT_TRUE(protocol::goOnlineClick(h.station));
    // Our numbering goes on: a peer that misses the announcement still holds the number of our
    // last text, which a restart at 208 could repeat.
    EXPECT_EQ(std::tuple(h.station.online(), h.roster.at(0).sendPid), std::tuple(true, "209"));
    EXPECT_EQ(each(h.driver.takeSent(), &SentFrame::info), std::vector<std::string>(3, "[Nord]\x18"));

    ASSERT_TRUE(protocol::goOnlineClick(h.station));
    EXPECT_FALSE(h.station.online());
    // The offline announcement to the two reachable entries (its frames, states and sounds: Outgoing).
    EXPECT_EQ(each(h.driver.takeSent(), &SentFrame::info), std::vector<std::string>(2, "[]"));
}

TEST_F(Commands, AwaySwitchBothWaysAlsoWhileOffline)
{
    h.add("DL2BBB", S::Online);
    h.add("DB0AAA", S::Offline);
    protocol::toggleAway(h.station);
    const bool away = h.station.away();
    protocol::toggleAway(h.station);
    EXPECT_EQ(std::pair(away, h.station.away()), std::pair(true, false));
    // Each way announced to the reachable entry (the frames: Outgoing.AwayAndBackGoToReachableEntriesOnly)
    // and reported to the window.
    EXPECT_EQ(each(h.driver.takeSent(), &SentFrame::info),
              (std::vector<std::string>{"Bin gerade nicht da", ""}));
    EXPECT_EQ(std::pair(h.station.online(), h.ui.ownStates),
              std::pair(false, std::vector<std::pair<bool, bool>>{{false, true}, {false, false}}));
}

// " Send to:" is the sender's own record: only the global log switch stops it, never the event's
// own log flag (that one is for what other stations do).
TEST_F(Commands, MessageToOneStationIsLoggedWhateverItsEventsLogFlag)
{
    auto& entry = h.add("DL2BBB");
    auto& bystander = h.add("DB0AAA");
    const auto logFile = std::filesystem::path(h.registryPaths().currentUser).parent_path() / "Zelvo.log";
    app::ActivityLog log(logFile);
    ASSERT_EQ(log.createFile(), std::nullopt);
    h.station.log = &log;
    h.settings.updateEvent(TEventKind::evMessageSent, [](dialogs::TEreignisObj& e) { e.logEvent = false; });

    EXPECT_FALSE(protocol::queueMessage(h.station, entry, "x", false) || entry.txBuffer.size() ||
                 entry.sendCount.size());

    ASSERT_TRUE(protocol::queueMessage(h.station, entry, "Hallo", false));
    EXPECT_EQ(std::make_tuple(entry.txBuffer, entry.sendCount, bystander.txBuffer.size()),
              std::make_tuple(std::vector<std::string>{"Hallo"}, "151", 0u));
    EXPECT_EQ(std::tuple(h.ui.statuses, h.ui.conversations, h.sound.played(), h.driver.sent().size()),
              std::tuple(
                  std::vector<std::string>{"Msg im Sendepuffer"}, std::vector<const app::TUserEntry*>{&entry},
                  std::vector<std::string>{waveOf(TEventKind::evMessageSent)}, 0u));  // sent by the countdown
    EXPECT_NE(readFile(logFile).find(" Send to: DL2BBB\r\n"), std::string::npos) << readFile(logFile);
}

TEST_F(Commands, DeletingTellsTheStationUnlessOfflineAndSaves)
{
    for (const S state : {S::Online, S::Away, S::Offline, S::OfflineUnread}) {
        SCOPED_TRACE(static_cast<int>(state));
        StationHarness h;
        app::RosterStore store(h.registry());
        h.station.store = &store;
        h.add("DB0AAA");
        auto& doomed = h.add("DL2BBB-4", state, "1");
        h.add("OE3CCC");

        protocol::deleteEntry(h.station, doomed);

        using Sent = std::vector<SentFrame>;
        EXPECT_EQ(h.driver.sent(),
                  (state == S::Offline ? Sent{} : Sent{{kMe, "DL2BBB-4 1", 218, "[]", true}}));
        ASSERT_EQ(h.roster.size(), 2);

        platform::Registry again(h.registryPaths());
        app::RosterStore reread(again);
        app::Roster loaded;
        EXPECT_TRUE(reread.loadList(loaded).empty());
        ASSERT_EQ(loaded.size(), 2);
        EXPECT_EQ(std::tuple(loaded.at(0).call, loaded.at(1).call), std::tuple("DB0AAA", "OE3CCC"));
    }
}

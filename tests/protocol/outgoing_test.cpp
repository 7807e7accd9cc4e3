// Announcements of the own state and the two sending modes, frame by frame as the driver sees them.
#include "protocol/outgoing.h"

#include <gtest/gtest.h>

#include "tests/protocol/station_harness.h"

using namespace zelvo;
using namespace zelvo::testing;
using app::TStationState;
using S = app::TStationState;

namespace {

constexpr const char* kMe = StationHarness::kMyCall;

class Outgoing : public ::testing::Test {
protected:
    StationHarness h;
};

}  // namespace

TEST_F(Outgoing, GoingOnlineAsksEveryEntryInListOrderAndKeepsItsNumbering)
{
    auto& a = h.add("DB0AAA-1", S::Offline, "1");
    auto& b = h.add("DL2BBB DB0XY DB0Z-7", S::Online, "3");
    auto& c = h.add("OE3CCC-5 OE1XYZ", S::Away, "2");
    a.sendPid = "213";
    b.sendPid = "217";
    c.lastRxPid = "211";

    protocol::announceOnline(h.station);

    // "[Nord]" and 0x18: 5B 4E 6F 72 64 5D 18.
    const std::string asking = "\x5B\x4E\x6F\x72\x64\x5D\x18";
    const std::vector<SentFrame> expected = {
        {kMe, "DB0AAA-1 1", 218, asking, true},
        {kMe, "DL2BBB 3 DB0XY DB0Z-7", 218, asking, true},
        {kMe, "OE3CCC-5 2 OE1XYZ", 218, asking, true},
    };
    // Our numbering goes on; the receivers restart theirs, so ours of theirs is forgotten. States
    // are not touched.
    EXPECT_EQ(std::tuple(h.driver.sent(), a.sendPid, b.sendPid, c.sendPid, a.lastRxPid, b.lastRxPid,
                         c.lastRxPid, a.state, h.sound.played()),
              std::tuple(expected, "213", "217", "208", "218", "218", "218", S::Offline,
                         std::vector<std::string>{waveOf(dialogs::TEventKind::evSelfOnline)}));
}

TEST_F(Outgoing, EmptyAliasAnnouncesTheOwnBaseCall)
{
    h.add("DL2BBB-4");
    h.settings.setAlias("");
    protocol::announceOnline(h.station);
    protocol::sendStatus(h.station, h.roster.at(0), true);
    EXPECT_EQ(h.driver.sent(), (std::vector<SentFrame>{{kMe, "DL2BBB-4 0", 218, "[DL1ZZZ]\x18", true},
                                                       {kMe, "DL2BBB-4 0", 218, "[DL1ZZZ]\x19", true}}));
}

TEST_F(Outgoing, GoingOfflineTellsReachableEntriesAndMarksThemOffline)
{
    const std::tuple<S, bool, S> rows[] = {
        // before, told, after
        {S::Online, true, S::Offline},    {S::OnlineUnread, true, S::OfflineUnread},
        {S::HasPolled, true, S::Offline}, {S::Sending, true, S::Offline},
        {S::Away, true, S::Offline},      {S::AwayUnread, true, S::Offline},
        {S::Offline, false, S::Offline},  {S::OfflineUnread, false, S::OfflineUnread},
    };
    int i = 0;
    for (const auto& row : rows)
        h.add("DL" + std::to_string(i++) + "AAA", std::get<0>(row));

    protocol::announceOffline(h.station);

    std::vector<SentFrame> expected;
    for (int row = 0; row < 8; ++row) {
        const auto& [before, told, after] = rows[row];
        EXPECT_EQ(h.roster.at(row).state, after) << row;
        if (told)
            expected.push_back({kMe, "DL" + std::to_string(row) + "AAA 0", 218, "[]", true});
    }
    EXPECT_EQ(h.driver.sent(), expected);
    EXPECT_EQ(h.sound.played(), std::vector<std::string>{waveOf(dialogs::TEventKind::evSelfOffline)});
}

TEST_F(Outgoing, AwayAndBackGoToReachableEntriesOnly)
{
    struct Case {
        const char* name;
        bool sendAway;
        std::string awayText;
        bool away;
        std::string info;
    };
    const Case cases[] = {
        {"away without the text", false, "Beim Essen", true, "+"},
        {"away with the text", true, "Beim Essen\r\nbis 14 Uhr", true, "Beim Essen\r\nbis 14 Uhr"},
        // An empty text and the like: FrameFormat.AwayAnnounceWritingAndReading.
        {"back", true, "Beim Essen", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationHarness h;
        h.add("DL2BBB-4", S::OnlineUnread, "1");
        h.add("DB0AAA", S::Offline);
        h.add("OE3CCC", S::Sending, "2");
        h.add("OE4DDD", S::OfflineUnread);
        h.settings.setOption(dialogs::Option::SendAway, c.sendAway);
        h.settings.setAwayText(c.awayText);

        c.away ? protocol::announceAway(h.station) : protocol::announceBack(h.station);

        const auto sound = c.away ? dialogs::TEventKind::evSelfAway : dialogs::TEventKind::evSelfBack;
        EXPECT_EQ(std::tuple(h.driver.sent(), h.roster.at(0).state, h.roster.at(2).state, h.sound.played()),
                  std::tuple(std::vector<SentFrame>{{kMe, "DL2BBB-4 1", 220, c.info, true},
                                                    {kMe, "OE3CCC 2", 220, c.info, true}},
                             S::OnlineUnread, S::Sending, std::vector<std::string>{waveOf(sound)}));
    }
}

TEST_F(Outgoing, AnnouncementsToARefusingDriverEnd)
{
    h.add("DL2BBB");
    h.add("DB0AAA");
    h.driver.refuse(-1);
    protocol::announceOnline(h.station);
    protocol::announceAway(h.station);
    protocol::announceOffline(h.station);
    // Five offers to the first entry with pauses between; after that give-up, one offer per frame
    // until the driver takes one again, so no announcement holds the caller for long.
    // Given up or not, going offline still counts the stations as offline.
    const auto sent = h.driver.sent();
    ASSERT_EQ(sent.size(), protocol::kSendAttempts + 5u);
    EXPECT_EQ(std::vector<SentFrame>(sent.begin(), sent.begin() + protocol::kSendAttempts),
              std::vector<SentFrame>(protocol::kSendAttempts, {kMe, "DL2BBB 0", 218, "[Nord]\x18", false}));
    EXPECT_EQ(std::tuple(h.pauses, h.ui.statuses, h.roster.at(0).state),
              std::tuple(std::vector<std::chrono::milliseconds>(4, protocol::kSendRetryPause),
                         std::vector<std::string>(6, std::string(kTransmissionError)), S::Offline));

    // Once a frame gets through, refused frames are offered again in full, and no more once taken.
    h.driver.refuse(0);
    protocol::sendStatus(h.station, h.roster.at(0), true);
    h.driver.refuse(2);
    h.driver.takeSent();
    protocol::sendStatus(h.station, h.roster.at(0), true);
    EXPECT_EQ(h.driver.sent().size(), 3u);
}

TEST_F(Outgoing, WithoutAPauseRefusedFramesWaitForThePassesInOrderAndBound)
{
    // The same refusals slept through, left to the next passes, and finished at the end: the
    // same offers in the same order, and without a pause the announcement returns at once.
    enum Way { Sleeping, Passes, Finishing };
    struct Run {
        std::vector<SentFrame> sent;
        std::vector<std::chrono::milliseconds> pauses;
        std::vector<std::string> statuses;
        int passes = 0;
    };
    auto run = [](Way way, int refusals) {
        StationHarness h;
        if (way != Sleeping)
            h.station.pause = {};
        h.add("DL2BBB");
        h.add("DB0AAA", S::Online, "1");
        h.add("OE3CCC", S::Online, "2");
        h.driver.refuse(refusals);
        protocol::announceOnline(h.station);
        EXPECT_TRUE(way == Sleeping || h.driver.sent().size() == 1u);
        if (way == Finishing)
            protocol::finishUnsent(h.station, [&](std::chrono::milliseconds p) { h.pauses.push_back(p); });
        int passes = 0;
        for (; !h.station.unsent.empty() && passes < 10; ++passes)
            h.pass();
        return Run{h.driver.sent(), h.pauses, h.ui.statuses, passes};
    };
    // Two refusals: DL2BBB's third offer is taken. Seven: DL2BBB is given up after five offers,
    // then, with the driver refusing everything, the others after one each.
    for (const auto& [refusals, passes, errors] : {std::tuple{2, 2, 0u}, {7, 4, 3u}}) {
        SCOPED_TRACE(refusals);
        const Run slept = run(Sleeping, refusals), passed = run(Passes, refusals),
                  finished = run(Finishing, refusals);
        EXPECT_EQ(slept.statuses.size(), errors);
        for (const Run* r : {&passed, &finished}) {
            EXPECT_EQ(r->sent, slept.sent);
            EXPECT_EQ(r->statuses, slept.statuses);
        }
        EXPECT_EQ(std::tuple(passed.passes, passed.pauses.size(), finished.pauses),
                  std::tuple(passes, 0u, slept.pauses));
    }
}

TEST_F(Outgoing, AnEditedPathOrChannelIsAddressedAnew)
{
    auto& entry = h.add("DL2BBB-4", S::Online, "1");
    protocol::sendOffline(h.station, entry);
    entry.path = "DL2BBB-5 DB0XY";
    protocol::sendOffline(h.station, entry);
    entry.channel = "3";
    protocol::sendOffline(h.station, entry);
    EXPECT_EQ(each(h.driver.sent(), &SentFrame::destination),
              (std::vector<std::string>{"DL2BBB-4 1", "DL2BBB-5 1 DB0XY", "DL2BBB-5 3 DB0XY"}));
}

// What other stations' presence frames do to the roster, what is answered, and registration.
// That they restart the numbering of our texts is Messages.PresenceFramesRestartTheNumberingOfAPendingText.
#include "protocol/presence.h"

#include <gtest/gtest.h>

#include "app/activity_log.h"
#include "app/roster_store.h"
#include "protocol/frame_format.h"
#include "tests/protocol/station_harness.h"

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using dialogs::TEventKind;
using protocol::TrayPicture;

namespace {

constexpr const char* kMe = StationHarness::kMyCall;
constexpr const char* kPeer = "DL2BBB-4";  // the roster entry's call with SSID

class Presence : public ::testing::Test {
protected:
    StationHarness h;
    app::TUserEntry& peer = h.add(kPeer, S::Online, "1", "Alt");
};

}  // namespace

// The new state after each frame, without and with the entry's unread mark. The handlers look
// at the state before only where a row shows it; from any other state they give the same.
TEST(PresenceStates, EachFrameGivesItsStateAndKeepsTheUnreadMarkWhereDue)
{
    const std::tuple<S, int, const char*, S, S> cases[] = {
        // before, pid, info, then read and unread
        {S::Away, 218, "[Sued]\x19", S::Online, S::Online},
        {S::Online, 218, "[]", S::Offline, S::Offline},
        {S::OnlineUnread, 218, "[]", S::OfflineUnread, S::OfflineUnread},
        {S::AwayUnread, 218, "[]", S::Offline, S::Offline},
        {S::Online, 220, "Beim Essen", S::Away, S::AwayUnread},
        {S::Away, 220, "", S::Online, S::OnlineUnread},
        {S::Sending, 219, "", S::HasPolled, S::HasPolled},
        // A poll answer from OfflineUnread: Presence.PollAnswerEndsThePollAndTellsTheState.
        {S::OnlineUnread, 219, "-", S::Away, S::Away},
        {S::Offline, 210, "Hallo", S::OnlineUnread, S::OnlineUnread},
        {S::Away, 210, "Hallo", S::AwayUnread, S::AwayUnread},
        {S::AwayUnread, 210, "Hallo", S::OnlineUnread, S::OnlineUnread},
        {S::Sending, 208, "", S::Online, S::OnlineUnread},
    };
    for (const auto& [before, pid, info, read, afterUnread] : cases) {
        for (const bool unread : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "state " << static_cast<int>(before) << " pid " << pid
                                              << " \"" << info << "\" unread " << unread);
            StationHarness h;
            auto& entry = h.add(kPeer, before);
            entry.unread = unread;
            h.handle("DL2BBB-7", pid, info);
            EXPECT_EQ(entry.state, unread ? afterUnread : read);
        }
    }
}

TEST_F(Presence, StatusAnnounceIsAnsweredOnlyWhenOnlineAndAsked)
{
    struct Case {
        bool online;
        char marker;
        bool answered;
    };
    const Case cases[] = {
        {true, 0x18, true}, {false, 0x18, false}, {true, 0x19, false}, {false, 0x19, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "online " << c.online << " marker " << int(c.marker));
        StationHarness h;
        auto& entry = h.add(kPeer, S::AwayUnread, "1", "Alt");
        entry.unread = true;
        entry.lastRxPid = "212";
        h.setOnline(c.online);

        h.handle("DL2BBB-9", 218, std::string("[Sued]") + c.marker);

        EXPECT_EQ(
            std::tie(entry.state, entry.unread, entry.alias, entry.lastRxPid, h.ui.icons, h.ui.statuses),
            std::make_tuple(S::Online, true, "Sued", "218", std::vector<TrayPicture>{TrayPicture::UserOn},
                            std::vector<std::string>{}));

        using Sent = std::vector<SentFrame>;
        using Sounds = std::vector<std::string>;
        EXPECT_EQ(std::tuple(h.driver.sent(), h.ui.popups, h.sound.played()),
                  c.answered ? std::tuple(Sent{{kMe, "DL2BBB-4 1", 218, "[Nord]\x19", true}}, 1,
                                          Sounds{waveOf(TEventKind::evUserOnline)})
                             : std::tuple(Sent{}, 0, Sounds{}));
    }
}

TEST_F(Presence, StatusAnnounceUpdatesByPrefixButAnswersTheExactCall)
{
    // A five-letter call is the beginning of a six-letter one listed before it.
    auto& longer = peer;
    auto& shorter = h.add("DL2BB-1", S::Offline, "2", "Kurz");
    h.setOnline(true);

    h.handle("DL2BB-1", 218, "[Wer]\x18");

    EXPECT_EQ(std::tuple(longer.alias, shorter.alias), std::tuple("Wer", "Kurz"));
    EXPECT_EQ(h.driver.sent(), (std::vector<SentFrame>{{kMe, "DL2BB-1 2", 218, "[Nord]\x19", true}}));
}

TEST_F(Presence, OfflineAwayAndBackSideEffects)
{
    h.handle("DL2BB", 218, "[]");  // an offline announcement needs the exact call, not a prefix
    EXPECT_EQ(std::tuple(peer.state, h.ui.statuses.size()), std::tuple(S::Online, 0u));

    peer.awayText = "alt";
    h.handle(kPeer, 220, "+");  // away without a text clears the old one
    EXPECT_EQ(std::tuple(peer.awayText, peer.state), std::tuple("", S::Away));

    // The status line and icon of away, back and offline: Transcript.AWholeExchangePrintsAndLogsWhatItAlwaysHas.
    h.handle(kPeer, 220, "Beim Essen\r\nbis 14 Uhr");
    EXPECT_EQ(peer.awayText, "Beim Essen\r\nbis 14 Uhr");

    h.handle(kPeer, 220, "");  // back: the away text stays
    EXPECT_EQ(std::make_tuple(peer.state, peer.awayText),
              std::make_tuple(S::Online, "Beim Essen\r\nbis 14 Uhr"));

    h.handle("DL2BBB", 218, "[]");
    EXPECT_EQ(peer.state, S::Offline);

    const std::vector<std::string> reported = {waveOf(TEventKind::evUserAway), waveOf(TEventKind::evUserAway),
                                               waveOf(TEventKind::evUserBack),
                                               waveOf(TEventKind::evUserOffline)};
    EXPECT_EQ(std::tuple(h.sound.played(), h.ui.popups, h.driver.sent().size()), std::tuple(reported, 4, 0u));
}

TEST_F(Presence, PollRequestIsAnsweredByTheOwnPresence)
{
    struct Case {
        const char* name;
        bool online;
        bool away;
        bool pollAway;
        std::optional<std::string> answer;
        bool refused = false;    // offered once, without a pause and without a transmission error
        bool soundsOff = false;  // the station's own sound switch
    };
    const Case cases[] = {
        // Which text gives "-" instead is FrameFormat.PollAnswerWritingAndReading.
        {"present", true, false, true, "+"},
        {"present, the driver refusing", true, false, true, "+", true},
        {"away with text", true, true, true, "Beim Essen"},
        {"away, option off, the station's sounds off", true, true, false, "-", false, true},
        {"own station offline and away", false, true, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationHarness h;
        auto& entry = h.add(kPeer, S::Sending, "1", "Alt");
        entry.lastRxPid = "215";
        entry.sounds = c.soundsOff ? "0" : "1";
        h.setOnline(c.online);
        h.station.setAway(c.away);
        h.settings.setOption(dialogs::Option::PollAway, c.pollAway);
        h.settings.setAwayText("Beim Essen");
        h.driver.refuse(c.refused ? -1 : 0);

        h.handle("DL2BBB-1", 219);

        using Sent = std::vector<SentFrame>;
        EXPECT_EQ(h.driver.sent(),
                  (c.answer ? Sent{{kMe, "DL2BBB-4 1", 219, *c.answer, !c.refused}} : Sent{}));
        EXPECT_EQ(std::tie(entry.state, entry.lastRxPid, h.ui.statuses, h.ui.icons, h.ui.popups, h.pauses),
                  std::make_tuple(S::HasPolled, "218", std::vector<std::string>{"Poll von Alt"},
                                  std::vector<TrayPicture>{TrayPicture::Polled}, 1,
                                  std::vector<std::chrono::milliseconds>{}));
        // Once for the poll itself, once more through the event report while the station's sounds
        // are on. Both go through playEventSound, silent while sounds are off:
        // SettingsTest.EventSoundPlaysOnlyWaveFilesWhileSoundsAreOn.
        EXPECT_EQ(h.sound.played(),
                  std::vector<std::string>(c.soundsOff ? 1 : 2, waveOf(TEventKind::evPolled)));
    }
}

TEST_F(Presence, PollAnswerEndsThePollAndTellsTheState)
{
    struct Case {
        std::string info;
        S state;
        std::string awayText;
    };
    // How the answer reads is FrameFormat.PollAnswerWritingAndReading.
    const Case cases[] = {
        {"+", S::Online, "vorher"},
        {"Beim Essen", S::Away, "Beim Essen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info);
        StationHarness h;
        auto& entry = h.add(kPeer, S::OfflineUnread);
        entry.unread = true;
        entry.pollCount = "87";
        entry.lastRxPid = "209";
        entry.awayText = "vorher";

        h.handle(kPeer, 219, c.info);

        // Never the unread variant.
        EXPECT_EQ(std::tie(entry.state, entry.awayText, entry.pollCount, entry.lastRxPid),
                  std::make_tuple(c.state, c.awayText, "0", "218"));
        EXPECT_EQ(std::tuple(h.ui.statuses, h.ui.icons, h.sound.played(), h.ui.popups),  // no event report
                  std::tuple(std::vector<std::string>{"Poll erfolgreich"},
                             std::vector<TrayPicture>{TrayPicture::UserOn},
                             std::vector<std::string>{waveOf(TEventKind::evUserOnline)}, 0));
    }
}

TEST_F(Presence, FramesFromUnregisteredStationsChangeNothingAndAPollIsOnlyNoticed)
{
    h.setOnline(true);
    for (const auto& [pid, info] : std::vector<std::pair<int, std::string>>{
             {218, "[]"}, {220, "weg"}, {220, ""}, {219, "+"}, {210, "Hallo"}, {208, ""}}) {
        h.handle("DK7XYZ-1", pid, info);
    }
    EXPECT_TRUE(h.ui.icons.empty());
    h.handle("DK7XYZ", 219);
    EXPECT_EQ(std::tuple(h.ui.icons, h.sound.played()),
              std::tuple(std::vector<TrayPicture>{TrayPicture::Polled},
                         std::vector<std::string>{waveOf(TEventKind::evPolled)}));
    EXPECT_EQ(std::make_tuple(h.driver.sent().size(), h.ui.statuses.size(), h.ui.popups, h.roster.size(),
                              peer.state, peer.alias),
              std::make_tuple(0u, 0u, 0, 1, S::Online, "Alt"));
}

TEST_F(Presence, EventReportFollowsTheEventsRecord)
{
    auto& third = h.add("OE3CCC", S::Online);
    h.add("DB0AAA", S::Online);
    const auto logFile = std::filesystem::path(h.registryPaths().currentUser).parent_path() / "Zelvo.log";
    app::ActivityLog log(logFile);
    ASSERT_EQ(log.createFile(), std::nullopt);
    h.station.log = &log;
    h.settings.updateEvent(TEventKind::evUserAway, [](dialogs::TEreignisObj& event) {
        event.popup = false;
        event.entryTop = true;
        event.logEvent = true;
    });
    h.settings.updateEvent(TEventKind::evUserBack, [](dialogs::TEreignisObj& event) {
        event.popup = true;
        event.entryTop = false;
        event.logEvent = false;
    });
    third.sounds = "0";

    h.handle("OE3CCC", 220, "+");  // the others keep their order
    EXPECT_EQ(std::tuple(&h.roster.at(0), &h.roster.at(1), h.ui.popups, h.sound.played().size()),
              std::tuple(&third, &peer, 0, 0u));

    h.handle(kPeer, 220, "");
    EXPECT_EQ(std::tuple(&h.roster.at(0), h.ui.popups), std::tuple(&third, 1));

    const std::string lines = readFile(logFile);
    EXPECT_NE(lines.find(" Away   : OE3CCC\r\n"), std::string::npos) << lines;
    EXPECT_EQ(lines.find("Back"), std::string::npos) << lines;
}

// Registration of a station that is not on the roster. A declined registration asked again,
// the path of a directly heard station and its query at once are checked end to end
// (tools/station_e2e_test.cpp, StationPair.Registration*).

TEST_F(Presence, RegisteredStationIsAnsweredOnItsChannelAlongTheWayBack)
{
    app::RosterStore store(h.registry());
    h.station.store = &store;
    h.ui.answers = {true};
    // Offline and an answer marker: the new station is answered all the same.
    h.driver.deliver(AirFrame{"DK7NEW-3", 218, "[Neu]\x19", 5, {"DB0AA", "DB0BB-2"}});
    h.pass();

    EXPECT_EQ(h.ui.questions, std::vector<std::string>{"DK7NEW"});
    ASSERT_EQ(h.roster.size(), 2);
    const app::TUserEntry& added = h.roster.at(1);
    EXPECT_EQ(added.textFields(), (std::array<std::string, 10>{"Neu", "5", "DK7NEW-3 DB0BB-2 DB0AA", "1", "1",
                                                               "0", "", "208", "218", ""}));
    EXPECT_EQ(std::tuple(added.state, added.unread, added.rxBuffer.size() + added.txBuffer.size()),
              std::tuple(S::Online, false, 0u));
    EXPECT_EQ(h.driver.sent(),
              (std::vector<SentFrame>{{kMe, "DK7NEW-3 5 DB0BB-2 DB0AA", 218, "[Nord]\x19", true}}));
    EXPECT_EQ(
        std::tuple(h.ui.icons, h.ui.registeredCalls, h.ui.statuses.size(), h.ui.popups),
        std::tuple(std::vector<TrayPicture>{TrayPicture::UserOn}, std::vector<std::string>{"DK7NEW"}, 0u, 0));

    // Saved at once: the next start reads it back.
    platform::Registry again(h.registryPaths());
    app::RosterStore reread(again);
    app::Roster loaded;
    EXPECT_TRUE(reread.loadList(loaded).empty());
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(std::tuple(loaded.at(1).call, loaded.at(1).textFields()),
              std::tuple("DK7NEW", added.textFields()));
}

// The question holds the pass while the user goes on: what was added meanwhile counts. A full
// roster refuses without asking.
TEST_F(Presence, RegistrationLooksAtTheRosterBeforeAndAgainAfterTheQuestion)
{
    h.ui.defaultAnswer = true;
    h.ui.whileAsking = [&] { h.add("DK7NEW-1"); };
    h.handle("DK7NEW", 218, "[Neu]\x18");
    EXPECT_EQ(std::tuple(h.roster.size(), h.ui.registeredCalls.size()), std::tuple(2, 0u));

    h.ui.whileAsking = [&] {
        while (!h.roster.isFull())
            h.add("DL" + std::to_string(h.roster.size()) + "X");
    };
    h.handle("DK8NEW", 218, "[Neu]\x18");
    EXPECT_EQ(std::tuple(h.roster.size(), h.ui.lastStatus()),
              std::tuple(app::MAX_ENTRIES, "Maximale Anzahl erreicht"));

    h.handle("DK9NEW", 218, "[Neu]\x18");
    EXPECT_EQ(std::tuple(h.ui.questions.size(), h.ui.statuses.size(), h.ui.lastStatus(), h.roster.size(),
                         h.driver.sent().size()),
              std::tuple(2u, 2u, "Maximale Anzahl erreicht", app::MAX_ENTRIES, 0u));
}

TEST_F(Presence, SenderWithoutACallIsNeitherAskedAboutNorRegistered)
{
    // A source address without call letters, SSID 6: the driver names it "-6".
    FlxUiFrame record{};
    record.source[6] = 0x60 | 6 << 1;
    record.pid = protocol::PID_STATUS;
    const std::string info = "[Niemand]\x18";
    std::memcpy(record.info_storage, info.data(), info.size());
    record.info_length = static_cast<std::uint16_t>(info.size());
    record.info = record.info_storage;
    h.ui.defaultAnswer = true;

    protocol::onStatusAnnounce(h.station, link::UiFrameView(&record));
    EXPECT_EQ(std::tuple(h.ui.questions.size(), h.roster.size(), h.driver.sent().size()),
              std::tuple(0u, 1, 0u));
}

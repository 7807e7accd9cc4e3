// Message receipt and acknowledgement, and the delivery and poll countdowns driven pass by pass.
#include "protocol/messages.h"

#include <gtest/gtest.h>

#include <functional>

#include "protocol/commands.h"
#include "protocol/outgoing.h"
#include "tests/protocol/station_harness.h"

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using dialogs::TEventKind;
using protocol::TrayPicture;

namespace {

constexpr const char* kMe = StationHarness::kMyCall;
constexpr const char* kPeer = "DL2BBB-4";

bool isMessage(const SentFrame& frame)
{
    return frame.pid >= 208 && frame.pid <= 217 && !frame.info.empty();
}

class Messages : public ::testing::Test {
protected:
    StationHarness h;
    app::TUserEntry& peer = h.add(kPeer, S::Online, "1", "Alt");

    // Runs passes one at a time up to `last` and notes at which passes a frame matching `match`
    // went out and at which the ui showed `status`.
    struct Timeline {
        std::vector<int> sends;
        std::vector<int> pids;
        std::vector<int> statusAt;
    };
    template <typename Match>
    Timeline runPasses(int last, Match match, std::string_view status)
    {
        Timeline timeline;
        for (int pass = 1; pass <= last; ++pass) {
            const std::size_t statuses = h.ui.statuses.size();
            h.pass();
            for (const SentFrame& frame : h.driver.takeSent()) {
                if (match(frame)) {
                    timeline.sends.push_back(pass);
                    timeline.pids.push_back(frame.pid);
                }
            }
            for (std::size_t i = statuses; i < h.ui.statuses.size(); ++i)
                if (h.ui.statuses[i] == status)
                    timeline.statusAt.push_back(pass);
        }
        return timeline;
    }
};

}  // namespace

TEST_F(Messages, NewMessageIsAcknowledgedStoredAndReported)
{
    // The own station is offline: a message is taken all the same.
    h.handle("DL2BBB-9", 211, "Hallo\r\nWelt");

    EXPECT_EQ(h.driver.sent(), (std::vector<SentFrame>{{kMe, "DL2BBB-4 1", 211, "", true}}));
    EXPECT_EQ(std::tie(peer.lastRxPid, peer.state, peer.unread),
              std::make_tuple("211", S::OnlineUnread, true));
    // Its status line, icon and popup: Transcript.AWholeExchangePrintsAndLogsWhatItAlwaysHas.
    using Texts = std::vector<std::string>;
    EXPECT_EQ(std::tuple(peer.rxBuffer, h.ui.conversations, h.sound.played()),
              std::tuple(Texts{"R12:34:56 Hallo\r\nWelt"}, std::vector<const app::TUserEntry*>{&peer},
                         Texts{waveOf(TEventKind::evMessageReceived)}));
    EXPECT_EQ(h.ui.received, (std::vector<std::pair<std::string, std::string>>{{"DL2BBB", "Hallo\r\nWelt"}}));
    // Notified with its text, as a received message is by default.
    EXPECT_EQ(h.ui.notices, (std::vector<std::pair<TEventKind, std::string>>{
                                {TEventKind::evMessageReceived, "Hallo\r\nWelt"}}));
}

TEST_F(Messages, EveryCopyIsAcknowledgedButStoredOnce)
{
    h.handle(kPeer, 213, "Hallo");
    h.handle(kPeer, 213, "Hallo");
    h.driver.refuse(1);
    h.handle(kPeer, 213, "Hallo");  // a refused ack is not offered again
    h.handle(kPeer, 214, "Hallo");  // the next number is a new message, even with the same text

    std::vector<int> ackPids;
    for (const SentFrame& frame : h.driver.sent()) {
        EXPECT_TRUE(frame.info.empty());
        ackPids.push_back(frame.pid);
    }
    EXPECT_EQ(std::tuple(ackPids, peer.rxBuffer.size(), h.ui.popups),
              std::tuple(std::vector<int>{213, 213, 213, 214}, 2u, 2));
}

// Whenever the peer restarts its numbering at 208 (it came online again, or we sent something
// that makes it restart), our duplicate filter must forget the peer's last number at once: the
// answer that would tell us may be lost, and the peer's next new text with 208 would then be
// acknowledged but never stored. (Our announcement sends the answer's frame to every row:
// Outgoing.GoingOnlineAsksEveryEntryInListOrderAndKeepsItsNumbering.)
TEST_F(Messages, WhatRestartsThePeersNumberingLetsItsNext208In)
{
    h.setOnline(true);
    struct Case {
        const char* name;
        std::function<void()> restart;
    };
    const Case cases[] = {
        {"its own announcement", [&] { h.handle(kPeer, 218, "[Alt]\x19"); }},
        {"our poll", [&] { protocol::pollStation(h.station, peer); }},
        {"our answer to its announcement", [&] { protocol::sendStatus(h.station, peer, true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        peer.rxBuffer.clear();
        peer.lastRxPid = "218";
        h.handle(kPeer, 208, "eins");
        c.restart();  // and any reply of the peer to it is lost
        h.handle(kPeer, 208, "zwei");
        ASSERT_EQ(peer.rxBuffer.size(), 2u);
        EXPECT_TRUE(peer.rxBuffer[1].ends_with(" zwei"));
    }
}

TEST_F(Messages, MatchingAckDeliversTheHeadText)
{
    peer.state = S::Sending;
    peer.unread = true;
    peer.sendPid = "210";
    peer.sendCount = "87";
    peer.txBuffer = {"erste", "zweite"};
    h.handle(kPeer, 210);
    EXPECT_EQ(std::tie(peer.state, peer.sendPid, peer.sendCount),
              std::make_tuple(S::OnlineUnread, "211", ""));
    EXPECT_EQ(std::tuple(peer.txBuffer, peer.rxBuffer, h.ui.conversations),
              std::tuple(std::vector<std::string>{"zweite"}, std::vector<std::string>{"T12:34:56 erste"},
                         std::vector<const app::TUserEntry*>{&peer}));
    EXPECT_EQ(h.ui.delivered, (std::vector<std::pair<std::string, std::string>>{{"DL2BBB", "erste"}}));

    // The number wraps after 217; an ack with nothing queued still ends the countdown.
    peer.state = S::Sending;
    peer.sendPid = "217";
    peer.sendCount = "87";
    peer.txBuffer.clear();
    h.handle(kPeer, 217);
    EXPECT_EQ(std::make_tuple(peer.state, peer.sendPid, peer.sendCount, peer.rxBuffer.size(),
                              h.driver.sent().size(), h.ui.statuses.size(), h.ui.icons.size()),
              std::make_tuple(S::OnlineUnread, "208", "", 1u, 0u, 0u, 0u));
}

TEST_F(Messages, UnacknowledgedTextGoesOutFiveTimesIsGivenUpAndGoesOutAgainWhenTheStationReturns)
{
    h.setOnline(true);
    ASSERT_TRUE(protocol::queueMessage(h.station, peer, "Hallo", false));

    const Timeline timeline = runPasses(400, isMessage, kTransmissionError);

    EXPECT_EQ(
        std::tuple(timeline.sends, timeline.pids, timeline.statusAt),  // the status 29 passes after the fifth
        std::tuple(std::vector<int>{1, 31, 61, 91, 121}, std::vector<int>(5, 208), std::vector<int>{150}));
    EXPECT_EQ(
        std::tie(peer.state, peer.sendCount, peer.txBuffer, h.ui.icons.back()),  // the text still queued
        std::make_tuple(S::Offline, "", std::vector<std::string>{"Hallo"}, TrayPicture::UserOff));
    EXPECT_EQ(h.ui.failed, (std::vector<std::pair<std::string, std::string>>{{"DL2BBB", "Hallo"}}));

    // The pass that handles the station's return already restarts the delivery, with four sends.
    h.receive(kPeer, 218, "[Alt]\x19");
    const Timeline again = runPasses(200, isMessage, kTransmissionError);
    EXPECT_EQ(std::tuple(again.sends, again.statusAt),
              std::tuple(std::vector<int>{1, 31, 61, 91}, std::vector<int>{120}));
}

TEST_F(Messages, StateIsSendingWhileOnTheAirAndAQueueDrainsInOrder)
{
    h.setOnline(true);
    protocol::queueMessage(h.station, peer, "erste", false);
    protocol::queueMessage(h.station, peer, "zweite", false);
    h.pass();
    EXPECT_EQ(peer.state, S::Sending);
    ASSERT_EQ(h.driver.takeSent(), (std::vector<SentFrame>{{kMe, "DL2BBB-4 1", 208, "erste", true}}));

    h.handle(kPeer, 208);  // the ack; the next text starts in the same pass's countdown
    EXPECT_EQ(h.driver.takeSent(), (std::vector<SentFrame>{{kMe, "DL2BBB-4 1", 209, "zweite", true}}));
    h.handle(kPeer, 209);
    h.pass(200);
    EXPECT_EQ(std::tuple(peer.txBuffer.size(), peer.rxBuffer, h.driver.sent().size(), peer.state),
              std::tuple(0u, std::vector<std::string>{"T12:34:56 erste", "T12:34:56 zweite"}, 0u, S::Online));
}

TEST_F(Messages, RefusedTransmissionIsGivenUpAndRepeatedOnSchedule)
{
    h.setOnline(true);
    protocol::queueMessage(h.station, peer, "Hallo", false);
    h.driver.refuse(-1);
    h.pass();
    EXPECT_EQ(std::tuple(h.driver.takeSent().size(), h.ui.lastStatus()),
              std::tuple(static_cast<std::size_t>(protocol::kSendAttempts), kTransmissionError));
    h.driver.refuse(0);
    EXPECT_EQ(runPasses(30, isMessage, kTransmissionError).sends, std::vector<int>{30});
}

TEST_F(Messages, CountdownsStandStillWhileTheirFrameWaitsInTheDriver)
{
    h.setOnline(true);
    app::TUserEntry& polled = h.add("DL3CCC", S::Away);
    h.driver.holdSends(true);
    // An acknowledgment takes back the copy still waiting.
    protocol::queueMessage(h.station, peer, "Erst", false);
    h.pass();
    ASSERT_TRUE(h.driver.frameWaiting(kMe, "DL2BBB-4 1", 208, "Erst"));
    h.handle(kPeer, 208);
    EXPECT_FALSE(h.driver.frameWaiting(kMe, "DL2BBB-4 1", 208, "Erst"));

    ASSERT_TRUE(protocol::queueMessage(h.station, peer, "Hallo", false));
    ASSERT_TRUE(protocol::pollStation(h.station, polled));
    h.pass(100);  // both first frames wait for a busy channel all along
    EXPECT_EQ(h.driver.takeSent().size(), 3u);
    h.driver.holdSends(false);

    // From the pass their frames left the driver, both run as on an idle channel.
    const Timeline timeline = runPasses(
        200, [](const SentFrame& f) { return isMessage(f) || f.pid == 219; }, kTransmissionError);
    EXPECT_EQ(std::tuple(timeline.sends, timeline.pids, timeline.statusAt, polled.state),
              std::tuple(std::vector<int>{30, 30, 60, 60, 90, 90, 120, 120},
                         std::vector<int>{209, 219, 209, 219, 209, 219, 209, 219}, std::vector<int>{149},
                         S::Offline));
}

TEST_F(Messages, PresenceFramesRestartTheNumberingOfAPendingText)
{
    struct Case {
        const char* name;
        int pid;
        std::string info;
    };
    const Case cases[] = {
        {"status announcement", 218, "[Alt]\x19"},
        {"poll request", 219, ""},
        {"poll answer", 219, "+"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationHarness h;
        auto& entry = h.add(kPeer, S::Online, "1");
        entry.sendPid = "212";
        h.setOnline(true);
        protocol::queueMessage(h.station, entry, "Hallo", false);
        h.pass();
        h.handle(kPeer, c.pid, c.info);
        h.pass(29);  // the repetition at pass 31
        std::vector<int> pids;
        for (const SentFrame& frame : h.driver.takeSent())
            if (isMessage(frame))
                pids.push_back(frame.pid);
        EXPECT_EQ(pids, (std::vector<int>{212, 208}));

        h.handle(kPeer, 212);  // the old number no longer matches
        EXPECT_TRUE(entry.txBuffer.size() == 1 && entry.sendCount != "");
        h.handle(kPeer, 208);
        EXPECT_EQ(std::tuple(entry.txBuffer.size(), entry.sendPid), std::tuple(0u, "209"));
    }
}

// A poll that runs out leaves the station offline; a text waiting for it is not sent then, nor to
// the offline station.
TEST_F(Messages, APollThatRunsOutLeavesTheStationOfflineAndAWaitingTextUnsent)
{
    h.setOnline(true);
    peer.txBuffer = {"wartet"};
    peer.pollCount = "2";
    h.pass();  // the poll gives up in the same pass in which the delivery would have started
    // The polls before the give-up go out as the countdowns run: CountdownsStandStill...
    EXPECT_EQ(std::make_tuple(peer.state, peer.sendCount, h.driver.sent().size(), h.ui.lastStatus(),
                              peer.pollCount, h.ui.icons.size()),
              std::make_tuple(S::Offline, "", 0u, "User ist Offline", "0", 0u));

    peer.pollCount = "31";
    h.pass(60);  // polled again, but sent no text
    EXPECT_EQ(std::tuple(h.driver.sent(), peer.sendCount),
              std::tuple(std::vector<SentFrame>{{kMe, "DL2BBB-4 1", 219, "", true}}, ""));
}

// The sizes of the parts a text is cut into, once no part is found too short, too long or ending
// inside a line break, and the parts make up the text.
static std::vector<std::size_t> partSizes(const std::string& text)
{
    const auto parts = protocol::splitMessageText(text);
    std::vector<std::size_t> sizes;
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_TRUE(parts[i].size() >= 2 && parts[i].size() <= protocol::kMaxMessageText)
            << "part " << i << " of " << parts[i].size();
        EXPECT_FALSE(i + 1 < parts.size() && parts[i].back() == '\r' && parts[i + 1].front() == '\n') << i;
        sizes.push_back(parts[i].size());
        joined += parts[i];
    }
    EXPECT_EQ(joined, text);
    return sizes;
}

TEST(MessageSplit, LongTextsAreCutAtTheLastBreakWithinTheLimit)
{
    const std::string words250 = std::string(250, 'a');
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::size_t> sizes;
    };
    const Case cases[] = {
        {"fits", std::string(255, 'x'), {255}},
        {"one over, no blank", std::string(256, 'x'), {254, 2}},
        {"blank near the end", words250 + " bbbbbbbbbbbb", {251, 12}},
        {"line break", std::string(200, 'a') + "\r\n" + std::string(100, 'b'), {202, 100}},
        {"no blank, three parts", std::string(600, 'x'), {255, 255, 90}},
        {"hard cut keeps CR LF together", std::string(254, 'x') + "\r\n" + std::string(10, 'y'), {254, 12}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(partSizes(c.text), c.sizes) << c.name;
}

TEST(MessageSplit, NoPartIsTooShortTooLongOrEndsInsideALineBreak)
{
    // Texts of every length around the limit, with breaks at every place near it.
    for (std::size_t length = 250; length <= 520; ++length) {
        for (std::size_t at = 240; at < 260 && at + 1 < length; ++at) {
            for (const std::string_view brk : {" ", "\r\n"}) {
                SCOPED_TRACE(::testing::Message() << "length " << length << " break at " << at);
                std::string text(length, 'x');
                text.replace(at, brk.size(), brk);
                partSizes(text);
            }
        }
    }
}

// Two zelvo-station processes on one zelvo-air channel, driven through their command lines:
// presence, messages, the monitor, registration, and delivery under frame loss. Give-up and late delivery are
// the engine's alone, in tests/protocol:
// Messages.UnacknowledgedTextGoesOutFiveTimesIsGivenUpAndGoesOutAgainWhenTheStationReturns.
// A third raw KISS client listens where the bytes on the air matter. What the engine answers
// in detail is checked pass by pass in tests/protocol; here only what needs two real stations.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <regex>
#include <set>

#include "driver/ax25_frame.h"
#include "tests/tools/air_support.h"

namespace zelvo::testing {
namespace {

const std::string kAir = ZELVO_AIR_BIN;
const std::string kStation = ZELVO_STATION_BIN;
constexpr auto kWait = 10s;
// One pass is 10 ms: a repetition every 300 ms, a give-up after 1.5 s.
constexpr const char* kPassMs = "10";

// The conversation (`history CALL`): "T" delivered or "R" received, and the text.
using History = std::vector<std::pair<char, std::string>>;
History history(Process& station, const std::string& call)
{
    station.write_line("history " + call);
    const std::regex hist("HIST " + call + " ([TR])\\d\\d:\\d\\d:\\d\\d (.*)");
    History out;
    for (std::smatch match;;) {
        const auto line = station.wait_line(
            [&](const std::string& l) { return l.starts_with("HIST " + call + " ") || l == "END " + call; },
            kWait);
        if (!line || *line == "END " + call) {
            EXPECT_TRUE(line) << "history " << call << " did not end" << tail(station);
            return out;
        }
        EXPECT_TRUE(std::regex_match(*line, match, hist)) << "malformed history line: " << *line;
        out.emplace_back(match.str(1)[0], match.str(2));
    }
}

class StationPair : public ::testing::Test {
protected:
    Home a{"DL1AAA-1", "Anna"};
    Home b{"DL2BBB-3", "Bert"};
    AirInstance air;
    std::unique_ptr<KissClient> monitor;
    std::unique_ptr<Process> pa, pb;

    // zelvo-air with args, a raw listener on it, and both stations connected (B with b_options).
    void open_channel(std::vector<std::string> args = {}, std::vector<std::string> b_options = {})
    {
        air = start_air(kAir, std::move(args));
        ASSERT_NE(air.port, 0);
        monitor = std::make_unique<KissClient>(air.port);
        ASSERT_TRUE(monitor->connected());
        ASSERT_TRUE(air.process->wait_line(contains(" connected from")));
        pa = start(a);
        pb = start(b, std::move(b_options));
    }

    // Starts the station of home on the channel; returns once it is ready and connected.
    std::unique_ptr<Process> start(const Home& home, std::vector<std::string> options = {})
    {
        auto station =
            start_station(kStation, home, "0 kiss-tcp 127.0.0.1:" + std::to_string(air.port) + " Sim",
                          kPassMs, std::move(options));
        EXPECT_TRUE(station->wait_line(line_is("READY " + home.call))) << tail(*station);
        EXPECT_TRUE(air.process->wait_line(contains(" connected from"))) << home.call << " did not connect";
        return station;
    }

    static void add(Process& station, const Home& peer)
    {
        station.write_line("add " + peer.call);
        ASSERT_SEES(station, "ADDED " + peer.base() + " 0 " + peer.call);
    }

    // Sends a message and waits until the receiver shows it and the sender has it acknowledged.
    static void deliver(Process& from, const Home& from_home, Process& to, const Home& to_home,
                        const std::string& text)
    {
        from.write_line("msg " + to_home.base() + " " + text);
        ASSERT_SEES(to, "RX " + from_home.base() + " " + text);
        ASSERT_SEES(from, "TX " + to_home.base() + " " + text);
    }
};

TEST_F(StationPair, MessagesBothWaysThenPresenceAwayPollBackAndOffline)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    // Both on each other's roster and online, each showing the other Online.
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    ASSERT_NO_FATAL_FAILURE(add(*pb, a));
    pa->write_line("online");
    ASSERT_SEES(*pa, "SELF online qrv");
    // B hears A while offline itself: Online, but no answer yet.
    ASSERT_SEES(*pb, "STATE " + a.base() + " Online");
    pb->write_line("online");
    ASSERT_SEES(*pb, "SELF online qrv");
    ASSERT_SEES(*pa, "STATE " + b.base() + " Online");

    // Umlauts and line breaks, delivered both ways and kept.
    const std::string there = "Grüße aus Köln\\nZeile 2";
    const std::string back = "Maß für Übermut: ä ö ü ß\\nEnde";
    ASSERT_NO_FATAL_FAILURE(deliver(*pa, a, *pb, b, there));
    ASSERT_NO_FATAL_FAILURE(deliver(*pb, b, *pa, a, back));

    // On the air: Windows-1252, one byte an umlaut, CR LF, as A's first message. The
    // acknowledgement and the lines kept: Messages.NewMessageIsAcknowledgedStoredAndReported and
    // MatchingAckDeliversTheHeadText.
    EXPECT_TRUE(hears(*monitor, ax25::encodeFrame(ui_frame("DL1AAA-1", "DL2BBB-3", 208,
                                                           "Gr\xFC\xDF"
                                                           "e aus K\xF6ln\r\nZeile 2"))));
    EXPECT_EQ(history(*pb, "DL1AAA"), (History{{'R', there}, {'T', back}}));

    // Away with a reason: the text travels as it is, the peer shows Away.
    pa->write_line("away Bin beim Essen");
    ASSERT_SEES(*pa, "SELF online away");
    ASSERT_SEES(*pb, "STATUS Anna ist Away");
    ASSERT_SEES(*pb, "STATE DL1AAA Away");

    // A poll of an away station is answered with the away text: still Away, and polled there.
    pb->write_line("poll DL1AAA");
    ASSERT_SEES(*pa, "STATUS Poll von Bert");
    ASSERT_SEES(*pb, "STATUS Poll erfolgreich");
    // The bytes of both: FrameFormat's away and poll-answer tests; the "+" of a present station:
    // Presence.PollRequestIsAnsweredByTheOwnPresence.

    pa->write_line("back");
    ASSERT_SEES(*pa, "SELF online qrv");
    ASSERT_SEES(*pb, "STATE DL1AAA Online");

    pb->write_line("offline");
    ASSERT_SEES(*pb, "SELF offline qrv");
    ASSERT_SEES(*pa, "STATE DL2BBB Offline");
    ASSERT_SEES(*pa, "STATUS Bert ist Offline");
    // That an offline station lets a poll run out:
    // Messages.APollThatRunsOutLeavesTheStationOfflineAndAWaitingTextUnsent.
}

// The channel's TNC goes away and comes back: a LINK line and a log line each time, naming the
// channel; the log's other lines are as they were.
TEST_F(StationPair, ATncLostAndBackIsALinkLineAndALogLine)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    const std::string port = std::to_string(air.port);
    const std::string lost = "Kanal 0 „Sim“: TNC 127.0.0.1:" + port + " nicht erreichbar";
    air.process->stop(SIGTERM);
    ASSERT_TRUE(pa->wait_line(starts_with("LINK 0 down " + lost))) << tail(*pa);
    ASSERT_TRUE(pa->wait_line(starts_with("LOG TNC weg: " + lost))) << tail(*pa);
    air = start_air(kAir, {"--port", port});
    ASSERT_EQ(air.port, std::stoi(port));
    const std::string back = "Kanal 0 „Sim“: TNC 127.0.0.1:" + port + " antwortet wieder.";
    ASSERT_SEES(*pa, "LINK 0 up " + back);
    ASSERT_SEES(*pa, "LOG TNC da : " + back);
    pa->write_line("quit");
    ASSERT_SEES(*pa, "BYE");
    ASSERT_EQ(pa->stop(0), 0);  // the log is whole once the station has ended
    std::ifstream file(a.dir / "zelvo.log", std::ios::binary);
    std::string line;
    std::vector<std::string> kinds;
    while (std::getline(file, line))
        kinds.push_back(line.substr(line.find(' ', line.find(' ') + 1) + 1, 9));  // after the date and time
    EXPECT_EQ(kinds, (std::vector<std::string>{"Programm ", "TNC weg: ", "TNC da : ", "Programm "}));
}

// A's monitor prints its own frames, a frame it receives and another station's connected-mode
// frame, each a MON line; none once it is off.
TEST_F(StationPair, MonitorPrintsSentReceivedAndForeignFramesUntilSwitchedOff)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    const auto printed = [&](const std::string& line) {
        return wait_until([&] { return !pa->lines(line_is(line)).empty(); });
    };
    const auto monitorLines = [&] { return pa->lines(starts_with("MON ")).size(); };
    const auto from = [](const char* source, int pid, const std::string& info) {
        return kiss::encodeData(0, ax25::encodeFrame(ui_frame(source, "DL1AAA-1", pid, info)));
    };
    // A connected-mode SABM (poll bit set): a UI frame's address field with the SABM's control byte.
    const std::string sabm =
        kiss::encodeData(0, ax25::encodeFrame(ui_frame("DL4DDD", "DB0XYZ", 0xF0, "")).substr(0, 14) + "\x3F");
    pa->write_line("monitor on");
    pa->write_line("add DL2BBB");
    pa->write_line("online");
    EXPECT_TRUE(printed("MON 0 TX DL1AAA-1>DL2BBB [UI C] pid=DA Status: [Anna]<0x18>"));
    ASSERT_TRUE(monitor->send(from("DL2BBB", 218, "[Bert]\x19")));
    EXPECT_TRUE(printed("MON 0 RX DL2BBB>DL1AAA-1 [UI C] pid=DA Status: [Bert]<0x19>"));
    ASSERT_TRUE(monitor->send(sabm));
    EXPECT_TRUE(printed("MON 0 RX DL4DDD>DB0XYZ [SABM C P]"));

    // Off: neither the foreign frame nor the poll after it (its STATUS line shows it was taken).
    pa->write_line("monitor off");
    pa->write_line("list");
    ASSERT_TRUE(pa->wait_line(starts_with("END ")));
    const std::size_t before = monitorLines();
    ASSERT_TRUE(monitor->send(sabm + from("DL2BBB", 219, "")));
    EXPECT_TRUE(pa->wait_line(contains("Poll von")));
    EXPECT_EQ(monitorLines(), before);

    pa->write_line("monitor sideways");
    EXPECT_TRUE(pa->wait_line(starts_with("ERR usage: monitor on|off")));
}

// Registration between two stations: the question, the entry with the path of a directly heard
// station, and its query right after. That the entry is saved for the next start:
// Presence.RegisteredStationIsAnsweredOnItsChannelAlongTheWayBack.
TEST_F(StationPair, RegistrationAcceptedAddsTheHeardPathAndMayQueryAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(open_channel({}, {"--register", "yes"}));
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    pa->write_line("online");
    ASSERT_SEES(*pb, "ASK DL1AAA yes");
    ASSERT_SEES(*pb, "REGISTERED DL1AAA 0 DL1AAA-1");
    // B answers the registered station whether it is online or not.
    ASSERT_SEES(*pa, "STATE DL2BBB Online");
    pb->write_line("list");
    ASSERT_SEES(*pb, "ENTRY DL1AAA Online channel=0 path=DL1AAA-1 alias=Anna queued=0");

    pb->write_line("online");
    ASSERT_SEES(*pb, "SELF online qrv");
    pa->write_line("msg DL2BBB //ve");
    ASSERT_SEES(*pa, "RX DL2BBB Remote Antwort -> Version: 0.9.7.321");
}

TEST_F(StationPair, RegistrationRefusedAddsNothingAndIsAskedAgain)
{
    ASSERT_NO_FATAL_FAILURE(open_channel({}, {"--register", "no"}));
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    for (int round = 0; round < 2; ++round) {
        pa->write_line("online");
        ASSERT_SEES(*pb, "ASK DL1AAA no");
        pb->write_line("list");
        ASSERT_SEES(*pb, "END 0");
        pa->write_line("offline");
        ASSERT_SEES(*pa, "SELF offline qrv");
    }
    EXPECT_TRUE(pb->lines(starts_with("REGISTERED ")).empty());
    // Nothing was answered, so A still does not know B is there.
    EXPECT_TRUE(pa->lines(line_is("STATE DL2BBB Online")).empty());
}

// Both stations send 100 texts to each other, each after the one before was acknowledged, on a
// channel that loses a fifth of all frames; after every give-up they poll the other until it
// answers. Every text must arrive in order, and nothing may be stored that was never sent.
TEST_F(StationPair, UnderFrameLossNoTextIsLostAndNoneInvented)
{
    constexpr std::size_t kCount = 100;
    ASSERT_NO_FATAL_FAILURE(open_channel({"--loss", "0.2", "--seed", "20240611"}));
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    ASSERT_NO_FATAL_FAILURE(add(*pb, a));

    struct Side {
        Process& station;
        std::string peer;
        std::string label;
        std::vector<std::string> texts{}, acknowledged{};
        int give_ups = 0, polls = 0;

        void poll()
        {
            ++polls;
            station.write_line("poll " + peer);
        }
        void send_next()
        {
            char number[8];
            std::snprintf(number, sizeof number, " %03zu ", texts.size());
            texts.push_back(label + number + (label == "A->B" ? "grün" : "Grüße"));
            station.write_line("msg " + peer + " " + texts.back());
        }
    };
    Side sides[] = {{*pa, "DL2BBB", "A->B"}, {*pb, "DL1AAA", "B->A"}};
    for (Side& side : sides) {
        side.station.write_line("online");
        side.poll();  // the announcements may be lost
        side.send_next();
    }

    const auto started = std::chrono::steady_clock::now();
    while (sides[0].acknowledged.size() < kCount || sides[1].acknowledged.size() < kCount) {
        ASSERT_LT(std::chrono::steady_clock::now() - started, 150s)
            << sides[0].acknowledged.size() << " and " << sides[1].acknowledged.size() << " acknowledged"
            << tail(*pa) << tail(*pb);
        for (Side& side : sides) {
            const auto line = side.station.wait_line([](const std::string&) { return true; }, 2ms);
            if (!line)
                continue;
            if (line->starts_with("TX " + side.peer + " ")) {
                side.acknowledged.push_back(line->substr(4 + side.peer.size()));
                if (side.texts.size() < kCount)
                    side.send_next();
            } else if (*line == "STATUS Übertragungsfehler" || *line == "STATUS User ist Offline") {
                side.give_ups += *line == "STATUS Übertragungsfehler";
                side.poll();
            }
        }
        ASSERT_LE(sides[0].polls + sides[1].polls, 40) << "the stations keep losing each other";
    }
    for (int from = 0; from < 2; ++from) {
        const Side& side = sides[from];
        EXPECT_EQ(side.acknowledged, side.texts);
        std::multiset<std::string> stored;
        for (const auto& [direction, text] : history(sides[1 - from].station, from ? "DL2BBB" : "DL1AAA"))
            if (direction == 'R')
                stored.insert(text);
        const std::set<std::string> sent(side.texts.begin(), side.texts.end());
        for (const std::string& text : side.texts)
            EXPECT_TRUE(stored.count(text)) << "lost: " << text;
        for (const std::string& text : stored)
            EXPECT_TRUE(sent.count(text)) << "stored but never sent: " << text;
    }
    // Each give-up costs one text its first five tries; at a loss of 0.2 each try fails with
    // 1 - 0.8^2 = 0.36, five in a row with 0.006.
    const double share = 1 - (sides[0].give_ups + sides[1].give_ups) / (2.0 * kCount);
    EXPECT_GT(share, 0.9);
}

}  // namespace
}  // namespace zelvo::testing

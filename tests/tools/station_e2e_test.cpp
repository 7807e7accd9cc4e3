// Two zelvo-station processes on one zelvo-air channel, driven through their command lines:
// presence, messages, remote queries, registration, give-up and late delivery, and delivery
// under frame loss. A third raw KISS client listens where the bytes on the air matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
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

LinePredicate line_is(std::string whole)
{
    return [whole = std::move(whole)](const std::string& line) { return line == whole; };
}

LinePredicate any_line()
{
    return [](const std::string&) { return true; };
}

// The last lines a process printed, for failure messages.
std::string tail(Process& process, std::size_t count = 30)
{
    const std::vector<std::string> all = process.lines(any_line());
    std::string out = "\n--- last lines:\n";
    for (std::size_t i = all.size() > count ? all.size() - count : 0; i < all.size(); ++i)
        out += all[i] + "\n";
    return out;
}

// Waits for exactly this line of the process; on failure shows its last lines.
#define ASSERT_SEES(process, text, ...)                                                                      \
    ASSERT_TRUE((process).wait_line(line_is(text) __VA_OPT__(, ) __VA_ARGS__)) << tail(process)

// Anna's (DL1AAA-1) entry as `list` shows it at the other station.
std::string anna_entry(const std::string& state)
{
    return "ENTRY DL1AAA " + state + " channel=0 path=DL1AAA-1 alias=Anna queued=0";
}

// A station's home: registry files, channel table and log in a directory that outlives
// restarts of its process.
struct Home {
    Home(std::string call_, std::string alias_) : call(std::move(call_)), alias(std::move(alias_)) {}

    std::string call;  // with SSID
    std::string alias;
    TempDir dir;

    std::string base() const { return call.substr(0, call.find('-')); }

    void write_registry(const std::string& body) const
    {
        std::ofstream(dir / "HKEY_CURRENT_USER.reg", std::ios::binary) << "REGEDIT4\n\n" << body;
    }
};

// A REG_SZ holding control characters, written as Windows writes it: hex(1) with its NUL.
std::string reg_hex_string(const std::string& ansi)
{
    std::string out = "hex(1):";
    char byte[4];
    for (const unsigned char c : ansi) {
        std::snprintf(byte, sizeof byte, "%02x,", c);
        out += byte;
    }
    return out + "00";
}

// Decoded frames a raw KISS client heard; frames that are no UI frames are skipped.
class Monitor {
public:
    explicit Monitor(std::uint16_t port) : client_(port) {}
    bool connected() const { return client_.connected(); }

    // Waits for the first frame from index `from` on that matches; its index.
    std::optional<std::size_t> find(std::size_t from, const std::function<bool(const ax25::Frame&)>& match,
                                    std::chrono::milliseconds timeout = kWait)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (std::size_t i = from;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            const auto& frames = client_.wait_frames(i + 1, std::max(left, 0ms));
            for (; i < frames.size(); ++i) {
                ax25::Frame frame;
                if (ax25::decodeUiFrame(frames[i].data, frame) == ax25::DecodeError::None && match(frame))
                    return i;
            }
            if (left <= 0ms)
                return std::nullopt;
        }
    }

    ax25::Frame at(std::size_t index) { return frames(index, index + 1).at(0); }

    std::vector<ax25::Frame> frames(std::size_t from, std::size_t to)
    {
        std::vector<ax25::Frame> out;
        const auto& raw = client_.wait_frames(to, 0ms);
        for (std::size_t i = from; i < to && i < raw.size(); ++i) {
            ax25::Frame frame;
            if (ax25::decodeUiFrame(raw[i].data, frame) == ax25::DecodeError::None)
                out.push_back(frame);
        }
        return out;
    }

private:
    KissClient client_;
};

bool is_message_pid(std::uint8_t pid)
{
    return pid >= 208 && pid <= 217;
}

std::function<bool(const ax25::Frame&)> from_with_pid(std::string call, std::function<bool(std::uint8_t)> pid)
{
    return [call = std::move(call), pid = std::move(pid)](const ax25::Frame& f) {
        return f.source.call == call && pid(f.pid);
    };
}

// A HIST line's direction ('T' delivered, 'R' received) and text; nullopt for another line.
struct HistLine {
    char direction;
    std::string text;
    bool operator==(const HistLine&) const = default;
};
std::optional<HistLine> parse_hist(const std::string& line, const std::string& call)
{
    const std::string prefix = "HIST " + call + " ";
    // "T" or "R", the time hh:mm:ss, a blank, the text.
    if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 10)
        return std::nullopt;
    const std::string time = line.substr(prefix.size() + 1, 8);
    const bool timeOk =
        time.size() == 8 && time[2] == ':' && time[5] == ':' &&
        std::all_of(time.begin(), time.end(), [](char c) { return c == ':' || std::isdigit(c); });
    if (!timeOk || line[prefix.size() + 9] != ' ')
        return std::nullopt;
    return HistLine{line[prefix.size()], line.substr(prefix.size() + 10)};
}

// The conversation and waiting texts `history CALL` prints.
struct History {
    std::vector<HistLine> lines;
    std::vector<std::string> queued;
};
History history(Process& station, const std::string& call)
{
    station.write_line("history " + call);
    History out;
    for (;;) {
        const auto line = station.wait_line(
            [&](const std::string& l) {
                return l.rfind("HIST " + call + " ", 0) == 0 || l.rfind("QUEUED " + call + " ", 0) == 0 ||
                       l == "END " + call;
            },
            kWait);
        if (!line) {
            ADD_FAILURE() << "history " << call << " did not end" << tail(station);
            return out;
        }
        if (*line == "END " + call)
            return out;
        if (line->rfind("QUEUED ", 0) == 0) {
            out.queued.push_back(line->substr(8 + call.size()));
        } else if (const auto hist = parse_hist(*line, call)) {
            out.lines.push_back(*hist);
        } else {
            ADD_FAILURE() << "malformed history line: " << *line;
        }
    }
}

class StationPair : public ::testing::Test {
protected:
    Home a{"DL1AAA-1", "Anna"};
    Home b{"DL2BBB-3", "Bert"};
    AirInstance air;

    void open_channel(std::vector<std::string> args = {})
    {
        air = start_air(kAir, std::move(args));
        ASSERT_NE(air.port, 0);
    }

    // A raw listener on the channel, joined before the stations.
    std::unique_ptr<Monitor> listen()
    {
        auto monitor = std::make_unique<Monitor>(air.port);
        EXPECT_TRUE(monitor->connected());
        EXPECT_TRUE(air.process->wait_line(contains(" connected from")));
        return monitor;
    }

    // Starts the station of home on the channel; returns once it is ready and connected.
    std::unique_ptr<Process> start(const Home& home, std::vector<std::string> options = {})
    {
        const auto conf = home.dir / "flexnet.conf";
        std::ofstream(conf) << "0 kiss-tcp 127.0.0.1:" << air.port << " Sim\n";
        std::vector<std::string> argv{kStation,  "--mycall", home.call,
                                      "--alias", home.alias, "--pass-ms",
                                      kPassMs,   "--log",    (home.dir / "zelvo.log").string()};
        argv.insert(argv.end(), options.begin(), options.end());
        auto station = std::make_unique<Process>(
            argv, std::vector<std::string>{"ZELVO_REGISTRY_DIR=" + home.dir.path().string(),
                                           "ZELVO_FLEXNET_CONF=" + conf.string()});
        EXPECT_TRUE(station->wait_line(line_is("READY " + home.call))) << tail(*station);
        EXPECT_TRUE(air.process->wait_line(contains(" connected from"))) << home.call << " did not connect";
        return station;
    }

    static void add(Process& station, const Home& peer)
    {
        station.write_line("add " + peer.call);
        ASSERT_SEES(station, "ADDED " + peer.base() + " 0 " + peer.call);
    }

    // Both on each other's roster and online, each showing the other Online.
    void meet(Process& pa, Process& pb)
    {
        ASSERT_NO_FATAL_FAILURE(add(pa, b));
        ASSERT_NO_FATAL_FAILURE(add(pb, a));
        pa.write_line("online");
        ASSERT_SEES(pa, "SELF online qrv");
        // B hears A while offline itself: Online, but no answer yet.
        ASSERT_SEES(pb, "STATE " + a.base() + " Online");
        pb.write_line("online");
        ASSERT_SEES(pb, "SELF online qrv");
        ASSERT_SEES(pa, "STATE " + b.base() + " Online");
    }

    // Sends a message and waits until the sender has it acknowledged and the receiver shows it.
    static void deliver(Process& from, const Home& to_home, Process& to, const Home& from_home,
                        const std::string& command_text, const std::string& shown)
    {
        from.write_line("msg " + to_home.base() + " " + command_text);
        ASSERT_SEES(to, "RX " + from_home.base() + " " + shown);
        ASSERT_SEES(from, "TX " + to_home.base() + " " + shown);
    }
};

TEST_F(StationPair, PresenceOnlineAwayBackPollAndOffline)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto monitor = listen();
    auto pa = start(a), pb = start(b);
    ASSERT_NO_FATAL_FAILURE(meet(*pa, *pb));

    // Away with a reason: the text travels as it is, the peer shows Away.
    pa->write_line("away Bin beim Essen");
    ASSERT_SEES(*pa, "SELF online away");
    ASSERT_SEES(*pb, "STATUS Anna ist Away");
    ASSERT_SEES(*pb, "STATE DL1AAA Away");
    const auto away = monitor->find(0, from_with_pid("DL1AAA", [](auto pid) { return pid == 220; }));
    ASSERT_TRUE(away);
    EXPECT_EQ(monitor->at(*away).info, "Bin beim Essen");
    pb->write_line("list");
    ASSERT_SEES(*pb, anna_entry("Away"));
    ASSERT_SEES(*pb, "END 1");

    // A poll of an away station is answered with the away text: still Away, and polled there.
    pb->write_line("poll DL1AAA");
    ASSERT_SEES(*pa, "STATUS Poll von Bert");
    ASSERT_SEES(*pb, "STATUS Poll erfolgreich");
    const auto answer = monitor->find(*away, from_with_pid("DL1AAA", [](auto pid) { return pid == 219; }));
    ASSERT_TRUE(answer);
    EXPECT_EQ(monitor->at(*answer).info, "Bin beim Essen");
    pb->write_line("list");
    ASSERT_SEES(*pb, anna_entry("Away"));

    pa->write_line("back");
    ASSERT_SEES(*pa, "SELF online qrv");
    ASSERT_SEES(*pb, "STATE DL1AAA Online");
    pb->write_line("list");
    ASSERT_SEES(*pb, anna_entry("Online"));

    // A present station answers "+": the poller shows it Online, the polled one HasPolled.
    pa->write_line("poll DL2BBB");
    ASSERT_SEES(*pa, "STATUS User wird gepollt");
    ASSERT_SEES(*pb, "STATUS Poll von Anna");
    ASSERT_SEES(*pb, "STATE DL1AAA HasPolled");
    ASSERT_SEES(*pa, "STATUS Poll erfolgreich");

    pb->write_line("offline");
    ASSERT_SEES(*pb, "SELF offline qrv");
    ASSERT_SEES(*pa, "STATE DL2BBB Offline");
    ASSERT_SEES(*pa, "STATUS Bert ist Offline");

    // An offline station does not answer polls: the poll runs out.
    pa->write_line("poll DL2BBB");
    ASSERT_SEES(*pb, "STATUS Poll von Anna");
    ASSERT_SEES(*pa, "STATUS User ist Offline");
    EXPECT_TRUE(pa->lines(line_is("STATUS Poll erfolgreich")).size() == 1) << tail(*pa);
}

TEST_F(StationPair, MessagesWithUmlautsAndLineBreaksAreDeliveredBothWaysAndKept)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto monitor = listen();
    auto pa = start(a), pb = start(b);
    ASSERT_NO_FATAL_FAILURE(meet(*pa, *pb));

    const std::string there = "Grüße aus Köln\\nZeile 2";
    const std::string back = "Maß für Übermut: ä ö ü ß\\nEnde";
    ASSERT_NO_FATAL_FAILURE(deliver(*pa, b, *pb, a, there, there));
    ASSERT_NO_FATAL_FAILURE(deliver(*pb, a, *pa, b, back, back));

    // On the air: Windows-1252, one byte an umlaut, CR LF; each acknowledged with its PID.
    const auto sent = monitor->find(0, from_with_pid("DL1AAA", is_message_pid));
    ASSERT_TRUE(sent);
    const ax25::Frame frame = monitor->at(*sent);
    EXPECT_EQ(frame.destination.call, "DL2BBB");
    EXPECT_EQ(frame.destination.ssid, 3);
    EXPECT_EQ(frame.info, "Gr\xFC\xDF"
                          "e aus K\xF6ln\r\nZeile 2");
    const auto ack = monitor->find(*sent, from_with_pid("DL2BBB", is_message_pid));
    ASSERT_TRUE(ack);
    const ax25::Frame ackFrame = monitor->at(*ack);
    EXPECT_EQ(ackFrame.pid, frame.pid);
    EXPECT_TRUE(ackFrame.info.empty());
    const auto answered = monitor->find(*ack + 1, from_with_pid("DL2BBB", is_message_pid));
    ASSERT_TRUE(answered);
    EXPECT_EQ(monitor->at(*answered).info, "Ma\xDF f\xFCr \xDC"
                                           "bermut: \xE4 \xF6 \xFC \xDF\r\nEnde");

    const History ha = history(*pa, "DL2BBB");
    EXPECT_EQ(ha.lines, (std::vector<HistLine>{{'T', there}, {'R', back}}));
    EXPECT_TRUE(ha.queued.empty());
    EXPECT_EQ(history(*pb, "DL1AAA").lines, (std::vector<HistLine>{{'R', there}, {'T', back}}));

    // Past the tenth message the sequence numbers start again at 208; nothing is taken for a
    // repetition on the way.
    for (int i = 0; i < 11; ++i) {
        const std::string text = "Nummer " + std::to_string(i);
        ASSERT_NO_FATAL_FAILURE(deliver(*pa, b, *pb, a, text, text));
    }
    const auto last = monitor->find(
        *answered, [](const ax25::Frame& f) { return f.source.call == "DL1AAA" && f.info == "Nummer 10"; });
    ASSERT_TRUE(last);
    std::set<int> pids;
    for (const ax25::Frame& f : monitor->frames(*answered, *last + 1))
        if (f.source.call == "DL1AAA" && f.info.rfind("Nummer ", 0) == 0)
            pids.insert(f.pid);
    EXPECT_EQ(pids.size(), 10u);
}

TEST_F(StationPair, RemoteQueriesAreAnsweredWithTheStoredData)
{
    const std::string info = "\xD6lberg-Relais\r\nQTH: K\xF6ln, JO30LW";  // Windows-1252
    a.write_registry("[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\n"
                     "\"Infotext\"=" +
                     reg_hex_string(info) +
                     "\n"
                     "\"Options\"=dword:000000ff\n"
                     "\"ShowAlias\"=dword:00000003\n\n");
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto pa = start(a), pb = start(b);
    ASSERT_NO_FATAL_FAILURE(meet(*pa, *pb));
    pa->write_line("add DK3CCC-7");
    ASSERT_TRUE(pa->wait_line(starts_with("ADDED DK3CCC ")));

    const auto ask = [&](const std::string& query, const std::string& answer) {
        pb->write_line("msg DL1AAA " + query);
        ASSERT_TRUE(pb->wait_line(starts_with("RX DL1AAA "))) << query << tail(*pb);
        EXPECT_EQ(pb->lines(starts_with("RX DL1AAA ")).back(), "RX DL1AAA " + answer) << query;
        ASSERT_TRUE(pa->wait_line(line_is("TX DL2BBB " + answer))) << query << tail(*pa);
    };
    ask("//ve", "Remote Antwort -> Version: 0.9.7.321");
    ask("//VErsion bitte", "Remote Antwort -> Version: 0.9.7.321");
    ask("//in", "Ölberg-Relais\\nQTH: Köln, JO30LW");
    ask("//cs", "Remote Antwort -> User Info\\ndl2bbb(o)   dk3ccc(/)   ");
    const std::string details = "Remote Antwort -> User Info\\nCall  : ";
    ask("//de dl2bbb", details + "DL2BBB\\nAlias : Bert\\nStatus: Online\\nPath:DL2BBB-3");
    ask("//de DK3CCC", details + "DK3CCC\\nAlias : DK3CCC\\nStatus: Offline\\nPath:DK3CCC-7");
    ask("//de DX0XX", "User nicht in Liste");
    // Each query of four characters or more shows where it came from; the short one does not.
    EXPECT_EQ(pa->lines(line_is("STATUS remote von : Bert")).size(), 7u);
    ask("//", "Zelvo REmote: Mindestens 2 Buchstaben erforderlich");
    EXPECT_EQ(pa->lines(line_is("STATUS remote von : Bert")).size(), 7u);

    // The queries are not part of the answering side's conversation; the answers are, as
    // delivered texts.
    const History ha = history(*pa, "DL2BBB");
    EXPECT_EQ(ha.lines.size(), 8u);
    for (const HistLine& line : ha.lines)
        EXPECT_EQ(line.direction, 'T') << line.text;
    EXPECT_TRUE(ha.queued.empty());
    // The asker keeps each query (delivered) and its answer (received).
    const History hb = history(*pb, "DL1AAA");
    EXPECT_EQ(hb.lines.size(), 16u);
}

TEST_F(StationPair, QueriesFromAStationWithoutRemoteRightsAreNotAnswered)
{
    // B has A on its roster with remote "0" (field 4).
    b.write_registry("[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\n"
                     "\"0\"=\"Anna,0,DL1AAA-1,1,0,0,,208,218,\"\n\n");
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto pa = start(a), pb = start(b);
    pb->write_line("list");
    ASSERT_SEES(*pb, anna_entry("Offline"));
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    pa->write_line("online");
    ASSERT_SEES(*pb, "STATE DL1AAA Online");
    pb->write_line("online");
    ASSERT_SEES(*pa, "STATE DL2BBB Online");

    for (const char* query : {"//ve", "//in", "//cs", "//de dl2bbb"}) {
        pa->write_line(std::string("msg DL2BBB ") + query);
        ASSERT_TRUE(pb->wait_line(line_is("STATUS remote von : Anna"))) << query << tail(*pb);
        ASSERT_SEES(*pa, std::string("TX DL2BBB ") + query);
    }
    // An answer would be queued ahead of this message, so it would arrive first.
    pb->write_line("msg DL1AAA Ende der Abfragen");
    ASSERT_TRUE(pa->wait_line(starts_with("RX DL2BBB "))) << tail(*pa);
    EXPECT_EQ(pa->lines(starts_with("RX ")), std::vector<std::string>{"RX DL2BBB Ende der Abfragen"});
}

TEST_F(StationPair, RegistrationAcceptedIsKeptAndMayQueryAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto pa = start(a);
    auto pb = start(b, {"--register", "yes"});
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    pa->write_line("online");
    ASSERT_SEES(*pb, "ASK DL1AAA yes");
    ASSERT_SEES(*pb, "REGISTERED DL1AAA 0 DL1AAA-1");
    // B answers the registered station whether it is online or not.
    ASSERT_SEES(*pa, "STATE DL2BBB Online");
    pb->write_line("list");
    ASSERT_SEES(*pb, anna_entry("Online"));

    pb->write_line("online");
    ASSERT_SEES(*pb, "SELF online qrv");
    pa->write_line("msg DL2BBB //ve");
    ASSERT_SEES(*pa, "RX DL2BBB Remote Antwort -> Version: 0.9.7.321");

    pb->write_line("quit");
    ASSERT_SEES(*pb, "BYE");
    pb = start(b);
    pb->write_line("list");
    ASSERT_SEES(*pb, anna_entry("Offline"));
    ASSERT_SEES(*pb, "END 1");
    EXPECT_TRUE(pb->lines(starts_with("ASK ")).empty());
}

TEST_F(StationPair, RegistrationRefusedAddsNothingAndIsAskedAgain)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto pa = start(a);
    auto pb = start(b, {"--register", "no"});
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    pa->write_line("online");
    ASSERT_SEES(*pb, "ASK DL1AAA no");
    pb->write_line("list");
    ASSERT_TRUE(pb->wait_line(starts_with("END "))) << tail(*pb);
    EXPECT_EQ(pb->lines(starts_with("END ")).back(), "END 0");

    pa->write_line("offline");
    ASSERT_SEES(*pa, "SELF offline qrv");
    pa->write_line("online");
    ASSERT_SEES(*pb, "ASK DL1AAA no");
    pb->write_line("list");
    ASSERT_TRUE(pb->wait_line(starts_with("END "))) << tail(*pb);
    EXPECT_EQ(pb->lines(starts_with("END ")).back(), "END 0");
    EXPECT_TRUE(pb->lines(starts_with("REGISTERED ")).empty());
    EXPECT_TRUE(pb->lines(starts_with("ENTRY ")).empty());
    // Nothing was answered, so A still does not know B is there.
    EXPECT_TRUE(pa->lines(line_is("STATE DL2BBB Online")).empty());
}

TEST_F(StationPair, MessageToAVanishedStationIsGivenUpAndDeliveredWhenItReturns)
{
    ASSERT_NO_FATAL_FAILURE(open_channel());
    auto monitor = listen();
    auto pa = start(a), pb = start(b);
    ASSERT_NO_FATAL_FAILURE(meet(*pa, *pb));
    const auto before = monitor->find(0, from_with_pid("DL2BBB", [](auto pid) { return pid == 218; }));
    ASSERT_TRUE(before);

    pb.reset();  // killed: no offline announcement
    ASSERT_TRUE(air.process->wait_line(contains(" disconnected")));
    const std::string text = "Bist du noch da? Grüße";
    pa->write_line("msg DL2BBB " + text);
    ASSERT_SEES(*pa, "STATE DL2BBB Sending");
    ASSERT_SEES(*pa, "STATE DL2BBB Offline", 20s);
    ASSERT_SEES(*pa, "STATUS Übertragungsfehler");
    EXPECT_TRUE(pa->lines(starts_with("TX ")).empty());

    // Polling the station puts a poll request on the air after the last transmission.
    pa->write_line("poll DL2BBB");
    const auto poll = monitor->find(*before, from_with_pid("DL1AAA", [](auto pid) { return pid == 219; }));
    ASSERT_TRUE(poll);
    std::vector<ax25::Frame> transmissions;
    for (const ax25::Frame& f : monitor->frames(*before, *poll))
        if (f.source.call == "DL1AAA" && is_message_pid(f.pid))
            transmissions.push_back(f);
    ASSERT_EQ(transmissions.size(), 5u);
    for (const ax25::Frame& f : transmissions) {
        EXPECT_EQ(f.pid, 208);
        EXPECT_EQ(f.info, "Bist du noch da? Gr\xFC\xDF"
                          "e");
    }
    ASSERT_SEES(*pa, "STATUS User ist Offline", 20s);
    const History waiting = history(*pa, "DL2BBB");
    EXPECT_TRUE(waiting.lines.empty());
    EXPECT_EQ(waiting.queued, std::vector<std::string>{text});

    // B comes back with its roster: A sees it online and delivers the waiting text.
    pb = start(b);
    pb->write_line("online");
    ASSERT_SEES(*pa, "STATE DL2BBB Online");
    ASSERT_SEES(*pb, "RX DL1AAA " + text);
    ASSERT_SEES(*pa, "TX DL2BBB " + text);
    const History delivered = history(*pa, "DL2BBB");
    EXPECT_EQ(delivered.lines, (std::vector<HistLine>{{'T', text}}));
    EXPECT_TRUE(delivered.queued.empty());
}

// One direction of the loss experiment: the texts go out one at a time.
struct Flow {
    Flow(std::string label_, Process& from, Process& to, std::string peer_, std::string source_)
        : label(std::move(label_)),
          sender(&from),
          receiver(&to),
          peer(std::move(peer_)),
          source(std::move(source_))
    {}

    std::string label;  // "A->B"
    Process* sender;
    Process* receiver;
    std::string peer;    // the receiver's call at the sender
    std::string source;  // the sender's call at the receiver
    std::vector<std::string> texts;
    std::size_t next = 0;
    std::string current;
    std::deque<std::string> waiting;  // sent, not acknowledged, oldest first
    std::set<std::string> given_up;
    std::map<std::string, int> received;
    std::vector<std::string> phantoms;
    int first_round = 0;
    int give_ups = 0;
    int polls = 0;
    enum class Phase { Ready, Sending, Polling, Done } phase = Phase::Ready;

    void poll()
    {
        ++polls;
        sender->write_line("poll " + peer);
        phase = Phase::Polling;
    }

    void step()
    {
        if (phase != Phase::Ready)
            return;
        if (next == texts.size()) {
            phase = Phase::Done;
            return;
        }
        current = texts[next++];
        waiting.push_back(current);
        sender->write_line("msg " + peer + " " + current);
        phase = Phase::Sending;
    }

    void on_sender_line(const std::string& line)
    {
        if (line.rfind("TX " + peer + " ", 0) == 0) {
            const std::string text = line.substr(4 + peer.size());
            const auto it = std::find(waiting.begin(), waiting.end(), text);
            if (it == waiting.end()) {
                ADD_FAILURE() << label << ": acknowledged but not waiting: " << line;
                return;
            }
            if (it != waiting.begin())
                ADD_FAILURE() << label << ": acknowledged out of order: " << line;
            waiting.erase(it);
            if (!given_up.count(text))
                ++first_round;
            if (text == current && phase == Phase::Sending)
                phase = Phase::Ready;
        } else if (line == "STATUS Übertragungsfehler") {
            ++give_ups;
            if (!waiting.empty())
                given_up.insert(waiting.front());
            std::printf("[ loss     ] %s: given up: %s\n", label.c_str(),
                        waiting.empty() ? "?" : waiting.front().c_str());
            poll();
        } else if (phase == Phase::Polling && line == "STATUS Poll erfolgreich") {
            phase = Phase::Ready;
        } else if (phase == Phase::Polling && line == "STATUS User ist Offline") {
            poll();
        }
    }

    void on_receiver_line(const std::string& line)
    {
        if (line.rfind("RX " + source + " ", 0) != 0)
            return;
        const std::string text = line.substr(4 + source.size());
        if (std::find(texts.begin(), texts.end(), text) == texts.end())
            phantoms.push_back(text);
        ++received[text];
    }
};

// Lines of a process from the first to the last that mention any of the texts, with margin.
std::string context(Process& process, const std::vector<std::string>& texts, std::size_t margin = 8)
{
    const std::vector<std::string> all = process.lines(any_line());
    std::size_t first = all.size(), last = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (const auto& text : texts) {
            if (all[i].find(text) != std::string::npos) {
                first = std::min(first, i);
                last = std::max(last, i);
            }
        }
    }
    if (first == all.size())
        return "(no line mentions it)\n";
    std::string out;
    for (std::size_t i = first > margin ? first - margin : 0; i < std::min(all.size(), last + margin + 1);
         ++i)
        out += "  " + all[i] + "\n";
    return out;
}

TEST_F(StationPair, UnderFrameLossNoTextIsLostAndNoneInvented)
{
    constexpr double kLoss = 0.2;
    constexpr int kCount = 100;
    ASSERT_NO_FATAL_FAILURE(open_channel({"--loss", "0.2", "--seed", "20240611"}));
    auto pa = start(a), pb = start(b);
    ASSERT_NO_FATAL_FAILURE(add(*pa, b));
    ASSERT_NO_FATAL_FAILURE(add(*pb, a));
    pa->write_line("online");
    pb->write_line("online");
    // Announcements may be lost: each side polls until the other answers.
    for (auto [poller, peer] : {std::pair{pa.get(), b.base()}, std::pair{pb.get(), a.base()}}) {
        bool answered = false;
        for (int attempt = 0; attempt < 5 && !answered; ++attempt) {
            poller->write_line("poll " + peer);
            const auto end = poller->wait_line([](const std::string& l) {
                return l == "STATUS Poll erfolgreich" || l == "STATUS User ist Offline";
            });
            ASSERT_TRUE(end) << tail(*poller);
            answered = *end == "STATUS Poll erfolgreich";
        }
        ASSERT_TRUE(answered);
    }

    Flow ab("A->B", *pa, *pb, "DL2BBB", "DL1AAA");
    Flow ba("B->A", *pb, *pa, "DL1AAA", "DL2BBB");
    char number[8];
    for (int i = 0; i < kCount; ++i) {
        std::snprintf(number, sizeof number, "%03d", i);
        ab.texts.push_back(std::string("A->B ") + number + " grün");
        ba.texts.push_back(std::string("B->A ") + number + " Grüße");
    }

    // Both directions at once, each one text at a time.
    const auto started = std::chrono::steady_clock::now();
    const auto deadline = started + 150s;
    while (ab.phase != Flow::Phase::Done || ba.phase != Flow::Phase::Done) {
        ASSERT_TRUE(std::chrono::steady_clock::now() < deadline)
            << "A->B " << ab.next << " sent, B->A " << ba.next << " sent" << tail(*pa) << tail(*pb);
        ab.step();
        ba.step();
        for (Process* station : {pa.get(), pb.get()}) {
            if (const auto line = station->wait_line(any_line(), 2ms)) {
                Flow& mine = station == pa.get() ? ab : ba;
                Flow& theirs = station == pa.get() ? ba : ab;
                mine.on_sender_line(*line);
                theirs.on_receiver_line(*line);
            }
        }
        ASSERT_LE(ab.polls + ba.polls, 40) << "the stations keep losing each other";
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    // Sender before receiver: a text no longer queued was acknowledged, so already stored.
    const History a1 = history(*pa, "DL2BBB");
    const History b1 = history(*pb, "DL1AAA");
    const History a2 = history(*pa, "DL2BBB");

    const auto check = [&](Flow& flow, const History& at_sender, const History& at_receiver, Process& sender,
                           Process& receiver) {
        std::multiset<std::string> stored;
        for (const HistLine& line : at_receiver.lines)
            if (line.direction == 'R')
                stored.insert(line.text);
        const std::set<std::string> queued(at_sender.queued.begin(), at_sender.queued.end());
        int lost = 0, duplicates = 0;
        for (std::size_t i = 0; i < flow.texts.size(); ++i) {
            const std::string& text = flow.texts[i];
            if (!stored.count(text) && !queued.count(text)) {
                ++lost;
                ADD_FAILURE() << flow.label << " LOST: " << text << "\n sender:\n"
                              << context(sender, {text}) << " receiver:\n"
                              << context(receiver, {flow.texts[i > 0 ? i - 1 : i], text,
                                                    flow.texts[i + 1 < flow.texts.size() ? i + 1 : i]});
            }
            if (stored.count(text) > 1)
                duplicates += static_cast<int>(stored.count(text)) - 1;
        }
        for (const std::string& text : stored)
            if (std::find(flow.texts.begin(), flow.texts.end(), text) == flow.texts.end())
                ADD_FAILURE() << flow.label << " stored a text that was never sent: " << text;
        for (const std::string& text : flow.phantoms)
            ADD_FAILURE() << flow.label << " shown a text that was never sent: " << text;
        int shown_twice = 0;
        for (const auto& [text, n] : flow.received)
            shown_twice += n - 1;
        std::printf(
            "[ loss     ] %s: %d sent, %d delivered within five tries, %d given up, %zu still queued, "
            "%d lost, %d stored twice (%d shown twice)\n",
            flow.label.c_str(), kCount, flow.first_round, flow.give_ups, at_sender.queued.size(), lost,
            duplicates, shown_twice);
        EXPECT_EQ(lost, 0);
    };
    check(ab, a1, b1, *pa, *pb);
    check(ba, b1, a2, *pb, *pa);

    const double share = static_cast<double>(ab.first_round + ba.first_round) / (2 * kCount);
    const double expected = 1 - std::pow(1 - std::pow(1 - kLoss, 2), 5);
    std::printf("[ loss     ] p = %.2f: delivered within five tries %.3f, expected %.3f; %.1f s\n", kLoss,
                share, expected, seconds);
    EXPECT_GT(share, 0.9);
}

}  // namespace
}  // namespace zelvo::testing

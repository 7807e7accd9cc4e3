// Two zelvo-station processes on the air through two Direwolf soundmodems whose AFSK 1200 modems
// hear each other: station A on the first modem's KISS port, station B on the second modem's KISS
// or AGW port. A raw KISS listener on each modem hears what the other station sends over the air,
// so the bytes B puts on the air through AGW can be compared with those it sends through KISS.
#include <gtest/gtest.h>

#include <set>

#include "driver/ax25_frame.h"
#include "tests/support/direwolf_pair.h"
#include "tests/tools/air_support.h"

namespace zelvo::testing {
namespace {

const std::string kStation = ZELVO_STATION_BIN;
const std::string kDirewolf = ZELVO_DIREWOLF;
// AFSK 1200: a frame takes some 300 ms on the air, a message and its acknowledgement about a
// second. Passes of 100 ms repeat an unanswered frame after 3 s.
constexpr auto kWait = 20s;
constexpr const char* kPassMs = "100";

// The AX.25 frames from `source` among what a KISS client heard.
std::vector<std::string> framesFrom(const std::vector<kiss::Frame>& heard, const std::string& source)
{
    std::vector<std::string> frames;
    for (const auto& k : heard) {
        ax25::Frame f;
        if (ax25::decodeUiFrame(k.data, f) == ax25::DecodeError::None && f.source.call == source)
            frames.push_back(k.data);
    }
    return frames;
}

class DirewolfAir : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const auto reason = DirewolfPair::unavailable(kDirewolf))
            GTEST_SKIP() << *reason;
        pair_ = std::make_unique<DirewolfPair>(kDirewolf);
        ASSERT_TRUE(pair_->ready()) << pair_->error();
    }

    // Starts a station with a table of one channel on `tnc`; returns once Direwolf has taken
    // its connection (`attached`: the word Direwolf prints for the kind of client).
    std::unique_ptr<Process> start(const Home& home, const std::string& tnc, int modem,
                                   const std::string& attached)
    {
        auto station = start_station(kStation, home, "0 " + tnc + " Funk", kPassMs);
        EXPECT_TRUE(station->wait_line(line_is("READY " + home.call), kWait)) << tail(*station);
        EXPECT_TRUE(pair_->modem(modem).process->wait_line(contains("Attached to " + attached), kWait))
            << home.call << " did not connect to Direwolf " << modem;
        return station;
    }

    // What each station's frames sounded like at the other modem.
    struct Heard {
        std::vector<std::string> fromA, fromB;
    };

    // A (KISS) and B (on bTnc of the second modem) meet, exchange a message each way, and B goes
    // offline.
    void exchange(bool bOnAgw, Heard& heard)
    {
        Home a{"DL1AAA-1", "Anna"}, b{"DL2BBB-3", "Bert"};
        DirewolfPair::Modem& first = pair_->modem(0);
        DirewolfPair::Modem& second = pair_->modem(1);
        KissClient hearsB(first.kissPort), hearsA(second.kissPort);
        ASSERT_TRUE(hearsB.connected() && hearsA.connected());
        ASSERT_TRUE(first.process->wait_line(contains("Attached to KISS TCP client"), kWait));
        ASSERT_TRUE(second.process->wait_line(contains("Attached to KISS TCP client"), kWait));

        auto pa = start(a, "kiss-tcp 127.0.0.1:" + std::to_string(first.kissPort), 0, "KISS TCP client");
        auto pb =
            bOnAgw ? start(b, "agw-tcp 127.0.0.1:" + std::to_string(second.agwPort), 1, "AGW client")
                   : start(b, "kiss-tcp 127.0.0.1:" + std::to_string(second.kissPort), 1, "KISS TCP client");
        pa->write_line("add " + b.call);
        ASSERT_SEES(*pa, "ADDED DL2BBB 0 " + b.call, kWait);
        pb->write_line("add " + a.call);
        ASSERT_SEES(*pb, "ADDED DL1AAA 0 " + a.call, kWait);

        // B first: its own frame proves its link before it has to hear anything.
        pb->write_line("online");
        ASSERT_SEES(*pa, "STATE DL2BBB Online", kWait);
        pa->write_line("online");
        ASSERT_SEES(*pb, "STATE DL1AAA Online", kWait);

        pa->write_line("msg DL2BBB Grüße von Anna");
        ASSERT_SEES(*pb, "RX DL1AAA Grüße von Anna", kWait);
        ASSERT_SEES(*pa, "TX DL2BBB Grüße von Anna", kWait);
        pb->write_line("msg DL1AAA Danke, über AGW");
        ASSERT_SEES(*pa, "RX DL2BBB Danke, über AGW", kWait);
        ASSERT_SEES(*pb, "TX DL1AAA Danke, über AGW", kWait);

        pb->write_line("offline");
        ASSERT_TRUE(pa->wait_line(starts_with("STATE DL2BBB Offline"), kWait))
            << tail(*pa);  // Unread: B's text
        // The last frame of each: A's acknowledgement, B's offline announcement. The listener
        // beside each station has it once the station has shown it.
        ASSERT_TRUE(hears(hearsA, ax25::encodeFrame(ui_frame("DL1AAA-1", "DL2BBB-3", 208, "")), kWait))
            << "A's last frame";
        ASSERT_TRUE(hears(hearsB, ax25::encodeFrame(ui_frame("DL2BBB-3", "DL1AAA-1", 218, "[]")), kWait))
            << "B's last frame";
        heard.fromA = framesFrom(hearsA.wait_frames(0), "DL1AAA");
        heard.fromB = framesFrom(hearsB.wait_frames(0), "DL2BBB");
    }

    std::unique_ptr<DirewolfPair> pair_;
};

TEST_F(DirewolfAir, StationOnAgwSendsWhatItWouldSendOnKiss)
{
    Heard onKiss, onAgw;
    ASSERT_NO_FATAL_FAILURE(exchange(false, onKiss));
    ASSERT_NO_FATAL_FAILURE(exchange(true, onAgw));

    // Repetitions may differ with the timing; the frames themselves may not.
    const std::set<std::string> kissFrames(onKiss.fromB.begin(), onKiss.fromB.end());
    const std::set<std::string> agwFrames(onAgw.fromB.begin(), onAgw.fromB.end());
    EXPECT_EQ(agwFrames, kissFrames);
    // Presence (announcement, answer), message, acknowledgement, offline.
    EXPECT_GE(kissFrames.size(), 4u);
    const std::string message = ax25::encodeFrame(ui_frame("DL2BBB-3", "DL1AAA-1", 208,
                                                           "Danke, \xFC"
                                                           "ber AGW"));
    EXPECT_TRUE(agwFrames.count(message)) << "B's message is not on the air as a KISS station sends it";
    // A is on KISS both times and hears B the same way.
    EXPECT_EQ(std::set<std::string>(onAgw.fromA.begin(), onAgw.fromA.end()),
              std::set<std::string>(onKiss.fromA.begin(), onKiss.fromA.end()));
}

}  // namespace
}  // namespace zelvo::testing

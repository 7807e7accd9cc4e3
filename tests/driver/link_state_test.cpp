// The driver's links through its entry points: agw-tcp channels against a fake AGW server and
// its faults, the link state of a kiss-tcp channel whose peer is no KISS TNC, the monitor and
// reloading the table.
#include "tests/driver/driver_fixture.h"
#include "tests/support/fake_agw_server.h"
#include "tests/support/kiss_socket.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

using namespace zelvo::testing;
using namespace std::chrono_literals;
using namespace std::string_literals;
namespace agw = zelvo::agw;
namespace ax25 = zelvo::ax25;
using Behaviour = FakeAgwServer::Behaviour;

namespace {

class DriverLink : public DriverFixture {
protected:
    static FlxLinkState state(int channel)
    {
        FlxLinkState s{-1, -1, -1, -1, -1};
        flx_channel_state(channel, &s);
        return s;
    }
    static bool reaches(int channel, int linkState, int error = 0)
    {
        return wait_until([&] {
            const auto s = state(channel);
            return s.state == linkState && s.error == error;
        });
    }
    static std::string uiBytes(const char* from, const char* to, const std::string& info)
    {
        return ax25::encodeFrame(ui_frame(from, to, 0xF0, info));
    }
    static std::vector<agw::Frame> framesOfKind(const FakeAgwServer& server, char kind, std::size_t atLeast)
    {
        std::vector<agw::Frame> found;
        wait_until([&] {
            found.clear();
            for (auto& f : server.waitFrames(0, 0ms))
                if (f.kind == kind)
                    found.push_back(f);
            return found.size() >= atLeast;
        });
        return found;
    }
};

TEST_F(DriverLink, AgwChannelIsUpOnTheVersionAnswerAndCarriesRawFramesOnItsRadioPort)
{
    FakeAgwServer server(Behaviour::Answer, {{2005, 127}, {"Port1 AFSK 1200", "Port2 9600"}, 0});
    start(line(3, "agw-tcp", server.port(), "/1 Funk"));
    ASSERT_TRUE(reaches(3, FLX_LINK_UP));
    const FlxLinkState s = state(3);
    EXPECT_EQ(std::tuple(s.agw_major, s.agw_minor, flx_channel_connected(3)), std::tuple(2005, 127, 1));
    EXPECT_TRUE(wait_until([] { return state(3).radio_ports == 2; }));
    const auto requests = server.waitFrames(3);
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ((std::string{requests[0].kind, requests[1].kind, requests[2].kind}), "RGk");

    ASSERT_EQ(send("DB0XYZ 3", "hi"), 1);
    const auto raw = framesOfKind(server, 'K', 1);
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(std::tie(raw[0].port, raw[0].data), std::tuple(1, '\0' + uiBytes("DL1ABC", "DB0XYZ", "hi")));

    // Heard on port 0 belongs to another channel; port 1 is this one's, after its port byte.
    ASSERT_TRUE(server.send({0, 'K', 0, "DF1XX", "DL1ABC", "\x00"s + uiBytes("DF1XX", "DL1ABC", "port 0")}));
    ASSERT_TRUE(server.send({1, 'K', 0, "DF1XX", "DL1ABC", "\x10"s + uiBytes("DF1XX", "DL1ABC", "port 1")}));
    const FlxUiFrame* rec = nullptr;
    ASSERT_TRUE(wait_until([&] { return (rec = l2_get_ui("DL1ABC")) != nullptr; }));
    EXPECT_EQ(
        std::tuple(rec->channel, std::string(reinterpret_cast<const char*>(rec->info), rec->info_length)),
        std::tuple(3, "port 1"));
    EXPECT_EQ(stats().dropped_other_port, 1u);
}

// A server that stays silent fails as these do (its verdict and when:
// AgwFraming.FailsOnSilenceBrokenBytesAndARadioPortTheServerLacks).
TEST_F(DriverLink, AgwFaultsEndInTheirStateAndTheLinkComesBackWhenTheServerAnswers)
{
    struct Case {
        Behaviour fault;
        int state, error;
    };
    for (const auto& [fault, linkState, error] :
         {Case{Behaviour::CloseAfterRequest, FLX_LINK_DOWN, ECONNRESET},
          Case{Behaviour::Garbage, FLX_LINK_WRONG_PROTOCOL, 0},
          Case{Behaviour::CutOff, FLX_LINK_WRONG_PROTOCOL, 0}}) {
        SCOPED_TRACE(static_cast<int>(fault));
        FakeAgwServer server(fault);
        start(line(0, "agw-tcp", server.port(), "@1200 Funk"));
        ASSERT_TRUE(reaches(0, linkState, error));
        EXPECT_EQ(std::tuple(flx_channel_connected(0), send("DB0XYZ 0", "x")), std::tuple(0, 0));
        EXPECT_GE(server.waitConnections(2), 2);  // it tries again
        server.setBehaviour(Behaviour::Answer);
        EXPECT_TRUE(reaches(0, FLX_LINK_UP));
        EXPECT_EQ(send("DB0XYZ 0", "x"), 1);
        ax_exit();
    }
}

TEST_F(DriverLink, AgwPacedChannelHoldsItsNextFrameWhileTheServerReportsFramesWaiting)
{
    FakeAgwServer server;
    server.setOutstanding(1);
    start(line(0, "agw-tcp", server.port(), "@1200 Funk"));
    ASSERT_TRUE(reaches(0, FLX_LINK_UP));
    const std::string text(100, 'x');  // 0.8 s on the air at 1200 bit/s
    ASSERT_EQ(send("DB0AAA 0", text), 1);
    ASSERT_EQ(send("DB0BBB 0", text), 1);  // waits for the first
    // It keeps asking well past the air time of the first frame, and the second stays back.
    ASSERT_GE(framesOfKind(server, 'y', 15).size(), 15u);
    EXPECT_EQ(framesOfKind(server, 'K', 0).size(), 1u);
    EXPECT_EQ(flx_ui_waiting("DL1ABC", "DB0BBB 0", 0xF0, 100, text.data()), 1);
    server.setOutstanding(0);
    const auto raw = framesOfKind(server, 'K', 2);
    ASSERT_EQ(raw.size(), 2u);
    EXPECT_EQ(raw[1].data, '\0' + uiBytes("DL1ABC", "DB0BBB", text));
}

TEST_F(DriverLink, KissChannelOnAnAgwPortIsNotAKissTncAcrossReconnects)
{
    FakeAgwServer server;  // closes the connection on a KISS frame, as Direwolf's AGW port does
    start(line(0, "kiss-tcp", server.port()));
    ASSERT_TRUE(reaches(0, FLX_LINK_UP));  // nothing seen yet that is not KISS
    // Longer than an AGW header: the server reads the frame as one and finds it broken.
    ASSERT_EQ(send("DB0XYZ 0", std::string(40, 'x')), 1);
    ASSERT_TRUE(reaches(0, FLX_LINK_WRONG_PROTOCOL));
    EXPECT_TRUE(server.sawBrokenStream());
    ASSERT_GE(server.waitConnections(2), 2);
    EXPECT_TRUE(connected(0));
    EXPECT_EQ(state(0).state, FLX_LINK_WRONG_PROTOCOL);  // kept on the new connection
    EXPECT_TRUE(server.waitFrames(0, 0ms).empty());      // never a byte of AGW
}

TEST_F(DriverLink, KissChannelThatHearsTextIsWrongUntilAConnectionStaysUpAcrossAFrame)
{
    auto tnc = std::make_unique<KissServer>();
    const std::uint16_t port = tnc->port();
    start(line(0, "kiss-tcp", port));
    ASSERT_TRUE(tnc->accept());
    tnc->send_raw("220 mail.example ESMTP\r\n");
    ASSERT_TRUE(reaches(0, FLX_LINK_WRONG_PROTOCOL));
    EXPECT_EQ(flx_channel_connected(0), 1);  // the connection stays: nothing to gain from hammering it

    // Gone after half a frame (a TNC not there at the start: LinkTest.WatchNamesATncThatDoesNotAnswer...):
    // nothing is sent while it is away.
    tnc->send_raw(bytes({0xC0, 0x00, 0x88, 0x98}));
    tnc.reset();
    ASSERT_TRUE(wait_until([] { return stats().connect_failures > 0; }));
    EXPECT_EQ(std::tuple(flx_channel_connected(0), send("DB0XYZ 0", "hi")), std::tuple(0, 0));
    tnc = std::make_unique<KissServer>(true, port);  // a KISS TNC listens now
    ASSERT_TRUE(tnc->accept());
    ASSERT_TRUE(connected(0));
    EXPECT_EQ(std::tuple(state(0).state, stats().connects), std::tuple(FLX_LINK_WRONG_PROTOCOL, 2u));
    ASSERT_EQ(send("DB0XYZ 0", "hi"), 1);
    EXPECT_TRUE(reaches(0, FLX_LINK_UP));
    EXPECT_EQ(tnc->wait_frames(1).size(), 1u);
    // The half frame was not glued to the new TNC's first.
    tnc->send_frame(ui_frame("DF1XX", "DL1ABC", 0xDC, "+"));
    const FlxUiFrame* rec = nullptr;
    ASSERT_TRUE(wait_until([&] { return (rec = l2_get_ui("DL1ABC")) != nullptr; }));
    EXPECT_EQ(std::tuple(rec->info_length, rec->info[0], stats().dropped_malformed), std::tuple(1, '+', 0u));

    FlxLinkState out{};
    EXPECT_EQ(std::tuple(flx_channel_state(5, &out), flx_channel_state(0, nullptr)), std::tuple(-1, -1));
}

using Seen = std::tuple<int, int, std::string>;  // channel, sent, AX.25 bytes

struct Monitor {
    std::mutex mutex;
    std::vector<Seen> seen;
    std::atomic<bool> inside{false}, release{false};

    static void record(void* user, int channel, int sent, const unsigned char* ax25, int length)
    {
        auto* self = static_cast<Monitor*>(user);
        self->inside = true;
        wait_until([&] { return self->release.load(); });
        {
            std::lock_guard lock(self->mutex);
            self->seen.push_back({channel, sent, std::string(reinterpret_cast<const char*>(ax25), length)});
        }
        self->inside = false;
    }
};

// Which frames the monitor sees, heard and sent, foreign and connected-mode ones too, through
// the station's MON lines: StationPair.MonitorPrintsSentReceivedAndForeignFramesUntilSwitchedOff.
TEST_F(DriverLink, SwitchingTheMonitorOffWaitsForACallStillRunning)
{
    KissServer tnc;
    ASSERT_NO_FATAL_FAILURE(startOn(tnc, 2));
    Monitor monitor;
    flx_monitor(&Monitor::record, &monitor);

    tnc.send_frame(ui_frame("DF1XX", "DL1ABC", 0xF0, "late"));
    ASSERT_TRUE(wait_until([&] { return monitor.inside.load(); }));
    std::atomic<bool> returned{false};
    std::thread off([&] {
        flx_monitor(nullptr, nullptr);
        returned = true;
    });
    EXPECT_FALSE(wait_until([&] { return returned.load(); }, 200ms));
    monitor.release = true;
    off.join();
    EXPECT_FALSE(monitor.inside);
    ASSERT_EQ(send("DB0XYZ 2", "after"), 1);
    ASSERT_EQ(tnc.wait_frames(1).size(), 1u);
    std::lock_guard lock(monitor.mutex);
    EXPECT_EQ(monitor.seen, (std::vector<Seen>{{2, 0, uiBytes("DF1XX", "DL1ABC", "late")}}));
}

TEST_F(DriverLink, ReloadKeepsRenamedAndUnchangedChannelsConnectedAndReopensChangedOnes)
{
    EXPECT_EQ(flx_reload(), -1);  // before ax_init
    KissServer keep, before, after;
    start(line(0, "kiss-tcp", keep.port(), " Bleibt") + line(1, "kiss-tcp", before.port(), " Alt"));
    ASSERT_TRUE(keep.accept());
    ASSERT_TRUE(before.accept());
    ASSERT_TRUE(connected(1));

    dir.write("flexnet.conf", line(0, "kiss-tcp", keep.port(), " Umbenannt") +
                                  line(1, "kiss-tcp", after.port(), "@1200 Neu") +
                                  "7 kiss-tcp 127.0.0.1 bad\n");
    ASSERT_EQ(flx_reload(), 0);
    ASSERT_TRUE(after.accept());
    ASSERT_TRUE(connected(1));
    EXPECT_EQ(std::tuple(std::string(get_ident(0)), std::string(get_ident(1))),
              std::tuple("Umbenannt", "Neu"));
    EXPECT_EQ(before.wait_frames(1, 5s).size(), 0u);  // its connection ended
    // Channel 0 still writes on the connection it had.
    ASSERT_EQ(send("DB0XYZ 0", "same"), 1);
    ASSERT_EQ(keep.wait_frames(1).size(), 1u);
    EXPECT_EQ(stats().connects, 3u);

    dir.write("flexnet.conf", "# empty\n");
    EXPECT_EQ(flx_reload(), -1);
    EXPECT_EQ(std::string(get_ident(0)), "Umbenannt");
}

}  // namespace

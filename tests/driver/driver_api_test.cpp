// libflxapi32.so through its C entry points, against KISS TNCs on real sockets and a
// pseudo-terminal.
#include "tests/driver/driver_fixture.h"
#include "tests/support/kiss_socket.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace zelvo::testing;
namespace ax25 = zelvo::ax25;
namespace kiss = zelvo::kiss;

namespace {

class DriverApi : public DriverFixture {
protected:
    static const FlxUiFrame* nextFrame(const char* mycall)
    {
        const FlxUiFrame* frame = nullptr;
        wait_until([&] { return (frame = l2_get_ui(mycall)) != nullptr; });
        return frame;
    }
    static std::string call(const std::uint8_t* address)
    {
        char out[FLX_CALL_TEXT + 1];
        strcall(out, address);
        return out;
    }
    static std::string path(const FlxUiFrame* frame)
    {
        char out[FLX_PATH_TEXT + 1];
        strpath(out, frame);
        return out;
    }
};

TEST_F(DriverApi, SendWritesOneKissFrameByteForByte)
{
    KissServer tnc;
    ASSERT_NO_FATAL_FAILURE(startOn(tnc, 2, "/3 Nord"));

    const std::string info = "Gr\xFC\xDF"
                             "e\xC0\xDB";  // 8-bit text with both KISS specials
    ASSERT_EQ(l2_send_ui("dl1abc-7", "db0xyz-1 2 dk0aa wide2-2", 0x1DA, 0, static_cast<int>(info.size()),
                         info.data()),
              1);
    ASSERT_EQ(tnc.wait_frames(1).size(), 1u);
    EXPECT_EQ(tnc.raw_received(), bytes({0xC0, 0x30,                                // KISS port 3, data
                                         0x88, 0x84, 0x60, 0xB0, 0xB2, 0xB4, 0xE2,  // DB0XYZ-1, C bit set
                                         0x88, 0x98, 0x62, 0x82, 0x84, 0x86, 0x6E,  // DL1ABC-7, C bit clear
                                         0x88, 0x96, 0x60, 0x82, 0x82, 0x40, 0x60,  // DK0AA, H clear
                                         0xAE, 0x92, 0x88, 0x8A, 0x64, 0x40, 0x65,  // WIDE2-2, last address
                                         0x03, 0xDA,                                // UI, PID low 8 bits
                                         'G',  'r',  0xFC, 0xDF, 'e',  0xDB, 0xDC, 0xDB, 0xDD, 0xC0}));
    // An empty field without a pointer, as the binding hands on an acknowledgement
    // (FlexApiTest.CallsReachTheLibraryWithTheirArgumentsUntilItIsUnloaded), is taken:
    // every delivery in StationPair.MessagesBothWaysThenPresenceAwayPollBackAndOffline needs it.
}

TEST_F(DriverApi, QueuesOnlyCompleteUiFramesForTheOwnCall)
{
    KissServer tnc;
    ASSERT_NO_FATAL_FAILURE(startOn(tnc, 4, "/1 Relais"));

    tnc.send_frame(ui_frame("DF1XX", "OTHER", 0xDA, "[x]\x18"), 1);                     // other call
    tnc.send_frame(ui_frame("DF1XX", "DL1ABC", 0xDA, "[x]\x18"), 0);                    // other KISS port
    tnc.send_frame(ui_frame("DF1XX", "DL1ABC", 0xDA, "[x]\x18", {"DB0AA"}, false), 1);  // not repeated yet
    std::string sabm = ax25::encodeFrame(ui_frame("DF1XX", "DL1ABC", 0, ""));
    sabm.resize(15);
    sabm[14] = 0x3F;
    tnc.send_raw(kiss::encodeData(1, sabm));                                      // not UI
    tnc.send_raw(bytes({0xC0, 0x10, 0x01, 0xDB, 0x41, 0xC0}));                    // bad KISS escape
    tnc.send_raw(kiss::encodeData(1, "\x01\x02\x03\x04\x05"));                    // not AX.25
    tnc.send_frame(ui_frame("DF1XX", "DL1ABC-1", 0xDA, "[x]\x18"), 1);            // other SSID
    tnc.send_frame(ui_frame("DF1XX", "DL1ABC", 0xD0, std::string(257, 'x')), 1);  // info too long
    const std::string text = "Hallo\r\nWelt \xE4\xF6\xFC";
    tnc.send_frame(ui_frame("DK0XYZ-5", "DL1ABC", 0xD3, text, {"DB0AAA", "DB0BBB-2"}), 1);
    tnc.send_frame(ui_frame("DF1XX", "DL1ABC", 219, ""), 1);

    const FlxUiFrame* rec = nextFrame("dl1abc-0");
    ASSERT_NE(rec, nullptr);
    // The fields' offsets are fixed at compile time (flxapi.cpp).
    ASSERT_NE(rec->info, nullptr);
    EXPECT_EQ(std::make_tuple(call(rec->source), rec->pid, rec->info_length,
                              std::string(reinterpret_cast<const char*>(rec->info)),  // NUL after the field
                              rec->channel, call(rec->dest), path(rec)),
              std::make_tuple("DK0XYZ-5", 0xD3, text.size(), text, 4, "DL1ABC", "DB0AAA DB0BBB-2 DK0XYZ-5"));

    rec = nextFrame("DL1ABC");
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(std::make_tuple(rec->pid, rec->info_length, rec->info[0], path(rec)),
              std::make_tuple(219, 0, 0, "DF1XX"));
    EXPECT_EQ(l2_get_ui("DL1ABC"), nullptr);

    const FlxStats s = stats();
    EXPECT_EQ(std::tie(s.dropped_other_call, s.dropped_other_port, s.dropped_incomplete_path,
                       s.dropped_not_ui, s.dropped_malformed, s.kiss_errors, s.frames_delivered),
              std::make_tuple(2u, 1u, 1u, 1u, 2u, 1u, 2u));
}

TEST_F(DriverApi, BoundsTheQueueAndCountsWhatItDrops)
{
    KissServer tnc;
    ASSERT_NO_FATAL_FAILURE(startOn(tnc, 0));
    std::string burst;
    for (int i = 0; i < 300; ++i)
        burst += kiss::encodeData(0, ax25::encodeFrame(ui_frame("DF1XX", "DL1ABC", 0xD0, std::to_string(i))));
    tnc.send_raw(burst);
    ASSERT_TRUE(wait_until([] { return stats().frames_queued + stats().dropped_queue_full == 300; }));
    EXPECT_EQ(std::make_tuple(stats().frames_queued, stats().dropped_queue_full), std::make_tuple(256u, 44u));
    // The oldest frames are kept, in order.
    const FlxUiFrame* rec = l2_get_ui("DL1ABC");
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(rec->info), "0");
}

TEST_F(DriverApi, TalksToASerialTncOnAPseudoTerminal)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    start("1 kiss-serial " + slave + " 9600/2 Funk\n");
    ASSERT_TRUE(connected(1));

    ASSERT_EQ(l2_send_ui("DL1ABC", "DB0XYZ 1", 0xDA, 0, 4, "[a]\x18"), 1);
    KissReader tnc(master);
    const auto& frames = tnc.wait_frames(1);
    ASSERT_EQ(frames.size(), 1u);
    ax25::Frame frame;
    ASSERT_EQ(ax25::decodeUiFrame(frames[0].data, frame), ax25::DecodeError::None);
    EXPECT_EQ(std::make_tuple(frames[0].port, ax25::formatAddress(frame.destination), frame.info),
              std::make_tuple(2, "DB0XYZ", "[a]\x18"));

    const std::string in =
        kiss::encodeData(2, ax25::encodeFrame(ui_frame("DB0XYZ", "DL1ABC", 0xDA, "[b]\x19")));
    ASSERT_EQ(::write(master, in.data(), in.size()), static_cast<ssize_t>(in.size()));
    const FlxUiFrame* rec = nextFrame("DL1ABC");
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(std::make_tuple(rec->channel,
                              std::string(reinterpret_cast<const char*>(rec->info), rec->info_length)),
              std::make_tuple(1, "[b]\x19"));
    ax_exit();
    ::close(master);
}

TEST_F(DriverApi, RefusesWhatItCannotSendAndWritesNothingForIt)
{
    KissServer tnc;
    KissServer down(/*listen_now=*/false);
    start(line(0, "kiss-tcp", tnc.port()) + line(1, "kiss-tcp", down.port()));
    ASSERT_TRUE(tnc.accept());
    ASSERT_TRUE(connected(0));

    const std::string info(257, 'x');
    const std::string longDestination = "DB0XYZ 0 " + std::string(5000, 'A');
    using Case = std::tuple<const char*, const char*, int, const void*>;  // mycall, destination, length, info
    // What the destination text may hold is Destination.RefusesWhatCannotBeSent; here what the
    // entry point adds: its pointers, the own call, the table, the line and the field.
    const Case refused[] = {
        {nullptr, "DB0XYZ 0", 2, "hi"},
        {"DL1ABC", nullptr, 2, "hi"},
        {"", "DB0XYZ 0", 2, "hi"},
        {"DL1ABC", "DB0XYZ 9", 2, "hi"},  // not in the table
        {"DL1ABC", "DB0XYZ 1", 2, "hi"},  // TNC not connected
        {"DL1ABC", longDestination.c_str(), 2, "hi"},
        {"DL1ABC", "DB0XYZ 0", 257, info.data()},
        {"DL1ABC", "DB0XYZ 0", -1, "hi"},
        {"DL1ABC", "DB0XYZ 0", 5, nullptr},
    };
    for (const auto& [mycall, destination, length, info] : refused)
        EXPECT_EQ(l2_send_ui(mycall, destination, 0xF0, 0, length, info), 0)
            << (destination ? destination : "(null)") << " len " << length;
    EXPECT_EQ(stats().sends_refused, std::size(refused));

    ASSERT_EQ(l2_send_ui("DL1ABC", "DB0XYZ 0 A B C D E F G H", 0xF0, 0, 256, info.data()), 1);
    const auto frames = tnc.wait_frames(1);
    ASSERT_EQ(frames.size(), 1u);
    // Nothing refused reached the line before the accepted frame.
    EXPECT_EQ(tnc.raw_received(), kiss::encodeData(0, frames[0].data));
    ax25::Frame frame;
    ASSERT_EQ(ax25::decodeUiFrame(frames[0].data, frame), ax25::DecodeError::None);
    EXPECT_EQ(std::make_tuple(frame.digis.size(), frame.info.size(), stats().frames_sent),
              std::make_tuple(8u, 256u, 1u));
}

TEST_F(DriverApi, SendsFromTwoThreadsWhileReceiving)
{
    KissServer tnc;
    ASSERT_NO_FATAL_FAILURE(startOn(tnc, 0));

    constexpr int kEach = 300;
    constexpr int kIncoming = 100;
    std::atomic<int> refused{0};
    auto sender = [&](char tag) {
        for (int i = 0; i < kEach; ++i) {
            const std::string info = tag + std::to_string(i);
            if (!l2_send_ui("DL1ABC", "DB0XYZ 0 DB0AA", 0xD0 + i % 10, 0, static_cast<int>(info.size()),
                            info.data()))
                ++refused;
        }
    };
    std::vector<std::string> received;
    std::thread receiver([&] {
        wait_until([&] {
            if (const FlxUiFrame* rec = l2_get_ui("DL1ABC"))
                received.emplace_back(reinterpret_cast<const char*>(rec->info), rec->info_length);
            EXPECT_STREQ(get_ident(0), "Test");
            return received.size() == kIncoming;
        });
    });
    std::thread a(sender, 'A');
    std::thread b(sender, 'B');
    for (int i = 0; i < kIncoming; ++i)
        tnc.send_frame(ui_frame("DF1XX", "DL1ABC", 0xD0, "in" + std::to_string(i)));
    const auto frames = tnc.wait_frames(2 * kEach);
    a.join();
    b.join();
    receiver.join();

    EXPECT_EQ(refused.load(), 0);
    ASSERT_EQ(frames.size(), 2u * kEach);
    EXPECT_EQ(tnc.decoder_stats().badEscapes + tnc.decoder_stats().overlong, 0u);
    int next[2] = {0, 0};
    for (const auto& f : frames) {
        ax25::Frame frame;
        ASSERT_EQ(ax25::decodeUiFrame(f.data, frame), ax25::DecodeError::None);
        const int who = frame.info[0] == 'A' ? 0 : 1;
        EXPECT_EQ(frame.info.substr(1), std::to_string(next[who]++));  // each thread's order kept
    }
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kIncoming));
    for (int i = 0; i < kIncoming; ++i)
        EXPECT_EQ(received[i], "in" + std::to_string(i));
}

TEST_F(DriverApi, PacedChannelHandsFramesOnAsTheAirCarriesThem)
{
    KissServer tnc;
    ASSERT_NO_FATAL_FAILURE(startOn(tnc, 0, "@1200 Funk"));
    const std::string text(256, 'x'), none;  // 272 bytes: 1.8 s on the air
    auto waiting = [](const char* to, const std::string& info) {
        return flx_ui_waiting("DL1ABC", to, 0xF0, static_cast<int>(info.size()), info.data());
    };
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(send("DB0AAA 0", text), 1);  // a free channel: at once
    ASSERT_EQ(tnc.wait_frames(1).size(), 1u);
    EXPECT_EQ(waiting("DB0AAA 0", text), 0);
    tnc.send_frame(ui_frame("DF1XX", "DF2YY", 0xF0, "x"));  // heard while ours is expected on the air
    EXPECT_TRUE(wait_until([&] { return waiting("DB0AAA 0", text) == 1; }));
    for (const auto& [to, info] : {std::pair{"DB0CCC 0", text},
                                   {"DB0BBB 0", text},
                                   {"DB0BBB 0", text},
                                   {"DB0DDD 0", "hi"},
                                   {"DB0BBB 0", none},
                                   {"DB0EEE 0", none}})
        ASSERT_EQ(send(to, info), 1);
    EXPECT_EQ(waiting("DB0BBB 0", text), 1);
    EXPECT_EQ(flx_ui_waiting_count(), 5);  // four in the queue, DB0AAA's held by the heard frame
    EXPECT_EQ(flx_ui_withdraw("DL1ABC", "DB0CCC 0", 0xF0, static_cast<int>(text.size()), text.data()), 1);
    EXPECT_EQ(flx_ui_waiting_count(), 4);
    // Without information field: at once, but behind what waits for the same station.
    ASSERT_EQ(tnc.wait_frames(4).size(), 4u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1800ms);  // DB0BBB's frame waited for ours
    ax_exit();  // hands on what still waits, long before it would be due
    const auto frames = tnc.wait_frames(5);
    std::string expected;
    for (const auto& [to, info] :
         {std::pair{"DB0AAA", text}, {"DB0EEE", none}, {"DB0BBB", text}, {"DB0BBB", none}, {"DB0DDD", "hi"}})
        expected += kiss::encodeData(0, ax25::encodeFrame(ui_frame("DL1ABC", to, 0xF0, info)));
    EXPECT_EQ(tnc.raw_received(), expected);  // the same bytes as unpaced, each frame once
}

TEST_F(DriverApi, NamesAndDescribesChannelsAndReportsBadTableLinesOnce)
{
    KissServer down(false);
    EXPECT_EQ(flx_channel_table(nullptr, 0), -1);  // nothing read yet
    testing::internal::CaptureStderr();
    start("# Tabelle\n" + line(0, "kiss-tcp", down.port(), " Simulation") +
          "3 kiss-tcp 127.0.0.1 ohne Port\n" +
          line(5, "kiss-tcp", down.port(),
               " Nord \xFC"
               "ber Relais") +
          "6 kiss-tcp [::1]:8001/2@1200 V6\n9 kiss-serial /dev/zelvo-none 9600/1 Seriell\n");
    EXPECT_EQ(ax_init(), 0);  // running already: nothing happens
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("flexnet.conf:3: "), std::string::npos) << err;
    EXPECT_EQ(err.find("flexnet.conf:3: "), err.rfind("flexnet.conf:3: ")) << err;

    for (const auto& [channel, ident] : {std::pair{0, "Simulation"},
                                         {5, "Nord \xFC"
                                             "ber Relais"},
                                         {-1, ""},
                                         {1, ""},
                                         {3, ""},
                                         {15, ""},
                                         {16, ""},
                                         {1000, ""}})
        EXPECT_STREQ(get_ident(channel), ident) << channel;

    // The table's name and each channel's line in full: the ChannelTable tests and
    // LinkTest.CheckListsTheTableAndEachChannelAndFailsWhenNoTncAnswers.
    char text[64];
    EXPECT_EQ(flx_channel_describe(6, text, 5), 26);  // "kiss-tcp [::1]:8001/2@1200"
    EXPECT_STREQ(text, "kiss");                       // cut to the room, with its NUL
    for (int channel : {-1, 3, 15, 16})
        EXPECT_EQ(flx_channel_describe(channel, text, sizeof text), -1) << channel;

    ax_exit();
    EXPECT_EQ(std::tuple(flx_channel_describe(6, text, sizeof text), flx_channel_table(text, sizeof text)),
              std::tuple(-1, -1));
    start(line(7, "kiss-tcp", down.port(), " Neu"));
    EXPECT_EQ(std::tuple(std::string(get_ident(7)), std::string(get_ident(0))), std::tuple("Neu", ""));
    ax_exit();
    dir.write("flexnet.conf", "# nothing\n");
    EXPECT_EQ(ax_init(), -1);
}

TEST_F(DriverApi, CallAndPathTextsStayBoundedOnGarbage)
{
    const std::uint8_t ff[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, zero[7] = {};
    const auto low = ax25::encodeAddress(address("DL1ABC-10"), true);
    EXPECT_EQ(std::tuple(call(ff), call(zero), call(low.data())),
              std::tuple(std::string(6, '?') + "-15", "", "DL1ABC-10"));

    FlxUiFrame rec{};
    std::memset(&rec, 0xFF, sizeof rec);  // digi_count 255
    const std::string p = path(&rec);
    EXPECT_LE(p.size(), static_cast<std::size_t>(FLX_PATH_TEXT));
    EXPECT_EQ(p.substr(0, 10), std::string(6, '?') + "-15 ");

    char noCall[FLX_CALL_TEXT + 1] = "x", noPath[FLX_PATH_TEXT + 1] = "x";
    strcall(noCall, nullptr);
    strpath(noPath, nullptr);
    EXPECT_EQ(std::tuple(noCall[0], noPath[0]), std::tuple('\0', '\0'));
    EXPECT_EQ(std::tuple(strcall(nullptr, ff), flx_get_stats(nullptr)), std::tuple(0, -1));
}

}  // namespace

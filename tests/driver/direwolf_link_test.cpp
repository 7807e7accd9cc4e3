// The driver against Direwolf itself: one channel on the first modem's KISS port, one on the
// second modem's AGW port, the two modems hearing each other over AFSK 1200; and a kiss-tcp
// channel pointed at an AGW port by mistake. Skips where Direwolf is not installed.
#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
#include "tests/support/direwolf_pair.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zelvo::testing;
using namespace std::chrono_literals;

namespace {

const std::string kDirewolf = ZELVO_DIREWOLF;
constexpr auto kOnAir = 20s;

std::string tcp(int channel, const char* kind, std::uint16_t port, const char* rest = " Funk")
{
    return std::to_string(channel) + " " + kind + " 127.0.0.1:" + std::to_string(port) + rest + "\n";
}

// The information field of the next frame for mycall on the channel, waiting for it.
std::string receive(const char* mycall, int channel)
{
    std::string info;
    wait_until(
        [&] {
            const FlxUiFrame* rec = l2_get_ui(mycall);
            if (rec != nullptr && rec->channel == channel)
                info.assign(reinterpret_cast<const char*>(rec->info), rec->info_length);
            return !info.empty();
        },
        kOnAir);
    return info;
}

}  // namespace

TEST(DirewolfLink, AgwChannelHearsAndIsHeardByAKissChannelOverTheAir)
{
    if (const auto reason = DirewolfPair::unavailable(kDirewolf))
        GTEST_SKIP() << *reason;
    DirewolfPair pair(kDirewolf);
    ASSERT_TRUE(pair.ready()) << pair.error();
    TempDir dir;
    const auto table = dir.write("flexnet.conf", tcp(0, "kiss-tcp", pair.modem(0).kissPort) +
                                                     tcp(1, "agw-tcp", pair.modem(1).agwPort, "@1200 Funk") +
                                                     tcp(2, "kiss-tcp", pair.modem(1).agwPort));
    ::setenv("ZELVO_FLEXNET_CONF", table.c_str(), 1);
    ASSERT_EQ(ax_init(), 0);
    FlxLinkState agw{};
    ASSERT_TRUE(wait_until([&] { return flx_channel_state(1, &agw) == 0 && agw.radio_ports > 0; }));
    EXPECT_EQ(agw.state, FLX_LINK_UP);
    EXPECT_GT(agw.agw_major, 0);
    ASSERT_TRUE(wait_until([] { return flx_channel_connected(0) == 1; }));

    // Two frames back to back on the paced channel: the second waits for the first, asking
    // Direwolf how many frames it still holds.
    const std::string there = "ueber AGW hinaus", then = "und noch einer", back = "ueber KISS zurueck";
    ASSERT_EQ(l2_send_ui("DL2BBB", "DL1AAA 1", 0xF0, 0, static_cast<int>(there.size()), there.data()), 1);
    ASSERT_EQ(l2_send_ui("DL2BBB", "DL1AAA 1", 0xF0, 0, static_cast<int>(then.size()), then.data()), 1);
    EXPECT_EQ(receive("DL1AAA", 0), there);
    EXPECT_EQ(receive("DL1AAA", 0), then);
    ASSERT_EQ(l2_send_ui("DL1AAA", "DL2BBB 0", 0xF0, 0, static_cast<int>(back.size()), back.data()), 1);
    EXPECT_EQ(receive("DL2BBB", 1), back);
    FlxLinkState kiss{};
    EXPECT_EQ(std::tuple(flx_channel_state(0, &kiss), kiss.state), std::tuple(0, FLX_LINK_UP));

    // Direwolf's AGW port closes the connection on the first KISS frame.
    const std::string x(40, 'x');
    ASSERT_TRUE(wait_until([] { return flx_channel_connected(2) == 1; }));
    ASSERT_EQ(l2_send_ui("DL1AAA", "DL2BBB 2", 0xF0, 0, static_cast<int>(x.size()), x.data()), 1);
    FlxLinkState wrong{};
    EXPECT_TRUE(wait_until(
        [&] { return flx_channel_state(2, &wrong) == 0 && wrong.state == FLX_LINK_WRONG_PROTOCOL; }));
    ax_exit();
}

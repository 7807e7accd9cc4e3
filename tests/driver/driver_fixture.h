// For the tests through the driver's entry points: the driver is one instance per process, so
// each test starts it on a table of its own and stops it again.
#pragma once

#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace zelvo::testing {

class DriverFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        flx_monitor(nullptr, nullptr);
        ax_exit();
    }
    void start(const std::string& table)
    {
        ::setenv("ZELVO_FLEXNET_CONF", dir.write("flexnet.conf", table).c_str(), 1);
        ASSERT_EQ(ax_init(), 0);
    }
    static std::string line(int channel, const char* kind, std::uint16_t port,
                            const std::string& rest = " Test")
    {
        return std::to_string(channel) + " " + kind + " 127.0.0.1:" + std::to_string(port) + rest + "\n";
    }
    // Starts the driver with one TCP channel on tnc and waits until it is connected.
    void startOn(KissServer& tnc, int channel, const std::string& rest = " Test")
    {
        ASSERT_NO_FATAL_FAILURE(start(line(channel, "kiss-tcp", tnc.port(), rest)));
        ASSERT_TRUE(tnc.accept());
        ASSERT_TRUE(connected(channel));
    }
    static bool connected(int channel)
    {
        return wait_until([&] { return flx_channel_connected(channel) == 1; });
    }
    static int send(const char* destination, const std::string& info)
    {
        return l2_send_ui("DL1ABC", destination, 0xF0, 0, static_cast<int>(info.size()), info.data());
    }
    static FlxStats stats()
    {
        FlxStats s{};
        flx_get_stats(&s);
        return s;
    }

    TempDir dir;
};

}  // namespace zelvo::testing

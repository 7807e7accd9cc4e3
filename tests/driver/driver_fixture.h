// For the tests through the driver's entry points: the driver is one instance per process, so
// each test starts it on a table of its own and stops it again.
#pragma once

#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
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
    static FlxStats stats()
    {
        FlxStats s{};
        flx_get_stats(&s);
        return s;
    }

    TempDir dir;
};

}  // namespace zelvo::testing

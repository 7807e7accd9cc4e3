// callToText and pathToText through the real driver library's strcall and strpath.
#include "link/flex_api.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/registry.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

using zelvo::link::FlexApi;
using zelvo::link::UiFrameView;

namespace {

// An AX.25 address field: six characters shifted left by one, blank-padded, then the SSID byte.
std::array<std::uint8_t, 7> address(const std::string& call, int ssid, std::uint8_t flags = 0)
{
    std::array<std::uint8_t, 7> a{};
    for (std::size_t i = 0; i < 6; ++i)
        a[i] = static_cast<std::uint8_t>((i < call.size() ? call[i] : ' ') << 1);
    a[6] = static_cast<std::uint8_t>(0x60 | (ssid << 1) | flags);
    return a;
}

class DriverTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(api_.loadFlexApi(registry_));
        ASSERT_EQ(api_.loadedFrom(), std::string(ZELVO_DRIVER_DIR) + "/libflxapi32.so");
    }
    void TearDown() override { api_.unloadFlexApi(); }

    zelvo::testing::TempDir dir_;
    zelvo::testing::ScopedEnv flexnet_{"flexnet", ZELVO_DRIVER_DIR};
    zelvo::platform::Registry registry_{{dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"}};
    FlexApi api_;
};

}  // namespace

TEST_F(DriverTextTest, CallAndPathTextsComeFromTheLibrary)
{
    EXPECT_EQ(api_.callToText(address("DL1ABC", 5).data()), "DL1ABC-5");
    EXPECT_EQ(api_.callToText(address("DB0XYZ", 15, 0x01).data()), "DB0XYZ-15");
    EXPECT_EQ(api_.callToText(address("DL1X", 0).data()), "DL1X");

    // The path: digipeaters in received order, then the source.
    FlxUiFrame frame{};
    const auto source = address("DL1ABC", 5);
    std::copy(source.begin(), source.end(), frame.source);
    const auto digi1 = address("DB0XYZ", 0, 0x80);
    const auto digi2 = address("DB0QRS", 1, 0x81);
    std::copy(digi1.begin(), digi1.end(), frame.digis[0]);
    std::copy(digi2.begin(), digi2.end(), frame.digis[1]);
    frame.digi_count = 2;
    EXPECT_EQ(api_.pathToText(UiFrameView(&frame)), "DB0XYZ DB0QRS-1 DL1ABC-5");

    frame.digi_count = 0;
    EXPECT_EQ(api_.pathToText(UiFrameView(&frame)), "DL1ABC-5");
}

// The received-frame view reads its fields at the fixed offsets, whatever else the record holds.
// The channel is read through the binding in FlexApiTest.CallsReachTheLibrary...
#include "link/ui_frame_view.h"

#include <gtest/gtest.h>

#include <array>

using zelvo::link::infoFieldText;
using zelvo::link::UiFrameView;

TEST(UiFrameView, ReadsRawBytesAtTheirOffsets)
{
    static const std::uint8_t info[] = "abc";
    alignas(8) std::array<std::uint8_t, 40> record;
    record.fill(0xEE);  // every byte the view must not look at
    for (int i = 0; i < 7; ++i)
        record[7 + i] = static_cast<std::uint8_t>(0x10 + i);
    record[18] = 0xDA;
    record[30] = 0x03;  // little-endian: low byte first
    record[31] = 0x01;
    const std::uint8_t* p = info;
    std::memcpy(record.data() + 32, &p, sizeof p);

    const UiFrameView view(static_cast<const void*>(record.data()));
    EXPECT_EQ(view.sourceAddress(), record.data() + 7);
    EXPECT_EQ(std::make_tuple(view.sourceAddress()[6], view.pid(), view.infoLength(), view.info()),
              std::make_tuple(0x16, 0xDA, 0x0103, info));
    EXPECT_EQ(view.infoText(), "abc");  // the NUL ends the text before the length does
    // Without a NUL the length ends it; a missing field has none.
    EXPECT_EQ(infoFieldText(reinterpret_cast<const std::uint8_t*>("abcdef"), 3), "abc");
    EXPECT_EQ(infoFieldText(nullptr, 12), "");
}

// A read-only view of the record that the driver's l2_get_ui hands out for one received UI frame.
//
// The program relies on four fields only, at fixed byte offsets from the start of the record:
// the source address (7), the PID (18), the information length (30, unsigned 16-bit
// little-endian) and the address of the information bytes (32). The arrival channel (20) is the
// stand-in driver's own addition. Nothing else of the record is read; the record belongs to the
// driver and stays valid only until its next l2_get_ui call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "driver/flxapi.h"

namespace zelvo::link {

// The driver header must keep the fields where the view reads them.
static_assert(offsetof(FlxUiFrame, source) == 7);
static_assert(offsetof(FlxUiFrame, pid) == 18);
static_assert(offsetof(FlxUiFrame, channel) == 20);
static_assert(offsetof(FlxUiFrame, info_length) == 30);
static_assert(offsetof(FlxUiFrame, info) == 32);

// The information field read as text: up to its first NUL, and at most `length` bytes. Never
// reads past `length`, so a field that lacks its closing NUL is still safe.
inline std::string infoFieldText(const std::uint8_t* info, std::size_t length)
{
    if (info == nullptr)
        return {};
    const char* text = reinterpret_cast<const char*>(info);
    return std::string(text, ::strnlen(text, length));
}

class UiFrameView {
public:
    static constexpr std::size_t kSourceOffset = 7;
    static constexpr std::size_t kPidOffset = 18;
    static constexpr std::size_t kChannelOffset = 20;
    static constexpr std::size_t kLengthOffset = 30;
    static constexpr std::size_t kInfoOffset = 32;

    // `record` must point at a whole record (at least kInfoOffset + a pointer's size bytes).
    explicit UiFrameView(const void* record) : bytes_(static_cast<const std::uint8_t*>(record)) {}
    explicit UiFrameView(const FlxUiFrame* frame) : UiFrameView(static_cast<const void*>(frame)) {}

    // The record's start, as strpath wants it.
    const FlxUiFrame* record() const { return reinterpret_cast<const FlxUiFrame*>(bytes_); }
    // The 7-byte AX.25 source address, as strcall wants it.
    const std::uint8_t* sourceAddress() const { return bytes_ + kSourceOffset; }
    std::uint8_t pid() const { return bytes_[kPidOffset]; }
    std::uint16_t infoLength() const
    {
        return static_cast<std::uint16_t>(bytes_[kLengthOffset] | bytes_[kLengthOffset + 1] << 8);
    }
    const std::uint8_t* info() const
    {
        const std::uint8_t* p = nullptr;
        std::memcpy(&p, bytes_ + kInfoOffset, sizeof p);
        return p;
    }
    // The channel the frame came in on (native byte order, the driver's own field).
    std::int32_t channel() const
    {
        std::int32_t c = 0;
        std::memcpy(&c, bytes_ + kChannelOffset, sizeof c);
        return c;
    }
    // The information field as a receiver reads it (see infoFieldText).
    std::string infoText() const { return infoFieldText(info(), infoLength()); }

private:
    const std::uint8_t* bytes_;
};

}  // namespace zelvo::link

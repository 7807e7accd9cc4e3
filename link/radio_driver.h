// What the protocol engine needs of the packet-radio driver: send one UI frame, fetch one
// received frame, name a channel, and turn the driver's address encodings into text; and, where
// the driver keeps frames back for a busy channel, ask after one and take it back.
// FlexApi (flex_api.h) is the real one, backed by libflxapi32.so; tests put a scripted driver
// in its place. Both threads call it; an implementation adds no lock of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/ui_frame_view.h"

namespace zelvo::link {

class RadioDriver {
public:
    virtual ~RadioDriver() = default;

    // One UI frame from `mycall` to the destination text "CALL[-SSID] CHANNEL [DIGI...]";
    // only the low 8 bits of `pid` go on the air. True when the driver accepted the frame.
    virtual bool sendUi(const std::string& mycall, const std::string& destination, int pid,
                        std::string_view info) = 0;
    // The next frame addressed to `mycall`, or nothing. The view is valid until the next getUi.
    virtual std::optional<UiFrameView> getUi(const std::string& mycall) = 0;
    // The name of channel 0..15; empty for a channel that is not in use.
    virtual std::string ident(int channel) = 0;
    // A 7-byte AX.25 address as "CALL-SSID" text, at most 16 characters.
    virtual std::string callToText(const std::uint8_t* address) = 0;
    // A received frame's path as blank-separated words, at most 131 characters.
    virtual std::string pathToText(const UiFrameView& frame) = 0;
    // True while the frame sendUi would make of these arguments has not gone on the air as far as
    // the driver can tell (flx_ui_waiting). A driver without a send queue never holds one.
    virtual bool frameWaiting(const std::string& /*mycall*/, const std::string& /*destination*/, int /*pid*/,
                              std::string_view /*info*/)
    {
        return false;
    }
    // False while the driver holds no frame back at all, so that frameWaiting is false for every
    // frame and need not be asked after each (flx_ui_waiting_count). A driver that overrides
    // frameWaiting overrides this too.
    virtual bool holdsFrames() { return false; }
    // Takes that frame back when it still waits in the driver's send queue.
    virtual void withdrawFrame(const std::string& /*mycall*/, const std::string& /*destination*/, int /*pid*/,
                               std::string_view /*info*/)
    {}
};

}  // namespace zelvo::link

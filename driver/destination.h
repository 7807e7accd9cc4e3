// The destination text of l2_send_ui: "CALL[-SSID] CHANNEL [DIGI ...]", blank separated, the
// digipeaters in sending order.
#pragma once

#include "driver/ax25_frame.h"

#include <optional>
#include <string_view>
#include <vector>

namespace zelvo::driver {

inline constexpr std::size_t MAX_DESTINATION_TEXT = 256;

struct Destination {
    ax25::Address call;
    int channel = 0;
    std::vector<ax25::Address> digis;
};

// nullopt for anything that cannot be sent as it stands: no channel number or one outside
// 0..15, a call or digipeater AX.25 cannot carry, more than eight digipeaters, or a text longer
// than MAX_DESTINATION_TEXT.
std::optional<Destination> parseDestination(std::string_view text);

}  // namespace zelvo::driver

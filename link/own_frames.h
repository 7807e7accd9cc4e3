// The program's own frames as AX.25 bytes, for a monitor of the channel where the driver does not
// hand over what it hears and sends: a frame the program sends (made from the arguments of
// l2_send_ui, as the driver makes it) and a frame it received (made from the driver's record).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/flxapi.h"

namespace zelvo::link::monitor {

struct SentFrame {
    int channel = 0;
    std::string ax25;
};

// nullopt for arguments the driver would not make a frame of (a call AX.25 cannot carry, no channel
// number, more than eight digipeaters, an information field over 256 bytes).
std::optional<SentFrame> encodeSentFrame(const std::string& mycall, const std::string& destination, int pid,
                                         std::string_view info);

// The UI frame the record describes: its addresses as the driver stored them, control, PID and
// information field (at most 256 bytes, however long the record claims it is).
std::string encodeRecord(const FlxUiFrame& record);

}  // namespace zelvo::link::monitor

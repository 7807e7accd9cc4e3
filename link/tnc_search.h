// Looking for the TNCs a ham usually runs on this machine, without sending anything on the air:
// KISS over TCP on 127.0.0.1:8001 (Direwolf) and 8100, AGW on 127.0.0.1:8000, and the serial
// devices of USB, ACM and Bluetooth TNCs and Direwolf's pseudo-terminal. Each place is probed by
// the driver (flx_probe, see driver/flxapi_ext.h), all at once, each within the timeout. Blocks;
// windows run it on a thread of its own.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver/flxapi_ext.h"
#include "link/channel_file.h"

namespace zelvo::link {

// What answers at an address written as channelAddress() writes it; nothing where it cannot be
// told (a driver without flx_probe).
using TncProber =
    std::function<std::optional<FlxProbe>(const std::string& address, std::chrono::milliseconds)>;

inline constexpr std::chrono::milliseconds kProbeTimeout{1500};

// The usual places, as entries without number and name. `deviceGlobs` are the patterns of
// serial devices (glob(3)); each device found is offered at 9600 baud.
std::vector<ChannelEntry> usualTncPlaces(const std::vector<std::string>& deviceGlobs = {
                                             "/dev/ttyUSB*", "/dev/ttyACM*", "/dev/rfcomm*", "/tmp/kisstnc"});

// Where the search looks: the usual places, or the addresses in $ZELVO_TNC_SEARCH when that is
// set ("kiss-tcp 127.0.0.1:8001;agw-tcp 10.0.0.2:8000", as a table line writes them; one the
// table's parser does not take is left out).
std::vector<ChannelEntry> searchPlaces();

struct TncAnswer {
    ChannelEntry entry;  // with the kind that answered: an AGW server found at a KISS place is agw-tcp
    std::optional<FlxProbe> probe;
};

// Probes every place at once; the answers in the order of `places`.
std::vector<TncAnswer> probeTncs(const std::vector<ChannelEntry>& places, const TncProber& prober,
                                 std::chrono::milliseconds timeout = kProbeTimeout);

// Whether an answer is a TNC to offer: a KISS TNC or an AGW server.
bool answered(const TncAnswer& answer);

}  // namespace zelvo::link

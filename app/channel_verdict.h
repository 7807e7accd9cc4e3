// zelvo --check's word on one channel: whether its TNC answers as the channel's kind, from the
// driver's link state and, for a TCP address, from what answered a probe (flx_probe). A KISS
// channel pointed at an AGW port looks up to the link (the AGW server waits silently for a
// request); the probe's AGW version request shows what it is, and the verdict says which kind to
// write.
#pragma once

#include <optional>
#include <string>

#include "driver/flxapi_ext.h"
#include "link/flex_api.h"

namespace zelvo::app {

struct ChannelVerdict {
    std::string text;  // "TNC answers", "not a KISS TNC: an AGW server answers there (...)", ...
    bool answers;      // its TNC answers as the channel's kind
    bool operator==(const ChannelVerdict&) const = default;
};

// `state` and `probe` where the driver gave them; `connected` is flx_channel_connected's answer,
// used without a state.
ChannelVerdict judgeChannel(const link::FlexApi::Channel& channel, const std::optional<FlxLinkState>& state,
                            bool connected, const std::optional<FlxProbe>& probe);

}  // namespace zelvo::app

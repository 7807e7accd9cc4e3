// What the channel page asks of the driver, as functions, so that the windows can be tried
// against any driver: probing an address, the state of a channel's link, the channels in use,
// and reading the table again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/flex_api.h"
#include "link/tnc_search.h"

namespace zelvo::link {

struct TncAccess {
    TncProber probe;  // empty: the driver cannot probe
    std::function<std::optional<FlxLinkState>(int channel)> linkState;
    std::function<std::vector<FlexApi::Channel>()> channels;
    std::function<bool()> reload;  // empty: the driver cannot read its table again
};

// Over a loaded driver, which outlives the result.
inline TncAccess accessOf(FlexApi& driver)
{
    TncAccess access;
    if (driver.canProbe())
        access.probe = [&driver](const std::string& address, std::chrono::milliseconds timeout) {
            return driver.probe(address, timeout);
        };
    access.linkState = [&driver](int channel) { return driver.linkState(channel); };
    access.channels = [&driver] { return driver.channels(); };
    if (driver.canReload())
        access.reload = [&driver] { return driver.reload(); };
    return access;
}

}  // namespace zelvo::link

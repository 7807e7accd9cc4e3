// The driver's counters, shared by the connection threads and the entry points; each field
// matches one of FlxStats.
#pragma once

#include "driver/flxapi_ext.h"

#include <atomic>
#include <cstdint>

namespace zelvo::driver {

struct Counters {
    using Counter = std::atomic<std::uint64_t>;
    Counter connects{0};
    Counter connectFailures{0};
    Counter framesSent{0};
    Counter sendsRefused{0};
    Counter kissFrames{0};
    Counter kissErrors{0};
    Counter droppedOtherPort{0};
    Counter droppedMalformed{0};
    Counter droppedNotUi{0};
    Counter droppedIncompletePath{0};
    Counter droppedQueueFull{0};
    Counter framesQueued{0};
    Counter droppedOtherCall{0};
    Counter framesDelivered{0};

    void reset();
    FlxStats snapshot() const;
};

}  // namespace zelvo::driver

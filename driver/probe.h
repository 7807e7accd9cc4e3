// What answers at a TNC address, found without putting anything on the air: a TCP port is sent an
// AGW version request, which is no KISS frame (it holds no FEND), so a KISS TNC drops it and an
// AGW server answers it; a serial device is only opened and closed again.
#pragma once

#include <chrono>
#include <string_view>

#include "driver/flxapi_ext.h"

namespace zelvo::driver {

// The address is a channel table line's kind and connection ("kiss-tcp 127.0.0.1:8001",
// "agw-tcp host:8000", "kiss-serial /dev/ttyUSB0 9600"). Returns within the timeout (a host name
// that is still being looked up then is left to finish on its own).
FlxProbe probe(std::string_view address, std::chrono::milliseconds timeout);

}  // namespace zelvo::driver

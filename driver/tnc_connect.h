// Opening the connection to a TNC: a TCP connection with a bound on the wait, or a serial line
// set to raw bytes at the table's baud rate. Both give a non-blocking descriptor.
#pragma once

#include "driver/channel_table.h"

#include <atomic>
#include <string>

namespace zelvo::driver {

struct OpenResult {
    int fd = -1;
    int error = 0;          // errno when fd < 0; -1 when the host name was not found
    std::string where;      // "host:port" or the device, for messages
    std::string errorText;  // what failed, for messages
};

// Waits at most a few seconds for each address of the host; a readable wakeFd ends the wait.
OpenResult connectTcp(const std::string& host, std::uint16_t port, int wakeFd,
                      const std::atomic<bool>& stopping);
OpenResult openSerial(const std::string& device, unsigned baud);

}  // namespace zelvo::driver

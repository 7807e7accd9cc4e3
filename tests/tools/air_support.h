// zelvo-air for the tool tests: a running instance and its port, and its capture file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/kiss_socket.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {

// A running zelvo-air and the port it listens on; port 0 when it did not come up.
struct AirInstance {
    std::unique_ptr<Process> process;
    std::uint16_t port = 0;
};
// Starts zelvo-air (default --port 0) with args and waits for its first line,
// "zelvo-air: listening on 127.0.0.1:PORT".
AirInstance start_air(const std::string& binary, std::vector<std::string> args = {});

// Records of a pcap file: link type and, per record, its bytes.
struct PcapFile {
    std::uint32_t link_type = 0;
    std::vector<std::string> records;
};
std::optional<PcapFile> read_pcap(const std::filesystem::path& path);

}  // namespace zelvo::testing

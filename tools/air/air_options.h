// Command-line options of zelvo-air, the simulated shared radio channel.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo::air {

struct AirOptions {
    std::uint16_t port = 8001;          // 0: the system picks a free port
    double loss = 0.0;                  // probability that one delivery is dropped
    double dup = 0.0;                   // probability that one delivery arrives twice
    std::uint32_t delay_ms = 0;         // added to every delivery
    std::optional<std::uint64_t> seed;  // unset: a fresh seed, printed at start
    std::uint32_t baud = 0;             // 0: frames take no air time
    std::string digi;                   // digipeater call this channel repeats as; empty: none
    std::string pcap;                   // capture file; empty: none
    bool help = false;
};

struct ParseResult {
    std::optional<AirOptions> options;  // unset on error
    std::string error;                  // one line naming the bad argument
};

ParseResult parse_air_options(const std::vector<std::string>& args);
std::string air_usage();

}  // namespace zelvo::air

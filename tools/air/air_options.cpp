// Parses zelvo-air's command line into AirOptions; every value is checked for range.
#include "tools/air/air_options.h"

#include <charconv>
#include <limits>

namespace zelvo::air {
namespace {

template <typename T>
bool parse_number(const std::string& text, T& out)
{
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool parse_probability(const std::string& text, double& out)
{
    return parse_number(text, out) && out >= 0.0 && out <= 1.0;
}

bool parse_u32(const std::string& text, std::uint32_t max, std::uint32_t& out)
{
    return parse_number(text, out) && out <= max;
}

// Applies one option with its value; returns an error text or an empty one.
std::string apply(AirOptions& o, const std::string& name, const std::string& value)
{
    std::uint32_t n = 0;
    if (name == "--port") {
        if (!parse_u32(value, 65535, n))
            return "--port needs a number 0..65535, not \"" + value + "\"";
        o.port = static_cast<std::uint16_t>(n);
    } else if (name == "--loss") {
        if (!parse_probability(value, o.loss))
            return "--loss needs a probability 0..1, not \"" + value + "\"";
    } else if (name == "--dup") {
        if (!parse_probability(value, o.dup))
            return "--dup needs a probability 0..1, not \"" + value + "\"";
    } else if (name == "--delay") {
        if (!parse_u32(value, 3'600'000, o.delay_ms))
            return "--delay needs milliseconds 0..3600000, not \"" + value + "\"";
    } else if (name == "--seed") {
        std::uint64_t seed = 0;
        if (!parse_number(value, seed))
            return "--seed needs a non-negative number, not \"" + value + "\"";
        o.seed = seed;
    } else if (name == "--baud") {
        if (!parse_u32(value, 10'000'000, o.baud) || o.baud == 0)
            return "--baud needs a rate 1..10000000, not \"" + value + "\"";
    } else if (name == "--digi") {
        if (value.empty())
            return "--digi needs a call sign";
        o.digi = value;
    } else if (name == "--pcap") {
        if (value.empty())
            return "--pcap needs a file name";
        o.pcap = value;
    } else {
        return "unknown option " + name;
    }
    return {};
}

}  // namespace

ParseResult parse_air_options(const std::vector<std::string>& args)
{
    AirOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name.rfind("--", 0) != 0)
            return {std::nullopt, "unexpected argument \"" + name + "\""};
        std::string value;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return {std::nullopt, name + " needs a value"};
        }
        if (std::string error = apply(options, name, value); !error.empty())
            return {std::nullopt, error};
    }
    return {options, {}};
}

std::string air_usage()
{
    return "Usage: zelvo-air [options]\n"
           "A simulated radio channel: a KISS TCP server on 127.0.0.1. Every frame a client\n"
           "sends goes to every other client, as on one shared frequency.\n"
           "\n"
           "  --port N      listen on port N (default 8001; 0 picks a free port)\n"
           "  --loss P      drop each delivery with probability P (0..1)\n"
           "  --dup P       deliver each delivery twice with probability P (0..1)\n"
           "  --delay MS    deliver every frame MS milliseconds late\n"
           "  --seed N      seed of the random faults; the same N gives the same faults\n"
           "  --baud B      frames take their air time at B baud, one at a time\n"
           "  --digi CALL   repeat frames whose next unrepeated digipeater is CALL\n"
           "  --pcap FILE   write every frame on the channel to FILE (pcap, AX.25 KISS)\n"
           "  --help        show this text\n"
           "\n"
           "The first line printed names the address, e.g.\n"
           "\"zelvo-air: listening on 127.0.0.1:8001\"; then one line per client that comes\n"
           "or goes. SIGINT or SIGTERM ends the program.\n";
}

}  // namespace zelvo::air

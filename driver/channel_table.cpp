#include "driver/channel_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/user_folders.h"

namespace zelvo::driver {

namespace {

constexpr const char* kTableName = "flexnet.conf";

constexpr std::array<unsigned, 11> kBauds = {300,   600,   1200,  2400,   4800,  9600,
                                             19200, 38400, 57600, 115200, 230400};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Splits off the first blank-delimited word.
std::string_view nextWord(std::string_view& rest)
{
    rest = trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

template <typename T>
std::optional<T> parseNumber(std::string_view text, T min, T max)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    T value{};
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

// Cuts an optional "@<air-rate>" off the end of word into config. It comes last, after the KISS
// port: "host:port/1@1200".
bool takeAirRate(std::string_view& word, ChannelConfig& config)
{
    const auto at = word.rfind('@');
    if (at == std::string_view::npos)
        return true;
    const auto rate = parseNumber<unsigned>(word.substr(at + 1), 1, MAX_AIR_RATE);
    if (!rate)
        return false;
    config.airRate = *rate;
    word = word.substr(0, at);
    return true;
}

constexpr const char* kBadAirRate = "air rate after @ must be 1..10000000 bit/s";

// Cuts an optional "/<kiss-port>" off the end of word into config.
bool takeKissPort(std::string_view& word, ChannelConfig& config)
{
    const auto slash = word.rfind('/');
    if (slash == std::string_view::npos)
        return true;
    const auto port = parseNumber<unsigned>(word.substr(slash + 1), 0, 15);
    if (!port)
        return false;
    config.kissPort = static_cast<std::uint8_t>(*port);
    word = word.substr(0, slash);
    return true;
}

// Cuts an optional "/<radio-port>" (0..255) off the end of word into config.
bool takeRadioPort(std::string_view& word, ChannelConfig& config)
{
    const auto slash = word.rfind('/');
    if (slash == std::string_view::npos)
        return true;
    const auto port = parseNumber<unsigned>(word.substr(slash + 1), 0, 255);
    if (!port)
        return false;
    config.radioPort = static_cast<std::uint8_t>(*port);
    word = word.substr(0, slash);
    return true;
}

// "host:port", "[v6-address]:port"; with a default port also "host", "[v6-address]".
std::string parseHostPort(std::string_view word, ChannelConfig& config, std::uint16_t defaultPort)
{
    const bool bracketed = word.starts_with('[');
    const auto close = word.find(']');
    const auto colon = word.rfind(':');
    // A port follows the last colon, after the closing bracket of an IPv6 address.
    const bool withPort = bracketed ? close != std::string_view::npos && close + 1 < word.size()
                                    : colon != std::string_view::npos;
    if (withPort && (colon == 0 || (bracketed && colon != close + 1)))
        return "expected <host>:<port>";
    if (!withPort && defaultPort == 0)
        return "expected <host>:<port>";
    std::string_view host = withPort ? word.substr(0, colon) : word;
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    else if (host.find_first_of("[]") != std::string_view::npos)
        return "expected <host>:<port>";
    const auto port = withPort ? parseNumber<unsigned>(word.substr(colon + 1), 1, 65535)
                               : std::optional<unsigned>(defaultPort);
    if (host.empty() || !port)
        return "expected <host>:<port> with port 1..65535";
    config.host.assign(host);
    config.port = static_cast<std::uint16_t>(*port);
    return {};
}

std::string parseTcpAddress(std::string_view word, ChannelConfig& config)
{
    if (!takeAirRate(word, config))
        return kBadAirRate;
    if (!takeKissPort(word, config))
        return "KISS port must be 0..15";
    return parseHostPort(word, config, 0);
}

std::string parseAgwAddress(std::string_view word, ChannelConfig& config)
{
    if (!takeAirRate(word, config))
        return kBadAirRate;
    if (!takeRadioPort(word, config))
        return "AGW radio port must be 0..255";
    return parseHostPort(word, config, DEFAULT_AGW_PORT);
}

std::string parseSerial(std::string_view& rest, ChannelConfig& config)
{
    const std::string_view device = nextWord(rest);
    std::string_view baudWord = nextWord(rest);
    if (device.empty() || baudWord.empty())
        return "expected <device> <baud>";
    if (!takeAirRate(baudWord, config))
        return kBadAirRate;
    if (!takeKissPort(baudWord, config))
        return "KISS port must be 0..15";
    const auto baud = parseNumber<unsigned>(baudWord, 1, 4000000);
    if (!baud || !isSupportedBaud(*baud))
        return "unsupported baud rate";
    config.device.assign(device);
    config.baud = *baud;
    return {};
}

// Empty on success, else the reason the line is bad.
std::string parseLine(std::string_view line, ChannelConfig& config)
{
    std::string_view rest = line;
    const auto number = parseNumber<int>(nextWord(rest), 0, MAX_CHANNEL);
    if (!number)
        return "channel number must be 0..15";
    config.number = *number;
    const std::string_view kind = nextWord(rest);
    std::string error;
    if (kind == "kiss-tcp") {
        config.kind = ChannelConfig::Kind::KissTcp;
        error = parseTcpAddress(nextWord(rest), config);
    } else if (kind == "kiss-serial") {
        config.kind = ChannelConfig::Kind::KissSerial;
        error = parseSerial(rest, config);
    } else if (kind == "agw-tcp") {
        config.kind = ChannelConfig::Kind::AgwTcp;
        error = parseAgwAddress(nextWord(rest), config);
    } else {
        return "expected kiss-tcp, kiss-serial or agw-tcp";
    }
    if (!error.empty())
        return error;
    const std::string_view name = trim(rest);
    if (name.empty())
        return "channel name missing";
    if (name.size() > MAX_CHANNEL_NAME)
        return "channel name longer than 64 characters";
    config.name.assign(name);
    return {};
}

// Two readers on one serial line would each get part of the bytes.
std::string serialClash(const std::vector<ChannelConfig>& channels, const ChannelConfig& config)
{
    if (config.kind != ChannelConfig::Kind::KissSerial)
        return {};
    for (const auto& other : channels)
        if (other.kind == ChannelConfig::Kind::KissSerial && other.device == config.device)
            return "device " + config.device + " already used by channel " + std::to_string(other.number);
    return {};
}

}  // namespace

bool isSupportedBaud(unsigned baud)
{
    return std::find(kBauds.begin(), kBauds.end(), baud) != kBauds.end();
}

ChannelConfig defaultChannel()
{
    ChannelConfig config;
    config.number = 0;
    config.kind = ChannelConfig::Kind::KissTcp;
    config.host = "127.0.0.1";
    config.port = 8001;
    config.name = "127.0.0.1:8001";
    return config;
}

std::string describeChannel(const ChannelConfig& config)
{
    std::string text;
    if (config.isTcp()) {
        const bool v6 = config.host.find(':') != std::string::npos;
        text = (config.kind == ChannelConfig::Kind::AgwTcp ? "agw-tcp " : "kiss-tcp ") +
               (v6 ? "[" + config.host + "]" : config.host) + ":" + std::to_string(config.port);
    } else {
        text = "kiss-serial " + config.device + " " + std::to_string(config.baud);
    }
    const unsigned port = config.kind == ChannelConfig::Kind::AgwTcp ? config.radioPort : config.kissPort;
    if (port != 0)
        text += "/" + std::to_string(port);
    if (config.airRate != 0)
        text += "@" + std::to_string(config.airRate);
    return text;
}

ChannelTable parseChannelTable(std::string_view text, std::string_view fileName)
{
    ChannelTable table;
    table.file.assign(fileName);
    std::array<int, MAX_CHANNEL + 1> definedIn{};  // line number per channel, 0 = free
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        line = trim(line.substr(0, line.find('#')));
        if (line.empty())
            continue;

        ChannelConfig config;
        std::string error = parseLine(line, config);
        if (error.empty() && definedIn[config.number] != 0)
            error = "channel " + std::to_string(config.number) + " already defined in line " +
                    std::to_string(definedIn[config.number]);
        if (error.empty())
            error = serialClash(table.channels, config);
        if (!error.empty()) {
            table.errors.push_back(std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + error);
            continue;
        }
        definedIn[config.number] = lineNumber;
        table.channels.push_back(std::move(config));
    }
    return table;
}

ChannelTable loadChannelTable(const std::filesystem::path& file)
{
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    std::ifstream in;
    if (exists)
        in.open(file, std::ios::binary);
    if (!exists || !in) {
        ChannelTable table;
        table.channels.push_back(defaultChannel());
        if (exists)
            table.errors.push_back(file.string() + ": cannot be read (" + std::strerror(errno) +
                                   "), using channel 0 on 127.0.0.1:8001");
        return table;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseChannelTable(text.str(), file.string());
}

std::filesystem::path findChannelTable(const std::filesystem::path& libraryDir,
                                       const std::filesystem::path& systemDir)
{
    if (const char* env = std::getenv("ZELVO_FLEXNET_CONF"); env != nullptr && *env != '\0')
        return env;
    const std::filesystem::path beside = libraryDir / kTableName;
    for (const auto& file : {beside, platform::configHome() / "zelvo" / kTableName, systemDir / kTableName}) {
        std::error_code ec;
        if (!file.empty() && std::filesystem::exists(file, ec))
            return file;
    }
    return beside;
}

}  // namespace zelvo::driver

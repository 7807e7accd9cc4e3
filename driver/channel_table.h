// The channel table flexnet.conf: which TNC serves which FlexNet channel. One line a channel,
//   <number> kiss-tcp <host>:<port>[/<kiss-port>][@<air-rate>] <name...>
//   <number> kiss-serial <device> <baud>[/<kiss-port>][@<air-rate>] <name...>
//   <number> agw-tcp <host>[:<port>][/<radio-port>][@<air-rate>] <name...>
// An AGW server (AGWPE over TCP) listens on port 8000 unless the line says otherwise; its radio
// ports are numbered from 0, as the AGW header carries them.
// The air rate (bit/s on the radio side, which may differ from the serial line's baud rate) makes
// the driver pace its frames to what the channel carries. '#' starts a comment. A bad line is
// reported with its line number and left out; the rest of the table still counts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::driver {

inline constexpr int MAX_CHANNEL = 15;
inline constexpr std::size_t MAX_CHANNEL_NAME = 64;
inline constexpr unsigned MAX_AIR_RATE = 10'000'000;
inline constexpr std::uint16_t DEFAULT_AGW_PORT = 8000;

struct ChannelConfig {
    enum class Kind { KissTcp, KissSerial, AgwTcp };

    int number = 0;
    Kind kind = Kind::KissTcp;
    std::string host;            // KissTcp, AgwTcp: name or address, brackets of an IPv6 address removed
    std::uint16_t port = 0;      // KissTcp, AgwTcp
    std::string device;          // KissSerial
    unsigned baud = 0;           // KissSerial, one of the rates termios knows
    std::uint8_t kissPort = 0;   // KissTcp, KissSerial
    std::uint8_t radioPort = 0;  // AgwTcp, 0-based
    unsigned airRate = 0;        // bit/s on the air; 0: frames go to the TNC as they come
    std::string name;            // the rest of the line, 8-bit text as written

    bool operator==(const ChannelConfig&) const = default;
    bool isTcp() const { return kind != Kind::KissSerial; }
};

struct ChannelTable {
    std::string file;  // the file the channels came from; empty: the built-in default channel
    std::vector<ChannelConfig> channels;
    std::vector<std::string> errors;  // "<file>:<line>: <reason>"
};

// What is used when there is no table file: channel 0 on a local KISS TCP server.
ChannelConfig defaultChannel();

// The channel's kind and connection as a table line writes them, without number and name:
// "kiss-tcp 127.0.0.1:8001/1@1200", "kiss-serial /dev/ttyUSB0 9600", "agw-tcp 127.0.0.1:8000/1".
std::string describeChannel(const ChannelConfig& config);

ChannelTable parseChannelTable(std::string_view text, std::string_view fileName);

// Reads the file; a file that does not exist gives the default channel. An unreadable file also
// gives the default channel, with an error saying so.
ChannelTable loadChannelTable(const std::filesystem::path& file);

bool isSupportedBaud(unsigned baud);

// The table to read: $ZELVO_FLEXNET_CONF when set; else the first flexnet.conf that exists in
// `libraryDir` (the driver's home), in $XDG_CONFIG_HOME/zelvo (default ~/.config/zelvo) and in
// `systemDir`; else the one in `libraryDir`, which gives the default channel. An installed driver's
// folder is not the user's to write, so the per-user and the system-wide file stand in for it.
std::filesystem::path findChannelTable(const std::filesystem::path& libraryDir,
                                       const std::filesystem::path& systemDir = "/etc/zelvo");

}  // namespace zelvo::driver

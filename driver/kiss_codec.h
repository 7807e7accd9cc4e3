// KISS framing between a host and a TNC: FEND-delimited frames whose first byte is the command
// byte (KISS port in the high nibble, command in the low nibble; command 0 carries an AX.25
// frame without FCS). The decoder takes byte chunks of any size, as they come off a socket or a
// serial line, and yields whole frames; it never trusts the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::kiss {

inline constexpr std::uint8_t FEND = 0xC0;
inline constexpr std::uint8_t FESC = 0xDB;
inline constexpr std::uint8_t TFEND = 0xDC;
inline constexpr std::uint8_t TFESC = 0xDD;

inline constexpr std::uint8_t CMD_DATA = 0x0;
inline constexpr std::uint8_t MAX_PORT = 15;

// Longest frame content (command byte plus data, after unescaping) the decoder accepts. A full
// AX.25 UI frame with eight digipeaters and 256 info bytes is 328 bytes.
inline constexpr std::size_t DEFAULT_MAX_FRAME = 1024;

struct Frame {
    std::uint8_t port = 0;     // 0..15
    std::uint8_t command = 0;  // 0..15, CMD_DATA for an AX.25 frame
    std::string data;          // unescaped bytes after the command byte
};

inline constexpr std::uint8_t commandByte(std::uint8_t port, std::uint8_t command)
{
    return static_cast<std::uint8_t>(((port & 0x0F) << 4) | (command & 0x0F));
}

// FEND, escaped command byte, escaped data, FEND. The command byte is escaped too: port 12 data
// frames have the command byte 0xC0.
std::string encode(std::uint8_t port, std::uint8_t command, std::string_view data);
inline std::string encodeData(std::uint8_t port, std::string_view ax25)
{
    return encode(port, CMD_DATA, ax25);
}

struct DecoderStats {
    std::uint64_t frames = 0;        // whole frames handed out
    std::uint64_t overlong = 0;      // dropped: content longer than the bound
    std::uint64_t badEscapes = 0;    // dropped: FESC followed by anything but TFEND or TFESC
    std::uint64_t unterminated = 0;  // dropped: partial frame pending at reset()
    std::uint64_t noiseBytes = 0;    // bytes seen before the first FEND
};

class Decoder {
public:
    explicit Decoder(std::size_t maxFrame = DEFAULT_MAX_FRAME);

    // Appends every frame completed by these bytes to out. Empty frames (FEND FEND) are skipped.
    void feed(const std::uint8_t* bytes, std::size_t length, std::vector<Frame>& out);
    void feed(std::string_view bytes, std::vector<Frame>& out);
    std::vector<Frame> feed(std::string_view bytes);

    // Forgets a partial frame (counted as unterminated) and waits for the next FEND, as after a
    // reconnect: the first bytes of a new connection may start in the middle of a frame.
    void reset();

    const DecoderStats& stats() const { return stats_; }

private:
    enum class State { Unsynced, InFrame, Escape, Discard };

    void endFrame(std::vector<Frame>& out);
    void append(std::uint8_t byte);

    std::size_t maxFrame_;
    State state_ = State::Unsynced;
    std::string content_;  // command byte plus data, unescaped
    DecoderStats stats_;
};

}  // namespace zelvo::kiss

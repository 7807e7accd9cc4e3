// The AGWPE host protocol over TCP: every message is a 36-byte header (radio port, kind, PID,
// two calls, data length, all integers little-endian) followed by its data. The decoder takes
// a TCP byte stream in chunks of any size and yields whole frames; it never trusts the peer: a
// header that cannot be AGW or a data length over the bound breaks the stream for good, since
// nothing after it can be framed again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvo::agw {

inline constexpr std::size_t kHeaderLength = 36;
inline constexpr std::uint32_t kMaxData = 4096;  // a data length above this is a broken stream
inline constexpr std::size_t kCallLength = 10;

struct Frame {
    std::uint8_t port = 0;  // radio port, 0-based as the header carries it
    char kind = 0;          // 'R', 'G', 'k', 'K', 'M', 'V', 'y', 'X', ...
    std::uint8_t pid = 0;
    std::string callFrom;  // up to 10 characters, NUL-padded in the header
    std::string callTo;
    std::string data;
};

// Header (little-endian) + data. Calls longer than 10 characters are cut.
std::string encode(const Frame& frame);

class Decoder {
public:
    enum class Error { None, Oversize, BadHeader };

    // Appends the complete frames in bytes to out; false (and error() set) once the stream is
    // broken: a data length over kMaxData, or a header that is not AGW (kind not an ASCII
    // letter, reserved bytes not zero). A broken decoder stays broken.
    bool feed(std::string_view bytes, std::vector<Frame>& out);
    Error error() const { return error_; }
    std::size_t pending() const { return buffer_.size(); }  // bytes of an incomplete frame held

private:
    bool takeFrame(std::string_view& rest, std::vector<Frame>& out);

    std::string buffer_;
    Error error_ = Error::None;
};

// The version answer 'R' (two 32-bit LE numbers major, minor) and the port list 'G'
// ("N;Port1 desc;Port2 desc;", a trailing NUL allowed; entries past N are left out) parsed;
// nullopt when malformed.
std::optional<std::pair<int, int>> parseVersion(std::string_view data);
std::optional<std::vector<std::string>> parsePortList(std::string_view data);

// The 32-bit LE count of the answer to 'y' (frames still waiting on a port); nullopt when malformed.
std::optional<std::uint32_t> parseOutstanding(std::string_view data);

}  // namespace zelvo::agw

#include "driver/agw_codec.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace zelvo::agw {

namespace {

// Byte offsets in the header.
constexpr std::size_t kPortAt = 0;
constexpr std::size_t kKindAt = 4;
constexpr std::size_t kPidAt = 6;
constexpr std::size_t kFromAt = 8;
constexpr std::size_t kToAt = kFromAt + kCallLength;
constexpr std::size_t kLengthAt = 28;
constexpr std::size_t kReservedAt[] = {1, 2, 3, 5, 7};

void putU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t getU32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

void putCall(std::string& out, std::string_view call)
{
    call = call.substr(0, kCallLength);
    out.append(call);
    out.append(kCallLength - call.size(), '\0');
}

std::string getCall(std::string_view header, std::size_t at)
{
    const std::string_view field = header.substr(at, kCallLength);
    return std::string(field.substr(0, field.find('\0')));
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string encode(const Frame& frame)
{
    std::string out;
    out.reserve(kHeaderLength + frame.data.size());
    out.push_back(static_cast<char>(frame.port));
    out.append(3, '\0');
    out.push_back(frame.kind);
    out.push_back('\0');
    out.push_back(static_cast<char>(frame.pid));
    out.push_back('\0');
    putCall(out, frame.callFrom);
    putCall(out, frame.callTo);
    putU32(out, static_cast<std::uint32_t>(frame.data.size()));
    putU32(out, 0);  // user field
    out.append(frame.data);
    return out;
}

bool Decoder::feed(std::string_view bytes, std::vector<Frame>& out)
{
    if (error_ != Error::None)
        return false;
    // Whole frames are taken straight from the chunk; only a partial one is copied.
    std::string held;
    std::string_view rest = bytes;
    if (!buffer_.empty()) {
        held = std::move(buffer_);
        held.append(bytes);
        rest = held;
    }
    buffer_.clear();
    while (takeFrame(rest, out)) {
    }
    if (error_ != Error::None)
        return false;
    buffer_.assign(rest);
    return true;
}

// Takes one whole frame off the front of rest; false when rest holds none or the header is bad.
bool Decoder::takeFrame(std::string_view& rest, std::vector<Frame>& out)
{
    if (rest.size() < kHeaderLength)
        return false;
    const bool reservedZero = std::all_of(std::begin(kReservedAt), std::end(kReservedAt),
                                          [&](std::size_t at) { return rest[at] == 0; });
    if (!reservedZero || !isAsciiLetter(rest[kKindAt])) {
        error_ = Error::BadHeader;
        return false;
    }
    const std::uint32_t length = getU32(rest, kLengthAt);
    if (length > kMaxData) {
        error_ = Error::Oversize;
        return false;
    }
    if (rest.size() < kHeaderLength + length)
        return false;
    Frame frame;
    frame.port = static_cast<std::uint8_t>(rest[kPortAt]);
    frame.kind = rest[kKindAt];
    frame.pid = static_cast<std::uint8_t>(rest[kPidAt]);
    frame.callFrom = getCall(rest, kFromAt);
    frame.callTo = getCall(rest, kToAt);
    frame.data.assign(rest.substr(kHeaderLength, length));
    out.push_back(std::move(frame));
    rest.remove_prefix(kHeaderLength + length);
    return true;
}

std::optional<std::pair<int, int>> parseVersion(std::string_view data)
{
    if (data.size() != 8)
        return std::nullopt;
    const std::uint32_t major = getU32(data, 0);
    const std::uint32_t minor = getU32(data, 4);
    constexpr auto kMax = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    if (major > kMax || minor > kMax)
        return std::nullopt;
    return std::pair(static_cast<int>(major), static_cast<int>(minor));
}

std::optional<std::vector<std::string>> parsePortList(std::string_view data)
{
    while (!data.empty() && data.back() == '\0')
        data.remove_suffix(1);
    const std::size_t semi = data.find(';');
    if (semi == std::string_view::npos || semi == 0)
        return std::nullopt;
    unsigned count = 0;
    const auto [end, ec] = std::from_chars(data.data(), data.data() + semi, count);
    if (ec != std::errc() || end != data.data() + semi || count > 256)
        return std::nullopt;
    std::string_view list = data.substr(semi + 1);
    if (!list.empty() && list.back() == ';')
        list.remove_suffix(1);
    // Entries past the count are left out: Direwolf 1.6 lists "INVALID CHANNEL" ports after it.
    std::vector<std::string> ports;
    while (!list.empty() && ports.size() < count) {
        const std::size_t next = list.find(';');
        ports.emplace_back(list.substr(0, next));
        list = next == std::string_view::npos ? std::string_view() : list.substr(next + 1);
    }
    const auto badEntry = [](const std::string& p) { return p.empty() || p.find('\0') != std::string::npos; };
    if (ports.size() != count || std::any_of(ports.begin(), ports.end(), badEntry))
        return std::nullopt;
    return ports;
}

std::optional<std::uint32_t> parseOutstanding(std::string_view data)
{
    if (data.size() != 4)
        return std::nullopt;
    return getU32(data, 0);
}

}  // namespace zelvo::agw

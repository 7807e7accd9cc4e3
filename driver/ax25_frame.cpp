#include "driver/ax25_frame.h"

#include <algorithm>
#include <charconv>

namespace zelvo::ax25 {

namespace {

bool isCallChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char toUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::optional<std::uint8_t> parseSsid(std::string_view text)
{
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value > MAX_SSID)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

bool isValidCall(std::string_view call)
{
    return !call.empty() && call.size() <= MAX_CALL_LENGTH &&
           std::all_of(call.begin(), call.end(), isCallChar);
}

std::optional<Address> parseAddress(std::string_view text)
{
    Address address;
    const auto dash = text.find('-');
    std::string call(text.substr(0, dash));
    std::transform(call.begin(), call.end(), call.begin(), toUpperAscii);
    if (!isValidCall(call))
        return std::nullopt;
    address.call = std::move(call);
    if (dash != std::string_view::npos) {
        const auto ssid = parseSsid(text.substr(dash + 1));
        if (!ssid)
            return std::nullopt;
        address.ssid = *ssid;
    }
    return address;
}

std::string formatAddress(const Address& address)
{
    if (address.ssid == 0)
        return address.call;
    return address.call + "-" + std::to_string(address.ssid);
}

RawAddress encodeAddress(const Address& address, bool last)
{
    RawAddress raw;
    for (std::size_t i = 0; i < MAX_CALL_LENGTH; ++i) {
        const char c = i < address.call.size() ? address.call[i] : ' ';
        raw[i] = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) << 1);
    }
    raw[6] = static_cast<std::uint8_t>((address.chBit ? SSID_CH_BIT : 0) | SSID_RESERVED |
                                       ((address.ssid & 0x0F) << 1) | (last ? SSID_EXTENSION : 0));
    return raw;
}

std::optional<Address> decodeAddress(const std::uint8_t* bytes)
{
    Address address;
    bool padding = false;
    for (std::size_t i = 0; i < MAX_CALL_LENGTH; ++i) {
        // A set low bit in a character byte would be an extension bit in the wrong place.
        if (bytes[i] & 0x01)
            return std::nullopt;
        const char c = static_cast<char>(bytes[i] >> 1);
        if (c == ' ') {
            padding = true;
        } else if (padding || !isCallChar(c)) {
            return std::nullopt;
        } else {
            address.call.push_back(c);
        }
    }
    if (address.call.empty())
        return std::nullopt;
    address.ssid = (bytes[6] >> 1) & 0x0F;
    address.chBit = (bytes[6] & SSID_CH_BIT) != 0;
    return address;
}

bool Frame::pathComplete() const
{
    return !nextDigi().has_value();
}

std::optional<std::size_t> Frame::nextDigi() const
{
    for (std::size_t i = 0; i < digis.size(); ++i)
        if (!digis[i].repeated())
            return i;
    return std::nullopt;
}

Frame makeUiFrame(const Address& source, const Address& destination, const std::vector<Address>& digis,
                  std::uint8_t pid, std::string_view info)
{
    Frame frame;
    frame.destination = destination;
    frame.destination.chBit = true;
    frame.source = source;
    frame.source.chBit = false;
    frame.digis = digis;
    for (auto& digi : frame.digis)
        digi.setRepeated(false);
    frame.control = CONTROL_UI;
    frame.pid = pid;
    frame.info.assign(info);
    return frame;
}

std::string encodeFrame(const Frame& frame)
{
    std::string out;
    out.reserve(ADDRESS_LENGTH * (2 + frame.digis.size()) + 2 + frame.info.size());
    auto put = [&out](const Address& address, bool last) {
        const RawAddress raw = encodeAddress(address, last);
        out.append(reinterpret_cast<const char*>(raw.data()), raw.size());
    };
    put(frame.destination, false);
    put(frame.source, frame.digis.empty());
    for (std::size_t i = 0; i < frame.digis.size(); ++i)
        put(frame.digis[i], i + 1 == frame.digis.size());
    out.push_back(static_cast<char>(frame.control));
    out.push_back(static_cast<char>(frame.pid));
    out.append(frame.info);
    return out;
}

const char* describe(DecodeError error)
{
    switch (error) {
    case DecodeError::None: return "ok";
    case DecodeError::TooShort: return "shorter than two addresses";
    case DecodeError::AddressUnterminated: return "address field not terminated";
    case DecodeError::TooManyAddresses: return "more than ten addresses";
    case DecodeError::BadAddress: return "address is not a call sign";
    case DecodeError::NoControl: return "no control field";
    case DecodeError::NotUi: return "not a UI frame";
    case DecodeError::NoPid: return "UI frame without PID";
    }
    return "unknown";
}

DecodeError decodeUiFrame(std::string_view bytes, Frame& out)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t size = bytes.size();
    if (size < 2 * ADDRESS_LENGTH)
        return DecodeError::TooShort;

    // Find the address that carries the extension bit.
    std::size_t count = 0;
    for (;;) {
        if (count == MAX_ADDRESSES)
            return DecodeError::TooManyAddresses;
        const std::size_t end = (count + 1) * ADDRESS_LENGTH;
        if (end > size)
            return DecodeError::AddressUnterminated;
        ++count;
        if (data[end - 1] & SSID_EXTENSION)
            break;
    }
    if (count < 2)
        return DecodeError::TooShort;

    std::vector<Address> addresses;
    addresses.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto address = decodeAddress(data + i * ADDRESS_LENGTH);
        if (!address)
            return DecodeError::BadAddress;
        addresses.push_back(std::move(*address));
    }

    std::size_t pos = count * ADDRESS_LENGTH;
    if (pos >= size)
        return DecodeError::NoControl;
    if ((data[pos] & ~CONTROL_PF) != CONTROL_UI)
        return DecodeError::NotUi;
    out.control = data[pos++];
    if (pos >= size)
        return DecodeError::NoPid;
    out.pid = data[pos++];
    out.info.assign(bytes.substr(pos));
    out.destination = std::move(addresses[0]);
    out.source = std::move(addresses[1]);
    out.digis.assign(std::make_move_iterator(addresses.begin() + 2),
                     std::make_move_iterator(addresses.end()));
    return DecodeError::None;
}

std::string callText(const std::uint8_t* address)
{
    std::string out;
    for (int i = 0; i < 6; ++i) {
        const char c = static_cast<char>(address[i] >> 1);
        if (c == ' ' || c == '\0')
            break;
        const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        out.push_back(alnum ? c : '?');
    }
    const int ssid = (address[6] >> 1) & 0x0F;
    if (ssid != 0)
        out += "-" + std::to_string(ssid);
    return out;
}

}  // namespace zelvo::ax25

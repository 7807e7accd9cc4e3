#include "link/own_frames.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "driver/ax25_frame.h"

namespace zelvo::link::monitor {

std::optional<SentFrame> encodeSentFrame(const std::string& mycall, const std::string& destination, int pid,
                                         std::string_view info)
{
    const auto source = ax25::parseAddress(mycall);
    std::istringstream words(destination);
    std::string call, channelText, digi;
    words >> call >> channelText;
    const auto dest = ax25::parseAddress(call);
    if (!source || !dest || channelText.empty() || info.size() > FLX_MAX_INFO ||
        !std::all_of(channelText.begin(), channelText.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        channelText.size() > 2 || std::stoi(channelText) >= FLX_CHANNELS)
        return std::nullopt;
    std::vector<ax25::Address> digis;
    while (words >> digi) {
        const auto address = ax25::parseAddress(digi);
        if (!address || digis.size() == ax25::MAX_DIGIS)
            return std::nullopt;
        digis.push_back(*address);
    }
    const auto frame = ax25::makeUiFrame(*source, *dest, digis, static_cast<std::uint8_t>(pid & 0xFF), info);
    return SentFrame{std::stoi(channelText), ax25::encodeFrame(frame)};
}

std::string encodeRecord(const FlxUiFrame& record)
{
    std::string bytes;
    auto address = [&bytes](const std::uint8_t* raw) { bytes.append(reinterpret_cast<const char*>(raw), 7); };
    address(record.dest);
    address(record.source);
    const int digis = std::min<int>(record.digi_count, FLX_MAX_DIGIS);
    for (int i = 0; i < digis; ++i)
        address(record.digis[i]);
    bytes.push_back(static_cast<char>(record.control));
    bytes.push_back(static_cast<char>(record.pid));
    if (record.info != nullptr)
        bytes.append(reinterpret_cast<const char*>(record.info),
                     std::min<std::size_t>(record.info_length, FLX_MAX_INFO));
    return bytes;
}

}  // namespace zelvo::link::monitor

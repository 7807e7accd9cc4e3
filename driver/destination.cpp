#include "driver/destination.h"

#include "driver/channel_table.h"

#include <algorithm>
#include <charconv>

namespace zelvo::driver {

namespace {

std::vector<std::string_view> splitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t')
            ++pos;
        if (pos > start)
            words.push_back(text.substr(start, pos - start));
    }
    return words;
}

std::optional<int> parseChannel(std::string_view word)
{
    if (word.empty() || word.size() > 2 ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    std::from_chars(word.data(), word.data() + word.size(), value);
    if (value > MAX_CHANNEL)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<Destination> parseDestination(std::string_view text)
{
    if (text.size() > MAX_DESTINATION_TEXT)
        return std::nullopt;
    const auto words = splitWords(text);
    if (words.size() < 2 || words.size() > 2 + ax25::MAX_DIGIS)
        return std::nullopt;

    Destination destination;
    auto call = ax25::parseAddress(words[0]);
    const auto channel = parseChannel(words[1]);
    if (!call || !channel)
        return std::nullopt;
    destination.call = std::move(*call);
    destination.channel = *channel;
    for (std::size_t i = 2; i < words.size(); ++i) {
        auto digi = ax25::parseAddress(words[i]);
        if (!digi)
            return std::nullopt;
        destination.digis.push_back(std::move(*digi));
    }
    return destination;
}

}  // namespace zelvo::driver

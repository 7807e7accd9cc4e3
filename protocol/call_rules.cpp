#include "protocol/call_rules.h"

#include <algorithm>

namespace zelvo::protocol {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isCallCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || isDigit(c);
}

// One or two digits, at most 15: what the four SSID bits of an address can carry.
bool isSsid(std::string_view text)
{
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), isDigit))
        return false;
    return std::stoi(std::string(text)) <= kMaxSsid;
}

}  // namespace

std::optional<CallFault> callFault(std::string_view call)
{
    const std::size_t dash = call.find('-');
    const std::string_view base = call.substr(0, dash);
    if (base.empty())
        return CallFault::NoCall;
    if (!std::all_of(base.begin(), base.end(), isCallCharacter))
        return CallFault::BadCharacter;
    if (base.size() > kMaxCallLength)
        return CallFault::TooLong;
    if (dash != std::string_view::npos && !isSsid(call.substr(dash + 1)))
        return CallFault::BadSsid;
    return std::nullopt;
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::optional<BadCall> firstBadCall(std::string_view words)
{
    std::size_t pos = 0;
    while (pos < words.size()) {
        const std::size_t end = std::min(words.find(' ', pos), words.size());
        const std::string_view word = words.substr(pos, end - pos);
        if (!word.empty()) {
            if (const auto fault = callFault(word))
                return BadCall{std::string(word), *fault};
        }
        pos = end + 1;
    }
    return std::nullopt;
}

}  // namespace zelvo::protocol

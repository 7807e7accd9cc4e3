#include "dialogs/conversation.h"

#include <algorithm>

namespace zelvo::dialogs {
namespace {

constexpr std::size_t kTimeStart = 1;   // character 2
constexpr std::size_t kTimeLength = 9;  // the time of day and a blank
constexpr std::size_t kTextStart = 10;  // character 11

// Like substr, but an offset past the end gives an empty text.
std::string part(std::string_view text, std::size_t from, std::size_t length)
{
    return std::string(text.substr(std::min(from, text.size()), length));
}

}  // namespace

int charactersLeft(std::string_view text)
{
    return kMessageCharacters - static_cast<int>(text.size());
}

bool sendEnabled(std::string_view text)
{
    return text.size() > 1;
}

bool isShortText(std::string_view text)
{
    return text.size() < 3;
}

std::vector<HistoryItem> historyItems(std::string_view call, const std::vector<std::string>& rxBuffer,
                                      const std::vector<std::string>& txBuffer, std::string_view myCall,
                                      const std::vector<std::string>& keptDays)
{
    std::vector<HistoryItem> items;
    items.reserve(rxBuffer.size() + txBuffer.size());
    for (std::size_t i = 0; i < rxBuffer.size(); ++i) {
        const std::string& line = rxBuffer[i];
        const bool received = line.starts_with('R');
        const std::string day =
            i < keptDays.size() && !keptDays[i].empty() ? keptDays[i] + ' ' : std::string();
        items.push_back({received ? HistoryKind::Received : HistoryKind::Delivered,
                         day + part(line, kTimeStart, kTimeLength) + std::string(received ? call : myCall),
                         part(line, kTextStart, kMessageCharacters)});
    }
    for (const std::string& text : txBuffer)
        items.push_back({HistoryKind::Waiting, std::string(myCall), part(text, 0, kMessageCharacters)});
    return items;
}

}  // namespace zelvo::dialogs

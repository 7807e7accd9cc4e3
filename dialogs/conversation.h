// The message window's rules without the window: the character counter, the send button, the
// short-text question, and the conversation as header and text pairs read from a station's
// conversation lines ("R" or "T", the time of day and a blank in characters 2 to 10, the text
// from character 11) and its waiting texts. A line kept from an earlier day shows its date too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvo::dialogs {

inline constexpr int kMessageCharacters = 255;

// `text` is the typed text as it would be queued: Windows-1252, line breaks as CR LF (two).
// 255 minus its length; negative past the limit, which does not stop the typing.
int charactersLeft(std::string_view text);
// "Senden" is enabled above one character.
bool sendEnabled(std::string_view text);
// Fewer than 3 characters are sent only after the question.
bool isShortText(std::string_view text);

enum class HistoryKind { Received, Delivered, Waiting };

struct HistoryItem {
    HistoryKind kind;
    std::string header;  // [date and a blank,] the time and a blank (none for a waiting text), the call
    std::string text;    // at most 255 characters

    bool operator==(const HistoryItem&) const = default;
};

// The conversation lines, oldest first, then the waiting texts under the own call. Short or
// empty lines give what their characters hold. The first lines are those kept by earlier runs;
// `keptDays` holds, for each, the date to show before its time (empty for a line of today).
std::vector<HistoryItem> historyItems(std::string_view call, const std::vector<std::string>& rxBuffer,
                                      const std::vector<std::string>& txBuffer, std::string_view myCall,
                                      const std::vector<std::string>& keptDays);

}  // namespace zelvo::dialogs

// The message window's rules without the window: counter, send button, short-text question, and
// the conversation read from its fixed character positions.
#include "dialogs/conversation.h"

#include <gtest/gtest.h>

namespace zelvo::dialogs {
namespace {

TEST(Conversation, CounterAndSendButton)
{
    struct Case {
        std::string text;
        int left;
        bool send;
        bool shortText;
    };
    const Case cases[] = {
        {"", 255, false, true},
        {"a", 254, false, true},
        {"ok", 253, true, true},
        {"a\r\nb", 251, true, false},  // a line break counts two
        {std::string(300, 'x'), -45, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(charactersLeft(c.text), c.left) << c.text;
        EXPECT_EQ(sendEnabled(c.text), c.send) << c.text;
        EXPECT_EQ(isShortText(c.text), c.shortText) << c.text;
    }
}

TEST(Conversation, HistoryReadsFixedPositionsWithinTheLine)
{
    const std::vector<std::string> rx = {"R12:00:00 Hallo", "T12:01:00 " + std::string(300, 'y'), "R12", ""};
    const std::vector<std::string> tx = {"wartet", std::string(256, 'z')};
    const std::vector<HistoryItem> expected = {
        {HistoryKind::Received, "12:00:00 DB0ABC", "Hallo"},
        {HistoryKind::Delivered, "12:01:00 DL1ZZZ-2", std::string(255, 'y')},
        {HistoryKind::Received, "12DB0ABC", ""},
        {HistoryKind::Delivered, "DL1ZZZ-2", ""},
        {HistoryKind::Waiting, "DL1ZZZ-2", "wartet"},
        {HistoryKind::Waiting, "DL1ZZZ-2", std::string(255, 'z')},
    };
    EXPECT_EQ(historyItems("DB0ABC", rx, tx, "DL1ZZZ-2"), expected);
}

}  // namespace
}  // namespace zelvo::dialogs

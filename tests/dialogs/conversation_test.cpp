// How a conversation reads: the lines kept by earlier runs on another day carry their date before
// the time; today's and this run's lines show the time alone.
#include "dialogs/conversation.h"

#include <gtest/gtest.h>

namespace zelvo::dialogs {
namespace {

TEST(ConversationTest, KeptLinesOfAnEarlierDayShowTheirDate)
{
    const std::vector<std::string> lines = {"R12:00:00 gestern", "T13:00:00 heute", "R14:00:00 ?",
                                            "R15:00:00 neu"};
    const std::vector<std::string> kept = {"2024-05-03", "2024-05-04", ""};
    std::vector<std::string> headers;
    for (const HistoryItem& item : historyItems("DB0ABC", lines, {}, "DL1ZZZ", kept, "2024-05-04"))
        headers.push_back(item.header);
    EXPECT_EQ(headers, (std::vector<std::string>{"03.05.2024 12:00:00 DB0ABC", "13:00:00 DL1ZZZ",
                                                 "14:00:00 DB0ABC", "15:00:00 DB0ABC"}));
}

}  // namespace
}  // namespace zelvo::dialogs

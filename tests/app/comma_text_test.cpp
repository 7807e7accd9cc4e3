#include "app/comma_text.h"

#include <gtest/gtest.h>

using zelvo::app::decodeCommaText;
using zelvo::app::encodeCommaText;
using Fields = std::vector<std::string>;

// The line of an ordinary entry is checked byte for byte through the store (RosterStoreTest).
TEST(CommaText, QuotesCommasControlsAndHighBytesRoundTrip)
{
    const Fields fields = {"Sa\"m", "a,b", "x\r\ny", "\xC4rger \xFC", "", "\x01", "\"", " lead", "", ""};
    const std::string line = encodeCommaText(fields);
    EXPECT_EQ(line.substr(0, 13), "\"Sa\"\"m\",\"a,b\"");
    EXPECT_EQ(decodeCommaText(line), fields);
    // Bytes above 127 alone need no quotes.
    EXPECT_EQ(encodeCommaText({"M\xE4r", "x"}), "M\xE4r,x");
}

TEST(CommaText, NulCannotBeStoredAndIsLeftOut)
{
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(decodeCommaText(encodeCommaText({withNul, "c"})), (Fields{"ab", "c"}));
    EXPECT_EQ(decodeCommaText(std::string("a,b\0,c", 6)), (Fields{"a", "b"}));
}

TEST(CommaText, ReadingFollowsTheStoredLineRules)
{
    EXPECT_TRUE(decodeCommaText("").empty());
    EXPECT_TRUE(decodeCommaText(" \t\r\n").empty());
    EXPECT_EQ(decodeCommaText("  a ,\tb  "), (Fields{"a", "b"}));
    EXPECT_EQ(decodeCommaText("a b,c"), (Fields{"a", "b", "c"}));  // a blank splits
    EXPECT_EQ(decodeCommaText("\"ab\"cd,e"), (Fields{"ab", "cd", "e"}));
    EXPECT_EQ(decodeCommaText("a,\"open end"), (Fields{"a", "open end"}));
    EXPECT_EQ(decodeCommaText("a,"), (Fields{"a", ""}));
    EXPECT_EQ(decodeCommaText("a, "), (Fields{"a"}));  // the comma is not last
    EXPECT_EQ(decodeCommaText(",,"), (Fields{"", "", ""}));
    EXPECT_EQ(decodeCommaText("\"\"\"\""), (Fields{"\""}));
    // The comma is not last: one empty field, which reads back as one.
    EXPECT_EQ(decodeCommaText(",\x04"), Fields{""});
    EXPECT_EQ(decodeCommaText(encodeCommaText({""})), Fields{""});
}

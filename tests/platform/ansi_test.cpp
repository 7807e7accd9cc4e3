#include "platform/ansi.h"

#include <QString>

#include <gtest/gtest.h>

namespace zelvo::platform {
namespace {

TEST(Ansi, EveryByteSurvivesTheWayThroughUnicode)
{
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    EXPECT_EQ(utf8ToAnsi(ansiToUtf8(bytes)), bytes);
    EXPECT_EQ(toAnsi(fromAnsi(bytes)), bytes);
    EXPECT_EQ(fromAnsi(bytes), QString::fromUtf8(ansiToUtf8(bytes)));
}

// The QString side maps as these do: Ansi.EveryByteSurvivesTheWayThroughUnicode.
TEST(Ansi, MapsUmlautsAndTheWindowsRange)
{
    EXPECT_EQ(ansiToUtf8("\xE4\xF6\xFC\xDF\xDC"), "äöüßÜ");
    EXPECT_EQ(ansiToUtf8("\x80\x84\x93\x94\x9F"), "€„“”Ÿ");
    EXPECT_EQ(ansiToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(utf8ToAnsi("Grüße – 5 €"), "Gr\xFC\xDF"
                                         "e \x96 5 \x80");
}

TEST(Ansi, UnmappableAndInvalidInputBecomesQuestionMarks)
{
    EXPECT_EQ(utf8ToAnsi("a\u0080b"), "a?b");                 // a C1 control that 1252 assigns otherwise
    EXPECT_EQ(utf8ToAnsi("\u4E2D\U0001F600"), "??");          // no byte for these
    EXPECT_EQ(utf8ToAnsi("x\xC3"), "x?");                     // cut off sequence
    EXPECT_EQ(utf8ToAnsi("\xC0\xAF"), "??");                  // overlong
    EXPECT_EQ(utf8ToAnsi("\xED\xA0\x80"), "???");             // surrogate
    EXPECT_EQ(utf8ToAnsi("\xE4 ok"), "? ok");                 // a 1252 byte is not UTF-8
    EXPECT_EQ(toAnsi(QString(QChar(0xD800))), "?");           // unpaired surrogate
    EXPECT_EQ(toAnsi(QString::fromUtf8("\U0001F600")), "?");  // one character, one byte
}

}  // namespace
}  // namespace zelvo::platform

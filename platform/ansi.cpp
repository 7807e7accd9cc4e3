#include "platform/ansi.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace zelvo::platform {

namespace {

// Characters of 0x80..0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90, 0x9D stay C1 controls.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t toUnicode(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? kHighTable[byte - 0x80] : byte;
}

char toAnsiByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {  // every character of the table lies in the Basic Multilingual Plane
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns nothing for an invalid sequence
// (then i has moved past its first byte only, so the rest is decoded afresh).
std::optional<char32_t> decodeUtf8(std::string_view s, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + extra > s.size())
        return std::nullopt;
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    i += extra;
    return cp;
}

}  // namespace

std::string ansiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (const char c : ansi)
        appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToAnsi(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto cp = decodeUtf8(utf8, i);
        out += cp ? toAnsiByte(*cp) : '?';
    }
    return out;
}

QString fromAnsi(std::string_view ansi)
{
    QString out;
    out.reserve(static_cast<qsizetype>(ansi.size()));
    for (const char c : ansi)
        out += QChar(static_cast<char16_t>(toUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::string toAnsi(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t cp : text.toUcs4())
        out += toAnsiByte(cp);
    return out;
}

}  // namespace zelvo::platform

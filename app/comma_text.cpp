#include "app/comma_text.h"

namespace zelvo::app {
namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

bool isSpaceOrControl(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

bool needsQuotes(std::string_view field)
{
    for (char c : field) {
        if (c == kQuote || c == kComma || isSpaceOrControl(c))
            return true;
    }
    return false;
}

void appendField(std::string& out, std::string_view field)
{
    const bool quoted = needsQuotes(field);
    if (quoted)
        out += kQuote;
    for (char c : field) {
        if (c == '\0')
            continue;
        if (c == kQuote)
            out += kQuote;
        out += c;
    }
    if (quoted)
        out += kQuote;
}

std::size_t skipSpace(std::string_view s, std::size_t i)
{
    while (i < s.size() && isSpaceOrControl(s[i]))
        ++i;
    return i;
}

// s[i] is the opening quote. Returns the field; i ends just after the closing quote.
std::string readQuoted(std::string_view s, std::size_t& i)
{
    std::string field;
    ++i;
    while (i < s.size()) {
        if (s[i] == kQuote) {
            if (i + 1 < s.size() && s[i + 1] == kQuote) {
                field += kQuote;
                i += 2;
                continue;
            }
            ++i;
            return field;
        }
        field += s[i++];
    }
    return field;
}

std::string readPlain(std::string_view s, std::size_t& i)
{
    const std::size_t start = i;
    while (i < s.size() && static_cast<unsigned char>(s[i]) > 32 && s[i] != kComma)
        ++i;
    return std::string(s.substr(start, i - start));
}

}  // namespace

std::string encodeCommaText(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += kComma;
        appendField(line, fields[i]);
    }
    // One field that leaves the line empty would read back as no field at all.
    if (fields.size() == 1 && line.empty())
        return std::string(2, kQuote);
    return line;
}

std::vector<std::string> decodeCommaText(std::string_view line)
{
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> fields;
    std::size_t i = skipSpace(line, 0);
    while (i < line.size()) {
        fields.push_back(line[i] == kQuote ? readQuoted(line, i) : readPlain(line, i));
        i = skipSpace(line, i);
        if (i < line.size() && line[i] == kComma) {
            if (i + 1 == line.size())
                fields.emplace_back();
            i = skipSpace(line, i + 1);
        }
    }
    return fields;
}

}  // namespace zelvo::app

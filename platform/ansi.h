// Windows-1252 ("ANSI") is the program's 8-bit text on the air and in stored data; the core keeps
// such texts as bytes in std::string. These are the only conversions to and from Unicode.
#pragma once

#include <string>
#include <string_view>

class QString;

namespace zelvo::platform {

// Every byte maps to one character (the five bytes Windows-1252 leaves unassigned map to the C1
// controls of the same number, so nothing is lost).
std::string ansiToUtf8(std::string_view ansi);
// Characters without a Windows-1252 byte become '?'. Invalid UTF-8 sequences become '?'.
std::string utf8ToAnsi(std::string_view utf8);

QString fromAnsi(std::string_view ansi);
std::string toAnsi(const QString& text);

}  // namespace zelvo::platform

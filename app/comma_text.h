// The comma text that stores a roster entry's ten text fields in one registry string: fields
// separated by commas, a field quoted when it holds a comma, a quote, a blank or a control
// character, quotes inside doubled. Bytes are Windows-1252 and pass through unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvo::app {

// A field is quoted when it contains ',', '"' or a byte 1..32. A NUL byte cannot live in a
// registry string and would end the line when read back, so it is left out. A lone empty field
// is written as two quotes: an empty line reads back as no field.
std::string encodeCommaText(const std::vector<std::string>& fields);

// Splits a stored line back into fields. Blanks and control bytes around fields are skipped, an
// unquoted field ends at a comma or at a byte <= 32, a quoted field at the next single quote (or
// at the end of the line), a comma that ends the line gives one final empty field. A NUL byte
// ends the line.
std::vector<std::string> decodeCommaText(std::string_view line);

}  // namespace zelvo::app

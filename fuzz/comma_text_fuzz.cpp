// A stored roster line, perhaps edited by hand: its fields encode to a line that decodes to the
// same fields, and an entry the roster load makes of it has a call, the base call of its path,
// and comes back the same after the next save and load.
#include "app/comma_text.h"
#include "app/roster_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace zelvo::app;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "comma_text: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fields = decodeCommaText(line);
    const std::string encoded = encodeCommaText(fields);
    check(encoded.find('\0') == std::string::npos, "a NUL in an encoded line");
    check(decodeCommaText(encoded) == fields, "the encoded fields decode differently");

    const auto entry = RosterStore::entryFromLine(line);
    if (!entry)
        return 0;
    check(!entry->call.empty() && entry->call == baseCall(firstWord(entry->path)),
          "the entry's call is not the base call of its path");
    const auto stored = entry->textFields();
    const auto again = RosterStore::entryFromLine(encodeCommaText({stored.begin(), stored.end()}));
    check(again && again->call == entry->call && again->textFields() == stored,
          "the entry changes through a save and load");
    return 0;
}

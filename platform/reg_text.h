// The REGEDIT4 text of one registry root, as regedit exports and imports it.
//
// Reading accepts what regedit writes and reads: CR LF or LF, ';' comments, "[-KEY]" and
// "name"=- deletions, "hex:"/"hex(N):" data continued with a trailing backslash. Writing gives
// CR LF lines, keys in sorted order with parents first, values in creation order; a string
// that holds a byte below 0x20 is written as hex(1) bytes with its closing NUL.
#pragma once

#include "platform/reg_tree.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace zelvo::platform::regtext {

// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
std::string_view rootName(RegRoot root);

// Throws RegistryError naming the file and the line when the text is not a REGEDIT4 file of
// this root. An empty text is an empty root.
regtree::Tree parse(std::string_view text, RegRoot root, const std::filesystem::path& file);

std::string serialize(const regtree::Tree& tree, RegRoot root);

}  // namespace zelvo::platform::regtext

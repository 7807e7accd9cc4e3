// Replacing a whole file so that a crash leaves either the old bytes or the new ones, never a
// mixture: temporary file beside it, fsync, rename, fsync of the directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo::platform {

// Writes `bytes` as the new content of `file`, creating its directory (mode 0700 for a new one)
// when needed. A file that exists keeps its permission bits; a new one is 0600.
// Nothing, or the reason it failed ("Permission denied"); then the old file is untouched.
std::optional<std::string> replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace zelvo::platform

// The program's own version block, baked into the program file at compile time. Linked into an
// executable through the object library zelvo_version_block; TVersionInfoResource finds it in the
// file on disk. The version numbers come from the project version (compile definitions).
#include "dialogs/version_block.h"

#include <algorithm>

#ifndef ZELVO_VERSION_MAJOR
#error "zelvo_version_block needs the ZELVO_VERSION_* definitions"
#endif

namespace {

using namespace zelvo::dialogs;

constexpr VersionTranslation kTranslations[] = {{0x0407, 1252}};  // German, Windows-1252

constexpr VersionString kStrings[] = {
    {"CompanyName", "Varkel"},
    {"FileDescription", "Zelvo Packet-Radio Messenger"},
    {"FileVersion", ZELVO_VERSION_TEXT},
    {"InternalName", "Zelvo"},
    {"OriginalFilename", "Zelvo"},
    {"ProductName", "Zelvo"},
    {"ProductVersion", ZELVO_VERSION_TEXT},
};

constexpr std::array<std::uint16_t, 4> kVersion = {ZELVO_VERSION_MAJOR, ZELVO_VERSION_MINOR,
                                                   ZELVO_VERSION_PATCH, ZELVO_VERSION_TWEAK};

constexpr VersionBlockContent kContent{
    .fileVersion = kVersion,
    .productVersion = kVersion,
    .fileFlags = kFlagPreRelease,
    .translations = kTranslations,
    .strings = kStrings,
};

constexpr std::size_t kBlockSize = buildVersionBlock(kContent).size();

}  // namespace

// Kept by the compiler although nothing refers to it; its own section keeps it apart from code.
[[gnu::used, gnu::section(".zelvo_version")]] alignas(
    4) constinit const std::array<std::uint8_t, kBlockSize> zelvoVersionBlock = [] {
    std::array<std::uint8_t, kBlockSize> out{};
    const auto bytes = buildVersionBlock(kContent);
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}();

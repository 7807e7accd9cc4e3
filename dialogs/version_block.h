// Builds a version block in the binary layout of a Windows VS_VERSIONINFO resource: the root node
// "VS_VERSION_INFO" with a VS_FIXEDFILEINFO value, a StringFileInfo with one string table and a
// VarFileInfo\Translation list. Everything is constexpr, so the build can bake the block into the
// program file (version_block_embed.cpp), and tests can build variants at run time.
//
// Node layout (all little-endian): WORD wLength, WORD wValueLength, WORD wType (0 binary, 1 text),
// the UTF-16 key with its NUL, padding to 32 bits, the value, padding to 32 bits, the children.
// Offsets are aligned relative to the start of the block, which is how the resource sits in memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zelvo::dialogs {

inline constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
inline constexpr std::uint16_t kFixedInfoSize = 52;  // sizeof(VS_FIXEDFILEINFO)
inline constexpr std::string_view kVersionRootKey = "VS_VERSION_INFO";

// VS_FF_* bits of VS_FIXEDFILEINFO.dwFileFlags.
inline constexpr std::uint32_t kFlagDebug = 0x01;
inline constexpr std::uint32_t kFlagPreRelease = 0x02;
inline constexpr std::uint32_t kFlagPatched = 0x04;
inline constexpr std::uint32_t kFlagPrivateBuild = 0x08;
inline constexpr std::uint32_t kFlagInfoInferred = 0x10;
inline constexpr std::uint32_t kFlagSpecialBuild = 0x20;

struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// A string of the string table; key and value are ASCII.
struct VersionString {
    std::string_view key;
    std::string_view value;
};

struct VersionBlockContent {
    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    std::uint32_t fileFlagsMask = 0x3F;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOs = 0x00040004;  // VOS_NT_WINDOWS32
    std::uint32_t fileType = 1;         // VFT_APP
    std::span<const VersionTranslation> translations;
    // One string table, named after the first translation (0409/04E4 without one).
    std::span<const VersionString> strings;
};

namespace detail {

class BlockWriter {
public:
    constexpr void pad()
    {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
    }
    constexpr void word(std::uint16_t w)
    {
        bytes_.push_back(static_cast<std::uint8_t>(w & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    constexpr void dword(std::uint32_t d)
    {
        word(static_cast<std::uint16_t>(d & 0xFFFF));
        word(static_cast<std::uint16_t>(d >> 16));
    }
    // ASCII text widened to UTF-16, with its NUL.
    constexpr void text(std::string_view s)
    {
        for (char c : s)
            word(static_cast<std::uint8_t>(c));
        word(0);
    }
    // Starts a node at the next 32-bit boundary; its value follows at once.
    constexpr std::size_t begin(std::uint16_t valueLength, std::uint16_t type, std::string_view key)
    {
        pad();
        const std::size_t at = bytes_.size();
        word(0);  // wLength, patched by end()
        word(valueLength);
        word(type);
        text(key);
        pad();
        return at;
    }
    constexpr void end(std::size_t at)
    {
        const std::size_t length = bytes_.size() - at;
        if (length > 0xFFFF)
            throw std::length_error("version block node longer than 64 KiB");
        bytes_[at] = static_cast<std::uint8_t>(length & 0xFF);
        bytes_[at + 1] = static_cast<std::uint8_t>(length >> 8);
    }
    constexpr std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

constexpr std::uint32_t joinParts(std::uint16_t high, std::uint16_t low)
{
    return (std::uint32_t{high} << 16) | low;
}

constexpr char hexDigit(unsigned v)
{
    return "0123456789ABCDEF"[v & 0xF];
}

constexpr std::array<char, 8> tableName(std::span<const VersionTranslation> translations)
{
    const VersionTranslation t = translations.empty() ? VersionTranslation{0x0409, 0x04E4} : translations[0];
    std::array<char, 8> name{};
    for (int i = 0; i < 4; ++i) {
        name[i] = hexDigit(t.language >> (12 - 4 * i));
        name[4 + i] = hexDigit(t.codePage >> (12 - 4 * i));
    }
    return name;
}

}  // namespace detail

constexpr std::vector<std::uint8_t> buildVersionBlock(const VersionBlockContent& content)
{
    detail::BlockWriter w;
    const std::size_t root = w.begin(kFixedInfoSize, 0, kVersionRootKey);
    w.dword(kFixedInfoSignature);
    w.dword(0x00010000);  // dwStrucVersion
    w.dword(detail::joinParts(content.fileVersion[0], content.fileVersion[1]));
    w.dword(detail::joinParts(content.fileVersion[2], content.fileVersion[3]));
    w.dword(detail::joinParts(content.productVersion[0], content.productVersion[1]));
    w.dword(detail::joinParts(content.productVersion[2], content.productVersion[3]));
    w.dword(content.fileFlagsMask);
    w.dword(content.fileFlags);
    w.dword(content.fileOs);
    w.dword(content.fileType);
    w.dword(0);  // dwFileSubtype
    w.dword(0);  // dwFileDateMS
    w.dword(0);  // dwFileDateLS

    const std::size_t stringInfo = w.begin(0, 1, "StringFileInfo");
    const auto name = detail::tableName(content.translations);
    const std::size_t table = w.begin(0, 1, std::string_view(name.data(), name.size()));
    for (const VersionString& s : content.strings) {
        const std::size_t node = w.begin(static_cast<std::uint16_t>(s.value.size() + 1), 1, s.key);
        w.text(s.value);
        w.end(node);
    }
    w.end(table);
    w.end(stringInfo);

    const std::size_t varInfo = w.begin(0, 1, "VarFileInfo");
    const std::size_t var =
        w.begin(static_cast<std::uint16_t>(4 * content.translations.size()), 0, "Translation");
    for (const VersionTranslation& t : content.translations) {
        w.word(t.language);
        w.word(t.codePage);
    }
    w.end(var);
    w.end(varInfo);

    w.end(root);
    return w.take();
}

}  // namespace zelvo::dialogs

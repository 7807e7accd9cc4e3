// The version reader: finds the version block (VS_VERSIONINFO layout, see version_block.h) in a
// program file on disk and answers its fixed file information and translation list. A file
// without a well-formed block has no version: both version numbers are not valid, their text is
// empty. Everything taken from the file is bounds-checked; a block whose lengths do not nest is
// ignored as a whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::dialogs {

// A four-part version number held as two 32-bit halves, the more significant half first.
class TVersionNumberInformation {
public:
    TVersionNumberInformation() = default;
    TVersionNumberInformation(std::uint32_t high, std::uint32_t low) : valid_(true), high_(high), low_(low) {}

    bool valid() const { return valid_; }
    // Index 0 is the high word of the first half, 3 the low word of the second; 0 when not valid.
    std::uint16_t part(int index) const;
    // "%d.%d.%d.%d", or empty when not valid.
    std::string text() const;

private:
    bool valid_ = false;
    std::uint32_t high_ = 0;
    std::uint32_t low_ = 0;
};

// The VS_FIXEDFILEINFO of the block; every field 0 when there is none.
class TFixedFileVersionInfo {
public:
    bool present() const { return present_; }
    std::uint32_t fileFlags() const { return fileFlags_; }

private:
    friend class TVersionInfoResource;
    bool present_ = false;
    std::uint32_t fileVersionMS_ = 0;
    std::uint32_t fileVersionLS_ = 0;
    std::uint32_t productVersionMS_ = 0;
    std::uint32_t productVersionLS_ = 0;
    std::uint32_t fileFlags_ = 0;
};

// Names of the set VS_FF_* flags joined by ", ", in the order Debug, Info Inferred, Patched,
// Pre-Release, Private, Special.
std::string fileFlagsText(std::uint32_t flags);

// The first well-formed version block in the bytes of a file, copied; empty when there is none.
std::vector<std::uint8_t> extractVersionBlock(std::span<const std::uint8_t> fileBytes);

class TVersionInfoResource {
public:
    TVersionInfoResource() = default;
    explicit TVersionInfoResource(std::filesystem::path fileName) { setFileName(std::move(fileName)); }

    // Sets the file and reads it at once.
    void setFileName(std::filesystem::path fileName);
    // (Re)loads everything from the file; an unreadable file gives no version.
    void read();
    // Loads everything from these bytes as if they were the file's content.
    void readFromBytes(std::span<const std::uint8_t> fileBytes);

    const std::vector<std::uint8_t>& versionData() const { return data_; }
    std::size_t dataSize() const { return data_.size(); }
    // One "%.4x%.4x" text (language, code page) per translation entry.
    const std::vector<std::string>& translations() const { return translations_; }
    std::size_t translationIndex() const { return translationIndex_; }
    void setTranslationIndex(std::size_t index);
    const TFixedFileVersionInfo& fixedInfo() const { return fixed_; }
    const TVersionNumberInformation& fileVersion() const { return fileVersion_; }
    const TVersionNumberInformation& productVersion() const { return productVersion_; }
    std::string fileFlagsText() const { return dialogs::fileFlagsText(fixed_.fileFlags()); }

    // The value bytes of a node by its path ("\" the fixed info, "\VarFileInfo\Translation",
    // "\StringFileInfo\040704E4\ProductName"); keys compare without regard to ASCII case.
    std::optional<std::span<const std::uint8_t>> queryValue(std::string_view subBlock) const;

    // The running program's own file.
    static std::filesystem::path ownProgramFile();

private:
    void clear();

    std::vector<std::uint8_t> data_;
    std::filesystem::path fileName_;
    std::vector<std::string> translations_;
    std::size_t translationIndex_ = 0;
    TFixedFileVersionInfo fixed_;
    TVersionNumberInformation fileVersion_;
    TVersionNumberInformation productVersion_;
};

}  // namespace zelvo::dialogs

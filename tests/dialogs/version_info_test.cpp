// The version reader against its own program file, hand-made files and damaged blocks (an empty
// file is the block cut after no byte).
#include "dialogs/version_block.h"
#include "dialogs/version_info.h"

#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>

#include <random>

namespace zelvo::dialogs {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes makeBlock(std::array<std::uint16_t, 4> version, std::uint32_t flags,
                std::vector<VersionTranslation> translations)
{
    static constexpr VersionString kStrings[] = {{"ProductName", "Probe"}, {"Comments", ""}};
    return buildVersionBlock({.fileVersion = version,
                              .productVersion = {version[3], version[2], version[1], version[0]},
                              .fileFlags = flags,
                              .translations = translations,
                              .strings = kStrings});
}

Bytes germanBlock()
{
    return makeBlock({1, 2, 3, 4}, kFlagPreRelease, {{0x0407, 1252}});
}

void putWord(Bytes& b, std::size_t at, std::uint16_t w)
{
    b[at] = w & 0xFF;
    b[at + 1] = w >> 8;
}

// Bytes that look like program code, with the block (if any) at an unaligned offset.
Bytes fileAround(const Bytes& block)
{
    std::mt19937 rng(7);
    Bytes file(4099);
    for (auto& b : file)
        b = static_cast<std::uint8_t>(rng());
    file.insert(file.end(), block.begin(), block.end());
    file.resize(file.size() + 333, 0xCC);
    return file;
}

class VersionFiles : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& name, const Bytes& bytes)
    {
        return dir_.write(name, std::string(bytes.begin(), bytes.end()));
    }
    zelvo::testing::TempDir dir_;
};

TEST(VersionInfo, OwnProgramFileCarriesTheProjectVersion)
{
    TVersionInfoResource info(TVersionInfoResource::ownProgramFile());
    const auto name = info.queryValue("\\StringFileInfo\\040704e4\\ProductName");
    // The product name: "Zelvo" and its NUL in UTF-16.
    EXPECT_EQ(
        std::tuple(info.fileVersion().text(), info.productVersion().text(), info.translations(),
                   info.fileFlagsText(), info.dataSize() == info.versionData().size(),
                   name ? name->size() : 0u),
        std::tuple("0.9.7.321", "0.9.7.321", std::vector<std::string>{"040704e4"}, "Pre-Release", true, 12u));
}

TEST_F(VersionFiles, FileWithoutBlockHasNoVersion)
{
    // Only the bare root key, without a header that fits, as the reader's own data might hold it.
    Bytes stray;
    for (char c : std::string_view("VS_VERSION_INFO"))
        stray.insert(stray.end(), {std::uint8_t(c), 0});
    stray.insert(stray.end(), {0, 0, 0, 0});
    TVersionInfoResource info(write("plain", fileAround(stray)));
    EXPECT_EQ(std::make_tuple(info.fileVersion().valid(), info.translations().size(), info.dataSize(),
                              info.queryValue("\\").has_value()),
              std::make_tuple(false, 0u, 0u, false));

    info.setFileName((dir_ / "missing").string());
    EXPECT_EQ(info.fileVersion().text(), "");
}

TEST_F(VersionFiles, FindsBlockAfterStrayKeyAndForgetsItOnReread)
{
    Bytes stray = germanBlock();
    putWord(stray, 0, 0xFFFF);  // header length runs past the file
    Bytes content = stray;
    content.insert(content.end(), 3, 0x90);
    const Bytes real = makeBlock({65535, 0, 7, 32768}, 0, {{0x0407, 1252}, {0x0409, 1200}});
    content.insert(content.end(), real.begin(), real.end());

    TVersionInfoResource info(write("prog", fileAround(content)));
    EXPECT_EQ(std::tuple(info.fileVersion().text(), info.productVersion().text(), info.translations(),
                         info.versionData() == real),
              std::tuple("65535.0.7.32768", "32768.7.0.65535",
                         std::vector<std::string>{"040704e4", "040904b0"}, true));

    info.setTranslationIndex(1);
    EXPECT_EQ(info.translationIndex(), 1u);
    info.setFileName(write("other", fileAround(germanBlock())));
    // Only one translation left.
    EXPECT_EQ(std::tuple(info.fileVersion().text(), info.translationIndex()), std::tuple("1.2.3.4", 0u));
}

TEST(VersionInfo, UnsetTranslationMeansUsEnglishAnsi)
{
    TVersionInfoResource info;
    info.readFromBytes(fileAround(makeBlock({1, 0, 0, 0}, 0, {{0, 0}, {0x0407, 0}})));
    EXPECT_EQ(info.translations(), (std::vector<std::string>{"040904e4", "040704e4"}));
    const auto table = info.queryValue("\\varfileinfo\\TRANSLATION");
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(Bytes(table->begin(), table->end()), (Bytes{0x09, 0x04, 0xE4, 0x04, 0x07, 0x04, 0xE4, 0x04}));
}

TEST(VersionInfo, TruncatedBlockGivesNoVersion)
{
    const Bytes block = germanBlock();
    for (std::size_t n = 0; n < block.size(); ++n) {
        TVersionInfoResource info;
        info.readFromBytes(Bytes(block.begin(), block.begin() + n));
        ASSERT_EQ(info.fileVersion().text(), "") << "cut after " << n;
        ASSERT_TRUE(info.translations().empty());
    }
}

TEST(VersionInfo, DamagedHeadersAreRejected)
{
    const Bytes good = germanBlock();
    auto versionOf = [](const Bytes& b) {
        TVersionInfoResource info;
        info.readFromBytes(b);
        return info.fileVersion().text();
    };
    ASSERT_EQ(versionOf(good), "1.2.3.4");

    // The signature, the value length, and a StringFileInfo that claims more than its parent
    // holds or less than its own header.
    const std::pair<std::size_t, std::uint16_t> damages[] = {
        {40, std::uint16_t((good[40] ^ 1) | good[41] << 8)}, {2, 48}, {92, 0xF000}, {92, 4}};
    for (const auto& [at, word] : damages) {
        Bytes damaged = good;
        putWord(damaged, at, word);
        EXPECT_EQ(versionOf(damaged), "") << at << ": " << word;
    }
}

}  // namespace
}  // namespace zelvo::dialogs

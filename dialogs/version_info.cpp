#include "dialogs/version_info.h"

#include "dialogs/version_block.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <system_error>
#include <utility>

namespace zelvo::dialogs {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kHeaderSize = 6;  // wLength, wValueLength, wType
constexpr int kMaxDepth = 8;            // the real tree is four levels deep

std::uint16_t word(Bytes b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t dword(Bytes b, std::size_t at)
{
    return word(b, at) | (std::uint32_t{word(b, at + 2)} << 16);
}

std::size_t align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

// One node of the block; offsets relative to the block start, all within the block.
struct Node {
    std::size_t end = 0;
    std::uint16_t type = 0;
    std::u16string key;
    std::size_t valueBegin = 0;
    std::size_t valueSize = 0;
    std::size_t childrenBegin = 0;
};

// The node at `at`, which must end at or before `limit`; nullopt when it does not fit.
std::optional<Node> parseNode(Bytes block, std::size_t at, std::size_t limit)
{
    if (at > limit || limit - at < kHeaderSize)
        return std::nullopt;
    const std::uint16_t length = word(block, at);
    if (length < kHeaderSize || length > limit - at)
        return std::nullopt;
    Node n;
    n.end = at + length;
    const std::uint16_t valueLength = word(block, at + 2);
    n.type = word(block, at + 4);
    if (n.type > 1)
        return std::nullopt;
    std::size_t p = at + kHeaderSize;
    for (;;) {
        if (n.end - p < 2)
            return std::nullopt;  // key without its NUL
        const std::uint16_t c = word(block, p);
        p += 2;
        if (c == 0)
            break;
        n.key.push_back(static_cast<char16_t>(c));
    }
    n.valueBegin = std::min(align4(p), n.end);
    // Text values count UTF-16 units, binary values bytes.
    n.valueSize = n.type == 1 ? std::size_t{valueLength} * 2 : valueLength;
    if (n.valueSize > n.end - n.valueBegin)
        return std::nullopt;
    n.childrenBegin = std::min(align4(n.valueBegin + n.valueSize), n.end);
    return n;
}

// The children of a node; nullopt when one of them does not fit into the node.
std::optional<std::vector<Node>> childrenOf(Bytes block, const Node& parent)
{
    std::vector<Node> out;
    std::size_t at = parent.childrenBegin;
    while (at < parent.end && parent.end - at >= kHeaderSize) {
        auto child = parseNode(block, at, parent.end);
        if (!child)
            return std::nullopt;
        at = align4(child->end);
        out.push_back(std::move(*child));
    }
    return out;
}

bool wellFormed(Bytes block, const Node& node, int depth)
{
    if (depth > kMaxDepth)
        return false;
    const auto children = childrenOf(block, node);
    return children && std::all_of(children->begin(), children->end(),
                                   [&](const Node& c) { return wellFormed(block, c, depth + 1); });
}

bool keyIs(const std::u16string& key, std::string_view ascii)
{
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    return key.size() == ascii.size() &&
           std::equal(key.begin(), key.end(), ascii.begin(),
                      [&](char16_t a, char b) { return lower(a) == lower(static_cast<unsigned char>(b)); });
}

bool isVersionRoot(Bytes block)
{
    const auto root = parseNode(block, 0, block.size());
    return root && root->end == block.size() && root->type == 0 && keyIs(root->key, kVersionRootKey) &&
           root->valueSize == kFixedInfoSize && dword(block, root->valueBegin) == kFixedInfoSignature &&
           wellFormed(block, *root, 0);
}

std::vector<std::uint8_t> utf16Key(std::string_view ascii)
{
    std::vector<std::uint8_t> out;
    for (char c : ascii) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    out.insert(out.end(), {0, 0});
    return out;
}

std::optional<Node> findNode(Bytes block, std::string_view path)
{
    auto node = parseNode(block, 0, block.size());
    std::size_t pos = 0;
    while (node && pos < path.size()) {
        const std::size_t next = std::min(path.find('\\', pos), path.size());
        const std::string_view name = path.substr(pos, next - pos);
        pos = next + 1;
        if (name.empty())
            continue;
        const auto children = childrenOf(block, *node);
        if (!children)
            return std::nullopt;
        const auto it = std::find_if(children->begin(), children->end(),
                                     [&](const Node& c) { return keyIs(c.key, name); });
        node = it == children->end() ? std::nullopt : std::optional<Node>(*it);
    }
    return node;
}

std::string hex4x2(std::uint16_t language, std::uint16_t codePage)
{
    std::array<char, 16> buf{};
    std::snprintf(buf.data(), buf.size(), "%.4x%.4x", language, codePage);
    return buf.data();
}

}  // namespace

std::uint16_t TVersionNumberInformation::part(int index) const
{
    if (!valid_ || index < 0 || index > 3)
        return 0;
    const std::uint32_t half = index < 2 ? high_ : low_;
    return static_cast<std::uint16_t>(index % 2 == 0 ? half >> 16 : half & 0xFFFF);
}

std::string TVersionNumberInformation::text() const
{
    if (!valid_)
        return {};
    return std::to_string(part(0)) + '.' + std::to_string(part(1)) + '.' + std::to_string(part(2)) + '.' +
           std::to_string(part(3));
}

std::string fileFlagsText(std::uint32_t flags)
{
    static constexpr std::pair<std::uint32_t, const char*> kNames[] = {
        {kFlagDebug, "Debug"},          {kFlagInfoInferred, "Info Inferred"},
        {kFlagPatched, "Patched"},      {kFlagPreRelease, "Pre-Release"},
        {kFlagPrivateBuild, "Private"}, {kFlagSpecialBuild, "Special"},
    };
    std::string text;
    for (const auto& [bit, name] : kNames) {
        if ((flags & bit) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += name;
    }
    return text;
}

std::vector<std::uint8_t> extractVersionBlock(Bytes fileBytes)
{
    // The UTF-16 root key; the header before it and the nesting after it must check out, so a
    // stray copy of the key (in this code's own data, say) is passed over.
    const std::vector<std::uint8_t> key = utf16Key(kVersionRootKey);
    const std::boyer_moore_horspool_searcher searcher(key.begin(), key.end());
    auto from = fileBytes.begin();
    for (;;) {
        const auto hit = std::search(from, fileBytes.end(), searcher);
        if (hit == fileBytes.end())
            return {};
        const auto keyAt = static_cast<std::size_t>(hit - fileBytes.begin());
        if (keyAt >= kHeaderSize) {
            const std::size_t start = keyAt - kHeaderSize;
            const std::uint16_t length = word(fileBytes, start);
            if (length <= fileBytes.size() - start) {
                const Bytes block = fileBytes.subspan(start, length);
                if (isVersionRoot(block))
                    return {block.begin(), block.end()};
            }
        }
        from = hit + 1;
    }
}

void TVersionInfoResource::setFileName(std::filesystem::path fileName)
{
    fileName_ = std::move(fileName);
    read();
}

void TVersionInfoResource::read()
{
    QFile file(QFile::decodeName(fileName_.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        readFromBytes({});
        return;
    }
    if (const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        readFromBytes(Bytes(mapped, static_cast<std::size_t>(file.size())));
        file.unmap(const_cast<uchar*>(mapped));
        return;
    }
    const QByteArray all = file.readAll();  // files that cannot be mapped (pipes, /proc)
    readFromBytes(Bytes(reinterpret_cast<const std::uint8_t*>(all.constData()), std::size_t(all.size())));
}

void TVersionInfoResource::clear()
{
    translations_.clear();
    fixed_ = {};
    data_.clear();
    fileVersion_ = {};
    productVersion_ = {};
}

void TVersionInfoResource::readFromBytes(Bytes fileBytes)
{
    clear();
    data_ = extractVersionBlock(fileBytes);
    if (!data_.empty()) {
        const Bytes block(data_);
        const auto root = parseNode(block, 0, block.size());  // validated by extractVersionBlock
        const std::size_t v = root->valueBegin;
        fixed_.present_ = true;
        fixed_.fileVersionMS_ = dword(block, v + 8);
        fixed_.fileVersionLS_ = dword(block, v + 12);
        fixed_.productVersionMS_ = dword(block, v + 16);
        fixed_.productVersionLS_ = dword(block, v + 20);
        fixed_.fileFlags_ = dword(block, v + 28);

        if (const auto table = findNode(block, "\\VarFileInfo\\Translation")) {
            for (std::size_t at = table->valueBegin; at + 4 <= table->valueBegin + table->valueSize;
                 at += 4) {
                std::uint16_t language = word(block, at);
                std::uint16_t codePage = word(block, at + 2);
                // Unset entries mean US English and Windows-1252, as the block itself then says.
                if (language == 0)
                    language = 1033;
                if (codePage == 0)
                    codePage = 1252;
                data_[at] = language & 0xFF;
                data_[at + 1] = language >> 8;
                data_[at + 2] = codePage & 0xFF;
                data_[at + 3] = codePage >> 8;
                translations_.push_back(hex4x2(language, codePage));
            }
        }
        fileVersion_ = TVersionNumberInformation(fixed_.fileVersionMS_, fixed_.fileVersionLS_);
        productVersion_ = TVersionNumberInformation(fixed_.productVersionMS_, fixed_.productVersionLS_);
    }
    if (translationIndex_ >= translations_.size())
        translationIndex_ = 0;
}

void TVersionInfoResource::setTranslationIndex(std::size_t index)
{
    translationIndex_ = index < translations_.size() ? index : 0;
}

std::optional<std::span<const std::uint8_t>> TVersionInfoResource::queryValue(std::string_view subBlock) const
{
    if (data_.empty())
        return std::nullopt;
    const Bytes block(data_);
    const auto node = findNode(block, subBlock);
    if (!node)
        return std::nullopt;
    return block.subspan(node->valueBegin, node->valueSize);
}

std::filesystem::path TVersionInfoResource::ownProgramFile()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path("/proc/self/exe") : path;
}

}  // namespace zelvo::dialogs

#include "link/channel_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "driver/channel_table.h"
#include "platform/atomic_file.h"
#include "platform/user_folders.h"

namespace zelvo::link {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTableName = "flexnet.conf";
constexpr std::array<std::pair<ChannelKind, std::string_view>, 3> kKindWords = {
    {{ChannelKind::KissTcp, "kiss-tcp"},
     {ChannelKind::AgwTcp, "agw-tcp"},
     {ChannelKind::KissSerial, "kiss-serial"}}};
constexpr std::string_view kNewTableHead =
    "# Zelvo's channel table: <number> <kind> <address> <name>, see man 5 flexnet.conf\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

bool hasAny(std::string_view text, std::string_view characters)
{
    return std::any_of(text.begin(), text.end(),
                       [&](char c) { return isControl(c) || characters.find(c) != std::string_view::npos; });
}

// The second blank-delimited word of a line: its kind.
std::string_view secondWord(std::string_view line)
{
    line = trimmed(line);
    line.remove_prefix(std::min(line.size(), line.find_first_of(" \t")));
    line = trimmed(line);
    return line.substr(0, line.find_first_of(" \t"));
}

// The reason from a parser error "<file>:<line>: <reason>".
std::string reasonOf(const std::string& error)
{
    const auto at = error.find(": ");
    return at == std::string::npos ? error : error.substr(at + 2);
}

std::optional<ChannelEntry> entryOf(const driver::ChannelConfig& config, std::string_view kind)
{
    const auto known = kindOfWord(kind);
    if (!known)
        return std::nullopt;
    ChannelEntry entry;
    entry.number = config.number;
    entry.kind = *known;
    entry.host = config.host;
    entry.port = config.port;
    entry.device = config.device;
    entry.baud = config.baud;
    entry.radioPort = *known == ChannelKind::AgwTcp ? config.radioPort : config.kissPort;
    if (config.airRate != 0)
        entry.airRate = config.airRate;
    entry.name = config.name;
    return entry;
}

// The one channel a line gives the driver's parser, or its reason not to.
std::pair<std::optional<ChannelEntry>, std::string> parseOne(std::string_view line)
{
    const driver::ChannelTable table = driver::parseChannelTable(line, "");
    if (!table.errors.empty())
        return {std::nullopt, reasonOf(table.errors.front())};
    if (table.channels.size() != 1)
        return {std::nullopt, {}};
    const std::string_view kind = secondWord(line);
    auto entry = entryOf(table.channels.front(), kind);
    if (!entry)
        return {std::nullopt, "unknown kind " + std::string(kind)};
    return {std::move(entry), {}};
}

fs::path userTableDir()
{
    return platform::configHome() / "zelvo";
}

bool existing(const fs::path& file)
{
    std::error_code ec;
    return !file.empty() && fs::exists(file, ec);
}

std::optional<ChannelRefusal> checkTcp(const ChannelEntry& entry)
{
    if (entry.host.empty())
        return ChannelRefusal{ChannelFault::HostEmpty, {}};
    if (hasAny(entry.host, " \t#/@[]"))
        return ChannelRefusal{ChannelFault::HostCharacter, {}};
    if (entry.port < 1 || entry.port > 65535)
        return ChannelRefusal{ChannelFault::PortRange, {}};
    return std::nullopt;
}

std::optional<ChannelRefusal> checkName(const std::string& name)
{
    if (name.empty())
        return ChannelRefusal{ChannelFault::NameEmpty, {}};
    if (hasAny(name, "#"))
        return ChannelRefusal{ChannelFault::NameCharacter, {}};
    if (name.size() > driver::MAX_CHANNEL_NAME)
        return ChannelRefusal{ChannelFault::NameTooLong, {}};
    return std::nullopt;
}

}  // namespace

std::string_view kindWord(ChannelKind kind)
{
    for (const auto& [k, word] : kKindWords)
        if (k == kind)
            return word;
    return {};
}

std::optional<ChannelKind> kindOfWord(std::string_view word)
{
    for (const auto& [kind, w] : kKindWords)
        if (w == word)
            return kind;
    return std::nullopt;
}

bool isTcp(ChannelKind kind)
{
    return kind != ChannelKind::KissSerial;
}

unsigned defaultPort(ChannelKind kind)
{
    return kind == ChannelKind::AgwTcp ? 8000 : 8001;
}

ChannelEntry normalized(ChannelEntry entry)
{
    entry.name = std::string(trimmed(entry.name));
    entry.host = std::string(trimmed(entry.host));
    entry.device = std::string(trimmed(entry.device));
    return entry;
}

std::string channelAddress(const ChannelEntry& entry)
{
    std::string text(kindWord(entry.kind));
    if (isTcp(entry.kind)) {
        const bool v6 = entry.host.find(':') != std::string::npos;
        text += " " + (v6 ? "[" + entry.host + "]" : entry.host) + ":" + std::to_string(entry.port);
    } else {
        text += " " + entry.device + " " + std::to_string(entry.baud);
    }
    if (entry.radioPort != 0)
        text += "/" + std::to_string(entry.radioPort);
    if (entry.airRate)
        text += "@" + std::to_string(*entry.airRate);
    return text;
}

std::string channelLine(const ChannelEntry& entry)
{
    return std::to_string(entry.number) + " " + channelAddress(entry) + " " + entry.name;
}

std::optional<ChannelEntry> entryOfAddress(std::string_view address)
{
    auto [entry, reason] = parseOne("0 " + std::string(address) + " x");
    if (entry)
        entry->name.clear();
    return entry;
}

bool ChannelPlaces::exists() const
{
    return existing(inUse);
}

ChannelPlaces channelPlaces(const fs::path& libraryDir, const fs::path& systemDir)
{
    ChannelPlaces places;
    places.inUse = driver::findChannelTable(libraryDir, systemDir);
    if (const char* env = std::getenv("ZELVO_FLEXNET_CONF"); env != nullptr && *env != '\0') {
        places.saveTo = places.inUse;
        return places;
    }
    if (const fs::path dir = userTableDir(); !dir.empty())
        places.saveTo = dir / kTableName;
    if (const fs::path beside = libraryDir / kTableName; existing(beside) && beside != places.saveTo)
        places.shadowing = beside;
    return places;
}

ChannelFile::ChannelFile(ChannelPlaces places) : places_(std::move(places))
{
    // The user's own table is edited even while a file read before it shadows it: saving must
    // not replace it with a copy of that other file.
    const fs::path& source =
        existing(places_.saveTo) && places_.saveTo != places_.inUse ? places_.saveTo : places_.inUse;
    if (!existing(source)) {
        read(std::string(kNewTableHead));
        lines_.push_back({channelLine(*entryOf(driver::defaultChannel(), "kiss-tcp")),
                          entryOf(driver::defaultChannel(), "kiss-tcp"), true});
        return;
    }
    std::ifstream in(source, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        readError_ = "cannot be read";
        return;
    }
    read(text);
}

void ChannelFile::read(const std::string& text)
{
    std::string_view rest = text;
    finalNewline_ = text.empty() || text.back() == '\n';
    std::array<bool, driver::MAX_CHANNEL + 1> used{};
    std::vector<std::string> devices;
    int number = 0;
    while (!rest.empty()) {
        const auto eol = rest.find('\n');
        Line line{std::string(rest.substr(0, eol)), std::nullopt};
        rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
        ++number;
        const std::string_view content = trimmed(std::string_view(line.raw).substr(0, line.raw.find('#')));
        if (!content.empty()) {
            auto [entry, reason] = parseOne(content);
            // The driver uses the first line of a number, and the first of a serial device.
            if (entry && used[static_cast<std::size_t>(entry->number)])
                reason = "channel " + std::to_string(entry->number) + " defined before";
            else if (entry && !entry->device.empty() &&
                     std::find(devices.begin(), devices.end(), entry->device) != devices.end())
                reason = "device " + entry->device + " used before";
            if (reason.empty() && entry) {
                used[static_cast<std::size_t>(entry->number)] = true;
                if (!entry->device.empty())
                    devices.push_back(entry->device);
                line.entry = std::move(entry);
            } else {
                skipped_.push_back("line " + std::to_string(number) + ": " + reason);
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::vector<ChannelEntry> ChannelFile::entries() const
{
    std::vector<ChannelEntry> found;
    for (const Line& line : lines_)
        if (line.entry)
            found.push_back(*line.entry);
    return found;
}

std::size_t ChannelFile::lineOf(std::size_t index) const
{
    for (std::size_t at = 0; at < lines_.size(); ++at)
        if (lines_[at].entry && index-- == 0)
            return at;
    return lines_.size();
}

std::optional<ChannelRefusal> ChannelFile::check(const ChannelEntry& given,
                                                 std::optional<std::size_t> replacing) const
{
    const ChannelEntry entry = normalized(given);
    const std::vector<ChannelEntry> others = entries();
    const ChannelEntry* before = replacing && *replacing < others.size() ? &others[*replacing] : nullptr;
    if (entry.number < 0 || entry.number > driver::MAX_CHANNEL)
        return ChannelRefusal{ChannelFault::NumberRange, {}};
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (before == &others[i])
            continue;
        if (others[i].number == entry.number)
            return ChannelRefusal{ChannelFault::NumberUsed, std::to_string(others[i].number)};
        if (entry.kind == ChannelKind::KissSerial && others[i].kind == ChannelKind::KissSerial &&
            others[i].device == entry.device)
            return ChannelRefusal{ChannelFault::DeviceUsed, std::to_string(others[i].number)};
    }
    if (isTcp(entry.kind)) {
        if (auto refusal = checkTcp(entry))
            return refusal;
    } else {
        if (entry.device.empty())
            return ChannelRefusal{ChannelFault::DeviceEmpty, {}};
        // A device that is unplugged now may stay in a line that names it already.
        const bool known = before != nullptr && before->device == entry.device;
        if (hasAny(entry.device, " \t#") || (!known && !existing(entry.device)))
            return ChannelRefusal{ChannelFault::DeviceMissing, {}};
        if (!driver::isSupportedBaud(entry.baud))
            return ChannelRefusal{ChannelFault::Baud, {}};
    }
    if (entry.radioPort > 15)
        return ChannelRefusal{ChannelFault::RadioPortRange, {}};
    if (entry.airRate && (*entry.airRate == 0 || *entry.airRate > driver::MAX_AIR_RATE))
        return ChannelRefusal{ChannelFault::AirRate, {}};
    if (auto refusal = checkName(entry.name))
        return refusal;
    // The driver must read the line back as this very entry.
    const auto [read, reason] = parseOne(channelLine(entry));
    if (!read || *read != entry)
        return ChannelRefusal{ChannelFault::Unreadable, reason};
    return std::nullopt;
}

std::optional<ChannelRefusal> ChannelFile::add(const ChannelEntry& entry)
{
    if (auto refusal = check(entry))
        return refusal;
    lines_.push_back({channelLine(normalized(entry)), normalized(entry), true});
    modified_ = true;
    return std::nullopt;
}

std::optional<ChannelRefusal> ChannelFile::change(std::size_t index, const ChannelEntry& entry)
{
    const std::size_t at = lineOf(index);
    if (at == lines_.size())
        return ChannelRefusal{ChannelFault::Unreadable, "no such channel"};
    if (auto refusal = check(entry, index))
        return refusal;
    Line& line = lines_[at];
    if (*line.entry == normalized(entry))
        return std::nullopt;
    // A comment at the end of the line stays there.
    const auto hash = line.raw.find('#');
    std::string tail = hash == std::string::npos ? std::string() : line.raw.substr(hash);
    if (!tail.empty()) {
        const std::size_t blanks = line.raw.find_last_not_of(" \t", hash - 1);
        tail = line.raw.substr(blanks == std::string::npos ? hash : blanks + 1);
    } else if (!line.raw.empty() && line.raw.back() == '\r') {
        tail = "\r";
    }
    line.raw = channelLine(normalized(entry)) + tail;
    line.entry = normalized(entry);
    modified_ = true;
    return std::nullopt;
}

void ChannelFile::remove(std::size_t index)
{
    const std::size_t at = lineOf(index);
    if (at == lines_.size())
        return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
    modified_ = true;
}

std::string ChannelFile::text() const
{
    std::string out;
    bool newline = finalNewline_;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].raw;
        // A line added after a last line without a break gets one; the file then ends with one.
        if (i + 1 < lines_.size() || newline || lines_[i].rewritten)
            out += '\n';
        if (i + 1 < lines_.size() && lines_[i + 1].rewritten)
            newline = true;
    }
    return out;
}

std::optional<ChannelFile::SaveFailure> ChannelFile::save()
{
    if (readError_)
        return SaveFailure{SaveFailure::Kind::NotRead, places_.inUse, {}};
    if (places_.saveTo.empty())
        return SaveFailure{SaveFailure::Kind::NoHomeFolder, {}, {}};
    if (auto error = platform::replaceFileAtomically(places_.saveTo, text()))
        return SaveFailure{SaveFailure::Kind::NotWritten, places_.saveTo, *error};
    // The table in use is the saved one from now on, unless a file read before it exists.
    if (places_.shadowing.empty())
        places_.inUse = places_.saveTo;
    modified_ = false;
    return std::nullopt;
}

}  // namespace zelvo::link

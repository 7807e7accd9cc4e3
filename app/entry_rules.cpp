#include "app/entry_rules.h"

#include <algorithm>
#include <memory>

namespace zelvo::app {
namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isVia(std::string_view text, std::size_t at)
{
    return text.size() - at >= 4 && text[at] == ' ' && asciiLower(text[at + 1]) == 'v' &&
           asciiLower(text[at + 2]) == 'i' && asciiLower(text[at + 3]) == 'a';
}

std::optional<EntryRefusal> pathRefusal(const std::string& path)
{
    if (path.empty())
        return EntryRefusal::NoCall;
    if (protocol::firstBadCall(path))
        return EntryRefusal::BadCall;
    return std::nullopt;
}

std::optional<EntryRefusal> channelRefusal(const EntryInput& input)
{
    if (input.channel)
        return std::nullopt;
    return input.channelsOffered ? EntryRefusal::NoChannelChosen : EntryRefusal::NoChannels;
}

void writeFields(TUserEntry& entry, EntryInput&& input, std::string&& path)
{
    entry.alias = std::move(input.alias);
    entry.alias.resize(std::min(entry.alias.size(), kMaxEntryAlias));
    entry.channel = std::to_string(*input.channel);
    entry.path = std::move(path);
    entry.sounds = input.sounds ? "1" : "0";
    entry.remote = input.remote ? "1" : "0";
}

}  // namespace

std::string normalizePath(std::string_view path)
{
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        if (isVia(path, i)) {
            i += 4;
        } else {
            out += path[i++];
        }
    }
    const auto first = std::find_if_not(out.begin(), out.end(), isBlankOrControl);
    const auto last = std::find_if_not(out.rbegin(), out.rend(), isBlankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string storedPath(std::string_view path)
{
    return protocol::upperCase(normalizePath(path));
}

std::optional<protocol::BadCall> badPathWord(std::string_view path)
{
    return protocol::firstBadCall(storedPath(path));
}

std::string_view refusalText(EntryRefusal refusal)
{
    switch (refusal) {
    case EntryRefusal::NoCall: return "Bitte mindestens ein Call angeben";
    case EntryRefusal::BadCall: return "Der Pfad enth\xE4lt ein ung\xFCltiges Rufzeichen";
    case EntryRefusal::Duplicate: return "Dieses Call Existiert schon in der Liste!!!";
    case EntryRefusal::NoChannels:
        return "FlexNet meldet keinen Kanal: der Eintrag kann nicht gespeichert werden.";
    case EntryRefusal::NoChannelChosen: return "Bitte einen FlexNet Kanal ausw\xE4hlen";
    }
    return {};
}

std::optional<EntryRefusal> insertEntry(Roster& roster, EntryInput input)
{
    std::string path = storedPath(input.path);
    if (const auto refusal = pathRefusal(path))
        return refusal;
    const std::string call = baseCall(firstWord(path).substr(0, 9));
    if (roster.findByPrefix(call) != nullptr)
        return EntryRefusal::Duplicate;
    if (const auto refusal = channelRefusal(input))
        return refusal;
    auto entry = std::make_unique<TUserEntry>();  // Offline, fields 5..9 at their start values
    entry->call = call;
    writeFields(*entry, std::move(input), std::move(path));
    roster.append(std::move(entry));
    return std::nullopt;
}

std::optional<EntryRefusal> updateEntry(Roster& roster, TUserEntry& entry, EntryInput input)
{
    std::string path = storedPath(input.path);
    if (const auto refusal = pathRefusal(path))
        return refusal;
    std::string call = baseCall(firstWord(path));
    if (const auto refusal = channelRefusal(input))
        return refusal;
    entry.call = std::move(call);
    writeFields(entry, std::move(input), std::move(path));
    roster.notifyChanged(entry);
    return std::nullopt;
}

}  // namespace zelvo::app

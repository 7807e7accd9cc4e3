// What the entry editor does to the roster, without the window: the path as stored, the call it
// gives, the duplicate test of a new entry, and the record written on insert and update.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/roster.h"
#include "protocol/call_rules.h"

namespace zelvo::app {

inline constexpr std::size_t kMaxEntryAlias = 15;

// Every " via" (any letter case) removed, then blanks and control characters trimmed at both ends.
std::string normalizePath(std::string_view path);
// The path as stored: normalised and upper case.
std::string storedPath(std::string_view path);
// The first word of the stored path that is no AX.25 call: the destination and every digipeater
// must be one, or no frame to the station can be sent.
std::optional<protocol::BadCall> badPathWord(std::string_view path);

// What the editor's controls hold. Texts are Windows-1252.
struct EntryInput {
    std::string alias;
    std::optional<int> channel;   // the selected channel; none when nothing is selected
    bool channelsOffered = true;  // false when the driver names no channel at all
    std::string path;
    bool sounds = true;
    bool remote = false;
};

enum class EntryRefusal {
    NoCall,           // empty path
    BadCall,          // a word of the path is no call (badPathWord names it)
    Duplicate,        // insert only: a row's call begins with the new call
    NoChannels,       // the driver names no channel
    NoChannelChosen,  // no channel selected (also: the entry's stored channel no longer exists)
};

// The German text the editor shows for a refusal (Windows-1252).
std::string_view refusalText(EntryRefusal refusal);

// Appends a new Offline entry whose call is the path's first word cut to 9 characters, without
// its SSID. Refused, with nothing changed, for an empty path, a word that is no call, a duplicate
// or a missing channel.
std::optional<EntryRefusal> insertEntry(Roster& roster, EntryInput input);
// Gives `entry` the call of the path (no cut, no duplicate test) and fields 0..4 from the input;
// the rest of the entry stays. Refused, with nothing changed, for an empty path, a word that is no
// call or no channel.
std::optional<EntryRefusal> updateEntry(Roster& roster, TUserEntry& entry, EntryInput input);

}  // namespace zelvo::app

// The channel table flexnet.conf as the channel page edits it, without widgets. Every line of the
// file is kept as it was read; the lines that name a channel the driver would use are the
// entries, which can be added, changed and removed. Saving writes the changed entries' lines anew
// (a comment at the end of such a line stays), drops the removed ones, appends the new ones, and
// leaves every other line byte for byte: comments, blank lines, bad lines, kinds this program does
// not know. Each line is read with the driver's own parser, so the page shows what the driver
// uses.
//
// The file is saved where the user may write it: $ZELVO_FLEXNET_CONF when that is set (the user
// chose it), else the user's $XDG_CONFIG_HOME/zelvo/flexnet.conf. A table the driver reads from
// elsewhere (beside the driver library, /etc/zelvo) is read and saved there as a copy; it is never
// written itself.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::link {

enum class ChannelKind { KissTcp, AgwTcp, KissSerial };

// "kiss-tcp", "agw-tcp", "kiss-serial".
std::string_view kindWord(ChannelKind kind);
std::optional<ChannelKind> kindOfWord(std::string_view word);
bool isTcp(ChannelKind kind);
// The TCP port a kind's server listens on unless told otherwise: 8001 for KISS, 8000 for AGW.
unsigned defaultPort(ChannelKind kind);

struct ChannelEntry {
    int number = 0;
    ChannelKind kind = ChannelKind::KissTcp;
    std::string host;        // TCP kinds; an IPv6 address without brackets
    unsigned port = 0;       // TCP kinds
    std::string device;      // kiss-serial
    unsigned baud = 0;       // kiss-serial
    unsigned radioPort = 0;  // the KISS port, or the AGW server's radio port
    std::optional<unsigned> airRate;
    std::string name;  // 8-bit text as in the file

    bool operator==(const ChannelEntry&) const = default;
};

// Kind and connection as the table, flx_channel_describe and flx_probe write them:
// "kiss-tcp 127.0.0.1:8001/1@1200", "agw-tcp [::1]:8000", "kiss-serial /dev/ttyUSB0 9600".
std::string channelAddress(const ChannelEntry& entry);
// The table line without its line break: "0 kiss-tcp 127.0.0.1:8001 Direwolf".
std::string channelLine(const ChannelEntry& entry);
// The entry an address written as channelAddress() writes it gives, read by the driver's parser;
// number 0 and no name. Nothing for an address the parser does not take.
std::optional<ChannelEntry> entryOfAddress(std::string_view address);

// Why an entry cannot go into the table.
enum class ChannelFault {
    NumberRange,     // not 0..15
    NumberUsed,      // another entry has the number
    HostEmpty,       //
    HostCharacter,   // a blank, '#', '/', '@' or control character
    PortRange,       // not 1..65535
    RadioPortRange,  // not 0..15
    AirRate,         // 0 or over the driver's limit
    Baud,            // not a rate the driver sets on a serial line
    DeviceEmpty,     //
    DeviceMissing,   // no such file (checked when the device is new to the entry)
    DeviceUsed,      // another entry reads the same device
    NameEmpty,       //
    NameCharacter,   // '#' (starts a comment) or a control character such as a line break
    NameTooLong,     // over 64 bytes
    Unreadable,      // the driver's parser reads the line otherwise; detail says why
};

struct ChannelRefusal {
    ChannelFault fault;
    std::string detail;  // the other entry's number for NumberUsed/DeviceUsed; the parser's reason
    bool operator==(const ChannelRefusal&) const = default;
};

// Where the tables are.
struct ChannelPlaces {
    std::filesystem::path inUse;      // the file the driver reads; may not exist (built-in channel)
    std::filesystem::path saveTo;     // the file saving writes; empty when there is no home
    std::filesystem::path shadowing;  // a file read before saveTo, so that saveTo is not used
                                      // while it exists; empty when there is none
    bool exists() const;              // whether there is a table file at all
};
// The places as the driver finds them (driver/channel_table.h): `libraryDir` is the folder of the
// driver library.
ChannelPlaces channelPlaces(const std::filesystem::path& libraryDir,
                            const std::filesystem::path& systemDir = "/etc/zelvo");

class ChannelFile {
public:
    // Reads places.inUse; without that file the entries are the driver's built-in channel, and
    // saving creates the table with it.
    explicit ChannelFile(ChannelPlaces places);

    const ChannelPlaces& places() const { return places_; }
    // Why the file could not be read (then there are no entries and saving is refused).
    const std::optional<std::string>& readError() const { return readError_; }
    // The channels in the order of the file.
    std::vector<ChannelEntry> entries() const;
    // The lines the driver skips, "line 4: channel number must be 0..15".
    const std::vector<std::string>& skipped() const { return skipped_; }

    // What refuses `entry` in place of the entry at `replacing` (none: as a new one).
    std::optional<ChannelRefusal> check(const ChannelEntry& entry,
                                        std::optional<std::size_t> replacing = std::nullopt) const;
    std::optional<ChannelRefusal> add(const ChannelEntry& entry);
    std::optional<ChannelRefusal> change(std::size_t index, const ChannelEntry& entry);
    void remove(std::size_t index);
    bool modified() const { return modified_; }

    // The bytes saving writes.
    std::string text() const;
    // Why save() wrote nothing: a table that could not be read is not written over, and without a
    // home folder there is no place for it.
    struct SaveFailure {
        enum class Kind { NotRead, NoHomeFolder, NotWritten } kind;
        std::filesystem::path file;  // NotRead, NotWritten
        std::string reason;          // NotWritten: the system's words (UTF-8)
    };
    // Writes text() to places().saveTo atomically; nothing, or why not.
    std::optional<SaveFailure> save();

private:
    struct Line {
        std::string raw;  // without '\n'
        std::optional<ChannelEntry> entry;
        bool rewritten = false;
    };
    void read(const std::string& text);
    std::size_t lineOf(std::size_t index) const;

    ChannelPlaces places_;
    std::optional<std::string> readError_;
    std::vector<Line> lines_;
    std::vector<std::string> skipped_;
    bool finalNewline_ = true;
    bool modified_ = false;
};

// The entry's name trimmed of blanks at both ends, as the parser reads it.
ChannelEntry normalized(ChannelEntry entry);

}  // namespace zelvo::link

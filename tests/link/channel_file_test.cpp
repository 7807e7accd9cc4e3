// The channel table as the channel page edits it: every line kept, entries edited, the file
// written atomically where the user's table belongs, and every refusal named.
#include "link/channel_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <tuple>

#include <sys/resource.h>

#include "driver/channel_table.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using zelvo::link::ChannelEntry;
using zelvo::link::ChannelFault;
using zelvo::link::ChannelFile;
using zelvo::link::ChannelKind;
using zelvo::link::ChannelPlaces;
using zelvo::testing::readFile;
using zelvo::testing::ScopedEnv;
using zelvo::testing::TempDir;

namespace {

// Comments, blank lines, a CR LF line, a bad line, an unknown kind, a second line for a number
// and a last line without a break: all of it is the user's, none of it the page's to change.
const std::string kOddTable = "# my channels\n"
                              "\n"
                              "0 kiss-tcp 127.0.0.1:8001@1200 Direwolf   # the local one\n"
                              "1 kiss-tcp host.example:8100/2 Far, away  # far\r\n"
                              "  \t# indented comment\n"
                              "17 kiss-tcp 127.0.0.1:9 Out of range\n"
                              "5 ax25-udp 10.0.0.1:93 Unknown kind\n"
                              "0 kiss-tcp 127.0.0.1:8002 Second zero\n"
                              "3 kiss-serial /dev/null 9600@300 Serial";

ChannelEntry tcpEntry(int number, unsigned port, std::string name)
{
    ChannelEntry entry;
    entry.number = number;
    entry.host = "127.0.0.1";
    entry.port = port;
    entry.name = std::move(name);
    return entry;
}

class ChannelFileTest : public ::testing::Test {
protected:
    ChannelPlaces placesFor(const fs::path& inUse) const { return {inUse, user_, {}}; }

    TempDir dir_;
    fs::path user_ = dir_ / "config/zelvo/flexnet.conf";
};

TEST_F(ChannelFileTest, KeepsEveryLineByteForByteAndShowsWhatTheDriverUses)
{
    const fs::path file = dir_.write("flexnet.conf", kOddTable);
    ChannelFile table(placesFor(file));
    EXPECT_EQ(table.text(), kOddTable);
    std::vector<std::tuple<int, std::string, std::string>> shown;
    for (const ChannelEntry& e : table.entries())
        shown.emplace_back(e.number, zelvo::link::channelAddress(e), e.name);
    EXPECT_EQ(shown, (decltype(shown){{0, "kiss-tcp 127.0.0.1:8001@1200", "Direwolf"},
                                      {1, "kiss-tcp host.example:8100/2", "Far, away"},
                                      {3, "kiss-serial /dev/null 9600@300", "Serial"}}));
    EXPECT_EQ(table.skipped().size(), 3u);
    // The driver reads the same channels from it.
    EXPECT_EQ(zelvo::driver::parseChannelTable(kOddTable, "").channels.size(), 3u);

    // Change the second (its comment stays), remove the first, add one: the rest stays as it was.
    ChannelEntry far = table.entries()[1];
    far.number = 2;
    far.name = "Farther";
    far.airRate = 9600;
    EXPECT_EQ(table.change(1, far), std::nullopt);
    table.remove(0);
    EXPECT_EQ(table.add(tcpEntry(7, 8000, "  New one ")), std::nullopt);
    EXPECT_TRUE(table.modified());
    const std::string expected = "# my channels\n"
                                 "\n"
                                 "2 kiss-tcp host.example:8100/2@9600 Farther  # far\r\n"
                                 "  \t# indented comment\n"
                                 "17 kiss-tcp 127.0.0.1:9 Out of range\n"
                                 "5 ax25-udp 10.0.0.1:93 Unknown kind\n"
                                 "0 kiss-tcp 127.0.0.1:8002 Second zero\n"
                                 "3 kiss-serial /dev/null 9600@300 Serial\n"
                                 "7 kiss-tcp 127.0.0.1:8000 New one\n";
    EXPECT_EQ(table.text(), expected);
    ASSERT_EQ(table.save(), std::nullopt);
    EXPECT_EQ(std::tuple(readFile(user_), readFile(file), table.modified()),
              std::tuple(expected, kOddTable, false));
    // The one freed number now goes to the line that had it second, as the driver reads it.
    ChannelFile again(placesFor(user_));
    EXPECT_EQ(again.entries().size(), 4u);
    EXPECT_EQ(again.text(), expected);
}

// A system table or one beside the driver is read and saved as the user's own copy; the first
// keeps working, the second shadows the copy, and $ZELVO_FLEXNET_CONF is written where it points.
// The driver takes the table in this order: $ZELVO_FLEXNET_CONF, beside it, the user's, the system's.
TEST_F(ChannelFileTest, SavesOnlyTheUsersTable)
{
    const ScopedEnv noEnv("ZELVO_FLEXNET_CONF", nullptr);
    const ScopedEnv xdg("XDG_CONFIG_HOME", (dir_ / "config").c_str());
    fs::create_directories(dir_ / "etc");
    fs::create_directories(dir_ / "lib");
    // Without any table the driver's is the one beside it: it starts from the built-in channel.
    EXPECT_EQ(zelvo::driver::findChannelTable(dir_ / "lib", dir_ / "etc"), dir_ / "lib/flexnet.conf");
    const std::string system = "# for everyone\n0 kiss-tcp 10.0.0.2:8001 Club\n";
    dir_.write("etc/flexnet.conf", system);
    fs::permissions(dir_ / "etc", fs::perms::owner_read | fs::perms::owner_exec);

    ChannelFile table(zelvo::link::channelPlaces(dir_ / "lib", dir_ / "etc"));
    EXPECT_EQ(std::tuple(table.places().inUse, table.places().saveTo, table.places().shadowing),
              std::tuple(dir_ / "etc/flexnet.conf", user_, fs::path()));
    EXPECT_EQ(table.add(tcpEntry(1, 8001, "Mine")), std::nullopt);
    ASSERT_EQ(table.save(), std::nullopt);
    fs::permissions(dir_ / "etc", fs::perms::owner_all);
    EXPECT_EQ(readFile(dir_ / "etc/flexnet.conf"), system);
    EXPECT_EQ(readFile(user_), system + "1 kiss-tcp 127.0.0.1:8001 Mine\n");
    EXPECT_EQ(table.places().inUse, user_);
    EXPECT_EQ(zelvo::driver::findChannelTable(dir_ / "lib", dir_ / "etc"), user_);
    // No temporary file is left beside it, and the new folder and file are private.
    EXPECT_EQ(std::distance(fs::directory_iterator(user_.parent_path()), fs::directory_iterator()), 1);
    EXPECT_EQ(std::pair(fs::status(user_.parent_path()).permissions() & fs::perms::all,
                        fs::status(user_).permissions() & fs::perms::all),
              std::pair(fs::perms::owner_all, fs::perms::owner_read | fs::perms::owner_write));

    // A table beside the driver shadows the user's, whose own lines are still the ones edited; an
    // empty file is a table without channels.
    dir_.write("lib/flexnet.conf", "0 kiss-tcp 127.0.0.1:8001 Beside\n");
    const ChannelFile shadowed(zelvo::link::channelPlaces(dir_ / "lib", dir_ / "etc"));
    EXPECT_EQ(std::tuple(shadowed.places().shadowing, shadowed.places().inUse, shadowed.text()),
              std::tuple(dir_ / "lib/flexnet.conf", dir_ / "lib/flexnet.conf", readFile(user_)));
    const fs::path emptyFile = dir_.write("empty.conf", "");
    const ChannelFile empty(ChannelPlaces{emptyFile, emptyFile, {}});
    EXPECT_EQ(std::tuple(empty.readError(), empty.entries().size(), empty.text()),
              std::tuple(std::optional<std::string>(), 0u, std::string()));

    const ScopedEnv env("ZELVO_FLEXNET_CONF", (dir_ / "chosen.conf").c_str());
    const ChannelPlaces chosen = zelvo::link::channelPlaces(dir_ / "lib", dir_ / "etc");
    EXPECT_EQ(std::tuple(chosen.inUse, chosen.saveTo, chosen.shadowing, chosen.exists()),
              std::tuple(dir_ / "chosen.conf", dir_ / "chosen.conf", fs::path(), false));
}

TEST_F(ChannelFileTest, WithoutTableStartsFromTheBuiltInChannelAndAFailedSaveKeepsTheOldFile)
{
    ChannelFile table(placesFor(dir_ / "none.conf"));
    ASSERT_EQ(table.entries().size(), 1u);
    EXPECT_EQ(table.entries()[0].number, zelvo::driver::defaultChannel().number);
    ASSERT_EQ(table.save(), std::nullopt);
    const auto read = zelvo::driver::loadChannelTable(user_);
    EXPECT_EQ(std::tuple(read.channels.size(), read.errors.size(), read.file),
              std::tuple(1u, 0u, user_.string()));
    EXPECT_TRUE(readFile(user_).starts_with(
        "# Zelvo's channel table: <number> <kind> <address> <name>, see man 5 flexnet.conf\n"));

    // A disk that takes no more bytes (as root too, whom no folder's mode stops): the error names
    // the file, the old one is untouched.
    const std::string before = readFile(user_);
    ChannelFile second(placesFor(user_));
    second.remove(0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit noBytes = oldLimit;
    noBytes.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &noBytes);
    const auto error = second.save();
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(std::tuple(error->kind, error->file),
              std::tuple(ChannelFile::SaveFailure::Kind::NotWritten, user_));
    EXPECT_EQ(readFile(user_), before);
}

// The refusals the entry editor shows as typed (ChannelDialogTest.RefusesWrongInputWhereItIsTyped...)
// are checked there; here the rest of them.
TEST_F(ChannelFileTest, RefusesEachFaultWithItsWord)
{
    ChannelFile table(placesFor(dir_.write("t.conf", "0 kiss-tcp 127.0.0.1:8001 A\n"
                                                     "1 kiss-serial /dev/null 9600 B\n")));
    const auto serial = [](std::string device, unsigned baud) {
        ChannelEntry e = tcpEntry(4, 0, "S");
        e.kind = ChannelKind::KissSerial;
        e.host.clear();
        e.device = std::move(device);
        e.baud = baud;
        return e;
    };
    const auto with = [](auto change) {
        ChannelEntry e = tcpEntry(4, 8001, "Name");
        change(e);
        return e;
    };
    const std::vector<std::pair<ChannelEntry, ChannelFault>> cases = {
        {with([](auto& e) { e.number = -1; }), ChannelFault::NumberRange},
        {with([](auto& e) { e.host = " "; }), ChannelFault::HostEmpty},
        {with([](auto& e) { e.host = "a#b"; }), ChannelFault::HostCharacter},
        {with([](auto& e) { e.port = 0; }), ChannelFault::PortRange},
        {with([](auto& e) { e.radioPort = 16; }), ChannelFault::RadioPortRange},
        {with([](auto& e) { e.airRate = zelvo::driver::MAX_AIR_RATE + 1; }), ChannelFault::AirRate},
        {with([](auto& e) { e.name = "  "; }), ChannelFault::NameEmpty},
        {with([](auto& e) { e.name = "two\nlines"; }), ChannelFault::NameCharacter},
        {with([](auto& e) { e.name = std::string(65, 'x'); }), ChannelFault::NameTooLong},
        {serial("", 9600), ChannelFault::DeviceEmpty},
        {serial("/dev/zero", 9601), ChannelFault::Baud},
        {serial("/dev/null", 9600), ChannelFault::DeviceUsed},
    };
    for (const auto& [entry, fault] : cases) {
        const auto refusal = table.add(entry);
        EXPECT_EQ(refusal ? std::optional(refusal->fault) : std::nullopt, fault)
            << zelvo::link::channelLine(entry);
    }
    EXPECT_EQ(table.entries().size(), 2u);
    EXPECT_FALSE(table.modified());

    // A name with a comma fits; the entry keeps its own number and an unplugged device when changed.
    EXPECT_EQ(table.check(with([](auto& e) { e.name = "Nord, 2m"; })), std::nullopt);
    EXPECT_EQ(table.check(tcpEntry(0, 8001, "A2"), 0), std::nullopt);
    EXPECT_EQ(table.add(serial("/dev/zero", 9600)), std::nullopt);
}

}  // namespace

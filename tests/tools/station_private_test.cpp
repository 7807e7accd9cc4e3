// A station's files seen by another local user: the roster, settings, channel table and log of an
// earlier run were open to everyone; after one start under a lax umask nothing of them can be
// read, listed or locked by anybody but their owner.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "tests/support/other_users.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {
namespace {

namespace fs = std::filesystem;

fs::path writeOpen(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    fs::permissions(file, static_cast<fs::perms>(0644));
    return file;
}

void giveAllTo(const fs::path& top, LocalUser user)
{
    giveTo(top, user);
    for (const auto& entry : fs::recursive_directory_iterator(top))
        giveTo(entry.path(), user);
}

TEST(StationFiles, AnotherLocalUserCanNeitherReadNorLockThem)
{
    if (const auto why = whyNoOtherUsers())
        GTEST_SKIP() << *why;
    TempDir home;
    const fs::path config = home / ".config/zelvo", state = home / ".local/state/zelvo";
    writeOpen(config / "HKEY_CURRENT_USER.reg", "REGEDIT4\r\n\r\n");
    writeOpen(config / "flexnet.conf", "0 kiss-tcp 127.0.0.1:9 Nirgends\n");
    writeOpen(state / "Zelvo.log", "");
    for (const fs::path& folder : {config, state})
        fs::permissions(folder, static_cast<fs::perms>(0775));
    giveAllTo(home.path(), kOwner);

    // Empty values count as unset: the station finds everything through $HOME alone.
    Process station(asUser(kOwner, {ZELVO_STATION_BIN, "--mycall", "DL1AAA", "--alias", "Anna"}, "0002"),
                    {"HOME=" + home.path().string(), "XDG_CONFIG_HOME=", "XDG_STATE_HOME=", "XDG_DATA_HOME=",
                     "ZELVO_REGISTRY_DIR=", "ZELVO_FLEXNET_CONF="});
    ASSERT_TRUE(station.wait_line(starts_with("READY DL1AAA")));
    station.write_line("add DL2BBB");
    ASSERT_TRUE(station.wait_line(starts_with("ADDED DL2BBB")));

    // Everything in Zelvo's folders while it runs: files, lock files, folders.
    std::vector<std::string> check{"/bin/sh", "-c",
                                   "for f; do if [ -d \"$f\" ]; then ls \"$f\"; else cat \"$f\"; fi "
                                   ">/dev/null 2>&1 && echo \"OPEN $f\"; "
                                   "flock -n \"$f\" true 2>/dev/null && echo \"LOCKED $f\"; done; echo DONE"};
    check.push_back("check");
    for (const fs::path& folder : {config, state}) {
        check.push_back(folder.string());
        for (const auto& entry : fs::directory_iterator(folder)) {
            check.push_back(entry.path().string());
            EXPECT_EQ(fs::status(entry).permissions(), fs::perms::owner_read | fs::perms::owner_write)
                << entry.path();
        }
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
    }
    EXPECT_GE(check.size(), 10u);  // the registry's lock and claim files are among them
    Process intruder(asUser(kIntruder, check));
    ASSERT_TRUE(intruder.wait_line(starts_with("DONE")));
    EXPECT_EQ(intruder.lines([](const std::string& line) { return line != "DONE"; }),
              std::vector<std::string>{});

    station.write_line("quit");
    ASSERT_EQ(station.stop(0), 0);
    const std::string log = readFile(state / "Zelvo.log");
    EXPECT_NE(log.find(" Rechte : "), std::string::npos) << log;
}

}  // namespace
}  // namespace zelvo::testing

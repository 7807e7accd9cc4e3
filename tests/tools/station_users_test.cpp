// Another local user against a station's files. flock needs only read access, so a lock file
// that others could open let a stranger stall the station before it was ready, or refuse its
// start; a claim file the station could not lock let two stations share one roster; and the files
// of an earlier run were open to everyone.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/support/other_users.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {
namespace {

namespace fs = std::filesystem;

class StationUsers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const auto why = whyNoOtherUsers())
            GTEST_SKIP() << *why;
        // An earlier run's files, open to everyone as older versions left them.
        for (const auto& [file, bytes] : {std::pair{registry_, "REGEDIT4\r\n\r\n"},
                                          {config_ / "flexnet.conf", "0 kiss-tcp 127.0.0.1:9 Nirgends\n"},
                                          {state_ / "Zelvo.log", ""}}) {
            fs::create_directories(file.parent_path());
            std::ofstream(file) << bytes;
            fs::permissions(file, static_cast<fs::perms>(0644));
        }
        giveTo(home_.path(), kOwner);
        fs::permissions(home_.path(), static_cast<fs::perms>(0755));
        // As a home on Debian under umask 002: everyone may pass.
        for (const auto& entry : fs::recursive_directory_iterator(home_.path())) {
            giveTo(entry.path(), kOwner);
            if (entry.is_directory())
                fs::permissions(entry.path(), static_cast<fs::perms>(0775));
        }
    }

    // The owner's station, its error output among its lines.
    std::unique_ptr<Process> station(const std::string& call)
    {
        return std::make_unique<Process>(
            asUser(kOwner, {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", ZELVO_STATION_BIN, "--mycall", call},
                   "0002"),
            std::vector<std::string>{"HOME=" + home_.path().string(), "XDG_CONFIG_HOME=", "XDG_STATE_HOME=",
                                     "XDG_DATA_HOME=", "ZELVO_REGISTRY_DIR=", "ZELVO_FLEXNET_CONF="});
    }

    // What the intruder manages with Zelvo's folders and everything in them: one line for each
    // it could list, read or lock.
    std::vector<std::string> intruderGets()
    {
        std::vector<std::string> check{
            "/bin/sh", "-c",
            "for f; do if [ -d \"$f\" ]; then ls \"$f\"; else cat \"$f\"; fi "
            ">/dev/null 2>&1 && echo \"OPEN $f\"; "
            "flock -x -n \"$f\" true 2>/dev/null && echo \"LOCKED $f\"; done; echo DONE",
            "check"};
        for (const fs::path& folder : {config_, state_}) {
            check.push_back(folder.string());
            for (const auto& entry : fs::directory_iterator(folder))
                check.push_back(entry.path().string());
        }
        Process intruder(asUser(kIntruder, check));
        EXPECT_TRUE(intruder.wait_line(starts_with("DONE")));
        return intruder.lines([](const std::string& line) { return line != "DONE"; });
    }

    // One more row, then the end: the one added after the start and this one are both saved.
    void addAndQuit(Process& station)
    {
        station.write_line("add DL3CCC");
        ASSERT_TRUE(station.wait_line(starts_with("ADDED DL3CCC")));
        station.write_line("quit");
        ASSERT_EQ(station.stop(0), 0);
        const std::string saved = readFile(registry_);
        EXPECT_NE(saved.find("DL2BBB"), std::string::npos) << saved;
        EXPECT_NE(saved.find("DL3CCC"), std::string::npos) << saved;
    }

    static mode_t modeOf(const fs::path& path)
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }

    TempDir home_;
    const fs::path config_ = home_ / ".config/zelvo";
    const fs::path state_ = home_ / ".local/state/zelvo";
    const fs::path registry_ = config_ / "HKEY_CURRENT_USER.reg";
    const fs::path lock_ = config_ / "HKEY_CURRENT_USER.reg.lock";
    const fs::path inUse_ = config_ / "HKEY_CURRENT_USER.reg.inuse";
};

// Lock files of an earlier version, open to all, already locked by the intruder when the station
// starts: the station takes fresh ones, is ready, saves, and the intruder gets nothing more. Every
// file of the earlier run is tightened, and the log says so once.
TEST_F(StationUsers, AStrangersLocksTakenBeforeTheStartNeitherStallNorRefuseIt)
{
    for (const fs::path& file : {lock_, inUse_}) {
        std::ofstream{file};
        giveTo(file, kOwner);
        fs::permissions(file, static_cast<fs::perms>(0644));
    }
    Process holder(asUser(kIntruder, {"/bin/sh", "-c",
                                      "exec 3<\"$1\" 4<\"$2\"; flock -x -n 3 && flock -x -n 4 && echo HELD; "
                                      "exec sleep 600",
                                      "hold", lock_.string(), inUse_.string()}));
    ASSERT_TRUE(holder.wait_line(starts_with("HELD")));

    auto owner = station("DL1AAA");
    ASSERT_TRUE(owner->wait_line(starts_with("READY DL1AAA")));
    owner->write_line("add DL2BBB");
    ASSERT_TRUE(owner->wait_line(starts_with("ADDED DL2BBB")));
    for (const fs::path& file : {lock_, inUse_})
        EXPECT_EQ(modeOf(file), 0600u) << file;
    for (const fs::path& folder : {config_, state_}) {
        EXPECT_EQ(modeOf(folder), 0700u) << folder;
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(modeOf(entry.path()), entry.is_directory() ? 0700u : 0600u) << entry.path();
    }
    EXPECT_EQ(intruderGets(), std::vector<std::string>{});

    ASSERT_NO_FATAL_FAILURE(addAndQuit(*owner));
    const std::string log = readFile(state_ / "Zelvo.log");
    std::size_t rights = 0;
    for (auto at = log.find(" Rechte : "); at != std::string::npos; at = log.find(" Rechte : ", at + 1))
        ++rights;
    EXPECT_EQ(rights, 1u) << log;
}

// A claim file that only root can open, in the owner's folder: the first station replaces it
// and claims the folder; the second is refused; the first one's rows are all saved.
TEST_F(StationUsers, AClaimFileOfAnotherUserLetsOnlyOneStationIn)
{
    std::ofstream{inUse_};
    fs::permissions(inUse_, static_cast<fs::perms>(0600));

    auto first = station("DL1AAA");
    ASSERT_TRUE(first->wait_line(starts_with("READY DL1AAA")));
    first->write_line("add DL2BBB");
    ASSERT_TRUE(first->wait_line(starts_with("ADDED DL2BBB")));

    auto second = station("DL1AAA");
    EXPECT_TRUE(second->wait_line(contains("is using the registry folder " + config_.string())));
    EXPECT_EQ(second->stop(0), 1 << 8);

    ASSERT_NO_FATAL_FAILURE(addAndQuit(*first));
    struct stat st {};
    ASSERT_EQ(::stat(inUse_.c_str(), &st), 0);
    EXPECT_EQ(std::tuple(st.st_uid, st.st_mode & 07777), std::tuple(kOwner.uid, 0600u));
}

// A folder where the claim file cannot be made at all: no station starts on it, and says why.
TEST_F(StationUsers, AFolderThatCannotBeClaimedIsRefusedWithTheReason)
{
    giveTo(config_, LocalUser{0, 0});
    auto refused = station("DL1AAA");
    EXPECT_TRUE(refused->wait_line(
        contains("Der Registrierungsordner " + config_.string() + " kann nicht belegt werden: ")));
    EXPECT_EQ(refused->stop(0), 1 << 8);
    EXPECT_FALSE(fs::exists(inUse_));  // nothing left that a second start could find
}

}  // namespace
}  // namespace zelvo::testing

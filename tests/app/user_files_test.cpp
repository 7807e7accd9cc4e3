// What Zelvo writes for the user is the user's alone: files of an earlier run (or of a lax
// umask) are made private at start with one log line, new files are private whatever the umask,
// and a program started without $HOME still writes into the user's home.
#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/activity_log.h"
#include "app/history_store.h"
#include "app/restart_after_logoff.h"
#include "app/session.h"
#include "platform/registry.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
namespace fs = std::filesystem;
using zelvo::testing::ScopedEnv;

mode_t modeOf(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 01000;
}

fs::path makeFile(const fs::path& path, mode_t mode)
{
    zelvo::testing::writeFile(path, "x");
    fs::permissions(path, static_cast<fs::perms>(mode));
    return path;
}

class UserFilesTest : public ::testing::Test {
protected:
    app::Session::Options options()
    {
        app::Session::Options o;
        o.registryPaths = {dir_ / "config" / "HKEY_CURRENT_USER.reg", dir_ / "HKLM.reg"};
        o.logFile = dir_ / "Zelvo.log";
        o.libraryName = ZELVO_FAKE_FLXAPI;
        o.privateFolders = {dir_ / "data"};
        return o;
    }
    int privateLines() const
    {
        const std::string log = zelvo::testing::readFile(dir_ / "Zelvo.log");
        int lines = 0;
        for (auto at = log.find(" Rechte : "); at != std::string::npos; at = log.find(" Rechte : ", at + 1))
            ++lines;
        return lines;
    }

    zelvo::testing::TempDir dir_;
};

TEST_F(UserFilesTest, OpenFilesOfAnEarlierRunAreMadePrivateOnceAndNoLinkIsFollowed)
{
    fs::permissions(dir_.path(), static_cast<fs::perms>(0755));
    for (const char* folder : {"config", "data"}) {
        fs::create_directory(dir_ / folder);
        fs::permissions(dir_ / folder, static_cast<fs::perms>(0775));
    }
    const fs::path roster = makeFile(dir_ / "config" / "HKEY_CURRENT_USER.reg", 0644);
    const fs::path inUse = makeFile(dir_ / "config" / "HKEY_CURRENT_USER.reg.inuse", 0664);
    const fs::path history = makeFile(dir_ / "data" / "history.sqlite", 0644);
    const fs::path log = makeFile(dir_ / "Zelvo.log", 0644);
    // Not Zelvo's: reached only through a link in its folder.
    const fs::path elsewhere = makeFile(dir_ / "elsewhere", 0644);
    fs::create_symlink(elsewhere, dir_ / "data" / "link");

    for (int run = 0; run < 2; ++run) {
        app::Session session(options());
        ASSERT_EQ(session.open(), app::Session::OpenResult::Opened);
    }
    EXPECT_EQ(modeOf(dir_ / "config"), 0700u);
    EXPECT_EQ(modeOf(dir_ / "data"), 0700u);
    for (const fs::path& file : {roster, inUse, history, log})
        EXPECT_EQ(modeOf(file), 0600u) << file;
    EXPECT_EQ(modeOf(elsewhere), 0644u);
    // The folder holding the log may be the program's own: it keeps its mode.
    EXPECT_EQ(modeOf(dir_.path()), 0755u);
    EXPECT_EQ(privateLines(), 1);
    const std::string text = zelvo::testing::readFile(dir_ / "Zelvo.log");
    EXPECT_NE(text.find(history.string()), std::string::npos) << text;
    EXPECT_EQ(text.find("elsewhere"), std::string::npos) << text;
}

// Registry, log, and the history with SQLite's files beside it (checked while it is open).
TEST_F(UserFilesTest, NewFilesArePrivateUnderAnyUmask)
{
    struct OpenUmask {
        mode_t before = ::umask(0);
        ~OpenUmask() { ::umask(before); }
    } open;
    app::Session session(options());
    ASSERT_EQ(session.open(), app::Session::OpenResult::Opened);
    platform::Registry registry(options().registryPaths);
    registry.setString(platform::RegRoot::CurrentUser, "Software\\Zelvo", "Test", "1");
    app::Roster roster;
    app::HistoryStore history(dir_ / "history" / "history.sqlite");
    ASSERT_EQ(history.load(roster), std::nullopt);
    ASSERT_EQ(history.record(roster.addEntry("", "0", "DB0AAA", true, true), "R12:00:00 x"), std::nullopt);
    for (const char* folder : {"config", "history"})
        EXPECT_EQ(modeOf(dir_ / folder), 0700u) << folder;
    for (const char* name : {"config/HKEY_CURRENT_USER.reg", "config/HKEY_CURRENT_USER.reg.lock",
                             "config/HKEY_CURRENT_USER.reg.inuse", "Zelvo.log", "history/history.sqlite",
                             "history/history.sqlite-wal", "history/history.sqlite-shm"})
        EXPECT_EQ(modeOf(dir_ / name), 0600u) << name;
    EXPECT_EQ(privateLines(), 0);
}

// `env -i zelvo-station` or a service: every file goes where the user's home is, never into the
// current folder.
TEST(UserFolders, WithoutHomeEveryFileIsInThePasswordEntrysHome)
{
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_NE(pw, nullptr);
    const fs::path home = pw->pw_dir;
    ScopedEnv noHome("HOME", nullptr);
    ScopedEnv noConfig("XDG_CONFIG_HOME", nullptr), noData("XDG_DATA_HOME", nullptr),
        noState("XDG_STATE_HOME", "relative/state"), noRegistryDir("ZELVO_REGISTRY_DIR", nullptr);
    const fs::path written[] = {platform::Registry::defaultPaths().currentUser, app::ActivityLog::pathFor({}),
                                app::HistoryStore::defaultPath(), app::autostartEntryPath()};
    for (const fs::path& file : written)
        EXPECT_TRUE(file.is_absolute() && file.string().starts_with(home.string() + "/")) << file;
    EXPECT_EQ(app::ActivityLog::pathFor({}), home / ".local/state/zelvo/Zelvo.log");
}

}  // namespace

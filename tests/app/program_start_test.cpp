// What the windowed program does around the session at start and at logoff: one instance per
// user, and a restart after the logoff that runs once.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <cstring>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/restart_after_logoff.h"
#include "app/single_instance.h"
#include "platform/ansi.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
namespace fs = std::filesystem;

QString qpath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// A bound AF_UNIX stream socket at `path`, not yet listening.
int boundSocket(const fs::path& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path;
    return fd;
}

TEST(SingleInstance, SecondStartRaisesTheFirstAndAStaleSocketIsTakenOver)
{
    zelvo::testing::TempDir dir;
    const QString path = QString::fromStdString(dir.path().string());
    std::ofstream(dir.path() / "MUT_Zelvo_Open") << "";  // left by a crashed instance, which holds no lock
    app::SingleInstance first(path);
    ASSERT_FALSE(first.askRunningInstance());
    ASSERT_EQ(first.claim(), app::SingleInstance::Claim::Claimed);
    QSignalSpy raised(&first, &app::SingleInstance::raiseRequested);

    app::SingleInstance second(path);
    std::atomic<bool> answered = false;
    // The desktop's activation token of the second start goes to the first, for its window.
    zelvo::testing::ScopedEnv token("XDG_ACTIVATION_TOKEN", "sway-7_a1b2");
    std::thread asker([&] { answered = app::SingleInstance(path).askRunningInstance(); });
    EXPECT_TRUE(raised.wait(5000));
    asker.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(raised.value(0).value(0).toString(), "sway-7_a1b2");
    EXPECT_EQ(second.claim(), app::SingleInstance::Claim::HeldElsewhere);
}

// Socket and lock live only in a folder of the user that no one else may enter: a listener in
// any other folder could be anyone's, and believing it ends the program at once.
TEST(SingleInstance, UsesOnlyAFolderPrivateToTheUser)
{
    zelvo::testing::TempDir dir;
    fs::create_directory(dir / "open");
    fs::permissions(dir / "open", fs::perms(0755));
    fs::create_directory_symlink(dir.path(), dir / "link");  // to a private folder

    const std::string fallback = "/tmp/zelvo-" + std::to_string(::geteuid()) + "/MUT_Zelvo_Open";
    const std::string open = (dir / "open").string();
    for (const char* runtime : {static_cast<const char*>(nullptr), open.c_str()}) {
        zelvo::testing::ScopedEnv env("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(app::SingleInstance().socketPath().toStdString(), fallback)
            << (runtime ? runtime : "unset");
    }
    for (const char* name : {"open", "link"}) {
        const int listener = boundSocket(dir / name / "MUT_Zelvo_Open");
        ASSERT_EQ(::listen(listener, 4), 0);
        app::SingleInstance instance(qpath(dir / name));
        EXPECT_FALSE(instance.askRunningInstance()) << name;
        EXPECT_EQ(instance.claim(), app::SingleInstance::Claim::Failed) << name;
        EXPECT_NE(platform::germanSentence(instance.failure()).find((dir / name).string()), std::string::npos)
            << name;
        ::close(listener);
    }
}

// The peer's credentials tell whose listener answers: one that listens as another user is not a
// running Zelvo of ours, and the claim replaces its socket.
TEST(SingleInstance, ListenerOfAnotherUserIsNotBelieved)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can listen as another user";
    zelvo::testing::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const int socket = boundSocket(dir / "MUT_Zelvo_Open");
    const pid_t other = ::fork();
    if (other == 0) {
        // The credentials a client sees are those at listen().
        if (::setresuid(65534, 65534, 65534) != 0 || ::listen(socket, 4) != 0)
            ::_exit(1);
        (void)!::write(ready[1], "x", 1);
        ::_exit(::pause());
    }
    ::close(socket);
    ::close(ready[1]);  // a child that fails ends the read
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);

    app::SingleInstance instance(qpath(dir.path()));
    EXPECT_FALSE(instance.askRunningInstance());
    EXPECT_EQ(instance.claim(), app::SingleInstance::Claim::Claimed);
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
}

// A program in a folder named `name` under `dir` that writes the path it was started as to
// `marker`.
fs::path markerProgram(const fs::path& dir, const std::string& name, const fs::path& marker)
{
    fs::create_directories(dir / name);
    const fs::path program = dir / name / "zelvo";
    std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"$0\" > '" << marker.string() << "'\n";
    fs::permissions(program, fs::perms::owner_all);
    return program;
}

// The autostart entry, started as a desktop starts it at login: GLib's exit status.
int launchAutostartEntry()
{
    QProcess launcher;
    launcher.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    launcher.start(QStringLiteral(ZELVO_DESKTOP_ENTRY_LAUNCH), {qpath(app::autostartEntryPath())});
    return launcher.waitForFinished(10000) && launcher.exitStatus() == QProcess::NormalExit
               ? launcher.exitCode()
               : -1;
}

// The restart: a RunOnce value, and an autostart entry that starts the program as a desktop does
// at login, whatever its path holds; the next start removes both.
TEST(RestartAfterLogoff, EntryStartsTheProgramWhateverItsPathHoldsAndTheNextStartRemovesIt)
{
    zelvo::testing::TempDir dir;
    platform::Registry registry({dir.path() / "HKCU.reg", dir.path() / "HKLM.reg"});
    int count = 0;
    fs::path program;
    for (const std::string name :
         {"a b", "\"q\"", "$HOME", "`id`", "a\\b", "\\\\$`\"", "it's;&|<>*?#~()=[]", "Kl\xC3\xA4nge zwei",
          "new\nline", "tab\tand\rreturn", " lead and trail "}) {
        const fs::path marker = dir / ("started" + std::to_string(++count));
        program = markerProgram(dir / std::to_string(count), name, marker);
        ASSERT_EQ(app::registerRestart(registry, program), std::nullopt) << program;
        ASSERT_EQ(launchAutostartEntry(), 0) << program;
        EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(marker) && fs::file_size(marker) > 0; }, 10000))
            << program;
        EXPECT_EQ(zelvo::testing::readFile(marker), program.string());
    }
    EXPECT_EQ(registry.readString(platform::RegRoot::CurrentUser, app::kRunOnceKey, "Zelvo"),
              "\"" + program.string() + "\"");
    app::clearRestart(registry);
    EXPECT_EQ(registry.readString(platform::RegRoot::CurrentUser, app::kRunOnceKey, "Zelvo"), std::nullopt);
    EXPECT_FALSE(fs::exists(app::autostartEntryPath()));
}

// No entry, not even an earlier one, for a path that no desktop can start or that a key file
// cannot hold (another control character, not UTF-8); the problem names the path. Written by the
// Desktop Entry rules a % is doubled, but GLib looks for the program named by the Exec value
// before it expands "%%", and so never finds it.
TEST(RestartAfterLogoff, PathNoDesktopCanStartGetsNoEntryAndSaysSo)
{
    zelvo::testing::TempDir dir;
    platform::Registry registry({dir.path() / "HKCU.reg", dir.path() / "HKLM.reg"});
    const fs::path earlier = markerProgram(dir / "earlier", "zelvo", dir / "unused");
    int count = 0;
    for (const std::string name : {"100%", "a%u", "100%%", "Kl\xE4nge", "bell\a", "del\x7f"}) {
        ASSERT_EQ(app::registerRestart(registry, earlier), std::nullopt);
        const fs::path program = markerProgram(dir / std::to_string(++count), name, dir / "unused");
        const auto problem = app::registerRestart(registry, program);
        ASSERT_TRUE(problem) << program;
        EXPECT_NE(problem->text.find(platform::utf8ToAnsi(dir.path().string())), std::string::npos)
            << problem->text;
        EXPECT_FALSE(fs::exists(app::autostartEntryPath())) << program;
    }
}

}  // namespace

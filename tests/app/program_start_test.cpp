// What the windowed program does around the session at start and at logoff: one instance per
// user, and a restart after the logoff that runs once.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>

#include <fstream>

#include "app/restart_after_logoff.h"
#include "app/single_instance.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;

TEST(SingleInstance, SecondStartRaisesTheFirstAndAStaleSocketIsTakenOver)
{
    zelvo::testing::TempDir dir;
    const QString path = QString::fromStdString(dir.path().string());
    {
        // A crashed instance left its socket file but holds no lock.
        std::ofstream(dir.path() / "MUT_Zelvo_Open") << "";
    }
    app::SingleInstance first(path);
    ASSERT_FALSE(first.askRunningInstance());
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &app::SingleInstance::raiseRequested);

    app::SingleInstance second(path);
    std::atomic<bool> answered = false;
    std::thread asker([&] { answered = app::SingleInstance(path).askRunningInstance(); });
    EXPECT_TRUE(raised.wait(5000));
    asker.join();
    EXPECT_TRUE(answered);
    EXPECT_FALSE(second.claim());  // the lock is the first one's
}

TEST(RestartAfterLogoff, RunOnceAndAutostartEntryAreWrittenAndTheNextStartRemovesBoth)
{
    zelvo::testing::TempDir dir;
    platform::Registry registry({dir.path() / "HKCU.reg", dir.path() / "HKLM.reg"});
    app::registerRestart(registry, "/opt/Zelvo 2/zelvo");
    EXPECT_EQ(registry.readString(platform::RegRoot::CurrentUser, app::kRunOnceKey, "Zelvo"),
              "\"/opt/Zelvo 2/zelvo\"");
    QFile entry(QString::fromStdString(app::autostartEntryPath().string()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("\nExec=\"/opt/Zelvo 2/zelvo\"\n"));
    entry.close();

    app::clearRestart(registry);
    EXPECT_EQ(registry.readString(platform::RegRoot::CurrentUser, app::kRunOnceKey, "Zelvo"), std::nullopt);
    EXPECT_FALSE(entry.exists());
}

// The command that a desktop runs for the autostart entry, read as GLib reads it.
QList<QByteArray> autostartCommand()
{
    QProcess reader;
    reader.start(QStringLiteral(ZELVO_DESKTOP_ENTRY_ARGV),
                 {QString::fromStdString(app::autostartEntryPath().string())});
    if (!reader.waitForFinished(10000) || reader.exitCode() != 0)
        return {};
    QList<QByteArray> words = reader.readAllStandardOutput().split('\0');
    words.removeLast();  // after the last NUL
    return words;
}

TEST(RestartAfterLogoff, AutostartEntryRunsTheProgramWhateverItsPathHolds)
{
    zelvo::testing::TempDir dir;
    platform::Registry registry({dir.path() / "HKCU.reg", dir.path() / "HKLM.reg"});
    for (const std::string program :
         {"/opt/a%u/zelvo", "/opt/100%%/zelvo", "/opt/\"q\"/zelvo", "/opt/$HOME/zelvo", "/opt/`id`/zelvo",
          "/opt/a\\b/zelvo", "/opt/\\\\$`%\"/zelvo", "/opt/it's;&|<>*?#~()/zelvo",
          "/opt/Kl\xC3\xA4nge zwei/zelvo"}) {
        app::registerRestart(registry, program);
        EXPECT_EQ(autostartCommand(), QList<QByteArray>{QByteArray::fromStdString(program)}) << program;
    }
    // No entry rather than a wrong one: a line break would add a key line of its own.
    for (const std::string program :
         {"/opt/a\nTerminal=true\n/zelvo", "/opt/a\tb/zelvo", "/opt/Kl\xE4nge/zelvo"}) {
        std::filesystem::remove(app::autostartEntryPath());
        app::registerRestart(registry, program);
        EXPECT_FALSE(std::filesystem::exists(app::autostartEntryPath())) << program;
    }
}

}  // namespace

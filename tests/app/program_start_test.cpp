// What the windowed program does around the session at start and at logoff: one instance per
// user, and a restart after the logoff that runs once.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
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

}  // namespace

// The registry's lock files: one that others could open is replaced so that a stranger's lock
// stays behind on the old file (seen through the registry's claim and write), a held lock fails a
// write within its bound, and only a file system without locks lets a program go on unclaimed.
#include "platform/lock_file.h"
#include "platform/reg_claim.h"
#include "platform/registry.h"

#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <future>
#include <latch>
#include <set>
#include <thread>

namespace zelvo::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::TempDir;

// A file as an earlier version left it, opened and locked by someone else.
int heldOpenFile(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    ::fchmod(fd, 0644);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    return fd;
}

TEST(LockFiles, OnlyAFileSystemWithoutLocksMeansNoLocks)
{
    for (int error : {ENOLCK, EOPNOTSUPP, ENOTSUP, ENOSYS})
        EXPECT_TRUE(meansNoLocks(error)) << error;
    for (int error : {EWOULDBLOCK, EACCES, EPERM, EBADF, EINTR, EIO, EISDIR, 0})
        EXPECT_FALSE(meansNoLocks(error)) << error;
}

// Programs that find the same old file at once, a stranger holding it: each lock they take is
// on the one file at the name, so they take it in turn.
TEST(LockFiles, ReplacedAtOnceByManyItIsStillOneLock)
{
    TempDir dir;
    const fs::path path = dir / "x.lock";
    for (int round = 0; round < 30; ++round) {
        fs::remove(path);
        const int stranger = heldOpenFile(path);
        constexpr int kCount = 4;
        std::latch start(kCount);
        std::atomic<int> inside{0}, overlaps{0}, astray{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < kCount; ++i)
            threads.emplace_back([&] {
                start.arrive_and_wait();
                const LockedFile file = lockPrivateFile(path, LOCK_EX, std::chrono::seconds(10));
                if (file.wait != LockWait::Locked)
                    ++astray;
                if (inside.fetch_add(1) != 0)
                    ++overlaps;
                for (int i = 0; i < 100; ++i)
                    std::this_thread::yield();
                inside.fetch_sub(1);
                ::close(file.fd);
            });
        for (auto& thread : threads)
            thread.join();
        ::close(stranger);
        EXPECT_EQ(std::tuple(overlaps.load(), astray.load()), std::tuple(0, 0)) << "round " << round;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "round " << round;
    }
}

// The user's own process that hangs holding the lock: a write gives up with the reason, and
// reads, which take no lock, go on.
TEST(RegistryLock, AHeldLockFailsAWriteWithinItsBoundWhileReadsGoOn)
{
    TempDir dir;
    Registry registry({dir / "HKCU.reg", dir / "HKLM.reg"});
    registry.setString(RegRoot::CurrentUser, "\\A", "v", "1");
    const int holder = ::open((dir / "HKCU.reg.lock").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    auto write = std::async(std::launch::async, [&] {
        try {
            registry.setString(RegRoot::CurrentUser, "\\A", "v", "2");
        } catch (const RegistryError& error) {
            return std::string(error.what());
        }
        return std::string("written");
    });
    ASSERT_EQ(write.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    EXPECT_THAT(write.get(),
                HasSubstr("HKCU.reg kann nicht geschrieben werden: ein anderer Prozess hält ihre "
                          "Sperrdatei " +
                          (dir / "HKCU.reg.lock").string() + " seit mehr als 3 Sekunden gesperrt"));
    EXPECT_EQ(Registry({dir / "HKCU.reg", dir / "HKLM.reg"}).readString(RegRoot::CurrentUser, "\\A", "v"),
              "1");
    ::close(holder);
    registry.setString(RegRoot::CurrentUser, "\\A", "v", "3");
    EXPECT_EQ(registry.readString(RegRoot::CurrentUser, "\\A", "v"), "3");
}

// A claim that fails for any other reason, and the reason given:
// SessionTest.ARegistryFolderInUseOrNotClaimableIsRefusedBeforeTheDriver.
TEST(RegistryClaimFiles, LockFilesOthersCouldOpenAreTakenOver)
{
    TempDir dir;
    const Registry::Paths paths{dir / "HKCU.reg", dir / "HKLM.reg"};
    const int strangerClaim = heldOpenFile(dir / "HKCU.reg.inuse");
    const int strangerLock = heldOpenFile(dir / "HKCU.reg.lock");
    {
        RegistryClaim claim;
        ASSERT_EQ(claim.take(paths), RegistryClaim::Result::Claimed);
        Registry registry(paths);
        registry.setString(RegRoot::CurrentUser, "\\A", "v", "1");
        for (const char* name : {"HKCU.reg.inuse", "HKCU.reg.lock"})
            EXPECT_EQ(fs::status(dir / name).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        // Replaced in place: nothing of the replacement is left beside them.
        EXPECT_EQ(std::set<fs::path>(fs::directory_iterator(dir.path()), {}),
                  (std::set<fs::path>{dir / "HKCU.reg", dir / "HKCU.reg.inuse", dir / "HKCU.reg.lock"}));
        EXPECT_EQ(RegistryClaim().take(paths), RegistryClaim::Result::InUse);
    }
    ::close(strangerClaim);
    ::close(strangerLock);
}

}  // namespace
}  // namespace zelvo::platform

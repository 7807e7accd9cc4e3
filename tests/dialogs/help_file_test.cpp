// Help without chmlib, without the file or without the page, and the reader on hostile files.
#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"

#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"
#include <gtest/gtest.h>

#include <QtEndian>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelvo::dialogs {
namespace {

using namespace std::chrono_literals;

const QString kBuiltHelp = QStringLiteral(ZELVO_HELP_FILE);

// The pages and pictures of the built file are read through the help window:
// HelpWindow.ShowsTheDefaultTopicFollowsLinksAndShowsPictures.
TEST(HelpFile, NothingIsReadWithoutChmlibTheFileOrThePage)
{
    const HelpFile built(kBuiltHelp);
    ASSERT_TRUE(built.isOpen());
    EXPECT_FALSE(built.read(QStringLiteral("/fehlt.html")));
    const ChmLibrary missing("libchm-missing.so.9");
    EXPECT_FALSE(missing.available());
    const HelpFile withoutLibrary(kBuiltHelp, missing);
    EXPECT_FALSE(withoutLibrary.isOpen());
    EXPECT_FALSE(withoutLibrary.read(QStringLiteral("/index.html")));
    EXPECT_TRUE(withoutLibrary.defaultTopic().isEmpty());

    const zelvo::testing::TempDir dir;
    for (const auto& file : {dir / "Zelvo.chm", dir.write("kaputt.chm", "ITSF kein Hilfetext")}) {
        const HelpFile help(QString::fromStdString(file.string()));
        EXPECT_FALSE(help.isOpen()) << file;
        EXPECT_FALSE(help.read(QStringLiteral("/index.html")));
        EXPECT_TRUE(help.defaultTopic().isEmpty());
    }
}

// The built help file with its first listing chunk naming `next` as the one after it. (ITSF header:
// the directory's offset at 0x48; ITSP header: its own length at 8, the first listing chunk at
// 0x20, the chunk length at 0x10; a listing chunk: the next one at 16.)
std::filesystem::path helpWithNextChunk(const zelvo::testing::TempDir& dir, const std::string& name,
                                        qint32 next)
{
    std::string bytes = zelvo::testing::readFile(ZELVO_HELP_FILE);
    const auto directory = qFromLittleEndian<quint64>(bytes.data() + 0x48);
    const char* itsp = bytes.data() + directory;
    const auto chunk =
        directory + qFromLittleEndian<quint32>(itsp + 8) +
        quint64(qFromLittleEndian<qint32>(itsp + 0x20)) * qFromLittleEndian<quint32>(itsp + 0x10);
    EXPECT_EQ(bytes.substr(chunk, 4), "PMGL");
    qToLittleEndian(next, bytes.data() + chunk + 16);
    return dir.write(name, bytes);
}

// The reader's status and its peak memory in kB; nullopt when it has not ended within the bound
// (it is killed then). A limit of 1 GiB keeps a reader that grows without bound from taking the
// machine with it.
struct ReaderEnd {
    int status = 0;
    long peakKb = 0;
};
std::optional<ReaderEnd> runReader(const std::filesystem::path& file)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &limit);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execl(ZELVO_HELP_READER, ZELVO_HELP_READER, file.c_str(), nullptr);
        ::_exit(127);
    }
    ReaderEnd end;
    rusage usage{};
    const bool ended =
        zelvo::testing::wait_until([&] { return ::wait4(pid, &end.status, WNOHANG, &usage) == pid; }, 10s);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return std::nullopt;
    }
    end.peakKb = usage.ru_maxrss;
    return end;
}

// chmlib follows the chain of listing chunks without a check: one that names itself made the
// reader collect the same names until the memory ran out. A chain in a circle or out of the
// directory ends the read at once as damaged (status 11), in the memory a good file takes.
TEST(HelpReader, ListingChunkChainInACircleOrOutOfTheDirectoryEndsTheReadAsDamaged)
{
    const zelvo::testing::TempDir dir;
    const auto good = runReader(ZELVO_HELP_FILE);
    ASSERT_TRUE(good);
    ASSERT_TRUE(WIFEXITED(good->status));
    EXPECT_EQ(WEXITSTATUS(good->status), 0);
    for (const auto& [name, next] : {std::pair{"itself.chm", 0}, {"outside.chm", 7}, {"negative.chm", -5}}) {
        const auto file = helpWithNextChunk(dir, name, next);
        const auto end = runReader(file);
        ASSERT_TRUE(end) << name << ": still running after 10 s";
        EXPECT_TRUE(WIFEXITED(end->status) && WEXITSTATUS(end->status) == 11) << name << ": " << end->status;
        EXPECT_LT(end->peakKb, good->peakKb + 16 * 1024) << name;
        const HelpFile help(QString::fromStdString(file.string()));
        if (next != 0) {  // in this process only where the unguarded walk would end
            EXPECT_TRUE(help.isOpen() && !help.files()) << name;
        }
    }
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Whatever else a damaged file makes chmlib do, the reader cannot take more than 512 MiB. Seen in
// a reader that waits for its file: a FIFO without a writer.
TEST(HelpReader, CannotTakeMoreThanAFewHundredMegabytes)
{
    if (kSanitized)
        GTEST_SKIP() << "the sanitizers' shadow memory needs an unlimited address space";
    const zelvo::testing::TempDir dir;
    const auto fifo = dir / "help.chm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(ZELVO_HELP_READER, ZELVO_HELP_READER, fifo.c_str(), nullptr);
        ::_exit(127);
    }
    const auto addressSpace = [pid] {
        std::ifstream limits("/proc/" + std::to_string(pid) + "/limits");
        for (std::string line; std::getline(limits, line);) {
            if (line.starts_with("Max address space"))
                return line.substr(26, 20);
        }
        return std::string();
    };
    const bool limited =
        zelvo::testing::wait_until([&] { return addressSpace().starts_with("536870912 "); }, 5s);
    // A writer that comes and goes lets the reader's open end: not a help file.
    int status = 0;
    const bool ended = zelvo::testing::wait_until([&] {
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        return ::waitpid(pid, &status, WNOHANG) == pid;
    });
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(limited) << addressSpace();
    EXPECT_TRUE(ended && WIFEXITED(status) && WEXITSTATUS(status) == kHelpReaderCannotOpen) << status;
}

}  // namespace
}  // namespace zelvo::dialogs

// Help without chmlib, without the file or without the page, and the reader on hostile files.
#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"

#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"
#include <gtest/gtest.h>

#include <QtEndian>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
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

// A help file of several listing chunks, as chmcmd writes it: its header names the second chunk
// as the first, and a walk from there missed the files of the first, "/#SYSTEM" among them.
TEST(HelpFile, ListsEveryFileOfADirectoryOfSeveralChunks)
{
    const zelvo::testing::TempDir dir;
    std::string project =
        "[OPTIONS]\nCompiled file=lang.chm\nDefault topic=seite_mit_langem_namen_1.html\n\n[FILES]\n";
    for (int page = 1; page <= 400; ++page) {
        const std::string name = "seite_mit_langem_namen_" + std::to_string(page) + ".html";
        dir.write(name, "<html><body>" + std::to_string(page) + "</body></html>");
        project += name + "\n";
    }
    dir.write("lang.hhp", project);
    const std::string compile = "cd '" + dir.path().string() + "' && '" ZELVO_CHMCMD "' lang.hhp >/dev/null";
    ASSERT_EQ(std::system(compile.c_str()), 0);
    const HelpFile help(QString::fromStdString((dir / "lang.chm").string()));
    const auto files = help.files();
    ASSERT_TRUE(files);
    EXPECT_EQ(files->filter(QStringLiteral(".html")).size(), 400);
    EXPECT_TRUE(files->contains(QStringLiteral("/#SYSTEM")));
    EXPECT_EQ(help.defaultTopic(), QStringLiteral("/seite_mit_langem_namen_1.html"));
}

// The built help file whose first listing chunk names `next` as the one after it (ITSF: the
// directory at 0x48; ITSP: its length at 8, the chunk length at 0x10, the first chunk at 0x20).
std::filesystem::path helpWithNextChunk(const zelvo::testing::TempDir& dir, const std::string& name,
                                        qint32 next)
{
    std::string bytes = zelvo::testing::readFile(ZELVO_HELP_FILE);
    const char* itsp = bytes.data() + qFromLittleEndian<quint64>(bytes.data() + 0x48);
    const char* chunk = itsp + qFromLittleEndian<quint32>(itsp + 8) +
                        qFromLittleEndian<qint32>(itsp + 0x20) * qFromLittleEndian<quint32>(itsp + 0x10);
    qToLittleEndian(next, const_cast<char*>(chunk) + 16);
    return dir.write(name, bytes);
}

// Runs the reader on `file` under a limit of 1 GiB, which keeps one that grows without bound from
// taking the machine; its wait status and peak memory (kB), or nullopt (killed) after 10 s.
std::optional<std::pair<int, long>> runReader(const std::filesystem::path& file)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &limit);
        ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        ::execl(ZELVO_HELP_READER, ZELVO_HELP_READER, file.c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (zelvo::testing::wait_until([&] { return ::wait4(pid, &status, WNOHANG, &usage) == pid; }, 10s))
        return std::pair{status, usage.ru_maxrss};
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return std::nullopt;
}

// chmlib follows the chain of listing chunks unchecked: one naming itself made the reader collect
// the same names until memory ran out. A chain in a circle or out of the directory ends the read
// at once as damaged (11), in the memory a good file takes.
TEST(HelpReader, ListingChunkChainInACircleOrOutOfTheDirectoryEndsTheReadAsDamaged)
{
    const zelvo::testing::TempDir dir;
    const auto good = runReader(ZELVO_HELP_FILE);
    ASSERT_EQ(good.value_or(std::pair{-1, 0L}).first, 0);
    for (const auto& [name, next] : {std::pair{"itself.chm", 0}, {"outside.chm", 7}, {"negative.chm", -5}}) {
        const auto end = runReader(helpWithNextChunk(dir, name, next));
        ASSERT_TRUE(end) << name << ": still running after 10 s";
        EXPECT_TRUE(WIFEXITED(end->first) && WEXITSTATUS(end->first) == 11) << name << ": " << end->first;
        EXPECT_LT(end->second, good->second + 16 * 1024) << name;
    }
}

// Whatever else a damaged file makes chmlib do, the reader cannot take more than 512 MiB: seen in
// one that waits to open its file, a FIFO, until a writer comes and goes.
TEST(HelpReader, CannotTakeMoreThanAFewHundredMegabytes)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' shadow memory needs an unlimited address space";
#endif
    const zelvo::testing::TempDir dir;
    const auto fifo = dir / "help.chm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(ZELVO_HELP_READER, ZELVO_HELP_READER, fifo.c_str(), nullptr);
        ::_exit(127);
    }
    std::string limit;
    EXPECT_TRUE(zelvo::testing::wait_until(
        [&] {
            std::ifstream limits("/proc/" + std::to_string(pid) + "/limits");
            for (std::string line; std::getline(limits, line);)
                limit = line.starts_with("Max address space") ? line : limit;
            return limit.find(" 536870912 ") != std::string::npos;
        },
        5s))
        << limit;
    int status = 0;
    if (!zelvo::testing::wait_until([&] {
            ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
            return ::waitpid(pid, &status, WNOHANG) == pid;
        })) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kHelpReaderCannotOpen) << status;
}

}  // namespace
}  // namespace zelvo::dialogs

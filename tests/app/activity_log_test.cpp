#include "app/activity_log.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

using zelvo::app::ActivityLog;
using zelvo::app::LogKind;

namespace {

const QDateTime kFifthDecember(QDate(2026, 12, 5), QTime(9, 5, 59));

class ActivityLogTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return dir_ / "Zelvo.log"; }

    ActivityLog makeLog(std::function<bool()> enabled = [] { return true; })
    {
        return ActivityLog(file(), std::move(enabled), QLocale(QLocale::German, QLocale::Germany),
                           [] { return kFifthDecember; });
    }

    std::string contents() const { return zelvo::testing::readFile(file()); }

    zelvo::testing::TempDir dir_;
};

}  // namespace

// The lines of a TNC lost and back:
// DesktopProgramTest.GoingOnlineWithoutATncSaysSoAtOnceAndTheLogHasTheTncLostAndBack; of files
// made private: UserFilesTest.OpenFilesOfAnEarlierRunAreMadePrivateOnceAndNoLinkIsFollowed.
TEST_F(ActivityLogTest, LinesAreExactBytes)
{
    ActivityLog log = makeLog();
    ASSERT_EQ(log.createFile(), std::nullopt);
    log.logFile("DL1ABC", LogKind::UserOnline);
    log.logFile("", LogKind::MessageReceived);
    log.logFile("ignored", LogKind::SelfOnline);
    log.logFile("x", LogKind::SelfAway);  // a valid kind without a line
    log.logFile("x", LogKind{11});
    log.logFile("x", LogKind{28});
    log.logFile("DB0\xE4", LogKind::Remote);
    EXPECT_EQ(contents(), "05.Dez.2026 09:05 Online : DL1ABC\r\n"
                          "05.Dez.2026 09:05 Rcv frm: \r\n"
                          "05.Dez.2026 09:05 Programm OnLine\r\n"
                          "05.Dez.2026 09:05 Remote : DB0\xE4\r\n");
}

TEST_F(ActivityLogTest, MonthIsTheLocalesShortNameInWindows1252)
{
    const ActivityLog log = makeLog();
    EXPECT_EQ(log.timeStamp(QDateTime(QDate(2026, 3, 1), QTime(23, 0))), "01.M\xE4r.2026 23:00");
    EXPECT_EQ(log.timeStamp(QDateTime(QDate(2026, 5, 31), QTime(0, 7))), "31.Mai.2026 00:07");
    const ActivityLog french(file(), {}, QLocale(QLocale::French, QLocale::France), {});
    EXPECT_EQ(french.timeStamp(QDateTime(QDate(2026, 1, 2), QTime(1, 2))), "02.janv.2026 01:02");
}

TEST_F(ActivityLogTest, SwitchIsReadAtEveryCallAndFileIsCreatedAnyway)
{
    bool on = false;
    ActivityLog log = makeLog([&on] { return on; });
    ASSERT_EQ(log.createFile(), std::nullopt);
    ASSERT_TRUE(std::filesystem::exists(file()));
    log.logFile("", LogKind::Started);
    EXPECT_EQ(contents(), "");
    on = true;
    log.logFile("", LogKind::Ended);
    ASSERT_EQ(log.createFile(), std::nullopt);  // an existing file is left as it is
    EXPECT_EQ(contents(), "05.Dez.2026 09:05 Programm beendet\r\n");
}

TEST_F(ActivityLogTest, TwoThreadsWriteOnlyWholeLines)
{
    ActivityLog log = makeLog();
    ASSERT_EQ(log.createFile(), std::nullopt);
    constexpr int kLines = 2000;
    const std::string longCall(200, 'X');
    auto writer = [&](LogKind kind, const std::string& text) {
        for (int i = 0; i < kLines; ++i)
            log.logFile(text, kind);
    };
    std::thread ui(writer, LogKind::MessageSent, longCall);
    std::thread receiver(writer, LogKind::MessageReceived, std::string("DL1ABC"));
    ui.join();
    receiver.join();

    const std::regex whole("05\\.Dez\\.2026 09:05( Send to: X{200}| Rcv frm: DL1ABC)\r");
    std::istringstream lines(contents());
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        ASSERT_TRUE(std::regex_match(line, whole)) << "line " << count << ": " << line;
    EXPECT_EQ(count, 2 * kLines);
}

TEST_F(ActivityLogTest, UnusableLocationIsReportedAndLoggingGoesOnQuietly)
{
    const auto blocker = file().parent_path() / "not-a-dir";
    std::ofstream(blocker) << "x";
    ActivityLog log(blocker / "Zelvo.log", [] { return true; });
    const auto problem = log.createFile();
    ASSERT_TRUE(problem.has_value());  // its words: TrayTest.EngineAndStoreTexts...
    log.logFile("DL1ABC", LogKind::UserOnline);
    EXPECT_FALSE(std::filesystem::exists(blocker / "Zelvo.log"));
}

TEST_F(ActivityLogTest, LogGoesBesideTheProgramOrIntoTheStateDirectory)
{
    const std::filesystem::path programDir = dir_.path();
    EXPECT_EQ(ActivityLog::pathFor(programDir), programDir / "Zelvo.log");
    const auto state = programDir / "state";
    const zelvo::testing::ScopedEnv stateHome("XDG_STATE_HOME", state.c_str());
    const auto fallback = ActivityLog::pathFor(programDir / "missing");
    EXPECT_EQ(fallback, state / "zelvo" / "Zelvo.log");
    ActivityLog log(fallback);
    EXPECT_EQ(log.createFile(), std::nullopt);  // creates the zelvo directory too
    EXPECT_TRUE(std::filesystem::exists(fallback));
    // An install keeps its folder clean even where the user may write there (root).
    std::filesystem::create_directories(programDir / "share" / "zelvo");
    std::filesystem::create_directories(programDir / "bin");
    EXPECT_EQ(ActivityLog::pathFor(programDir / "bin"), fallback);
}

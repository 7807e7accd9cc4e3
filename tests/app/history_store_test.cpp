// The message history across restarts: kept per station up to its limit with the day of each
// line, removed and renamed with the station (but kept for another row of the same call),
// switched off, and a damaged or unusable database reported once and never written over.
#include "app/history_store.h"

#include "tests/support/temp_dir.h"

#include <QDate>
#include <gtest/gtest.h>

namespace zelvo::app {
namespace {

using testing::TempDir;

std::string line(int n)
{
    return "R12:00:00 Nachricht " + std::to_string(n);
}

class HistoryStoreTest : public ::testing::Test {
protected:
    // A roster as the next start loads it, with the kept lines put in.
    Roster& restart()
    {
        roster_.clear();
        for (const char* call : {"DB0AAA", "DB0BBB", "DB0CCC"})
            roster_.addEntry("", "0", std::string(call) + "-1", true, true);
        HistoryStore store(file_);
        EXPECT_EQ(store.load(roster_), std::nullopt);
        return roster_;
    }

    TempDir dir_;
    std::filesystem::path file_ = dir_ / "zelvo/history.sqlite";
    Roster roster_;
};

TEST_F(HistoryStoreTest, KeepsTheLastLinesOfEachStationAcrossARestart)
{
    {
        Roster roster;
        TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
        TUserEntry& b = roster.addEntry("", "0", "db0bbb", true, true);
        TUserEntry& c = roster.addEntry("", "0", "DB0CCC", true, true);
        HistoryStore store(file_);
        ASSERT_EQ(store.load(roster), std::nullopt);
        for (int n = 0; n < HistoryStore::kKeptPerStation + 5; ++n)
            ASSERT_EQ(store.record(a, line(n)), std::nullopt);
        ASSERT_EQ(store.record(b, "T08:15:00 \xE4rger"), std::nullopt);
        ASSERT_EQ(store.record(c, line(1)), std::nullopt);
        store.setEnabled(false);
        ASSERT_EQ(store.record(b, line(2)), std::nullopt);
        ASSERT_EQ(store.removeStation(roster, 2), std::nullopt);
        roster.remove(2);
        b.call = "DB0CCC";
        ASSERT_EQ(store.renameStation(roster, "DB0BBB", "DB0CCC"), std::nullopt);
    }
    Roster& roster = restart();
    const auto& a = roster.at(0).rxBuffer;
    ASSERT_EQ(a.size(), std::size_t(HistoryStore::kKeptPerStation));
    EXPECT_EQ(a.front(), line(5));
    EXPECT_EQ(a.back(), line(HistoryStore::kKeptPerStation + 4));
    EXPECT_EQ(roster.at(0).keptDates,
              std::vector(a.size(), QDate::currentDate().toString(Qt::ISODate).toStdString()));
    EXPECT_TRUE(roster.at(1).rxBuffer.empty());
    EXPECT_EQ(roster.at(2).rxBuffer, std::vector<std::string>{"T08:15:00 \xE4rger"});
}

// A registered station's call, cut to six characters, may equal another row's.
TEST_F(HistoryStoreTest, RowsSharingACallKeepTheirLines)
{
    {
        Roster roster;
        for (const char* path : {"DB0AAA", "DB0AAAX-1", "DB0AAAY-1"})
            roster.addEntry("", "0", path, true, true).call = "DB0AAA";
        HistoryStore store(file_);
        ASSERT_EQ(store.load(roster), std::nullopt);
        ASSERT_EQ(store.record(roster.at(0), line(1)), std::nullopt);
        ASSERT_EQ(store.removeStation(roster, 2), std::nullopt);
        roster.remove(2);
        roster.at(1).call = "DB0BBB";
        ASSERT_EQ(store.renameStation(roster, "DB0AAA", "DB0BBB"), std::nullopt);
    }
    Roster& roster = restart();
    EXPECT_EQ(roster.at(0).rxBuffer, std::vector<std::string>{line(1)});
    EXPECT_EQ(roster.at(1).rxBuffer, std::vector<std::string>{line(1)});
}

// The program's store loads when a message first comes or goes, once, and its problem is told.
TEST_F(HistoryStoreTest, StoreLeftForItsFirstUseLoadsBeforeTheFirstLineOnce)
{
    {
        HistoryStore first(file_);
        ASSERT_EQ(first.load(restart()), std::nullopt);
        ASSERT_EQ(first.record(roster_.at(0), line(1)), std::nullopt);
    }
    Roster roster;
    TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
    HistoryStore store(file_);
    store.loadOnFirstUse(roster);
    a.rxBuffer.push_back(line(2));
    ASSERT_EQ(store.record(a, line(2)), std::nullopt);
    EXPECT_EQ(store.loaded(), std::nullopt);
    EXPECT_EQ(a.rxBuffer, (std::vector{line(1), line(2)}));
    EXPECT_EQ(restart().at(0).rxBuffer, (std::vector{line(1), line(2)}));

    testing::writeFile(dir_ / "elsewhere", "a file where the folder should be");
    HistoryStore unusable(dir_ / "elsewhere/history.sqlite");
    unusable.loadOnFirstUse(roster);
    EXPECT_TRUE(unusable.removeStation(roster, 0));
}

TEST_F(HistoryStoreTest, DamagedFileIsSetAsideAndANewOneBegun)
{
    std::filesystem::create_directories(file_.parent_path());
    const std::string garbage(4096, 'x');
    testing::writeFile(file_, garbage);
    {
        Roster roster;
        TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
        HistoryStore store(file_);
        const auto problem = store.load(roster);
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->text.find("history.sqlite.beschaedigt-"), std::string::npos) << problem->text;
        ASSERT_EQ(store.record(a, line(1)), std::nullopt);
    }
    std::vector<std::filesystem::path> aside;
    for (const auto& f : std::filesystem::directory_iterator(file_.parent_path()))
        if (f.path().filename().string().starts_with("history.sqlite.beschaedigt-"))
            aside.push_back(f.path());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(testing::readFile(aside[0]), garbage);
    EXPECT_EQ(restart().at(0).rxBuffer, std::vector<std::string>{line(1)});
}

TEST_F(HistoryStoreTest, UnusableFolderIsReportedOnceAndTheProgramGoesOn)
{
    testing::writeFile(dir_ / "zelvo", "a file where the folder should be");
    Roster roster;
    TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
    HistoryStore store(file_);
    EXPECT_TRUE(store.load(roster));
    EXPECT_FALSE(store.available());
    EXPECT_EQ(store.record(a, line(1)), std::nullopt);
    EXPECT_EQ(testing::readFile(dir_ / "zelvo"), "a file where the folder should be");
}

}  // namespace
}  // namespace zelvo::app

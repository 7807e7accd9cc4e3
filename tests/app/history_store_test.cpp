// The message history across restarts: kept per station up to its limit with the day of each
// line, removed and renamed with the station (but kept for another row of the same call),
// switched off, and a damaged or unusable database reported once and never written over. A file
// another connection holds is waited for without blocking, and loses nothing.
#include "app/history_store.h"

#include "tests/support/held_database.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"

#include <QCoreApplication>
#include <QDate>
#include <gtest/gtest.h>

#include <set>

namespace zelvo::app {
namespace {

using testing::HeldDatabase;
using testing::TempDir;

std::string line(int n)
{
    return "R12:00:00 Nachricht " + std::to_string(n);
}

std::vector<std::filesystem::path> setAside(const std::filesystem::path& file)
{
    std::vector<std::filesystem::path> aside;
    for (const auto& f : std::filesystem::directory_iterator(file.parent_path()))
        if (f.path().filename().string().starts_with(file.filename().string() + ".beschaedigt-"))
            aside.push_back(f.path());
    return aside;
}

bool says(const std::optional<platform::Problem>& problem, const std::string& words)
{
    return problem && problem->text.find(words) != std::string::npos;
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

    // A first run that kept lines 1 and 2 of DB0AAA and one of DB0BBB.
    void keepTwoLines()
    {
        HistoryStore store(file_);
        ASSERT_EQ(store.load(restart()), std::nullopt);
        for (int n : {1, 2})
            ASSERT_EQ(store.record(roster_.at(0), line(n)), std::nullopt);
        ASSERT_EQ(store.record(roster_.at(1), "R08:00:00 von B"), std::nullopt);
    }

    TempDir dir_;
    std::filesystem::path file_ = dir_ / "zelvo/history.sqlite";
    Roster roster_;
    std::chrono::steady_clock::time_point now_{};
    HistoryStore::Clock clock_ = [this] { return now_; };
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
    keepTwoLines();
    Roster roster;
    TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
    HistoryStore store(file_);
    store.loadOnFirstUse(roster);
    a.rxBuffer.push_back(line(3));
    ASSERT_EQ(store.record(a, line(3)), std::nullopt);
    EXPECT_EQ(store.loaded(), std::nullopt);
    EXPECT_EQ(a.rxBuffer, (std::vector{line(1), line(2), line(3)}));
    EXPECT_EQ(restart().at(0).rxBuffer, (std::vector{line(1), line(2), line(3)}));
}

// A file that is no database, and one whose table page is overwritten.
TEST_F(HistoryStoreTest, DamagedFileIsSetAsideAndANewOneBegun)
{
    keepTwoLines();
    std::string damaged = testing::readFile(file_);
    ASSERT_GE(damaged.size(), 8192u);
    damaged.replace(4096, 4096, std::string(4096, 'x'));
    for (const std::string& garbage : {std::string(4096, 'x'), damaged}) {
        std::filesystem::remove_all(file_.parent_path());
        std::filesystem::create_directories(file_.parent_path());
        testing::writeFile(file_, garbage);
        {
            Roster roster;
            TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
            HistoryStore store(file_);
            const auto problem = store.load(roster);
            ASSERT_TRUE(says(problem, "history.sqlite.beschaedigt-")) << (problem ? problem->text : "");
            EXPECT_TRUE(a.rxBuffer.empty());
            ASSERT_EQ(store.record(a, line(3)), std::nullopt);
        }
        const auto aside = setAside(file_);
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(testing::readFile(aside[0]), garbage);
        EXPECT_EQ(restart().at(0).rxBuffer, std::vector<std::string>{line(3)});
    }
}

// Lines come and stations change while another program writes: the calls return at once (with
// a short wait of SQLite's, never the 5 s of Qt's default), all of it waits, and is written
// once the file is free, once. The user hears of a hold that lasts, and of its end.
TEST_F(HistoryStoreTest, FileHeldByAWriterKeepsItsLinesAndTakesTheNewOnesWhenFree)
{
    keepTwoLines();
    HeldDatabase holder(file_, false);
    Roster& roster = restart();  // readers may still read
    ASSERT_EQ(roster.at(0).rxBuffer, (std::vector{line(1), line(2)}));
    auto store = std::make_unique<HistoryStore>(file_, clock_);
    ASSERT_EQ(store->load(roster), std::nullopt);
    roster.at(0).rxBuffer.clear();  // loaded twice
    ASSERT_EQ(store->record(roster.at(0), line(3)), std::nullopt);
    ASSERT_EQ(store->record(roster.at(0), line(4)), std::nullopt);
    ASSERT_EQ(store->removeStation(roster, 1), std::nullopt);
    ASSERT_EQ(store->renameStation(roster, "DB0CCC", "DB0DDD"), std::nullopt);
    EXPECT_TRUE(store->waiting());
    EXPECT_TRUE(store->available());

    now_ += HistoryStore::kTellBusyAfter - std::chrono::seconds(1);
    EXPECT_EQ(store->retry(), std::nullopt);
    now_ += std::chrono::seconds(1);
    const auto held = store->retry();
    EXPECT_TRUE(says(held, "von einem anderen Programm benutzt. Neue Zeilen")) << (held ? held->text : "");
    EXPECT_EQ(store->retry(), std::nullopt);  // said once
    EXPECT_TRUE(store->waiting());

    holder.letGo();
    const auto free = store->retry();
    EXPECT_TRUE(says(free, "ist wieder frei")) << (free ? free->text : "");
    EXPECT_FALSE(store->waiting());
    EXPECT_EQ(store->retry(), std::nullopt);
    ASSERT_EQ(store->record(roster.at(0), line(5)), std::nullopt);
    EXPECT_FALSE(store->waiting());
    // What still waits at the end gets a last, longer try.
    holder.hold();
    ASSERT_EQ(store->record(roster.at(0), line(6)), std::nullopt);
    holder.letGo();
    store.reset();

    const Roster& again = restart();
    EXPECT_EQ(again.at(0).rxBuffer, (std::vector{line(1), line(2), line(3), line(4), line(5), line(6)}));
    EXPECT_TRUE(again.at(1).rxBuffer.empty());
    EXPECT_TRUE(setAside(file_).empty());
}

// A file that cannot even be read yet: its kept lines come later, in front of what came
// meanwhile, with the changes made meanwhile; the store's timer does it.
TEST_F(HistoryStoreTest, LoadOfAFileHeldFromReadersWaitsAndPutsTheKeptLinesFirst)
{
    keepTwoLines();
    HeldDatabase holder(file_, true);
    Roster roster;
    TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
    TUserEntry& b = roster.addEntry("", "0", "DB0BBB", true, true);
    HistoryStore store(file_, clock_);
    std::set<const TUserEntry*> grown;
    QObject::connect(&store, &HistoryStore::keptLinesAdded, [&](const TUserEntry& e) { grown.insert(&e); });
    std::vector<std::string> told;
    QObject::connect(&store, &HistoryStore::problemArose,
                     [&](const platform::Problem& problem) { told.push_back(problem.text); });
    store.loadOnFirstUse(roster);
    a.rxBuffer.push_back(line(3));
    ASSERT_EQ(store.record(a, line(3)), std::nullopt);
    b.call = "DB0XXX";
    ASSERT_EQ(store.renameStation(roster, "DB0BBB", "DB0XXX"), std::nullopt);
    EXPECT_EQ(a.rxBuffer, std::vector{line(3)});
    EXPECT_TRUE(store.waiting());
    EXPECT_TRUE(setAside(file_).empty());
    now_ += HistoryStore::kTellBusyAfter;
    EXPECT_TRUE(says(store.retry(), "Die gespeicherten Zeilen werden gelesen"));

    holder.letGo();
    ASSERT_TRUE(testing::wait_until([&] {
        QCoreApplication::processEvents();
        return !store.waiting();
    }));
    EXPECT_EQ(a.rxBuffer, (std::vector{line(1), line(2), line(3)}));
    EXPECT_EQ(b.rxBuffer, std::vector<std::string>{"R08:00:00 von B"});
    EXPECT_EQ(grown, (std::set<const TUserEntry*>{&a, &b}));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("ist wieder frei"), std::string::npos) << told[0];
    EXPECT_TRUE(setAside(file_).empty());

    Roster next;
    next.addEntry("", "0", "DB0AAA", true, true);
    next.addEntry("", "0", "DB0XXX", true, true);
    ASSERT_EQ(HistoryStore(file_).load(next), std::nullopt);
    EXPECT_EQ(next.at(0).rxBuffer, (std::vector{line(1), line(2), line(3)}));
    EXPECT_EQ(next.at(1).rxBuffer, std::vector<std::string>{"R08:00:00 von B"});
}

// Told by the load, or by the first use of a store left for it.
TEST_F(HistoryStoreTest, UnusableFolderIsReportedOnceAndTheProgramGoesOn)
{
    testing::writeFile(dir_ / "zelvo", "a file where the folder should be");
    Roster roster;
    TUserEntry& a = roster.addEntry("", "0", "DB0AAA", true, true);
    HistoryStore store(file_);
    EXPECT_TRUE(store.load(roster));
    EXPECT_FALSE(store.available());
    EXPECT_EQ(store.record(a, line(1)), std::nullopt);
    HistoryStore firstUse(file_);
    firstUse.loadOnFirstUse(roster);
    EXPECT_TRUE(firstUse.removeStation(roster, 0));
    EXPECT_EQ(testing::readFile(dir_ / "zelvo"), "a file where the folder should be");
}

}  // namespace
}  // namespace zelvo::app

// The roster's lookups and order, and its store in the registry: byte for byte, older lines, gaps,
// what cannot be loaded, the limit, a damaged file and two programs sharing one.
#include "app/roster.h"
#include "app/roster_store.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

using namespace zelvo::app;
using zelvo::platform::Registry;
using zelvo::platform::RegRoot;

namespace {

TUserEntry& add(Roster& roster, const std::string& path, TStationState state = TStationState::Offline)
{
    return roster.addEntry("alias", "0", path, true, false, state);
}

std::vector<std::string> calls(const Roster& roster)
{
    std::vector<std::string> result;
    for (int i = 0; i < roster.size(); ++i)
        result.push_back(roster.at(i).call);
    return result;
}

// The fields of an added entry: RosterStoreTest.SavedRosterReadsBackByteForByteAfterRestart.
TEST(Roster, LookupsAreCaseInsensitiveOnTheBaseCallOfThePathsFirstWord)
{
    // FirstWord keeps 8, BaseCall 9; the call of an ordinary path: the roster store's tests.
    EXPECT_EQ(std::tuple(firstWord("ABCDEFGHIJ"), baseCall("ABCDEFGHIJK")),
              std::tuple("ABCDEFGH", "ABCDEFGHI"));
    Roster roster;
    TUserEntry& six = add(roster, "DL1ABC-7");
    TUserEntry& five = add(roster, "DL1AB-2 DB0XYZ");
    EXPECT_EQ(roster.findEntry("dl1abc-7"), &six);
    EXPECT_EQ(roster.findEntry("DL1AB"), &five);
    EXPECT_EQ(roster.findByPrefix("DL1AB-3"), &six);  // the longer call comes first
    EXPECT_EQ(roster.findByPrefix("dl1ab"), &six);
    // An empty base call is no call at all, not a prefix of every row.
    for (const char* none : {"DL1A", ""})
        EXPECT_EQ(roster.findEntry(none), nullptr) << none;
    for (const char* none : {"DL1ABCD", "", "-7"})
        EXPECT_EQ(roster.findByPrefix(none), nullptr) << none;
}

TEST(Roster, TopCallMovesOneRowUpAndComparesCaseSensitively)
{
    Roster roster;
    for (const char* path : {"A1", "B1", "C1", "D1"})
        add(roster, path);
    roster.moveToTop("c1");
    EXPECT_EQ(calls(roster), (std::vector<std::string>{"A1", "B1", "C1", "D1"}));
    roster.moveToTop("C1");
    EXPECT_EQ(calls(roster), (std::vector<std::string>{"C1", "A1", "B1", "D1"}));
    EXPECT_EQ(roster.topCall(), "C1");
}

// The observer calls: RosterListModel.StaysConsistentAndIndexesFollowTheirEntries, where Qt's model
// tester checks every insert, removal, change and reorder against the rows.

class RosterStoreTest : public ::testing::Test {
protected:
    // A fresh registry object reads the file from disk, as the next start does.
    Registry& reopen() { return *(registry_ = std::make_unique<Registry>(paths_)); }
    void store(const std::string& name, const std::string& line)
    {
        registry_->setString(RegRoot::CurrentUser, ROSTER_KEY, name, line);
    }
    std::optional<std::string> stored(const std::string& name)
    {
        return registry_->readString(RegRoot::CurrentUser, ROSTER_KEY, name);
    }
    std::vector<std::string> storedNames()
    {
        auto names = registry_->valueNames(RegRoot::CurrentUser, ROSTER_KEY);
        std::sort(names.begin(), names.end());
        return names;
    }

    zelvo::testing::TempDir dir_;
    const Registry::Paths paths_{dir_ / "HKCU.reg", dir_ / "HKLM.reg"};
    std::unique_ptr<Registry> registry_ = std::make_unique<Registry>(paths_);
};

}  // namespace

TEST_F(RosterStoreTest, SavedRosterReadsBackByteForByteAfterRestart)
{
    Roster roster;
    roster.addEntry("Nord", "0", "DL1ABC-7 DB0XYZ", true, false);
    TUserEntry& odd = roster.addEntry("Sa\"m \xC4rger,\r\n", "12", "dk2xy-15", false, true);
    odd.awayText = "weg\r\nbis 18 Uhr";
    odd.sendCount = "151";
    odd.txBuffer = {"hallo"};
    RosterStore store(*registry_);
    ASSERT_EQ(store.saveList(roster), std::nullopt);
    EXPECT_EQ(stored("0"), "Nord,0,\"DL1ABC-7 DB0XYZ\",1,0,0,,208,218,");
    EXPECT_EQ(stored("1"), "\"Sa\"\"m \xC4rger,\r\n\",12,dk2xy-15,0,1,0,151,208,218,\"weg\r\nbis 18 Uhr\"");

    Roster loaded;
    EXPECT_TRUE(RosterStore(reopen()).loadList(loaded).empty());
    ASSERT_EQ(loaded.size(), 2);
    const TUserEntry& back = loaded.at(1);
    // The stored fields as saved; the transient ones (count, away text, texts) start afresh.
    EXPECT_EQ(back.textFields(), (std::array<std::string, 10>{odd.alias, "12", "dk2xy-15", "0", "1", "0", "",
                                                              "208", "218", ""}));
    EXPECT_EQ(std::tie(back.call, back.txBuffer), std::tuple("dk2xy", std::vector<std::string>{}));
    EXPECT_EQ(loaded.at(0).textFields(), roster.at(0).textFields());
}

TEST_F(RosterStoreTest, OlderNineFieldAndShortLinesBecomeEntries)
{
    store("0", "Alt,DL1ABC-7,\"DB0XYZ DB0AAA\",1,0,0,,208,218,");
    store("1", "Neun,3,DL2XYZ-1,0,1,5,151,211,213");
    store("2", "Kurz,2,DL3QQ");
    store("3", "Zwei,DL4RR-2");
    store("4", "Voll,1,DL5SS,1,1,42,121,215,212,weg,extra");
    Roster roster;
    RosterStore store(*registry_);
    EXPECT_TRUE(store.loadList(roster).empty());
    ASSERT_EQ(roster.size(), 5);
    using F = std::array<std::string, 10>;
    EXPECT_EQ(roster.at(0).textFields(),
              (F{"Alt", "0", "DL1ABC-7 DB0XYZ DB0AAA", "1", "0", "0", "", "208", "218", ""}));
    EXPECT_EQ(roster.at(1).textFields(), (F{"Neun", "3", "DL2XYZ-1", "0", "1", "0", "", "208", "218", ""}));
    EXPECT_EQ(roster.at(2).textFields(), (F{"Kurz", "2", "DL3QQ", "1", "0", "0", "", "208", "218", ""}));
    EXPECT_EQ(roster.at(3).textFields(), (F{"Zwei", "0", "DL4RR-2 ", "1", "0", "0", "", "208", "218", ""}));
    EXPECT_EQ(roster.at(4).textFields(), (F{"Voll", "1", "DL5SS", "1", "1", "0", "", "208", "218", ""}));
    EXPECT_EQ(calls(roster), (std::vector<std::string>{"DL1ABC", "DL2XYZ", "DL3QQ", "DL4RR", "DL5SS"}));
}

TEST_F(RosterStoreTest, GapsCloseAndSortedOrderSurvivesTheSave)
{
    store("0", "A,0,DL1AA");
    store("1", "B,0,DL1BB");
    store("3", "C,0,DL1CC");
    store("4", "");
    Roster roster;
    RosterStore store(*registry_);
    ASSERT_TRUE(store.loadList(roster).empty());
    ASSERT_EQ(roster.size(), 3);
    roster.setState(roster.at(2), TStationState::Online);
    roster.sortByState();
    ASSERT_EQ(store.saveList(roster), std::nullopt);
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"0", "1", "2"}));

    Roster loaded;
    RosterStore(reopen()).loadList(loaded);
    EXPECT_EQ(calls(loaded), (std::vector<std::string>{"DL1CC", "DL1AA", "DL1BB"}));
    EXPECT_EQ(loaded.at(0).state, TStationState::Offline);
}

TEST_F(RosterStoreTest, ValuesThatCannotBeLoadedAreReportedAndSurviveSaves)
{
    store("0", "A,0,DL1AA");
    store("1", "NurAlias");
    registry_->setDword(RegRoot::CurrentUser, ROSTER_KEY, "2", 7);
    store("3", "B,0,DL1BB");
    store("7", " ");
    Roster roster;
    RosterStore store(*registry_);
    const auto problems = store.loadList(roster);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(std::tie(problems[0].valueName, problems[1].valueName, problems[2].valueName),
              std::make_tuple("1", "2", "7"));
    EXPECT_NE(problems[0].text.find("nicht geladen"), std::string::npos);
    EXPECT_EQ(calls(roster), (std::vector<std::string>{"DL1AA", "DL1BB"}));

    roster.addEntry("C", "0", "DL1CC", true, false);
    roster.addEntry("D", "0", "DL1DD", true, false);
    ASSERT_EQ(store.saveList(roster), std::nullopt);
    EXPECT_EQ(std::tuple(stored("1"), registry_->readDword(RegRoot::CurrentUser, ROSTER_KEY, "2"),
                         stored("7"), stored("5")),
              std::tuple("NurAlias", 7u, " ", "D,0,DL1DD,1,0,0,,208,218,"));
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "7"}));

    Roster loaded;
    EXPECT_EQ(RosterStore(reopen()).loadList(loaded).size(), 3u);
    EXPECT_EQ(calls(loaded), (std::vector<std::string>{"DL1AA", "DL1BB", "DL1CC", "DL1DD"}));
}

TEST_F(RosterStoreTest, AtMost31AreLoadedAndTheRestIsKept)
{
    for (int i = 0; i < 33; ++i)
        store(std::to_string(i), "S,0,DL" + std::to_string(i));
    Roster roster;
    RosterStore store(*registry_);
    const auto problems = store.loadList(roster);
    EXPECT_EQ(roster.size(), MAX_ENTRIES);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[1].valueName, "32");
    roster.remove(0);
    ASSERT_EQ(store.saveList(roster), std::nullopt);
    EXPECT_EQ(std::tuple(stored("31"), stored("32"), stored("30")),
              std::tuple("S,0,DL31", "S,0,DL32", std::nullopt));
}

TEST_F(RosterStoreTest, UnreadableFileIsReportedAndNeverSavedOver)
{
    store("0", "A,0,DL1AA");
    Roster roster;
    RosterStore running(*registry_);
    ASSERT_TRUE(running.loadList(roster).empty());
    zelvo::testing::writeFile(paths_.currentUser, "kaputt\r\n");
    const auto refused = running.saveList(roster);
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->text.find("nicht gespeichert"), std::string::npos);
    EXPECT_EQ(zelvo::testing::readFile(paths_.currentUser), "kaputt\r\n");

    Roster next;
    RosterStore restarted(reopen());
    const auto problems = restarted.loadList(next);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].text.find("nicht geladen"), std::string::npos);
    EXPECT_TRUE(next.empty());
    // Mended by hand while the program runs: the empty roster is still not saved over it.
    zelvo::testing::writeFile(
        paths_.currentUser,
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\r\n\"0\"=\"B,0,DL1BB\"\r\n");
    EXPECT_TRUE(restarted.saveList(next).has_value());
    EXPECT_EQ(stored("0"), "B,0,DL1BB");
}

// Two programs on one folder where nothing can be locked, each with its own registry object: a
// save merges with the disk, so neither loses the other's rows, a row one deletes stays deleted,
// and a station both have keeps the row of the one that saved last.
TEST_F(RosterStoreTest, TwoProgramsSharingTheFileLoseNoRowAndUndoNoDeletion)
{
    store("0", "X,0,DL1XX,1,0");
    store("1", "Y,0,DL1YY,1,0");
    Registry registryA(paths_), registryB(paths_);
    RosterStore a(registryA), b(registryB);
    a.setShared(true);
    b.setShared(true);
    Roster rosterA, rosterB;
    ASSERT_TRUE(a.loadList(rosterA).empty());
    ASSERT_TRUE(b.loadList(rosterB).empty());

    rosterA.addEntry("A", "0", "DL2AA", true, false);
    rosterA.addEntry("Anna", "0", "DL4CC", true, false);
    ASSERT_EQ(a.saveList(rosterA), std::nullopt);
    rosterB.addEntry("B", "0", "DL3BB", true, false);
    rosterB.addEntry("Berta", "0", "DL4CC-2", true, false);
    ASSERT_EQ(b.saveList(rosterB), std::nullopt);

    rosterA.remove(1);  // DL1YY
    ASSERT_EQ(a.saveList(rosterA), std::nullopt);
    rosterB.at(0).alias = "Xaver";
    ASSERT_EQ(b.saveList(rosterB), std::nullopt);

    Roster loaded;
    ASSERT_TRUE(RosterStore(reopen()).loadList(loaded).empty());
    EXPECT_EQ(calls(loaded), (std::vector<std::string>{"DL1XX", "DL3BB", "DL4CC", "DL2AA"}));
    EXPECT_EQ(std::tuple(loaded.at(0).alias, loaded.at(2).alias), std::tuple("Xaver", "Berta"));

    // A row deleted on disk but changed here since is kept: the change is newer.
    rosterA.at(0).alias = "X2";
    rosterB.remove(0);
    ASSERT_EQ(b.saveList(rosterB), std::nullopt);
    ASSERT_EQ(a.saveList(rosterA), std::nullopt);
    Roster last;
    RosterStore(reopen()).loadList(last);
    EXPECT_EQ(calls(last), (std::vector<std::string>{"DL1XX", "DL2AA", "DL4CC", "DL3BB"}));
}

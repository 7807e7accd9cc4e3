#include "app/roster.h"

#include <gtest/gtest.h>

using namespace zelvo::app;

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

}  // namespace

TEST(Roster, CallIsBaseCallOfFirstWordOfPath)
{
    // FirstWord keeps 8, BaseCall 9; the call of an ordinary path: the roster store's tests.
    EXPECT_EQ(firstWord("ABCDEFGHIJ"), "ABCDEFGH");
    EXPECT_EQ(baseCall("ABCDEFGHIJK"), "ABCDEFGHI");
    // The fields of an added entry: RosterStoreTest.SavedRosterReadsBackByteForByteAfterRestart.
}

TEST(Roster, LookupsAreCaseInsensitiveOnTheBaseCall)
{
    Roster roster;
    TUserEntry& six = add(roster, "DL1ABC-7");
    TUserEntry& five = add(roster, "DL1AB-2 DB0XYZ");
    EXPECT_EQ(roster.findEntry("dl1abc-7"), &six);
    EXPECT_EQ(roster.findEntry("DL1AB"), &five);
    EXPECT_EQ(roster.findByPrefix("DL1AB-3"), &six);  // the longer call comes first
    EXPECT_EQ(roster.findByPrefix("dl1ab"), &six);
    EXPECT_EQ(roster.findEntry("DL1A"), nullptr);
    EXPECT_EQ(roster.findByPrefix("DL1ABCD"), nullptr);
    // An empty base call is no call at all, not a prefix of every row.
    EXPECT_EQ(roster.findByPrefix(""), nullptr);
    EXPECT_EQ(roster.findByPrefix("-7"), nullptr);
    EXPECT_EQ(roster.findEntry(""), nullptr);
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

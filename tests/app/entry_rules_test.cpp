// The entry editor's rules without the window: the path as stored, the duplicate test, and what
// insert and update write or refuse.
#include "app/entry_rules.h"

#include <gtest/gtest.h>

#include <variant>

namespace zelvo::app {
namespace {

TEST(EntryRules, PathLosesEveryViaAndOuterBlanks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"DB0ABC via DB0XYZ", "DB0ABC DB0XYZ"},
        {" \tDB0ABC VIA DB0XYZ vIa DB0QQQ\r\n", "DB0ABC DB0XYZ DB0QQQ"},
        {"DB0ABC-7", "DB0ABC-7"},
        {"DB0VIA", "DB0VIA"},  // only a blank and the three letters go
        {" via ", ""},
        {"", ""},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(normalizePath(typed), stored) << typed;
}

EntryInput input(std::string path, std::optional<int> channel = 0, bool channelsOffered = true)
{
    EntryInput in;
    in.alias = "Nord";
    in.channel = channel;
    in.channelsOffered = channelsOffered;
    in.path = std::move(path);
    return in;
}

TEST(EntryRules, InsertRefusesOrDerivesTheCall)
{
    struct Case {
        std::string onRoster;
        EntryInput input;
        std::variant<EntryRefusal, std::string> expected;  // the refusal, or the new row's call
    };
    const Case cases[] = {
        {"DB0ABC-7", input("DB0ABC-8"), EntryRefusal::Duplicate},
        {"DB0ABC", input("db0ab"), EntryRefusal::Duplicate},  // a row's call begins with it
        {"DB0AB", input("DB0ABC"), std::string("DB0ABC")},
        {"", input("ABCDEFGHIJ-1 DB0XYZ"), std::string("ABCDEFGHI")},  // first word cut to 9
        {"", input("   via  "), EntryRefusal::NoCall},
        {"", input("-7"), EntryRefusal::NoCall},
        {"", input("DB0ABC", std::nullopt), EntryRefusal::NoChannelChosen},
        {"", input("DB0ABC", std::nullopt, false), EntryRefusal::NoChannels},
    };
    for (const Case& c : cases) {
        Roster roster;
        if (!c.onRoster.empty())
            roster.addEntry("", "0", c.onRoster, true, true);
        const int before = roster.size();
        const auto refusal = insertEntry(roster, c.input);
        if (const auto* call = std::get_if<std::string>(&c.expected)) {
            ASSERT_FALSE(refusal) << c.input.path;
            EXPECT_EQ(roster.at(roster.size() - 1).call, *call);
        } else {
            EXPECT_EQ(refusal, std::get<EntryRefusal>(c.expected)) << c.input.path;
            EXPECT_EQ(roster.size(), before);
        }
    }
}

TEST(EntryRules, InsertWritesANewOfflineRecord)
{
    Roster roster;
    ASSERT_FALSE(insertEntry(roster, input(" db0abc-7 via DB0XYZ ", 3)));
    TUserEntry expected;
    expected.call = "db0abc";
    expected.alias = "Nord";
    expected.channel = "3";
    expected.path = "db0abc-7 DB0XYZ";
    expected.sounds = "1";
    expected.remote = "0";
    const TUserEntry& added = roster.at(0);
    EXPECT_EQ(added.call, expected.call);
    EXPECT_EQ(added.state, TStationState::Offline);
    EXPECT_EQ(added.textFields(), expected.textFields());
}

TEST(EntryRules, UpdateChangesFieldsZeroToFourAndNothingElse)
{
    Roster roster;
    TUserEntry& other = roster.addEntry("", "0", "DB0XYZ", true, true);
    TUserEntry& entry = roster.addEntry("Alt", "1", "DB0ABC", true, true, TStationState::Away);
    entry.sendCount = "90";
    entry.rxBuffer = {"R12:00:00 hallo"};
    TUserEntry before = entry;

    EXPECT_EQ(updateEntry(roster, entry, input("")), EntryRefusal::NoCall);
    EXPECT_EQ(updateEntry(roster, entry, input("DB0XYZ", std::nullopt)), EntryRefusal::NoChannelChosen);
    EXPECT_EQ(entry.textFields(), before.textFields());

    // Another row's call is taken as it is: update makes no duplicate test.
    ASSERT_FALSE(updateEntry(roster, entry, input("DB0XYZ-15 via DB0QQQ", 2)));
    EXPECT_EQ(entry.call, other.call);
    before.alias = "Nord";
    before.channel = "2";
    before.path = "DB0XYZ-15 DB0QQQ";
    before.remote = "0";
    EXPECT_EQ(entry.textFields(), before.textFields());
    EXPECT_EQ(entry.state, TStationState::Away);
    EXPECT_EQ(entry.rxBuffer, before.rxBuffer);
}

}  // namespace
}  // namespace zelvo::app

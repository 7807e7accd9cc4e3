// The entry editor's rules without the window: the path as stored, the duplicate test, and what
// insert and update write or refuse.
#include "app/entry_rules.h"

#include <gtest/gtest.h>

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
    const std::string duplicate(refusalText(EntryRefusal::Duplicate)),
        noCall(refusalText(EntryRefusal::NoCall)), badCall(refusalText(EntryRefusal::BadCall));
    const std::tuple<std::string, EntryInput, std::string> cases[] = {
        // on the roster, input, call or refusal; the refusals the dialog shows as typed are
        // EntryEditorTest.RefusalsLeaveTheDialogOpenAndTheRosterAsItWas
        {"DB0ABC", input("db0ab"), duplicate},  // a row's call begins with it
        {"DB0AB", input("DB0ABC"), "DB0ABC"},
        {"", input("-7"), badCall},
        {"", input("DB0ABC", std::nullopt), std::string(refusalText(EntryRefusal::NoChannelChosen))},
        {"", input("DB0ABC", std::nullopt, false), std::string(refusalText(EntryRefusal::NoChannels))},
    };
    for (const auto& [onRoster, in, expected] : cases) {
        Roster roster;
        if (!onRoster.empty())
            roster.addEntry("", "0", onRoster, true, true);
        const auto refusal = insertEntry(roster, in);
        EXPECT_EQ(refusal ? std::string(refusalText(*refusal)) : roster.at(roster.size() - 1).call, expected);
        EXPECT_EQ(roster.size(), (onRoster.empty() ? 0 : 1) + (refusal ? 0 : 1)) << in.path;
    }
}

using Fields = std::array<std::string, TEXT_FIELD_COUNT>;

TEST(EntryRules, InsertWritesANewOfflineRecord)
{
    Roster roster;
    ASSERT_FALSE(insertEntry(roster, input(" db0abc-7 via DB0XYZ ", 3)));
    EXPECT_EQ(std::tie(roster.at(0).call, roster.at(0).state),
              std::make_tuple("DB0ABC", TStationState::Offline));
    EXPECT_EQ(roster.at(0).textFields(),
              (Fields{"Nord", "3", "DB0ABC-7 DB0XYZ", "1", "0", "0", "", "208", "218", ""}));
}

TEST(EntryRules, UpdateChangesFieldsZeroToFourAndNothingElse)
{
    Roster roster;
    roster.addEntry("", "0", "DB0XYZ", true, true);
    TUserEntry& entry = roster.addEntry("Alt", "1", "DB0ABC", true, true, TStationState::Away);
    entry.sendCount = "90";
    const Fields before = entry.textFields();
    // A bad call and no channel, as the editor's update shows them: EntryEditorTest.Refusals...
    EXPECT_EQ(updateEntry(roster, entry, input("")), EntryRefusal::NoCall);
    EXPECT_EQ(entry.textFields(), before);

    // Another row's call is taken as it is: update makes no duplicate test and no cut.
    ASSERT_FALSE(updateEntry(roster, entry, input("DB0XYZ-15 via DB0QQQ", 2)));
    EXPECT_EQ(std::tie(entry.call, entry.state), std::make_tuple("DB0XYZ", TStationState::Away));
    EXPECT_EQ(entry.textFields(),
              (Fields{"Nord", "2", "DB0XYZ-15 DB0QQQ", "1", "0", "0", "90", "208", "218", ""}));
}

}  // namespace
}  // namespace zelvo::app

// The AX.25 call rule at its edges: six letters and digits, SSID 0 to 15. One word of each fault
// as the windows name it: EntryEditorTest.RefusalsLeaveTheDialogOpenAndTheRosterAsItWas.
#include "protocol/call_rules.h"

#include <gtest/gtest.h>

using namespace zelvo::protocol;

TEST(CallRules, SixLettersOrDigitsAndAnSsidUpToFifteen)
{
    const std::pair<const char*, std::optional<CallFault>> cases[] = {
        {"XX", std::nullopt},
        {"DL1ABC-15", std::nullopt},
        {"DL1ABC-0", std::nullopt},
        {"DL1ABC-16", CallFault::BadSsid},
        {"DL1ABC-", CallFault::BadSsid},
        {"DL1ABC-1A", CallFault::BadSsid},
        {"DL1ABC-015", CallFault::BadSsid},
        {"DL1ABCD", CallFault::TooLong},
        {"dl1abc", CallFault::BadCharacter},  // upper-cased before it is checked
        {"", CallFault::NoCall},
    };
    for (const auto& [call, fault] : cases)
        EXPECT_EQ(callFault(call), fault) << call;
}

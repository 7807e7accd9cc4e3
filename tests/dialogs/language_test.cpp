// The desktop's language as gettext finds it in LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
#include "dialogs/language.h"

#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

namespace zelvo::dialogs {
namespace {

struct Environment {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    std::string_view expected;
};

TEST(LanguageTest, DesktopLanguageFollowsGettextsOrder)
{
    const Environment cases[] = {
        {"fr:en", nullptr, nullptr, "de_DE.UTF-8", "fr"},     // the preferred list comes first
        {"es:de_CH", nullptr, nullptr, "fr_FR.UTF-8", "de"},  // its first known entry counts
        {"es", nullptr, nullptr, "de_DE.UTF-8", "en"},        // and without one, none counts
        {nullptr, "de_AT", "fr_FR", "fr_FR.UTF-8", "de"},     // LC_ALL before the others
        {nullptr, "", "fr_BE@euro", "de_DE", "fr"},           // an empty variable is none
        {nullptr, nullptr, nullptr, "es_ES.UTF-8", "en"},     // none of the three
        {nullptr, nullptr, nullptr, nullptr, "en"},
        // The C locale shows the untranslated messages, whatever LANGUAGE prefers.
        {"de", nullptr, nullptr, "C", "en"},
        {"fr", "C.UTF-8", nullptr, "de_DE.UTF-8", "en"},
        {"fr", nullptr, nullptr, nullptr, "en"},
    };
    for (const Environment& c : cases) {
        const zelvo::testing::ScopedEnv language("LANGUAGE", c.language), lcAll("LC_ALL", c.lcAll),
            lcMessages("LC_MESSAGES", c.lcMessages), lang("LANG", c.lang);
        EXPECT_EQ(languageOfEnvironment(), c.expected)
            << (c.language ? c.language : "-") << " " << (c.lcAll ? c.lcAll : "-") << " "
            << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
    }
}

}  // namespace
}  // namespace zelvo::dialogs

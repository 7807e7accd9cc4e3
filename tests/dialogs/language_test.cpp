// The desktop's language as gettext finds it in LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
#include "dialogs/language.h"

#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

namespace zelvo::dialogs {
namespace {

TEST(LanguageTest, DesktopLanguageFollowsGettextsOrder)
{
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG (nullptr: unset), and the language they give.
    const std::tuple<const char*, const char*, const char*, const char*, std::string_view> cases[] = {
        {"fr:en", nullptr, nullptr, "de_DE.UTF-8", "fr"},
        {"es:de_CH", nullptr, nullptr, "fr_FR", "de"},
        {"es", nullptr, nullptr, "de_DE.UTF-8", "en"},
        {nullptr, "de_AT", "fr_FR", "fr_FR", "de"},
        {nullptr, "", "fr_BE@euro", "de_DE", "fr"},
        {nullptr, nullptr, nullptr, "es_ES.UTF-8", "en"},
        {nullptr, nullptr, nullptr, nullptr, "en"},
        // The C locale shows the untranslated texts, whatever LANGUAGE prefers.
        {"de", nullptr, nullptr, "C", "en"},
        {"fr", "C.UTF-8", nullptr, "de_DE", "en"},
        {"fr", nullptr, nullptr, nullptr, "en"},
    };
    for (const auto& [language, lcAll, lcMessages, lang, expected] : cases) {
        const zelvo::testing::ScopedEnv a("LANGUAGE", language), b("LC_ALL", lcAll),
            c("LC_MESSAGES", lcMessages), d("LANG", lang);
        EXPECT_EQ(languageOfEnvironment(), expected)
            << (language ? language : "-") << " " << (lang ? lang : "-");
    }
}

}  // namespace
}  // namespace zelvo::dialogs

// Help without chmlib, without the file or without the page.
#include "dialogs/help_file.h"

#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>

namespace zelvo::dialogs {
namespace {

const QString kBuiltHelp = QStringLiteral(ZELVO_HELP_FILE);

// The pages and pictures of the built file are read through the help window:
// HelpWindow.ShowsTheDefaultTopicFollowsLinksAndShowsPictures.
TEST(HelpFile, NothingIsReadWithoutChmlibTheFileOrThePage)
{
    const HelpFile built(kBuiltHelp);
    ASSERT_TRUE(built.isOpen());
    EXPECT_FALSE(built.read(QStringLiteral("/fehlt.html")));
    const ChmLibrary missing("libchm-missing.so.9");
    EXPECT_FALSE(missing.available());
    const HelpFile withoutLibrary(kBuiltHelp, missing);
    EXPECT_FALSE(withoutLibrary.isOpen());
    EXPECT_FALSE(withoutLibrary.read(QStringLiteral("/index.html")));
    EXPECT_TRUE(withoutLibrary.defaultTopic().isEmpty());

    const zelvo::testing::TempDir dir;
    for (const auto& file : {dir / "Zelvo.chm", dir.write("kaputt.chm", "ITSF kein Hilfetext")}) {
        const HelpFile help(QString::fromStdString(file.string()));
        EXPECT_FALSE(help.isOpen()) << file;
        EXPECT_FALSE(help.read(QStringLiteral("/index.html")));
        EXPECT_TRUE(help.defaultTopic().isEmpty());
    }
}

}  // namespace
}  // namespace zelvo::dialogs

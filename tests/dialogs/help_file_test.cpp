// The built help file read through chmlib, and help without chmlib or without the file.
#include "dialogs/help_file.h"

#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>

namespace zelvo::dialogs {
namespace {

const QString kBuiltHelp = QStringLiteral(ZELVO_HELP_FILE);

TEST(HelpFile, BuiltHelpFileServesItsPagesAndPictures)
{
    ASSERT_TRUE(ChmLibrary::standard().available());
    const HelpFile help(kBuiltHelp);
    ASSERT_TRUE(help.isOpen());
    ASSERT_EQ(help.defaultTopic(), QStringLiteral("/index.html"));
    const auto index = help.read(help.defaultTopic());
    ASSERT_TRUE(index);
    EXPECT_TRUE(index->contains("href=\"liste.html\""));
    const auto linked = help.read(QStringLiteral("liste.html"));
    ASSERT_TRUE(linked);
    EXPECT_TRUE(linked->contains("<title>Die Stationsliste</title>"));
    const auto picture = help.read(QStringLiteral("/bilder/state/online.svg"));
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->startsWith("<svg"));
    EXPECT_FALSE(help.read(QStringLiteral("/fehlt.html")));
}

TEST(HelpFile, WithoutChmlibOrWithoutTheFileHelpIsNotAvailable)
{
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

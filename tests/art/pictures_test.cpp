// Every picture the program draws is compiled in and renders at the sizes the tray, the menus and
// the roster use.
#include "art/pictures.h"

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

namespace zelvo::art {
namespace {

// Pixels that are not fully transparent.
int coveredPixels(const QIcon& icon, int size)
{
    const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != QSize(size, size))
        return -1;
    int covered = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            covered += qAlpha(image.pixel(x, y)) != 0;
    return covered;
}

TEST(Pictures, EveryPictureRendersAt16And24Pixels)
{
    const std::pair<QIcon (*)(int), std::vector<int>> sets[] = {
        {[](int kind) { return trayPicture(kind); }, {1, 2, 3, 4, 5, 6, 8}},
        {statePicture, {0, 1, 2, 3, 4, 5, 6, 7}},
        {menuPicture, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const auto& [picture, numbers] : sets) {
        for (int n : numbers) {
            // A quarter of the area at least: a picture, not a stray edge.
            for (int size : {16, 24})
                EXPECT_GT(coveredPixels(picture(n), size), size * size / 4) << n << " at " << size;
        }
    }
    EXPECT_TRUE(trayPicture(7).isNull() && statePicture(8).isNull() && menuPicture(11).isNull());
}

// The badge of a TNC that does not answer covers the lower right corner and leaves the rest of the
// picture as it is.
TEST(Pictures, TheLostTncBadgeMarksOnlyTheLowerRightCorner)
{
    for (int kind : {1, 2, 3, 4, 5, 6, 8}) {
        for (int size : {16, 22, 48}) {
            const QImage plain =
                trayPicture(kind).pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            const QImage marked =
                trayPicture(kind, true).pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(marked.size(), QSize(size, size));
            const int half = size / 2;
            EXPECT_EQ(marked.copy(0, 0, size, half - 1), plain.copy(0, 0, size, half - 1))
                << kind << "@" << size;
            EXPECT_NE(marked.copy(half, half, half, half), plain.copy(half, half, half, half))
                << kind << "@" << size;
            EXPECT_GT(qRed(marked.pixel(size * 3 / 4, size * 5 / 8)), 150) << kind << "@" << size;  // red
        }
    }
    EXPECT_TRUE(trayPicture(7, true).isNull());
}

}  // namespace
}  // namespace zelvo::art

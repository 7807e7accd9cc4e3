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
        {trayPicture, {1, 2, 3, 4, 5, 6, 8}},
        {statePicture, {0, 1, 2, 3, 4, 5, 6, 7}},
        {menuPicture, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const auto& [picture, numbers] : sets) {
        for (int n : numbers) {
            // A quarter of the area at least: a picture, not a stray edge.
            for (int size : {16, 24})
                EXPECT_GT(coveredPixels(picture(n), size), size * size / 4) << n << " at " << size;
        }
    }
    EXPECT_TRUE(trayPicture(7).isNull() && statePicture(8).isNull() && menuPicture(10).isNull());
}

}  // namespace
}  // namespace zelvo::art

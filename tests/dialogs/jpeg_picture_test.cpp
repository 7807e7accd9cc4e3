// The splash picture's decoder: the picture itself, and damaged pictures that must fail cleanly.
#include "art/pictures.h"
#include "dialogs/jpeg_picture.h"

#include <gtest/gtest.h>

#include <random>

namespace zelvo::dialogs {
namespace {

TEST(JpegPicture, SplashPictureDecodesInItsColours)
{
    QString error;
    const QImage picture = decodeJpeg(art::splashJpeg(), &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.size(), QSize(312, 134));
    // The evening sky at the top is dark blue: the channels are not swapped.
    const QRgb sky = picture.pixel(150, 2);
    EXPECT_GT(qBlue(sky), qRed(sky) + 30);
}

TEST(JpegPicture, TruncatedOrCorruptPicturesFailWithoutEndingTheProcess)
{
    const QByteArray whole = art::splashJpeg();
    QString error;
    // Every cut fails, also one that loses only the end marker: libjpeg would paint the rest grey.
    for (qsizetype length = 0; length < whole.size(); length += length < whole.size() - 64 ? 97 : 1) {
        error.clear();
        EXPECT_TRUE(decodeJpeg(whole.first(length), &error).isNull()) << length;
        EXPECT_FALSE(error.isEmpty()) << length;
    }

    // Changed bytes: no crash, and a failure always says why.
    std::mt19937 random(1);
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = whole;
        for (int i = 0; i < 1 + round % 4; ++i)
            damaged[random() % damaged.size()] = char(random());
        error.clear();
        if (decodeJpeg(damaged, &error).isNull()) {
            EXPECT_FALSE(error.isEmpty()) << round;
        }
    }
}

}  // namespace
}  // namespace zelvo::dialogs

// Renders the artwork for a look and makes the splash JPEG from its SVG drawing:
//   zelvo_art_render sheet OUT.png        every picture at 16, 20 and 24 px on light and dark,
//                                         and at 16 px enlarged
//   zelvo_art_render splash IN.svg OUT.jpg
//   zelvo_art_render icon IN.svg OUT.png SIZE   the program's icon at SIZE x SIZE, transparent
#include "art/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <functional>

namespace {

int renderSheet(const QString& out)
{
    const std::pair<int, std::function<QIcon(int)>> rows[] = {
        {8, [](int i) { return zelvo::art::trayPicture(i + 1); }},
        {8, zelvo::art::statePicture},
        {10, zelvo::art::menuPicture},
    };
    constexpr int kSizes[] = {16, 20, 24};
    constexpr int kZoom = 5, kCell = 16 * kZoom + 24;
    QImage sheet(10 * kCell, 3 * 2 * (kCell + 40), QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = 0;
    for (const auto& [count, picture] : rows) {
        for (const QColor background : {QColor(0xf0, 0xf0, 0xf0), QColor(0x30, 0x30, 0x30)}) {
            p.fillRect(0, y, sheet.width(), kCell + 40, background);
            for (int i = 0; i < count; ++i) {
                int x = i * kCell + 4;
                for (int size : kSizes) {
                    const QImage small = picture(i).pixmap(size).toImage();
                    p.drawImage(x, y + 4, small);
                    x += size + 4;
                }
                // The smallest size enlarged, pixel by pixel.
                const QImage small = picture(i).pixmap(16).toImage();
                p.drawImage(QRect(i * kCell + 4, y + 36, 16 * kZoom, 16 * kZoom), small);
            }
            y += kCell + 40;
        }
    }
    return sheet.save(out) ? 0 : 1;
}

int renderSplash(const QString& in, const QString& out)
{
    QSvgRenderer svg(in);
    if (!svg.isValid())
        return 1;
    QImage image(312, 134, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    QImageWriter writer(out, "jpeg");
    writer.setQuality(90);
    writer.setOptimizedWrite(true);
    return writer.write(image) ? 0 : 1;
}

int renderIcon(const QString& in, const QString& out, int size)
{
    QSvgRenderer svg(in);
    if (!svg.isValid() || size < 1)
        return 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    return image.save(out, "png") ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("sheet"))
        return renderSheet(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("splash"))
        return renderSplash(args[2], args[3]);
    if (args.size() == 5 && args[1] == QLatin1String("icon"))
        return renderIcon(args[2], args[3], args[4].toInt());
    std::fputs("usage: zelvo_art_render sheet OUT.png | splash IN.svg OUT.jpg | icon IN.svg OUT.png SIZE\n",
               stderr);
    return 2;
}

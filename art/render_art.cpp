// Renders the drawings of the art folder:
//   zelvo_art_render png ARTDIR OUTDIR SIZES DRAWING...  each drawing (e.g. tray/useron.svg) to
//                                    OUTDIR/tray/useron-<size>.png for every size of "16,24,..."
//   zelvo_art_render sheet ARTDIR OUT.png  every drawing at 16, 20 and 24 px on light and dark,
//                                    and at 16 px enlarged, to look at
//   zelvo_art_render splash IN.svg OUT.jpg  the splash screen's picture
//   zelvo_art_render icon IN.svg OUT.png SIZE  one drawing at SIZE x SIZE (the program's icon)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// The drawing centred in a transparent square, its proportions kept.
QImage render(QSvgRenderer& svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSizeF drawn = svg.defaultSize();
    drawn.scale(size, size, Qt::KeepAspectRatio);
    QPainter p(&image);
    svg.render(&p, QRectF(QPointF((size - drawn.width()) / 2, (size - drawn.height()) / 2), drawn));
    return image;
}

int renderPngs(const QStringList& args)
{
    const QDir art(args[2]), out(args[3]);
    for (const QString& drawing : args.mid(5)) {
        QSvgRenderer svg(art.filePath(drawing));
        if (!svg.isValid() || !out.mkpath(QFileInfo(drawing).path()))
            return 1;
        const QString name = drawing.chopped(4);  // without ".svg"
        for (const QString& size : args[4].split(u',')) {
            if (!render(svg, size.toInt()).save(out.filePath(name + u'-' + size + QStringLiteral(".png"))))
                return 1;
        }
    }
    return 0;
}

int renderSheet(const QDir& art, const QString& out)
{
    constexpr int kSizes[] = {16, 20, 24};
    constexpr int kZoom = 5, kCell = 16 * kZoom + 24, kRowHeight = kCell + 40;
    const QStringList folders = {QStringLiteral("tray"), QStringLiteral("state"), QStringLiteral("menu")};
    QImage sheet(10 * kCell, int(folders.size()) * 2 * kRowHeight, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = 0;
    for (const QString& folder : folders) {
        const QStringList drawings =
            QDir(art.filePath(folder)).entryList({QStringLiteral("*.svg")}, QDir::Files);
        for (const QColor background : {QColor(0xf0, 0xf0, 0xf0), QColor(0x30, 0x30, 0x30)}) {
            p.fillRect(0, y, sheet.width(), kRowHeight, background);
            for (int i = 0; i < drawings.size(); ++i) {
                QSvgRenderer svg(art.filePath(folder + u'/' + drawings[i]));
                int x = i * kCell + 4;
                for (int size : kSizes) {
                    p.drawImage(x, y + 4, render(svg, size));
                    x += size + 4;
                }
                // The smallest size enlarged, pixel by pixel.
                p.drawImage(QRect(i * kCell + 4, y + 36, 16 * kZoom, 16 * kZoom), render(svg, 16));
            }
            y += kRowHeight;
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
    return svg.isValid() && size > 0 && render(svg, size).save(out, "png") ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args[1] == QLatin1String("png"))
        return renderPngs(args);
    if (args.size() == 4 && args[1] == QLatin1String("sheet"))
        return renderSheet(QDir(args[2]), args[3]);
    if (args.size() == 4 && args[1] == QLatin1String("splash"))
        return renderSplash(args[2], args[3]);
    if (args.size() == 5 && args[1] == QLatin1String("icon"))
        return renderIcon(args[2], args[3], args[4].toInt());
    std::fputs("usage: zelvo_art_render png ARTDIR OUTDIR SIZES DRAWING... | sheet ARTDIR OUT.png |"
               " splash IN.svg OUT.jpg | icon IN.svg OUT.png SIZE\n",
               stderr);
    return 2;
}

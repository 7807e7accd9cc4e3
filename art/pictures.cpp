#include "art/pictures.h"

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include <algorithm>
#include <iterator>

#include <array>
#include <string>

// Q_INIT_RESOURCE must not stand inside a namespace. The resources live in a static library, so
// nothing registers them unless some code refers to them.
static void initArtResources()
{
    Q_INIT_RESOURCE(pictures);
}

namespace zelvo::art {

namespace {

// By kind 1..8; kind 7 picks one of the others and has no picture of its own.
constexpr std::array kTray = {"newmail", "useroff",  "useron", "polled",
                              "selfoff", "mainicon", "",       "useraway"};
constexpr std::array kState = {"online", "online-unread", "has-polled", "sending",
                               "away",   "away-unread",   "offline",    "offline-unread"};
constexpr std::array kMenu = {"0-read",     "1-write",      "2-create",    "3-edit", "4-delete",  "5-poll",
                              "6-settings", "7-go-offline", "8-go-online", "9-quit", "10-monitor"};

QString resourcePath(const char* folder, const char* name)
{
    static const bool registered = (initArtResources(), true);
    (void)registered;
    return QStringLiteral(":/zelvo/art/%1/%2").arg(QLatin1String(folder), QLatin1String(name));
}

// A drawing rendered at the build's sizes. Each size is read when drawn, from the PNG nearest above
// it: QIcon::addFile() would read every size up front.
class RenderedPicture : public QIconEngine {
public:
    explicit RenderedPicture(QString base) : base_(std::move(base)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int wanted = std::max(size.width(), size.height());
        const int* best =
            std::find_if(std::begin(kSizes), std::end(kSizes), [&](int s) { return s >= wanted; });
        const int source = best == std::end(kSizes) ? kSizes[std::size(kSizes) - 1] : *best;
        const QString cacheKey = base_ + QStringLiteral("@%1:%2").arg(wanted).arg(int(mode));
        QPixmap picture;
        if (QPixmapCache::find(cacheKey, &picture))
            return picture;
        // Without detection: Qt would otherwise load every image plugin to ask whether it reads PNG.
        QImageReader reader(base_ + QStringLiteral("-%1.png").arg(source), "png");
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (source != wanted)
            image = image.scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Disabled)
            greyOut(image);
        picture = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(cacheKey, picture);
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatioF();
        QPixmap picture = pixmap(rect.size() * scale, mode, state);
        picture.setDevicePixelRatio(scale);
        painter->drawPixmap(rect, picture);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int size : kSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    QString key() const override { return QStringLiteral("zelvo-rendered"); }
    QIconEngine* clone() const override { return new RenderedPicture(base_); }

private:
    static constexpr int kSizes[] = {ZELVO_PICTURE_SIZES};

    // Grey and half transparent, as a disabled menu entry shows its picture.
    static void greyOut(QImage& image)
    {
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int grey = qGray(line[x]);
                line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
            }
        }
    }

    QString base_;
};

// A picture with another laid over it at the same size: the overlay's drawing leaves the rest of
// its square transparent.
class OverlaidPicture : public QIconEngine {
public:
    OverlaidPicture(QString base, QString overlay) : base_(base), overlay_(overlay) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture = base_.pixmap(size, mode, state);
        const QPixmap mark = overlay_.pixmap(size, mode, state);
        QPainter painter(&picture);
        painter.drawPixmap(picture.rect(), mark);
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        base_.paint(painter, rect, mode, state);
        overlay_.paint(painter, rect, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return base_.availableSizes(mode, state);
    }
    QString key() const override { return QStringLiteral("zelvo-overlaid"); }
    QIconEngine* clone() const override { return new OverlaidPicture(*this); }

private:
    RenderedPicture base_;
    RenderedPicture overlay_;
};

template <std::size_t N>
QIcon icon(const char* folder, const std::array<const char*, N>& names, int index)
{
    if (index < 0 || index >= int(N) || !*names[index])
        return {};
    return QIcon(new RenderedPicture(resourcePath(folder, names[index])));
}

}  // namespace

QIcon trayPicture(int kind, bool tncLost)
{
    const QIcon picture = icon("tray", kTray, kind - 1);
    if (!tncLost || picture.isNull())
        return picture;
    return QIcon(
        new OverlaidPicture(resourcePath("tray", kTray[kind - 1]), resourcePath("overlay", "tnc-lost")));
}

QIcon statePicture(int state)
{
    return icon("state", kState, state);
}

QIcon menuPicture(int number)
{
    return icon("menu", kMenu, number);
}

QByteArray splashJpeg(std::string_view language)
{
    const std::string name = language == "de" ? "splash.jpg" : "splash_" + std::string(language) + ".jpg";
    QFile file(resourcePath("splash", name.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return language == "de" ? QByteArray() : splashJpeg("de");
    return file.readAll();
}

}  // namespace zelvo::art

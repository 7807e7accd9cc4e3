#include "dialogs/splash_window.h"

#include "art/pictures.h"
#include "dialogs/drawn_number.h"
#include "dialogs/jpeg_picture.h"
#include "dialogs/language.h"
#include "dialogs/version_info.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace zelvo::dialogs {

namespace {

constexpr QSize kSize(312, 133);
constexpr int kGlyphSize = 16;

// The two button glyphs, drawn in white for the dark corners of the picture: a cross and a
// question mark. Drawn as lines rather than as a letter, so that showing the splash loads no bold
// font.
QIcon glyph(bool cross)
{
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    if (cross) {
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    } else {
        // The hook: three quarters of a circle from its left, over the top, down to its bottom,
        // then the stem; the dot below.
        QPainterPath hook;
        hook.moveTo(5, 5.5);
        hook.arcTo(QRectF(5, 2.5, 6, 6), 180, -270);
        hook.lineTo(8, 10);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 13), 1.3, 1.3);
    }
    return QIcon(pixmap);
}

// A borderless glyph button, lit while the mouse is on it. Painted here rather than styled: a
// style sheet would load Qt's whole style sheet engine for two buttons at start.
class GlyphButton : public QAbstractButton {
public:
    GlyphButton(QWidget* parent, bool cross) : QAbstractButton(parent)
    {
        setIcon(glyph(cross));
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
        resize(kGlyphSize + 4, kGlyphSize + 4);
    }
    // The button has no text: the tip says what it does.
    void setTip(const QString& tip)
    {
        setToolTip(tip);
        setAccessibleName(tip);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (underMouse()) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 48));
            p.drawRoundedRect(rect(), 3, 3);
        }
        icon().paint(&p, rect());
    }
};

}  // namespace

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kSize);
    setPalette(QPalette(Qt::white));
    setAutoFillBackground(true);
    move(screen()->geometry().center() - rect().center());

    const TVersionInfoResource version(TVersionInfoResource::ownProgramFile());
    auto* number =
        new DrawnNumber(QString::fromStdString(version.fileVersion().text()), QColor(0xC0, 0xC0, 0xC0), this);
    number->setObjectName(QStringLiteral("version"));
    number->setGeometry(8, height() - 22, width() - 16, 18);

    auto* about = new GlyphButton(this, false);
    about->setObjectName(QStringLiteral("about"));
    about->move(2, 2);
    connect(about, &QAbstractButton::clicked, this, &SplashWindow::aboutRequested);
    auto* close = new GlyphButton(this, true);
    close->setObjectName(QStringLiteral("close"));
    close->move(width() - close->width() - 2, 2);
    connect(close, &QAbstractButton::clicked, this, &QWidget::close);
    followLanguage(this, [this, about, close] {
        about->setTip(tr("Über Zelvo"));
        close->setTip(tr("Schließen"));
        showPicture();
    });

    // A child of the window: closing deletes the window and the timer with it.
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &QWidget::close);
    timer->start(kShowMs);
}

// The picture carries the tagline in words, so each language has its own.
void SplashWindow::showPicture()
{
    QString error;
    picture_ = decodeJpeg(art::splashJpeg(shownLanguage()), &error);
    if (picture_.isNull())
        qWarning("splash picture: %s", qPrintable(error));
    update();
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    if (!picture_.isNull())
        QPainter(this).drawImage(0, 0, picture_);
}

}  // namespace zelvo::dialogs

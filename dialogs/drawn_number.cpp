#include "dialogs/drawn_number.h"

#include <QPainter>

namespace zelvo::dialogs {
namespace {

// The glyphs on a grid 5 wide and 8 high, y downwards from the top of a digit.
constexpr qreal kWidth = 5;
constexpr qreal kHeight = 8;
constexpr qreal kGap = 1.6;     // between two glyphs
constexpr qreal kDotWidth = 1;  // a dot is narrower than a digit

void addDigit(QPainterPath& path, QChar digit)
{
    switch (digit.unicode()) {
    case '0': path.addRoundedRect(QRectF(0, 0, kWidth, kHeight), 2.5, 2.5); break;
    case '1':
        path.moveTo(1, 2);
        path.lineTo(3.2, 0);
        path.lineTo(3.2, kHeight);
        break;
    case '2':
        path.moveTo(0.2, 2);
        path.cubicTo(0.2, -0.6, 4.8, -0.6, 4.8, 2);
        path.cubicTo(4.8, 4, 0, 5.5, 0, kHeight);
        path.lineTo(kWidth, kHeight);
        break;
    case '3':
        path.moveTo(0.3, 1);
        path.cubicTo(1.5, -0.5, 4.8, -0.2, 4.8, 2);
        path.cubicTo(4.8, 3.4, 3.4, 3.9, 1.8, 3.9);
        path.cubicTo(3.6, 3.9, 5, 4.6, 5, 6);
        path.cubicTo(5, 8.6, 1, 8.8, 0, 7);
        break;
    case '4':
        path.moveTo(3.8, kHeight);
        path.lineTo(3.8, 0);
        path.lineTo(0, 5.5);
        path.lineTo(kWidth, 5.5);
        break;
    case '5':
        path.moveTo(4.6, 0);
        path.lineTo(0.7, 0);
        path.lineTo(0.4, 3.6);
        path.cubicTo(2, 2.6, 5, 3, 5, 5.6);
        path.cubicTo(5, 8.6, 1, 8.8, 0, 7.2);
        break;
    case '6':
        path.moveTo(4.4, 0.6);
        path.cubicTo(2.5, -0.6, 0, 0.5, 0, 5.4);
        path.addEllipse(QRectF(0, 3.2, kWidth, 4.8));
        break;
    case '7':
        path.moveTo(0, 0);
        path.lineTo(kWidth, 0);
        path.lineTo(1.8, kHeight);
        break;
    case '8':
        path.addEllipse(QRectF(0.4, 0, 4.2, 3.8));
        path.addEllipse(QRectF(0, 3.8, kWidth, 4.2));
        break;
    case '9':
        path.addEllipse(QRectF(0, 0, kWidth, 4.8));
        path.moveTo(kWidth, 2.6);
        path.cubicTo(kWidth, 7.5, 2.5, 8.6, 0.6, 7.4);
        break;
    default: break;
    }
}

}  // namespace

QPainterPath numberStrokes(const QString& number)
{
    QPainterPath strokes;
    qreal x = 0;
    for (const QChar c : number) {
        QPainterPath glyph;
        qreal width = kWidth;
        if (c == QLatin1Char('.')) {
            glyph.addEllipse(QPointF(kDotWidth / 2, kHeight - 0.3), 0.3, 0.3);
            width = kDotWidth;
        } else {
            addDigit(glyph, c);
        }
        strokes.addPath(glyph.translated(x, -kHeight));
        x += width + kGap;
    }
    const qreal scale = kDigitHeight / kHeight;
    return QTransform::fromScale(scale, scale).map(strokes);
}

DrawnNumber::DrawnNumber(const QString& number, const QColor& colour, QWidget* parent)
    : QWidget(parent), number_(number), colour_(colour)
{
    setAccessibleName(number);
}

void DrawnNumber::paintEvent(QPaintEvent*)
{
    const QPainterPath strokes = numberStrokes(number_);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour_, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    // Right-aligned, the foot a pen's width above the bottom.
    p.translate(width() - strokes.boundingRect().right() - 1, height() - 1.5);
    p.drawPath(strokes);
}

}  // namespace zelvo::dialogs

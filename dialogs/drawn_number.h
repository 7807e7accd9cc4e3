// A version number ("0.9.7.321") drawn in strokes instead of with a font. The splash shows it
// while the program starts; text in a font would load the font system (fontconfig, FreeType,
// HarfBuzz: some megabytes) for this one line, which a program that then sits in the tray never
// needs. Only digits and dots are drawn; any other character leaves a gap.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QString>
#include <QWidget>

namespace zelvo::dialogs {

// The outline of `number` as pen strokes, the digits kDigitHeight high, starting at x 0 with
// the foot of the digits at y 0 (the strokes go up, to negative y).
QPainterPath numberStrokes(const QString& number);
inline constexpr qreal kDigitHeight = 8.5;

// Shows `number` right-aligned on its foot line at the widget's bottom, in `colour`, with no
// background. A screen reader reads the number as the widget's name.
class DrawnNumber : public QWidget {
public:
    DrawnNumber(const QString& number, const QColor& colour, QWidget* parent);
    const QString& text() const { return number_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString number_;
    QColor colour_;
};

}  // namespace zelvo::dialogs

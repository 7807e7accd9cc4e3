// The splash screen shown during start-up: the program's picture, its tagline in the windows'
// language, with its version, closed after six seconds or at once by its cross. It deletes itself
// when it closes.
#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace zelvo::dialogs {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 6000;

    // Centred on the screen; shows the file version of the running program's own file.
    explicit SplashWindow(QWidget* parent = nullptr);

signals:
    // The "?" button was clicked. The splash stays; the about box must not be its child.
    void aboutRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showPicture();  // the picture of the language the windows show

    QImage picture_;  // null when the picture could not be decoded: the window stays white
};

}  // namespace zelvo::dialogs

// The roster window's status bar: panel 0 (35 px) the own online state, panel 1 (105 px) short
// messages, panel 2 (20 px) "QRV" sunken or "AWAY" raised. A button released at x 140..200 (panel
// 2 and the space after it) is the away switch; a double click anywhere is the online switch.
// Above the panels a hint may stand across the whole width, wrapped, for a text too long for
// panel 1 that the user must read before anything else works.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace zelvo::app {

class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAwaySwitchLeft = 140;
    static constexpr int kAwaySwitchRight = 200;

    explicit StatusBar(QWidget* parent = nullptr);

    void setOnline(bool online);
    void setMessage(const QString& text);
    void setAway(bool away);
    // An empty hint hides its row.
    void setHint(const QString& text);

    QString panelText(int panel) const;
    QFrame::Shadow awayBevel() const { return away_->frameShadow(); }

signals:
    void awaySwitchClicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QLabel* hint_;
    QLabel* online_;
    QLabel* message_;
    QLabel* away_;
};

}  // namespace zelvo::app

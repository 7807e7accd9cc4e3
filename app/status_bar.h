// The roster window's status bar: panel 0 (35 px) the own online state, panel 1 (105 px) short
// messages, panel 2 (20 px) "QRV" sunken or "AWAY" raised. A button released at x 140..200 (panel
// 2 and the space after it) is the away switch; a double click anywhere is the online switch.
//
// Panels 0 and 1 keep these widths while their texts fit and grow as much as another language
// needs, and the away switch moves with panel 2; panel 2 asks for the width of its text. The
// window adds what the panels need beyond its own width (neededWidth()). The panels are measured
// when the bar is first shown or asked for them: measuring loads the fonts, which a program that
// only sits in the tray never needs.
//
// While a channel's TNC does not answer, panel 1 says "TNC nicht erreichbar" (short enough for
// its width) and its tool tip names each channel and TNC, followed by the last short message,
// which the warning covers. Messages that come meanwhile are kept; the latest shows again once
// every TNC answers.
//
// Above the panels a hint may stand across the whole width, wrapped, for a text too long for
// panel 1 that the user must read before anything else works.
//
// A screen reader reads each panel as what it shows and its text ("Meldung: Msg eingetroffen"),
// and hears every new message, link warning, hint and change of the own state as it comes
// (app/screen_reader.h); a switch of the language rewords them silently.
//
// Panel 1 is as wide as the longest of the short messages in the language shown; a longer one (a
// problem of a store, a fault) shows its whole text in the panel's tool tip.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <vector>

#include "app/link_tracker.h"
#include "app/screen_reader.h"
#include "protocol/status.h"

namespace zelvo::app {

class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAwaySwitchLeft = 140;
    static constexpr int kAwaySwitchRight = 200;
    static constexpr int kOnlineWidth = 35;
    static constexpr int kMessageWidth = 105;
    explicit StatusBar(QWidget* parent = nullptr);

    void setOnline(bool online);
    // Shown in the language of the windows, and worded anew when it switches.
    void setMessage(const protocol::Status& status);
    // The channels whose TNC does not answer (LinkWatch); empty when all do.
    void setLinkWarnings(const std::vector<LinkTracker::Channel>& lost);
    void setAway(bool away);
    // `source` is a German text marked QT_TRANSLATE_NOOP("zelvo::app::StatusBar", ...), shown
    // translated; nullptr hides the hint's row.
    void setHint(const char* source);
    // Speaks a text of another source (a station coming online) as the panels' own ones are.
    void announce(const QString& text) { announcer_->announce(text); }

    QString panelText(int panel) const;
    QString panelToolTip(int panel);  // measures the panels first
    // What a screen reader reads for the panel.
    QString panelAccessibleName(int panel) const;
    QFrame::Shadow awayBevel() const { return away_->frameShadow(); }
    // The width the panels need to show their texts whole.
    int neededWidth();  // measures the panels first

signals:
    void awaySwitchClicked();
    void doubleClicked();
    // The texts changed language and the panels their widths.
    void retranslated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setTexts();
    // Sets the panels' widths for the texts of the language shown.
    void fitPanels();
    void ensureFitted();
    // Panel 1: the link warning while there is one, else the last message.
    void showMessage();
    void showOnline();
    void showAway();
    void showHint();

    QLabel* hint_;
    QLabel* online_;
    QLabel* message_;
    QLabel* away_;
    Announcer* announcer_;
    protocol::Status status_;
    const char* hintSource_ = nullptr;
    std::vector<LinkTracker::Channel> lostLinks_;
    bool isOnline_ = false;
    bool isAway_ = false;
    bool fitted_ = false;  // the panels have been measured
};

}  // namespace zelvo::app

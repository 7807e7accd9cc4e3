// Watches the TNC of every channel the driver serves (app/link_tracker.h), so that a radio link
// that does not work (Direwolf not started, a wrong port or kind in the channel table) shows where
// the operator looks: the tray's picture and tip and the status bar, which DesktopProgram hands the
// warnings to, and a line in the activity log when a TNC is lost and when it is back.
//
// The driver is asked every kInterval on the thread that owns the watch; asking only reads its
// state there. A driver that cannot describe its channels gives no channel: nothing is watched and
// nothing said.
//
// The warnings are worded in the language the windows show, and again after a switch.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>

#include "app/activity_log.h"
#include "app/link_tracker.h"
#include "link/flex_api.h"

namespace zelvo::app {

class LinkWatch : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kGrace = LinkTracker::kGrace;
    static constexpr std::chrono::milliseconds kInterval{250};

    // `log`, when given, gets the lines of TNCs lost and back; it must outlive the watch.
    explicit LinkWatch(link::FlexApi& driver, std::chrono::milliseconds grace = kGrace,
                       ActivityLog* log = nullptr, QObject* parent = nullptr);

    // Takes the channels from the driver, which has run ax_init, and starts asking. Again after
    // the driver read its table anew: the channels are taken anew, an unchanged one keeps its state.
    void start();
    // Stops asking and waits for a probe under way; before the driver is left. The warnings stay
    // as they were.
    void stop();
    // The own station goes online: a TNC known not to answer is warned of at once, not after the
    // grace time.
    void goingOnline();

    // One line per channel whose TNC is down, with what to check; empty while every TNC answers.
    const QStringList& warnings() const { return warnings_; }

signals:
    void warningsChanged(const QStringList& warnings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check();
    // The warnings of the channels down, in the language the windows show.
    QStringList wordWarnings() const;
    // Keeps and announces the warnings when they changed.
    void tell(const QStringList& warnings);

    LinkTracker tracker_;
    ActivityLog* log_;
    QTimer timer_;
    QStringList warnings_;
};

}  // namespace zelvo::app

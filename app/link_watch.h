// Watches the TNC of every channel the driver serves (app/link_tracker.h), so that a radio link
// that does not work (Direwolf not started, a wrong port or kind in the channel table) shows where
// the operator looks: the tray's picture and tip, the status bar and a notification, which
// DesktopProgram hands the channels down to and which word them (linkWarning) in their language,
// and a line in the activity log when a TNC is lost and when it is back.
//
// The driver is asked every kInterval on the thread that owns the watch; asking only reads its
// state there. A driver that cannot describe its channels gives no channel: nothing is watched and
// nothing said.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <vector>

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
    // Stops asking and waits for a probe under way; before the driver is left. The channels down
    // stay as they were.
    void stop();
    // The own station goes online: a TNC known not to answer is warned of at once, not after the
    // grace time.
    void goingOnline();

    // The channels whose TNC is down, in the order of the table; empty while every TNC answers.
    const std::vector<LinkTracker::Channel>& lostLinks() const { return lost_; }

signals:
    // The channels down, or what their warnings say of them, changed.
    void lostLinksChanged(const std::vector<LinkTracker::Channel>& lost);

private:
    void check();
    // Keeps and announces the channels down when they changed.
    void tell();

    LinkTracker tracker_;
    ActivityLog* log_;
    QTimer timer_;
    std::vector<LinkTracker::Channel> lost_;
};

}  // namespace zelvo::app

// Watches the TNC of every channel the driver serves, so that a radio link that does not work
// (Direwolf not started, a wrong port in the channel table) shows where the operator looks: the
// tray tip and the status bar, which DesktopProgram hands the warnings to.
//
// A channel counts as down once its TNC has not been connected for the grace time (kGrace). The
// driver connects in the background with a backoff: right after ax_init, and for a moment after a
// TNC dropped the link and came back, it is not connected yet, and that should not flash a
// warning. The driver is asked every kInterval on the thread that owns the watch; asking only
// reads a flag there.
//
// A driver that cannot describe its channels or tell their state gives no channel: nothing is
// watched and nothing said, as before the driver could.
//
// The warnings are worded in the language the windows show, and again after a switch.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <vector>

#include "link/flex_api.h"

namespace zelvo::app {

class LinkWatch : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kGrace{2000};
    static constexpr std::chrono::milliseconds kInterval{250};

    explicit LinkWatch(link::FlexApi& driver, std::chrono::milliseconds grace = kGrace,
                       QObject* parent = nullptr);

    // Takes the channels from the driver, which has run ax_init, and starts asking.
    void start();
    // Stops asking; before the driver is left. The warnings stay as they were.
    void stop();

    // One line per channel whose TNC is down, "Kanal 0: TNC 127.0.0.1:8001 nicht erreichbar";
    // empty while every TNC answers.
    const QStringList& warnings() const { return warnings_; }

signals:
    void warningsChanged(const QStringList& warnings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Watched {
        link::FlexApi::Channel channel;
        Clock::time_point lastUp;  // or when the watch began
        bool down = false;         // not up for the grace time
    };

    void check();
    // The warnings of the channels down, in the language the windows show.
    QStringList wordWarnings() const;
    // Keeps and announces the warnings when they changed.
    void tell(const QStringList& warnings);

    link::FlexApi& driver_;
    const std::chrono::milliseconds grace_;
    QTimer timer_;
    std::vector<Watched> watched_;
    QStringList warnings_;
};

}  // namespace zelvo::app

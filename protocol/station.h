// The own station as the protocol sees it: the roster, the settings, the driver and the user
// interface that the frame handlers, the countdowns and the user's commands work on, and the own
// online and away state.
//
// Nothing here is thread-safe. The receive pass and the user's commands are serialised by their
// owner (see link/receive_thread.h); every function of the protocol assumes it runs alone.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "app/event_log.h"
#include "app/roster.h"
#include "dialogs/settings.h"
#include "protocol/destination_cache.h"
#include "protocol/frame_format.h"
#include "protocol/status.h"

namespace zelvo::app {
class RosterStore;
}
namespace zelvo::link {
class RadioDriver;
}
namespace zelvo::platform {
class SoundPlayer;
}

namespace zelvo::protocol {

// Tray pictures, by the kind numbers the main window knows them by.
enum class TrayPicture : int {
    NewMail = 1,
    UserOff = 2,
    UserOn = 3,
    Polled = 4,
    SelfOff = 5,
    MainIcon = 6,
    Recompute = 7,  // NewMail when anything is unread, else the own state's picture
    UserAway = 8,
};

// Everything the protocol does to the user. The GUI and the headless station implement it.
// Texts are Windows-1252 bytes; what the status bar and the error boxes say comes as a value
// (protocol/status.h), which each side words in its own language.
class StationUi {
public:
    virtual ~StationUi() = default;
    // The short message panel of the status bar.
    virtual void showStatus(const Status& status) = 0;
    virtual void updateIcon(TrayPicture kind) = 0;
    // "Ein nicht registrierter User versucht sich anzumelden. Registrieren ?" for the station
    // `call`; true for "Ja". Holds the receive loop until answered.
    virtual bool askRegistration(std::string_view call) = 0;
    // Show the roster window when it is hidden.
    virtual void popUp() = 0;
    // An error box with OK.
    virtual void showError(const Status& status) = 0;
    // The conversation of `entry` changed; an open message window showing it redisplays it.
    virtual void conversationChanged(const app::TUserEntry& entry) = 0;
    // The own online or away state changed (status bar panels, the GoOnline menu item).
    virtual void ownStateChanged(bool online, bool away) = 0;

    // For listeners that want the protocol's events one by one (the headless station).
    virtual void messageReceived(const app::TUserEntry& /*entry*/, std::string_view /*text*/) {}
    virtual void messageDelivered(const app::TUserEntry& /*entry*/, std::string_view /*text*/) {}
    virtual void registered(const app::TUserEntry& /*entry*/) {}
    // A line for the activity log was asked for (written there when the log is on).
    virtual void logged(std::string_view /*text*/, app::LogKind /*kind*/) {}
    // An event of the settings' list happened to `entry`, with the event's pop-up and
    // notification switches; `text` is a received message's text, else empty. Without an own
    // way to notify, only the pop-up.
    virtual void eventReported(dialogs::TEventKind /*kind*/, const app::TUserEntry& /*entry*/,
                               std::string_view /*text*/, bool popup, bool /*notify*/)
    {
        if (popup)
            popUp();
    }
    // The message `text` to `entry` went unacknowledged through its last repetition.
    virtual void deliveryFailed(const app::TUserEntry& /*entry*/, std::string_view /*text*/) {}
};

// How a sender treats a frame the driver refuses.
enum class SendMode {
    UntilAccepted,  // offered again, a bounded number of times
    Once,           // the result is not looked at
};

// An until-accepted frame that the driver has not taken yet.
struct UnsentFrame {
    std::string destination;
    OutgoingFrame frame;
    int offers = 0;  // made so far
    int limit = 0;   // offers in all, fixed at the first
};

class Station {
public:
    using TimeOfDay = std::function<std::string()>;  // "hh:mm:ss"
    using Pause = std::function<void(std::chrono::milliseconds)>;

    Station(app::Roster& roster, dialogs::Settings& settings, link::RadioDriver& driver, StationUi& ui);

    app::Roster& roster;
    dialogs::Settings& settings;
    link::RadioDriver& driver;
    StationUi& ui;

    // Optional services; without them nothing is logged, played or saved.
    app::EventLog* log = nullptr;
    platform::SoundPlayer* sound = nullptr;
    app::RosterStore* store = nullptr;
    // The program's file version as "%d.%d.%d.%d"; empty without a version block.
    std::string versionText;
    // The time of day written into conversation lines. Defaults to the local clock.
    TimeOfDay timeOfDay;
    // Waits between offers of a refused frame, and the send returns when the frame was taken or
    // given up: for an owner whose passes and commands run where waiting holds up nobody (the
    // headless station). Empty, the default, the engine never waits: the frame stays in `unsent`
    // and the next receive passes offer it again (offerUnsent, protocol/outgoing.h).
    Pause pause;
    // The last until-accepted frame was refused at every offer; cleared by the next accepted one.
    bool driverRefusing = false;
    // Until-accepted frames the driver has not taken yet, oldest first: the first was refused and
    // is offered again, the others wait behind it, so frames reach the air in the order sent.
    std::deque<UnsentFrame> unsent;
    // The entries' destination texts.
    DestinationCache destinations;

    bool online() const { return online_; }
    bool away() const { return away_; }
    void setOnline(bool online);
    void setAway(bool away);

    // Plays the event's sound when sounds are on (the entry's own sound switch is the caller's).
    void playSound(dialogs::TEventKind kind);
    void logLine(std::string_view text, app::LogKind kind);

private:
    bool online_ = false;
    bool away_ = false;
};

// Refused frames in an until-accepted send are offered this many times in all, with this pause
// (or one receive pass) between offers: about a second before the send is given up.
inline constexpr int kSendAttempts = 5;
inline constexpr std::chrono::milliseconds kSendRetryPause{250};

// The longest text one message frame carries; longer texts are split when queued.
inline constexpr std::size_t kMaxMessageText = 255;

// The time of day on the local clock, "hh:mm:ss".
std::string localTimeOfDay();

// Decimal text fields of an entry as numbers; a text that is not a number gives `fallback`.
int fieldNumber(std::string_view text, int fallback);
// Writes `value` into a decimal text field, as std::to_string gives it.
void setFieldNumber(std::string& field, int value);

}  // namespace zelvo::protocol

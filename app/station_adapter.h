// The one place where the engine's calls (protocol::StationUi, plain C++ on Windows-1252 bytes)
// reach the windowed program. What is this adapter's own job it does at once: status texts to
// the status bar, tray pictures and the own state to the tray and the status bar, questions and
// errors as message boxes, the roster window's pop-up. Texts cross from Windows-1252 here, once;
// statuses and errors come as values (protocol/status.h) that the status bar keeps and words in
// the language the windows show, anew after a switch (app/status_words.h).
// What other windows and stores want to hear of becomes a Qt signal, which they connect to where
// they are made (app/dialog_windows.cpp, app/desktop_program.cpp).
//
// One acknowledgement, from the air to the blue line:
//   protocol::onAck (protocol/messages.cpp) moves the text from the entry's txBuffer into its
//   conversation (rxBuffer, a "T" line), then calls
//   StationUi::messageDelivered  -> StationAdapter emits exchanged(entry)
//                                   -> HistoryStore::record keeps the line (desktop_program.cpp)
//   StationUi::conversationChanged -> StationAdapter emits conversationUpdated(entry)
//                                   -> MessageWindow::conversationChanged redraws the open
//                                      window: the own call's header in blue, then the text
//                                      (connected in DialogWindows::messageWindow).
// A received message takes the same road through messageReceived (a red "R" line).
//
// The events' pop-up and notification: on X11 the roster window pops up as it always has. On
// Wayland a window that is not the user's doing may not come to the front: a pop-up of the hidden
// window becomes a notification instead, and the tray icon asks for attention; the window waits
// for the user (the notification's action, the tray) and is neither moved nor resized.
#pragma once

#include <QObject>

#include <functional>
#include <optional>

#include "app/desktop_notices.h"
#include "app/main_window.h"
#include "app/tray_icon.h"
#include "platform/problem.h"
#include "protocol/station.h"

namespace zelvo::app {

class StationAdapter : public QObject, public protocol::StationUi {
    Q_OBJECT
public:
    StationAdapter(MainWindow& window, TrayIcon& tray);

    void showStatus(const protocol::Status& status) override;
    void updateIcon(protocol::TrayPicture kind) override;
    bool askRegistration(std::string_view call) override;
    void popUp() override;
    void showError(const protocol::Status& status) override;
    void conversationChanged(const TUserEntry& entry) override;
    void ownStateChanged(bool online, bool away) override;
    void messageReceived(const TUserEntry& entry, std::string_view text) override;
    void messageDelivered(const TUserEntry& entry, std::string_view text) override;
    void eventReported(dialogs::TEventKind kind, const TUserEntry& entry, std::string_view text, bool popup,
                       bool notify) override;
    void deliveryFailed(const TUserEntry& entry, std::string_view text) override;

    // The notifications of the events, and the settings that switch the failed delivery's;
    // `conversationShown` tells whether the station's message window is open, which shows a
    // message itself.
    void attachNotices(DesktopNotices& notices, const dialogs::Settings& settings,
                       std::function<bool(const TUserEntry&)> conversationShown);
    // Whether the windows are on Wayland, where the pop-up becomes a notification.
    static bool onWayland();

    // A problem of the program's own stores, on the status bar like the engine's texts.
    void report(const std::optional<platform::Problem>& problem);
    // A problem in an error box.
    void showProblem(const platform::Problem& problem);

signals:
    // A received or a delivered text has just been appended to the entry's conversation: its
    // last rxBuffer line.
    void exchanged(const zelvo::app::TUserEntry& entry);
    // The entry's conversation changed; a message window showing it draws it again.
    void conversationUpdated(const zelvo::app::TUserEntry& entry);
    // The own station went online (after the status bar and the tray show it).
    void wentOnline();

private:
    MainWindow& window_;
    TrayIcon& tray_;
    DesktopNotices* notices_ = nullptr;
    const dialogs::Settings* settings_ = nullptr;
    std::function<bool(const TUserEntry&)> conversationShown_;
};

}  // namespace zelvo::app

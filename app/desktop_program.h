// The windowed program from start to end: one instance per user, the session with the driver,
// the windows in their order, the splash screen, the receive passes on this thread, and the ways
// the program ends ("Beenden" with its question, the session manager's logoff, SIGTERM and SIGHUP).
// Every end path stops the receive thread before the driver is left (Session::shutdown).
//
// How a change reaches the windows, by kind:
// - the engine's (a message, an acknowledgement, a status text, a question): its StationUi calls,
//   which the StationAdapter turns into Qt signals and direct calls (app/station_adapter.h);
// - the roster's rows (added, changed, moved, removed): the list model, the roster's one observer
//   in the windowed program, and its Qt signals (here: a removed row's history goes);
// - the settings: the signal of their Qt adaptor, dialogs/settings_news.h (the roster window's
//   display, the settings dialog, "History speichern" and the windows' language here);
// - the language: every window follows QEvent::LanguageChange (dialogs/language.h), and words
//   there what it is handed as values (the link watch's channels whose TNC is down);
// - the user's commands in one window for another: Qt signals, connected where the windows are
//   made (here, and in app/dialog_windows.cpp for the dialogs).
#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

#include "app/session.h"
#include "app/single_instance.h"
#include "app/ui_executor.h"
#include "dialogs/language.h"

class QSessionManager;

namespace zelvo::app {

class MainWindow;
class TrayIcon;
class StationAdapter;
class DialogWindows;
class HistoryStore;
class LinkWatch;
class MonitorWindow;
class DesktopNotices;

class DesktopProgram : public QObject {
    Q_OBJECT
public:
    struct Options {
        Session::Options session;
        QString instanceDirectory;  // empty: the user's runtime directory
        bool splash = true;
    };

    explicit DesktopProgram(Options options);
    ~DesktopProgram() override;

    // Everything up to a running program. An exit code when it must end at once: 0 when another
    // instance runs (it was asked to show its window), 1 when another program uses the registry
    // folder (after an error box) or the driver cannot be loaded.
    std::optional<int> start();

    // "&Beenden": the question, then the offline announcement when online, the log line, the end.
    // Asked for during a receive pass (a question of the pass is open), it waits for the pass.
    void quitClicked();
    // The session manager's request to save before the logoff, which the user can still cancel:
    // the restart after the next logon when "mit &Windows starten" is on; the program runs on.
    // The session manager itself never starts the program again.
    void commitSession(QSessionManager& manager);
    // SIGTERM, SIGHUP and the end of the session: the end without announcement or log line, at
    // any moment. Open boxes, and any that open from then on, are closed as with Esc; a receive
    // pass that waits for one ends first; the start-up shows no further box.
    void endBySignal();

    Session& session() { return session_; }
    UiExecutor& executor() { return executor_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    TrayIcon& tray() { return *tray_; }
    DialogWindows& dialogs() { return *dialogs_; }
    bool ended() const { return ended_; }

signals:
    // The program has ended its session; the event loop may stop.
    void finished();

protected:
    // The application's quit at the end of the session.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The box and the line on standard error when the session cannot open.
    void refuseStart(Session::OpenResult why);
    // The tray, the roster window and the adapter between them and the engine; then what each
    // asks of the others and of the program.
    void makeWindows();
    void connectWindows();
    void onStartup();
    // First start without an own call: the hint, and the settings at their first page.
    void askForTheOwnCall();
    // "History speichern" switches the history store; a stored language switches the windows.
    void followSettings();
    // Rows go only by the delete command: the stations' histories go with them.
    void forgetHistories(int first, int last);
    // The channel monitor, made when first asked for; one window, raised when open.
    void showMonitor();
    // The notifications: the engine's through the adapter, the TNCs', and their actions.
    void connectNotices();
    // A notification's "Öffnen": the station's messages, else the roster window; with the
    // desktop's activation token, which Wayland wants for the window to come to the front.
    void openFromNotice(const QString& call, const QString& token);
    void replyFromNotice(const QString& call, const QString& text);
    // Shows the roster window, with the desktop's activation token when one came.
    void showWithToken(const QString& token);
    void useActivationToken(const QString& token);
    // The monitor, the link watch and the TNC search stop, before the driver is left.
    void stopAskingTheDriver();
    void finish();

    Options options_;
    UiExecutor executor_;
    Session session_;
    SingleInstance instance_;
    dialogs::LanguageSwitch language_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<DialogWindows> dialogs_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<StationAdapter> adapter_;
    std::unique_ptr<HistoryStore> history_;
    std::unique_ptr<LinkWatch> linkWatch_;
    std::unique_ptr<MonitorWindow> monitor_;
    std::unique_ptr<DesktopNotices> notices_;
    bool ended_ = false;
    bool ending_ = false;  // asked by a signal or the session's end; ended_ may wait for a pass
    bool quitPending_ = false;
};

// The program's own file, for the restart after a logoff.
std::filesystem::path programFile();

}  // namespace zelvo::app

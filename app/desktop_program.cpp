#include "app/desktop_program.h"

#include <QApplication>
#include <QDialog>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

#include "app/desktop_notices.h"
#include "app/dialog_windows.h"
#include "app/history_store.h"
#include "app/link_watch.h"
#include "app/link_words.h"
#include "app/main_window.h"
#include "app/monitor_window.h"
#include "app/restart_after_logoff.h"
#include "app/roster_list_model.h"
#include "app/station_adapter.h"
#include "app/tray_icon.h"
#include "dialogs/about_box.h"
#include "dialogs/message_boxes.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/splash_window.h"
#include "dialogs/ui_text.h"
#include "protocol/commands.h"

namespace zelvo::app {

namespace {

Session::Options withRelease(Session::Options options, UiExecutor& executor)
{
    options.releasePasses = [&executor] { executor.stop(); };
    return options;
}

// Closes every open modal window as Esc would, so that the event loop of each returns.
void closeModalWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
    }
}

}  // namespace

std::filesystem::path programFile()
{
    return QCoreApplication::applicationFilePath().toStdString();
}

DesktopProgram::DesktopProgram(Options options)
    : options_(std::move(options)),
      executor_(this),
      session_(withRelease(std::move(options_.session), executor_)),
      instance_(options_.instanceDirectory),
      history_(std::make_unique<HistoryStore>())
{
    history_->loadOnFirstUse(session_.roster());
    // Sees every event of the application: the session manager's quit, and the boxes that open
    // once the program ends.
    qApp->installEventFilter(this);
}

DesktopProgram::~DesktopProgram()
{
    finish();
    // The windows go before the session: they observe its roster and settings.
    monitor_.reset();
    adapter_.reset();
    notices_.reset();
    mainWindow_.reset();
    dialogs_.reset();
    tray_.reset();
}

std::optional<int> DesktopProgram::start()
{
    // A second start only asks the first to show itself; it never touches the driver.
    if (instance_.askRunningInstance())
        return 0;
    if (const auto opened = session_.open(); opened != Session::OpenResult::Opened) {
        refuseStart(opened);
        return 1;
    }
    if (instance_.claimOrRaiseRunning())
        return 0;
    clearRestart(session_.registry());
    // Every window opens in the stored language, or else in the desktop's.
    language_.apply(dialogs::chosenLanguage(session_.settings().language()));
    session_.settings().useLanguageOfFirstStart(language_.current());
    makeWindows();
    connectWindows();
    if (options_.splash) {
        auto* splash = new dialogs::SplashWindow;
        connect(splash, &dialogs::SplashWindow::aboutRequested, mainWindow_.get(),
                [this] { dialogs::AboutBox::showFor(mainWindow_.get()); });
        splash->show();
    }
    onStartup();
    return std::nullopt;
}

void DesktopProgram::makeWindows()
{
    // The windows in the program's order; the list model is attached before the roster loads,
    // so that the loaded rows grow the window.
    tray_ = std::make_unique<TrayIcon>(session_.roster());
    // The icon first: it is how the user sees that the program runs. Its request to the tray
    // host goes out now rather than after the windows are built.
    tray_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    dialogs_ = std::make_unique<DialogWindows>();
    mainWindow_ = std::make_unique<MainWindow>(session_, *dialogs_, *tray_);
    adapter_ = std::make_unique<StationAdapter>(*mainWindow_, *tray_);
    connect(&mainWindow_->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { forgetHistories(first, last); });
    mainWindow_->setCloseAsks(!QSystemTrayIcon::isSystemTrayAvailable());
}

void DesktopProgram::connectWindows()
{
    // A received or delivered text is kept as it joins the conversation.
    connect(adapter_.get(), &StationAdapter::exchanged, this, [this](const TUserEntry& entry) {
        if (!entry.rxBuffer.empty())
            adapter_->report(history_->record(entry, entry.rxBuffer.back()));
    });
    // What the history does later, once its file is no longer held, shows as its calls do.
    connect(history_.get(), &HistoryStore::problemArose, adapter_.get(), &StationAdapter::report);
    connect(history_.get(), &HistoryStore::keptLinesAdded, adapter_.get(),
            &StationAdapter::conversationUpdated);

    connect(tray_.get(), &TrayIcon::quitRequested, this, &DesktopProgram::quitClicked);
    connect(mainWindow_.get(), &MainWindow::quitRequested, this, &DesktopProgram::quitClicked);
    connect(tray_.get(), &TrayIcon::monitorRequested, this, &DesktopProgram::showMonitor);
    connect(mainWindow_.get(), &MainWindow::monitorRequested, this, &DesktopProgram::showMonitor);
    connect(&instance_, &SingleInstance::raiseRequested, this,
            [this](const QString& token) { showWithToken(token); });
    // The history is read before the roster can be edited: a row renamed first would not find
    // its kept lines under its new call.
    connect(mainWindow_.get(), &MainWindow::shown, this, [this] { adapter_->report(history_->loaded()); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &DesktopProgram::commitSession);
    // Zelvo comes back after a logoff only through its own restart entry.
    connect(qApp, &QGuiApplication::saveStateRequest, this,
            [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
}

void DesktopProgram::refuseStart(Session::OpenResult why)
{
    // The stored language may belong to another program: the desktop's it is.
    language_.apply(dialogs::languageOfEnvironment());
    platform::Problem refusal = session_.refusal();
    if (why == Session::OpenResult::NoDriver)
        refusal = platform::composedProblem(QT_TRANSLATE_NOOP(
            "Problem",
            "Der Treiber libflxapi32.so kann nicht geladen werden: Zelvo ist unvollständig installiert."));
    else if (refusal.text.empty())
        refusal = platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem",
                              "Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits "
                              "den Registrierungsordner %1. Beenden Sie es zuerst."),
            {session_.registryFolder().string()});
    platform::reportOnStandardError(refusal);
    dialogs::showError(nullptr, platform::shownText(refusal));
}

void DesktopProgram::onStartup()
{
    // A TNC that does not answer shows in the tray and the status bar, and at once when going
    // online: the watch starts before the session, which may go online as it starts.
    linkWatch_ = std::make_unique<LinkWatch>(session_.driver(), LinkWatch::kGrace, &session_.log());
    connect(linkWatch_.get(), &LinkWatch::lostLinksChanged, tray_.get(), &TrayIcon::setLinkWarnings);
    connect(linkWatch_.get(), &LinkWatch::lostLinksChanged, &mainWindow_->statusBar(),
            &StatusBar::setLinkWarnings);
    connect(adapter_.get(), &StationAdapter::wentOnline, linkWatch_.get(), &LinkWatch::goingOnline);
    connectNotices();
    linkWatch_->start();
    session_.start(*adapter_, executor_.executor());
    connect(dialogs_.get(), &DialogWindows::channelsChanged, linkWatch_.get(), &LinkWatch::start);
    connect(dialogs_.get(), &DialogWindows::messagesOpened, notices_.get(), [this](const TUserEntry& entry) {
        notices_->withdraw(messageKey(dialogs::fromAnsi(entry.call)));
    });
    dialogs_->attach({session_.station(), session_.settingsNews(), session_.sound(), *adapter_, *history_,
                      *mainWindow_, session_.driver()});
    followSettings();

    // An end asked for in one box leaves the start-up where it is.
    for (const platform::Problem& problem : session_.startProblems()) {
        if (ending_)
            return;
        adapter_->showProblem(problem);
    }
    if (ending_)
        return;

    // Without a tray the roster window is the only way in.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        mainWindow_->show();
    if (session_.settings().myCall().empty())
        askForTheOwnCall();
}

void DesktopProgram::askForTheOwnCall()
{
    // The hint stands above the panels, wrapped, where the narrow window shows it whole; it goes
    // once a call is stored.
    mainWindow_->statusBar().setHint(
        QT_TRANSLATE_NOOP("zelvo::app::StatusBar", "Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)"));
    connect(&dialogs_->settingsDialog(), &dialogs::SettingsDialog::saved, this, [this] {
        if (!session_.settings().myCall().empty())
            mainWindow_->statusBar().setHint(nullptr);
    });
    QTimer::singleShot(0, this, [this] { dialogs_->openSettingsAtFirstPage(); });
}

void DesktopProgram::followSettings()
{
    using Field = dialogs::Settings::Field;
    history_->setEnabled(session_.settings().textBuf());
    connect(&session_.settingsNews(), &dialogs::SettingsNews::changed, this, [this](Field field, auto) {
        if (field == Field::TextBuf || field == Field::All)
            history_->setEnabled(session_.settings().textBuf());
        // Only the UI thread writes the settings, so the translators change on it.
        if (field == Field::Language || field == Field::All)
            language_.apply(dialogs::chosenLanguage(session_.settings().language()));
    });
}

void DesktopProgram::forgetHistories(int first, int last)
{
    for (int row = first; row <= last; ++row)
        adapter_->report(history_->removeStation(session_.roster(), row));
}

void DesktopProgram::showMonitor()
{
    if (!monitor_)
        monitor_ = std::make_unique<MonitorWindow>(MonitorFeed::of(session_.driver()));
    monitor_->showOrActivate();
}

void DesktopProgram::connectNotices()
{
    // Without a screen there is no desktop to tell (tests run offscreen, maybe on the user's bus).
    const QString platform = QGuiApplication::platformName();
    notices_ = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")
                   ? std::make_unique<DesktopNotices>(QDBusConnection(QStringLiteral("zelvo-no-desktop")))
                   : std::make_unique<DesktopNotices>();
    adapter_->attachNotices(*notices_, session_.settings(), [this](const TUserEntry& entry) {
        return dialogs_->messagesVisible() && dialogs_->messageWindow().entry() == &entry;
    });
    connect(notices_.get(), &DesktopNotices::openRequested, this, &DesktopProgram::openFromNotice);
    connect(notices_.get(), &DesktopNotices::replyRequested, this, &DesktopProgram::replyFromNotice);
    connect(mainWindow_.get(), &MainWindow::shown, tray_.get(), &TrayIcon::clearAttention);
    // A TNC newly lost is told once; the notification goes when every TNC answers again.
    using Channels = std::vector<LinkTracker::Channel>;
    connect(linkWatch_.get(), &LinkWatch::lostLinksChanged, notices_.get(),
            [this, known = Channels()](const Channels& lost) mutable {
                Channels news;
                for (const LinkTracker::Channel& channel : lost) {
                    if (std::ranges::none_of(known, [&](auto& old) { return sameWarning(old, channel); }))
                        news.push_back(channel);
                }
                known = lost;
                if (lost.empty())
                    notices_->withdraw(kLinkKey);
                else if (!news.empty() && session_.settings().notifyLink())
                    notices_->tncLost(linkWarnings(news).join(QLatin1Char('\n')));
            });
}

void DesktopProgram::showWithToken(const QString& token)
{
    useActivationToken(token);
    mainWindow_->showOrActivate();
}

void DesktopProgram::useActivationToken(const QString& token)
{
    // Qt's Wayland plugin (6.4) hands XDG_ACTIVATION_TOKEN to the compositor at the next
    // activation of a window, and then unsets it.
    if (!token.isEmpty() && StationAdapter::onWayland())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

void DesktopProgram::openFromNotice(const QString& call, const QString& token)
{
    if (ended_)
        return;
    TUserEntry* entry = call.isEmpty() ? nullptr : session_.roster().findEntry(dialogs::toAnsi(call));
    if (entry == nullptr) {
        showWithToken(token);
        return;
    }
    if (!token.isEmpty() && StationAdapter::onWayland()) {
        useActivationToken(token);
        // Showing a window does not activate it: the message window asks with the token once
        // its own event loop runs.
        QWidget* messages = &dialogs_->messageWindow();
        QTimer::singleShot(0, messages, [messages] { messages->activateWindow(); });
    }
    // As a press on the station's row: the list shows it chosen, its messages open.
    QTreeView& view = mainWindow_->rosterView();
    const QModelIndex index =
        mainWindow_->model().index(session_.roster().indexOf(entry), RosterListModel::CallColumn);
    view.setCurrentIndex(index);
    view.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    mainWindow_->readmailClick();
}

void DesktopProgram::replyFromNotice(const QString& call, const QString& text)
{
    TUserEntry* entry = session_.roster().findEntry(dialogs::toAnsi(call));
    if (ended_ || entry == nullptr)
        return;
    // A reply typed into the notification goes out as one typed into the message window.
    executor_.whenIdle([this, call, line = dialogs::toAnsiLines(text)] {
        if (TUserEntry* target = session_.roster().findEntry(dialogs::toAnsi(call)); target && !ended_)
            protocol::queueMessage(session_.station(), *target, line, false);
    });
}

void DesktopProgram::quitClicked()
{
    if (ended_ || quitPending_)
        return;
    quitPending_ = true;
    const bool confirmed = mainWindow_->confirmQuit();
    quitPending_ = false;
    if (!confirmed)
        return;
    // A question of a receive pass may be open: the pass ends first.
    executor_.whenIdle([this] {
        if (ended_)
            return;
        // Quitting leaves the driver: nothing may be asking it then.
        stopAskingTheDriver();
        session_.quit();
        finish();
    });
}

void DesktopProgram::commitSession(QSessionManager& manager)
{
    manager.setRestartHint(QSessionManager::RestartNever);
    if (ended_ || !session_.settings().option(dialogs::Option::SysStart))
        return;
    // Nobody reads a box at the logoff: the log keeps why Zelvo will not be back.
    if (const auto problem = registerRestart(session_.registry(), programFile())) {
        session_.log().logFile(problem->text, LogKind::Error);
        std::fprintf(stderr, "zelvo: %s\n", platform::ansiToUtf8(problem->text).c_str());
    }
}

void DesktopProgram::endBySignal()
{
    if (ended_)
        return;
    ending_ = true;
    // Without a tray, closing the roster window would ask the "Beenden" question.
    if (mainWindow_)
        mainWindow_->setQuitting(true);
    closeModalWindows();
    executor_.whenIdle([this] { finish(); });
}

bool DesktopProgram::eventFilter(QObject* watched, QEvent* event)
{
    // Qt quits when the session manager ends the session; every other quit follows finish().
    if (watched == qApp && event->type() == QEvent::Quit)
        endBySignal();
    // A box that opens while the program ends (the next of the start-up, one that a closed box's
    // code opens, a receive pass's question) closes as soon as its own event loop runs.
    if ((ending_ || ended_) && event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isModal())
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void DesktopProgram::stopAskingTheDriver()
{
    if (monitor_)
        monitor_->close();
    if (linkWatch_)
        linkWatch_->stop();  // a probe of a TNC may run in the driver
    if (dialogs_)
        dialogs_->waitForProbes();  // so may a TNC search
}

void DesktopProgram::finish()
{
    if (ended_)
        return;
    ended_ = true;
    stopAskingTheDriver();
    session_.shutdown();
    disconnect(&session_.settingsNews(), nullptr, this, nullptr);
    if (mainWindow_) {
        disconnect(&mainWindow_->model(), nullptr, this, nullptr);
        mainWindow_->setQuitting(true);
    }
    emit finished();
}

}  // namespace zelvo::app

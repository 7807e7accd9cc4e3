// The program's ways to end, offscreen, over the stand-in driver library: the receive thread has
// ended before the driver is left, quitting never deadlocks, not even while a receive pass holds
// the registration question open, and the logoff ends it at any moment. And the
// first start without an own call, kept history, and an acknowledgement's road to the windows.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSessionManager>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "app/desktop_program.h"
#include "app/dialog_windows.h"
#include "app/history_store.h"
#include "app/main_window.h"
#include "app/restart_after_logoff.h"
#include "app/tray_icon.h"
#include "dialogs/channel_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"
#include "platform/reg_claim.h"
#include "protocol/commands.h"
#include "protocol/frame_format.h"
#include "tests/dialogs/window_support.h"
#include "tests/link/fake_flxapi.h"
#include "tests/support/held_database.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;

class DesktopProgramTest : public ::testing::Test {
protected:
    DesktopProgramTest()
    {
        library_ = dlopen(ZELVO_FAKE_FLXAPI, RTLD_NOW);  // keeps the counters past the program
        calls_ = static_cast<const FakeCalls*>(dlsym(library_, "fake_calls"));
    }
    ~DesktopProgramTest() override { dlclose(library_); }

    // The stand-in driver sends DL1ABC a status frame from the unknown DK7NEW at every pass.
    // Without an own call, the settings are those of a first start. The windows speak German.
    std::unique_ptr<app::DesktopProgram> start(const char* myCall, const char* options = "000000df",
                                               const char* library = ZELVO_FAKE_FLXAPI)
    {
        std::ofstream registry(dir_ / "HKCU.reg");
        registry << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n\"Sprache\"=\""
                 << language_ << "\"\r\n";
        if (myCall != nullptr)
            registry << "\"Mycall\"=\"" << myCall << "\"\r\n\"Options\"=dword:" << options
                     << "\r\n\"ShowAlias\"=dword:00000003\r\n";
        registry << "\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\r\n\"0\"=\"Bert,0,DL2BBB-3,1,1,0,"
                    ",208,218,\"\r\n"
                 << moreRegistry_;
        registry.close();
        exitsBefore_ = calls_->exit_calls;
        auto program = std::make_unique<app::DesktopProgram>(programOptions(library));
        EXPECT_EQ(program->start(), std::nullopt);
        return program;
    }

    app::DesktopProgram::Options programOptions(const std::string& library) const
    {
        app::DesktopProgram::Options o;
        o.session.registryPaths = {dir_ / "HKCU.reg", dir_ / "HKLM.reg"};
        o.session.logFile = dir_ / "Zelvo.log";
        o.session.libraryName = library;
        o.session.passInterval = passInterval_;
        o.instanceDirectory = QString::fromStdString(dir_.path().string());
        o.splash = false;
        return o;
    }
    std::string log() const { return readFile(dir_ / "Zelvo.log"); }

    // The real driver library's table names one KISS TNC on 127.0.0.1: `tnc`.
    void useTnc(const KissServer& tnc)
    {
        writeFile(dir_ / "flexnet.conf", "0 kiss-tcp 127.0.0.1:" + std::to_string(tnc.port()) + " Test\n");
        conf_.emplace("ZELVO_FLEXNET_CONF", (dir_ / "flexnet.conf").c_str());
    }

    // Runs `user` on the settings once they are the modal window, as the user would act in them.
    void inSettings(std::function<void(dialogs::SettingsDialog&)> user)
    {
        QObject::disconnect(&user_, nullptr, nullptr, nullptr);
        QObject::connect(&user_, &QTimer::timeout, [this, user] {
            if (auto* settings = qobject_cast<dialogs::SettingsDialog*>(QApplication::activeModalWidget())) {
                user_.stop();
                user(*settings);
            }
        });
        user_.start(1);
    }

    // The driver was left once, and only after the receive thread had ended.
    void expectDriverLeftAfterTheThread()
    {
        EXPECT_EQ(calls_->exit_calls, exitsBefore_ + 1);
        EXPECT_EQ(calls_->get_after_exit, 0);
    }

    TempDir dir_;
    std::string moreRegistry_;     // keys after the roster
    std::string language_ = "de";  // of the windows
    std::chrono::milliseconds passInterval_{5};
    int exitsBefore_ = 0;  // the driver's exits before the last start()
    void* library_ = nullptr;
    const FakeCalls* calls_ = nullptr;
    BoxAnswers boxes_;
    std::optional<ScopedEnv> conf_;
    QTimer user_;
};

// A start refused for the registry folder or the driver says why in the desktop's language;
// standard error keeps the German words of the log. (A folder that cannot be claimed is refused
// the same way: SessionTest.ARegistryFolderInUseOrNotClaimableIsRefusedBeforeTheDriver.)
TEST_F(DesktopProgramTest, ARefusedStartSpeaksTheDesktopsLanguageAndGermanOnStandardError)
{
    const std::string folder = dir_.path().string();
    const ScopedEnv noList("LANGUAGE", nullptr);
    std::optional<platform::RegistryClaim> other{std::in_place};
    ASSERT_EQ(other->take({dir_ / "HKCU.reg", dir_ / "HKLM.reg"}), platform::RegistryClaim::Result::Claimed);
    // Zelvo's lines on standard error (the offscreen platform has its say too) and the box.
    std::string driver = ZELVO_FAKE_FLXAPI;
    const auto refusedStart = [&](const char* locale) {
        const ScopedEnv language("LC_ALL", locale);
        boxes_.answers = {"OK"};
        boxes_.texts.clear();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(app::DesktopProgram(programOptions(driver)).start(), 1);
        const QString said = QString::fromStdString(::testing::internal::GetCapturedStderr());
        const QStringList zelvos = said.split('\n').filter(QRegularExpression("^zelvo: "));
        return std::pair(zelvos.join('\n').toStdString(), boxes_.texts.join('|').toStdString());
    };
    const std::string inUse =
        "zelvo: Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits den "
        "Registrierungsordner " +
        folder + ". Beenden Sie es zuerst.";
    EXPECT_EQ(refusedStart("en_GB.UTF-8"),
              std::pair(inUse, "Error: Another Zelvo program (zelvo or zelvo-station) is already using the "
                               "registry folder " +
                                   folder + ". Quit it first."));
    EXPECT_EQ(refusedStart("fr_FR.UTF-8"),
              std::pair(inUse, "Erreur: Un autre programme Zelvo (zelvo ou zelvo-station) utilise déjà le "
                               "dossier de registre " +
                                   folder + ". Quittez-le d'abord."));

    other.reset();
    driver = (dir_ / "libflxapi32.so").string();  // not there
    EXPECT_EQ(
        refusedStart("en_GB.UTF-8"),
        std::pair(std::string("zelvo: Der Treiber libflxapi32.so kann nicht geladen werden: Zelvo ist "
                              "unvollst\u00e4ndig installiert."),
                  std::string("Error: The driver libflxapi32.so cannot be loaded: Zelvo is not completely "
                              "installed.")));
}

// The hidden switch AutoOnline: the start's last step goes online.
const char* const kAutoOnline =
    "\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n\"QX4KLM\"=dword:00000001\r\n"
    "\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\QX4KLM]\r\n";

TEST_F(DesktopProgramTest, AutoOnlineThenBeendenAnnouncesOfflineLogsAndEndsWhileTheQuestionCanStillSayNo)
{
    moreRegistry_ = kAutoOnline;
    auto program = start("DL9TST");
    EXPECT_EQ(
        std::pair(program->session().station().online(), log().find(" Programm OnLine") != std::string::npos),
        std::pair(true, true));
    QSignalSpy finished(program.get(), &app::DesktopProgram::finished);

    boxes_.answers = {"Abbrechen"};
    program->quitClicked();
    EXPECT_FALSE(program->ended());

    boxes_.answers = {"OK"};
    program->quitClicked();
    ASSERT_TRUE(program->ended());
    EXPECT_STREQ(calls_->destination, "DL2BBB-3 0");  // the offline announcement went out last
    // Until the program is gone, menu, status bar and tray still say online.
    EXPECT_EQ(std::tuple(finished.count(), program->tray().goOnlineAction().isChecked(),
                         program->mainWindow().statusBar().panelText(0), program->tray().picture()),
              std::tuple(1, true, "Online", protocol::TrayPicture::MainIcon));
    expectDriverLeftAfterTheThread();
    EXPECT_NE(log().find(" Programm beendet\r\n"), std::string::npos);
}

TEST_F(DesktopProgramTest, QuitDuringTheRegistrationQuestionWaitsForTheAnswerAndNeverDeadlocks)
{
    auto program = start("DL1ABC");
    QSignalSpy finished(program.get(), &app::DesktopProgram::finished);
    bool quitting = false, quitAsked = false, quitWaited = false;
    // The registration question stays open while the user quits, from the event loop as a click
    // in the tray menu would come; "Nein" is clicked after the quit was asked for.
    boxes_.hold = [&](const QMessageBox& box) {
        if (quitAsked || box.text().contains("Sind sie sicher"))
            return false;
        if (!std::exchange(quitting, true))
            QTimer::singleShot(0, [&] {
                program->quitClicked();
                quitAsked = true;
                quitWaited = !program->ended();
            });
        return true;
    };
    boxes_.answers = {"OK", "Nein"};
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(quitWaited);
    EXPECT_EQ(program->session().roster().size(), 1);  // "Nein" was still heard
    expectDriverLeftAfterTheThread();
}

// The logoff: the save request, which the user can still cancel, only writes the restart entry
// (with "mit Windows starten" on); the program ends when Qt quits at the end of the session.
TEST_F(DesktopProgramTest, LogoffWritesOnlyTheRestartEntryAndTheSessionsEndEndsTheProgram)
{
    auto& manager = *qApp->findChild<QSessionManager*>();
    for (const bool sysStart : {true, false}) {
        auto program = start("DL9TST", sysStart ? "000000df" : "000000cf");
        manager.setRestartHint(QSessionManager::RestartIfRunning);
        emit qApp->commitDataRequest(manager);
        EXPECT_FALSE(program->ended());
        EXPECT_EQ(manager.restartHint(), QSessionManager::RestartNever);  // only the entry restarts
        EXPECT_EQ(std::filesystem::exists(app::autostartEntryPath()), sysStart);

        QTimer::singleShot(0, [] {  // what Qt does when the session manager ends the session
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        });
        QApplication::exec();
        ASSERT_TRUE(program->ended());
        expectDriverLeftAfterTheThread();
        EXPECT_EQ(log().find("beendet"), std::string::npos);
        program.reset();
        std::filesystem::remove(app::autostartEntryPath());
    }
}

// The history's header line (time of day and call) that stands above `text`, and its colour.
std::pair<QString, QColor> headerAbove(const QTextEdit& history, const QString& text)
{
    for (QTextBlock block = history.document()->firstBlock().next(); block.isValid(); block = block.next()) {
        if (block.text() == text) {
            const QTextBlock header = block.previous();
            return {header.text(), header.begin().fragment().charFormat().foreground().color()};
        }
    }
    return {};
}

// The kept lines of an earlier run begin the conversation, also from a history file another
// program holds at the start: they come once it is free, and the open message window shows them.
// One acknowledgement through the program: the real driver library hears it from a KISS TNC on
// 127.0.0.1, and it ends as the blue line of the message window and as a line of the history.
TEST_F(DesktopProgramTest, KeptLinesOfAHeldHistoryComeFirstAndAnAckOnTheAirIsItsBlueLineAndKept)
{
    KissServer tnc;
    useTnc(tnc);
    // The default history is the test program's own, never the user's; an earlier run kept a line.
    const auto file = app::HistoryStore::defaultPath();
    ASSERT_TRUE(file.string().starts_with(std::filesystem::temp_directory_path().string()));
    std::filesystem::remove_all(file.parent_path());
    app::Roster kept;
    app::TUserEntry& keptBert = kept.addEntry("", "0", "DL2BBB-3", true, true);
    {
        app::HistoryStore store;
        ASSERT_EQ(store.load(kept), std::nullopt);
        ASSERT_EQ(store.record(keptBert, "R12:00:00 Hallo"), std::nullopt);
    }
    HeldDatabase holder(file, true);
    auto program = start("DL9TST", "000000df", ZELVO_FLXAPI);
    ASSERT_TRUE(tnc.accept());

    // Read when first needed, while the file is held; a text waits for Bert's acknowledgement.
    app::TUserEntry& bert = program->session().roster().at(0);
    program->dialogs().prepareMessages(bert);
    bert.txBuffer.push_back("Hallo Bert");
    dialogs::MessageWindow& window = program->dialogs().messageWindow();
    window.openFor(bert);
    window.show();
    const auto& history = child<QTextEdit>(window, "RichRX");
    EXPECT_TRUE(bert.rxBuffer.empty());
    holder.letGo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bert.rxBuffer.empty(); }, 15000));
    EXPECT_EQ(bert.rxBuffer, std::vector<std::string>{"R12:00:00 Hallo"});
    EXPECT_TRUE(history.toPlainText().startsWith("12:00:00 DL2BBB")) << history.toPlainText().toStdString();
    ASSERT_EQ(headerAbove(history, "Hallo Bert").first, "DL9TST");  // waiting: no time yet

    tnc.send_frame(ui_frame("DL2BBB-3", "DL9TST", 208, ""));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bert.txBuffer.empty(); }, 15000));
    const auto [header, colour] = headerAbove(history, "Hallo Bert");
    EXPECT_TRUE(header.endsWith(" DL9TST") && header.size() > 7 && colour == QColor(0, 0, 255))
        << header.toStdString();

    keptBert.rxBuffer.clear();
    ASSERT_EQ(app::HistoryStore().load(kept), std::nullopt);
    EXPECT_EQ(keptBert.rxBuffer, (std::vector<std::string>{"R12:00:00 Hallo", bert.rxBuffer.back()}));
    EXPECT_TRUE(keptBert.rxBuffer[1].starts_with('T') && keptBert.rxBuffer[1].ends_with(" Hallo Bert"));

    // Deleted, the station takes its kept lines along.
    protocol::deleteEntry(program->session().station(), bert);
    keptBert.rxBuffer.clear();
    ASSERT_EQ(app::HistoryStore().load(kept), std::nullopt);
    EXPECT_TRUE(keptBert.rxBuffer.empty());
}

// Whether the first start's hint shows in the status bar of `window`, and whether it can be read
// whole there.
std::pair<bool, bool> firstStartHint(app::MainWindow& window)
{
    const QString hint = "Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)";
    for (const QLabel* label : window.statusBar().findChildren<QLabel*>()) {
        if (label->isVisible() && label->text() == hint) {
            const QRect room = label->contentsRect();
            const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
            const QRect needed =
                label->fontMetrics().boundingRect(room, int(label->alignment()) | wrap, hint);
            return {true, !needed.isEmpty() && room.contains(needed)};
        }
    }
    return {false, false};
}

// Whatever the windows speak, the air hears the same bytes. Two first starts with German windows
// stored; in the settings that open by themselves (the hint in the 187-pixel window meanwhile
// readable whole, and gone once a call is stored) the user chooses German, then English, and
// every window switches at once. Then online, away with the default away text, a poll, the
// //INfo query (without an info text: the own call alone), and a message.
TEST_F(DesktopProgramTest, TheAirHearsTheSameBytesWhateverLanguageIsChosen)
{
    passInterval_ = std::chrono::milliseconds(50);  // no repetition within 1.5 s
    std::vector<std::string> heard[2];
    std::string titles[2];
    std::tuple<bool, bool, int> hintAtStart[2];  // shown, whole, the window's width
    for (const int run : {0, 1}) {
        KissServer tnc;
        useTnc(tnc);
        auto program = start(nullptr, "", ZELVO_FLXAPI);
        ASSERT_TRUE(tnc.accept());
        inSettings([&](dialogs::SettingsDialog& settings) {
            hintAtStart[run] = std::tuple_cat(firstStartHint(program->mainWindow()),
                                              std::tuple(program->mainWindow().width()));
            child<QListWidget>(settings, "ListSprache").setCurrentRow(run);  // Deutsch, English
            child<QPushButton>(settings, "BtnSprache").click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            titles[run] = settings.windowTitle().toStdString();
            QTest::keyClicks(&child<QLineEdit>(settings, "EditMyCall"), "DL9TST");
            child<QPushButton>(settings, "BtnOK").click();
        });

        ASSERT_TRUE(
            QTest::qWaitFor([&] { return program->session().settings().myCall() == "DL9TST"; }, 10000));
        EXPECT_FALSE(firstStartHint(program->mainWindow()).first);

        // Bert's Zelvo answers a status request and acknowledges every message.
        std::size_t served = 0;
        const auto partner = [&] {
            const auto& frames = tnc.wait_frames(served + 1, std::chrono::milliseconds(0));
            for (ax25::Frame f; served < frames.size(); ++served) {
                const bool ui = ax25::decodeUiFrame(frames[served].data, f) == ax25::DecodeError::None;
                if (ui && f.pid == protocol::PID_STATUS && f.info.ends_with(protocol::MARK_ANSWER_WANTED))
                    tnc.send_frame(ui_frame("DL2BBB-3", "DL9TST", f.pid, "[Bert]\x19"));
                else if (ui && protocol::isMessagePid(f.pid) && !f.info.empty())
                    tnc.send_frame(ui_frame("DL2BBB-3", "DL9TST", f.pid, ""));
            }
            return served;
        };
        app::TUserEntry& bert = program->session().roster().at(0);
        // A step ends when the air has heard `frames` more, and Bert is online and has every text.
        const auto step = [&](const std::function<void()>& action, std::size_t frames) {
            const std::size_t until = served + frames;
            action();
            return QTest::qWaitFor(
                [&] {
                    return partner() >= until && bert.txBuffer.empty() &&
                           bert.state < app::TStationState::Offline;
                },
                10000);
        };
        const auto fromBert = [&](int pid, const char* info) {
            tnc.send_frame(ui_frame("DL2BBB-3", "DL9TST", pid, info));
        };
        ASSERT_TRUE(step([&] { program->mainWindow().goOnlineClick(); }, 1));
        ASSERT_TRUE(step([&] { program->mainWindow().awaySwitchClick(); }, 1));
        ASSERT_TRUE(step([&] { fromBert(protocol::PID_POLL, ""); }, 1));
        ASSERT_TRUE(step([&] { fromBert(protocol::PID_MESSAGE_BASE, "//INfo"); }, 2));  // the ack, the answer
        ASSERT_TRUE(step(
            [&] { protocol::queueMessage(program->session().station(), bert, "Hallo Bert", false); }, 1));
        for (const auto& frame : tnc.wait_frames(0, std::chrono::milliseconds(0)))
            heard[run].push_back(frame.data);
    }
    EXPECT_EQ(std::tuple(titles[0], titles[1]), std::tuple("Einstellungen", "Settings"));
    EXPECT_EQ(hintAtStart[0], std::tuple(true, true, 187));
    EXPECT_EQ(hintAtStart[1], hintAtStart[0]);
    EXPECT_EQ(heard[1], heard[0]);
    const std::string air = std::accumulate(heard[0].begin(), heard[0].end(), std::string());
    EXPECT_TRUE(air.find("Bin gerade nicht da") != std::string::npos &&
                air.find("Call  : DL9TST") != std::string::npos);
}

// A first start in French stores the French away text with the first OK.
TEST_F(DesktopProgramTest, AFirstStartInFrenchStoresTheFrenchAwayText)
{
    language_ = "fr";
    writeFile(dir_ / "flexnet.conf", "0 kiss-tcp 127.0.0.1:9 Test\n");
    conf_.emplace("ZELVO_FLEXNET_CONF", (dir_ / "flexnet.conf").c_str());
    auto program = start(nullptr, "", ZELVO_FLXAPI);
    inSettings([&](dialogs::SettingsDialog& settings) {
        QTest::keyClicks(&child<QLineEdit>(settings, "EditMyCall"), "DL9TST");
        child<QPushButton>(settings, "BtnOK").click();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return program->session().settings().myCall() == "DL9TST"; }, 10000));
    EXPECT_EQ(platform::Registry({dir_ / "HKCU.reg", dir_ / "HKLM.reg"})
                  .readString(platform::RegRoot::CurrentUser, "\\Software\\Varkel\\Zelvo", "Awaytext"),
              "Absent pour le moment");
}

// Going online while the TNC is known not to answer says so at once, where the operator looks: the
// tray's badge and tip, the status bar, the log; and the TNC that comes back clears them again.
TEST_F(DesktopProgramTest, GoingOnlineWithoutATncSaysSoAtOnceAndTheLogHasTheTncLostAndBack)
{
    KissServer tnc(/*listen_now=*/false);  // refused
    useTnc(tnc);
    auto program = start("DL9TST", "000000df", ZELVO_FLXAPI);
    link::FlexApi& driver = program->session().driver();
    // Without the event loop, so that the watch's grace cannot have passed on its timer.
    ASSERT_TRUE(wait_until([&] { return driver.linkState(0).value_or(FlxLinkState{}).error != 0; }));
    app::StatusBar& bar = program->mainWindow().statusBar();
    ASSERT_EQ(std::pair(bar.panelText(1) == "TNC nicht erreichbar", program->tray().showsTncLost()),
              std::pair(false, false));

    program->mainWindow().goOnlineClick();
    const QString warning = "Kanal 0 „Test“: TNC 127.0.0.1:" + QString::number(tnc.port()) +
                            " nicht erreichbar (Verbindung abgelehnt). Läuft Direwolf? KISSPORT?";
    EXPECT_EQ(std::tuple(bar.panelText(1), program->tray().toolTip(), program->tray().showsTncLost()),
              std::tuple(QString("TNC nicht erreichbar"), "Zelvo Online\n" + warning, true));
    EXPECT_TRUE(bar.panelToolTip(1).startsWith(warning));

    tnc.listen();
    ASSERT_TRUE(tnc.accept());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !program->tray().showsTncLost(); }, 15000));
    EXPECT_EQ(program->tray().toolTip(), "Zelvo Online");
    const std::string written = log();
    const auto lost =
        written.find(" TNC weg: Kanal 0 \x84Test\x93: TNC 127.0.0.1:" + std::to_string(tnc.port()) +
                     " nicht erreichbar (Verbindung abgelehnt).\r\n");
    EXPECT_TRUE(lost != std::string::npos &&
                written.find(" TNC da : Kanal 0 \x84Test\x93", lost) != std::string::npos)
        << written;

    // A table the channel dialog changed is watched anew: its channel, named as it now is.
    KissServer refusing(/*listen_now=*/false);
    writeFile(dir_ / "flexnet.conf", "0 kiss-tcp 127.0.0.1:" + std::to_string(refusing.port()) + " Neu\n");
    ASSERT_TRUE(driver.reload());
    emit program->dialogs().channelDialog().channelsChanged();
    EXPECT_TRUE(QTest::qWaitFor([&] { return program->tray().toolTip().contains("Kanal 0 „Neu“"); }, 15000))
        << program->tray().toolTip().toStdString();
}

}  // namespace

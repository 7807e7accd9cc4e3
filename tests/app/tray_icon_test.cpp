// The tray icon's pictures, tips and menu item, its clicks, and what the engine's user interface
// does to the windows.
#include <fstream>

#include "app/activity_log.h"
#include "app/link_words.h"
#include "app/pictures.h"
#include "platform/ansi.h"
#include "protocol/status.h"
#include "tests/app/windows_fixture.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using protocol::TrayPicture;

using TrayTest = WindowsTest;

// The tips of the pictures: the test of a TNC that does not answer.
TEST_F(TrayTest, RecomputedPictureFollowsUnreadAndTheOwnState)
{
    EXPECT_EQ(std::pair(tray.picture(), tray.toolTip()),
              std::pair(TrayPicture::SelfOff, QString("Zelvo 0.9")));
    app::TUserEntry& entry = add("DL1AAA", S::Offline);
    for (const auto& [unread, online, picture] : {std::tuple{true, false, TrayPicture::NewMail},
                                                  {false, false, TrayPicture::SelfOff},
                                                  {false, true, TrayPicture::MainIcon}}) {
        entry.unread = unread;
        tray.setOnline(online);
        tray.setPicture(TrayPicture::Recompute);
        EXPECT_EQ(tray.picture(), picture) << unread << online;
    }
    EXPECT_EQ(tray.toolTip(), "Zelvo Online");
}

// The menu unfolds from the bottom: "go &Online" (the default, its text and check following the
// own state), "&Stationsliste", "&Monitor", "&Einstellungen", a separator, "&Beenden", each
// running its command.
TEST_F(TrayTest, MenuItemsInTheirOrderRunTheirCommands)
{
    const QList<QAction*> items = tray.menu().actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_EQ(std::pair(items[0], tray.menu().defaultAction()), std::pair(&tray.goOnlineAction(), items[0]));
    EXPECT_EQ(std::tuple(items[1]->text(), items[2]->text(), items[3]->text(), items[5]->text()),
              std::tuple(QString("&Stationsliste"), QString("&Monitor"), QString("&Einstellungen"),
                         QString("&Beenden")));

    // Its refusal with an empty roster: Transcript.AWholeExchangePrintsAndLogsWhatItAlwaysHas.
    QAction& item = tray.goOnlineAction();
    window.awaySwitchClick();
    EXPECT_EQ(std::pair(item.text(), item.isChecked()), std::pair(QString("go &Online"), false));
    add("DL1AAA");
    item.trigger();
    EXPECT_EQ(std::pair(item.text(), item.isChecked()), std::pair(QString("go OffLine"), true));
    window.awaySwitchClick();
    item.trigger();
    EXPECT_EQ(std::pair(item.text(), item.isChecked()), std::pair(QString("go OnLine"), false));
    EXPECT_EQ(status(0), "Offline");

    // Its keys S, M and B on a real desktop: Desktop.KeyboardOnly, Desktop.Monitor, and every
    // desktop test's end.
    items[3]->trigger();
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"settings"});
}

TEST_F(TrayTest, ClicksShowTheWindowOrReadTheFirstOnlineUnreadStation)
{
    // A click on the shown window leaves it shown: Desktop.TrayProgramEndToEnd.
    tray.activate(QSystemTrayIcon::Trigger);
    tray.activate(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());

    add("DL1AAA", S::AwayUnread).unread = true;
    add("DL1BBB", S::OnlineUnread).unread = true;
    tray.setPicture(TrayPicture::UserOn);
    tray.activate(QSystemTrayIcon::Context);
    EXPECT_EQ(tray.picture(), TrayPicture::NewMail);
    tray.activate(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"open DL1BBB", "prepare DL1BBB"}));
}

TEST_F(TrayTest, EngineReachesTheUserThroughTheWindows)
{
    boxes.answers = {"Ja", "Nein", "OK", "OK"};
    EXPECT_TRUE(adapter.askRegistration("DL9XYZ"));
    EXPECT_FALSE(adapter.askRegistration("DL9XYZ"));
    adapter.showError({protocol::StatusKind::ReceiveFault, "Fehler beim Holen der Daten f\xFCr 'Options'"});
    window.show();
    adapter.showError({protocol::StatusKind::EmptyRoster});
    const QString question =
        "Bestätigung: Ein nicht registrierter User versucht sich anzumelden. Registrieren ? / DL9XYZ";
    EXPECT_EQ(
        boxes.texts,
        QStringList({question, question,
                     "Fehler: Fehler im Empfangsdurchlauf: Fehler beim Holen der Daten für 'Options'",
                     "Fehler: Kein User in der Liste, Anmeldung nicht möglich! Erstellen sie zuerst einen "
                     "Eintrag (ALT-R)."}));
    EXPECT_EQ(boxes.owners, QList<QWidget*>({nullptr, nullptr, nullptr, &window}));
    EXPECT_EQ(boxes.onTop, QList<bool>({true, true, true, false}));
}

// While online, a TNC that does not answer marks the picture, whichever the engine shows, and is
// the tip of an event picture; offline, or once every TNC answers again, the plain picture is
// back. In the status bar it covers the engine's message until it answers. (The tip of the main
// picture: DesktopProgramTest's test of going online without a TNC.)
TEST_F(TrayTest, ATncThatDoesNotAnswerMarksThePictureWhileOnlineAndCoversTheStatusMessage)
{
    const auto shows = [this](TrayPicture kind, bool tncLost) {
        return tray.showsTncLost() == tncLost &&
               tray.shownIcon().pixmap(16).toImage() == app::trayPicture(kind, tncLost).pixmap(16).toImage();
    };
    const std::vector<app::LinkTracker::Channel> down{{{0, "", "127.0.0.1:8001", ""}, {}, true},
                                                      {{3, "", "/dev/ttyUSB0 9600", ""}, {}, true}};
    tray.setLinkWarnings(down);
    tray.setPicture(TrayPicture::SelfOff);
    EXPECT_TRUE(shows(TrayPicture::SelfOff, false));  // offline nothing goes on the air
    tray.setOnline(true);
    tray.setPicture(TrayPicture::MainIcon);
    EXPECT_TRUE(shows(TrayPicture::MainIcon, true));
    tray.setPicture(TrayPicture::UserOn);
    EXPECT_TRUE(shows(TrayPicture::UserOn, true));
    EXPECT_EQ(tray.toolTip(), app::linkWarnings(down).join('\n'));  // an event picture has no tip of its own
    tray.setLinkWarnings({});
    EXPECT_TRUE(shows(TrayPicture::UserOn, false));
    tray.setLinkWarnings(down);
    tray.setOnline(false);
    EXPECT_TRUE(shows(TrayPicture::UserOn, false));
    tray.setLinkWarnings({});
    tray.setPicture(TrayPicture::SelfOff);
    EXPECT_EQ(tray.toolTip(), "Zelvo Offline");

    app::StatusBar& bar = window.statusBar();
    bar.setLinkWarnings(down);
    bar.setMessage({protocol::StatusKind::TransmissionError});  // the engine's, while the link is down
    EXPECT_EQ(std::pair(status(1), bar.panelToolTip(1)),
              std::pair(QString("TNC nicht erreichbar"),
                        app::linkWarnings(down).join('\n') + "\nÜbertragungsfehler"));
    bar.setLinkWarnings({});
    EXPECT_EQ(std::pair(status(1), bar.panelToolTip(1)), std::pair(QString("Übertragungsfehler"), QString()));
}

// Every status the engine reports has a German sentence, which the German windows show as the log
// writes it, and an English and a French one with the alias filled in; the panel words what it
// holds anew at each switch, fits every short status of English and French, and shows a longer
// text whole in its tool tip. A store's problem shows in the language of the windows with its file name.
TEST_F(TrayTest, StatusesAndStoreProblemsShowInTheLanguageOfTheWindows)
{
    using protocol::StatusKind;
    for (int kind = 1; kind < protocol::kStatusKindCount; ++kind) {
        const protocol::Status shown{static_cast<StatusKind>(kind), "N\xF6rd"};
        if (shown.kind == StatusKind::StoreProblem)
            continue;
        const bool named =
            std::string_view(protocol::statusFormat(shown.kind)).find("%1") != std::string::npos;
        const QString german = platform::fromAnsi(protocol::statusText(shown));
        switchTo("de");
        adapter.showStatus(shown);
        EXPECT_EQ(status(1), german) << kind;
        EXPECT_FALSE(german.isEmpty()) << kind;
        for (const char* language : {"en", "fr"}) {
            switchTo(language);
            EXPECT_NE(status(1), german) << language << " " << kind;
            EXPECT_EQ(status(1).contains("Nörd"), named) << language << " " << kind;
            const QString tip = window.statusBar().panelToolTip(1);
            if (!named && shown.kind != StatusKind::EmptyRoster &&
                shown.kind != StatusKind::ReceiveFaultUnknown)
                EXPECT_EQ(tip, QString()) << language << " " << kind;  // it fits
            else
                EXPECT_TRUE(tip.isEmpty() || tip == status(1)) << language << " " << kind;
        }
    }

    const auto blocker = dir / "kein-Ordner";
    std::ofstream(blocker) << "x";
    const auto problem = app::ActivityLog(blocker / "Zelvo.log").createFile();
    ASSERT_TRUE(problem.has_value());
    adapter.report(problem);
    const QString file = QString::fromStdString((blocker / "Zelvo.log").string());
    const QString reason = QString::fromStdString(problem->arguments.at(1));  // the system's words
    EXPECT_EQ(status(1), "Le fichier journal " + file + " ne peut pas être créé (" + reason +
                             ")\u00a0; aucun journal n'est écrit.");
    EXPECT_EQ(window.statusBar().panelToolTip(1), status(1));
    switchTo("de");
    EXPECT_EQ(status(1), "Logdatei " + file + " kann nicht angelegt werden (" + reason +
                             "); es wird kein Log geschrieben.");
    EXPECT_EQ(problem->text, status(1).toStdString());  // what the log writes
}

}  // namespace

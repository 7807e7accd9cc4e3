// The tray icon's pictures, tips and menu item, its clicks, and what the engine's user interface
// does to the windows.
#include <fstream>

#include "app/activity_log.h"
#include "app/pictures.h"
#include "dialogs/language.h"
#include "tests/app/windows_fixture.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using protocol::TrayPicture;

class TrayTest : public WindowsTest {
protected:
    void switchTo(std::string_view code)
    {
        language.apply(code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
    dialogs::LanguageSwitch language;
};

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

    // Its refusal with an empty roster: DesktopProgramTest's AutoOnline tests.
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
    adapter.showError("Fehler beim Holen der Daten f\xFCr 'Options'");
    window.show();
    adapter.showError("x");
    const QString question =
        "Bestätigung: Ein nicht registrierter User versucht sich anzumelden. Registrieren ? / DL9XYZ";
    EXPECT_EQ(boxes.texts, QStringList({question, question,
                                        "Fehler: Fehler beim Holen der Daten für 'Options'", "Fehler: x"}));
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
    const QStringList down{"Kanal 0: TNC 127.0.0.1:8001 nicht erreichbar",
                           "Kanal 3: TNC /dev/ttyUSB0 9600 nicht erreichbar"};
    tray.setLinkWarnings(down);
    tray.setPicture(TrayPicture::SelfOff);
    EXPECT_TRUE(shows(TrayPicture::SelfOff, false));  // offline nothing goes on the air
    tray.setOnline(true);
    tray.setPicture(TrayPicture::MainIcon);
    EXPECT_TRUE(shows(TrayPicture::MainIcon, true));
    tray.setPicture(TrayPicture::UserOn);
    EXPECT_TRUE(shows(TrayPicture::UserOn, true));
    EXPECT_EQ(tray.toolTip(), down.join('\n'));  // an event picture has no tip of its own
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
    bar.setMessage("Übertragungsfehler");  // the engine's, while the link is down
    EXPECT_EQ(std::pair(status(1), bar.panelToolTip(1)),
              std::pair(QString("TNC nicht erreichbar"), down.join('\n') + "\nÜbertragungsfehler"));
    bar.setLinkWarnings({});
    EXPECT_EQ(std::pair(status(1), bar.panelToolTip(1)), std::pair(QString("Übertragungsfehler"), QString()));
}

// The engine's German texts show in the language of the windows: a known one, one composed with
// an alias, and one the table does not know, as it is; a store's problem with its file name. The
// panel words its text anew at each switch.
TEST_F(TrayTest, EngineAndStoreTextsShowInTheLanguageOfTheWindows)
{
    const struct {
        std::string engine;
        QString en, fr;
    } cases[] = {
        {"Msg eingetroffen", "Msg received", "Msg reçu"},
        {"N\xF6rd ist Away", "Nörd is away", "Nörd est absent"},
        {"etwas Neues", "etwas Neues", "etwas Neues"},
    };
    for (const auto& c : cases) {
        switchTo("en");
        adapter.showStatus(c.engine);
        EXPECT_EQ(status(1), c.en);
        switchTo("fr");
        EXPECT_EQ(status(1), c.fr);
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
    switchTo("de");
    EXPECT_EQ(status(1), "Logdatei " + file + " kann nicht angelegt werden (" + reason +
                             "); es wird kein Log geschrieben.");
    EXPECT_EQ(problem->text, status(1).toStdString());  // what the log writes
}

}  // namespace

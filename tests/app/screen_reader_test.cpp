// The roster window as a screen reader finds it: roles and names of the window, the list and the
// status bar in the language shown (with what else follows a switch of the language), the station
// menu from the keyboard, and the announcements.
#include "app/screen_reader.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/app/windows_fixture.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;

QString accessibleName(QWidget& widget)
{
    return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
}

// Each appearance of the window's announcer, with what it said.
struct Heard : QObject {
    QStringList texts;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            texts << static_cast<QWidget*>(watched)->accessibleName();
        return false;
    }
};

class ScreenReaderTest : public WindowsTest {
protected:
    ScreenReaderTest()
    {
        window.statusBar().findChild<app::Announcer*>()->installEventFilter(&heard);
        window.show();
    }
    QStringList heardNow()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return std::exchange(heard.texts, {});
    }
    Heard heard;
};

// The open windows follow each switch of the language. The roster window: menu, status bar panels
// and the message there (every text whole: WindowLanguagesTest), the German width kept, the away switch on panel 2
// wherever the wider panels before it put it, and the names a screen reader reads, which hears
// nothing of the switch. The tray: its menu and tip.
TEST_F(ScreenReaderTest, EveryLanguageNamesEveryPartAndTheAwaySwitchFollowsPanelTwo)
{
    add("DL1AAA", S::OnlineUnread);
    tray.setPicture(protocol::TrayPicture::MainIcon);
    tray.setLinkWarnings({{{0, "", "127.0.0.1:8001", ""}, {}, true}});  // worded anew at each switch
    app::StatusBar& bar = window.statusBar();
    const int right = window.geometry().right();
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(std::pair(frame->role(), QAccessible::queryAccessibleInterface(&bar)->role()),
              std::pair(QAccessible::Window, QAccessible::StatusBar));
    // The names of window, list, status bar and panels; the tray's first and last item and its
    // tip; after a click on the away switch, the station menu's first item and panels 1 and 2.
    const std::pair<std::string_view, QStringList> languages[] = {
        {"de",
         {"Zelvo Pre 2", "Stationsliste", "Statuszeile", "Eigener Zustand: Offline",
          "Meldung: bereit... Hilfe mit F1", "Anwesenheit: QRV", "go OffLine", "&Beenden",
          "Zelvo Online\nKanal 0: TNC 127.0.0.1:8001 nicht erreichbar.", "&Nachricht lesen\tAlt+N",
          "bereit... Hilfe mit F1", "AWAY"}},
        {"en",
         {"Zelvo Pre 2", "Station list", "Status bar", "My state: Offline", "Status: Ready... F1 for help",
          "Presence: QRV", "Go offline", "&Quit", "Zelvo online\nChannel 0: TNC 127.0.0.1:8001 unreachable.",
          "Rea&d message\tAlt+N", "Ready... F1 for help", "AWAY"}},
        {"fr",
         {"Zelvo Pre 2", "Liste des stations", "Barre d'état", "Mon état\u00a0: Hors ligne",
          "Statut\u00a0: Prêt... F1 pour l'aide", "Présence\u00a0: QRV", "Passer hors ligne", "&Quitter",
          "Zelvo en ligne\nCanal 0\u00a0: TNC 127.0.0.1:8001 injoignable.", "Lire le me&ssage\tAlt+N",
          "Prêt... F1 pour l'aide", "ABSENT"}},
    };
    for (const int n : {0, 1, 2, 0}) {
        const auto& [code, texts] = languages[n];
        heardNow();
        tray.setOnline(true);  // the away switch below tells it the own state
        switchTo(code);
        QStringList shown = {frame->text(QAccessible::Name), accessibleName(window.rosterView()),
                             accessibleName(bar)};
        for (int panel = 0; panel < 3; ++panel)
            shown << bar.panelAccessibleName(panel);
        EXPECT_EQ(heardNow(), QStringList()) << code;
        const QList<QAction*> items = tray.menu().actions();
        shown << items[0]->text() << items.back()->text() << tray.toolTip();

        window.awaySwitchClick();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        EXPECT_EQ(shown << window.stationMenu().actions().first()->text() << status(1) << status(2), texts);
        EXPECT_EQ(window.geometry().right(), right) << code;
        if (code == "de") {
            EXPECT_EQ(window.width(), app::MainWindow::kWidth);
        }
        // A release on panel 1 leaves the away state, one on panel 2 switches it.
        const QLabel* away = nullptr;
        for (const QLabel* panel : bar.findChildren<QLabel*>())
            away = panel->text() == status(2) ? panel : away;
        ASSERT_NE(away, nullptr);
        for (const auto& [x, nowAway] : {std::pair{away->x() - 2, true}, {away->x() + 2, false}}) {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, away->y() + 5));
            EXPECT_EQ(session.station().away(), nowAway) << code << x;
        }
    }
}

TEST_F(ScreenReaderTest, AnnouncesMessagesWarningsTheOwnStateAndStationsComingBack)
{
    app::TUserEntry& entry = add("DL1AAA", S::Offline);
    heardNow();
    using protocol::StatusKind;
    adapter.showStatus({StatusKind::MessageArrived});
    EXPECT_EQ(heardNow(), QStringList("Msg eingetroffen"));
    adapter.showStatus({StatusKind::MessageArrived});  // a second message is heard too
    adapter.showStatus({StatusKind::TransmissionError});
    EXPECT_EQ(heardNow(), QStringList("Msg eingetroffen. Übertragungsfehler"));

    roster().setState(entry, S::Online);
    roster().setState(entry, S::HasPolled);
    roster().setState(entry, S::Online);  // from a poll, not from gone
    EXPECT_EQ(heardNow(), QStringList("Alias DL1AAA ist Online"));
    roster().setState(entry, S::AwayUnread);
    roster().setState(entry, S::OnlineUnread);
    EXPECT_EQ(heardNow(), QStringList("Alias DL1AAA ist Online"));

    // A hidden window drops what it is told, and its last text is no news when it shows again.
    window.hide();
    adapter.showStatus({StatusKind::TransmissionError});
    EXPECT_EQ(heardNow(), QStringList());
    window.show();
    EXPECT_EQ(heardNow(), QStringList());

    adapter.ownStateChanged(true, false);
    adapter.ownStateChanged(true, true);
    EXPECT_EQ(heardNow(), QStringList("Eigener Zustand: Online. Anwesenheit: AWAY"));
    for (int twice = 0; twice < 2; ++twice)
        window.statusBar().setLinkWarnings({{{0, "", "127.0.0.1:8001", ""}, {}, true}});
    EXPECT_EQ(heardNow(), QStringList("Kanal 0: TNC 127.0.0.1:8001 nicht erreichbar."));
}

TEST_F(ScreenReaderTest, ShiftF10AndTheMenuKeyOpenTheStationMenuOfTheCurrentRow)
{
    add("DL1AAA", S::OnlineUnread);
    add("DL1BBB", S::Online);
    for (const auto& [row, key, modifiers, read] :
         {std::tuple{0, Qt::Key_F10, Qt::ShiftModifier, "&Nachricht lesen\tAlt+N"},
          {1, Qt::Key_Menu, Qt::NoModifier, "&Nachricht senden\tAlt+N"}}) {
        window.rosterView().setCurrentIndex(window.model().index(row, 0));
        QTest::keyClick(&window.rosterView(), key, modifiers);
        EXPECT_TRUE(window.stationMenu().isVisible()) << row;
        EXPECT_EQ(window.stationMenu().actions().first()->text(), read);
        const QRect current = window.rosterView().visualRect(window.rosterView().currentIndex());
        EXPECT_EQ(window.stationMenu().pos().y(),
                  window.rosterView().viewport()->mapToGlobal(current.bottomLeft()).y());
        window.stationMenu().hide();
    }
}

}  // namespace

// The roster window as a screen reader finds it: roles and names of the window, the list and the
// status bar in the language shown, the station menu from the keyboard, and the announcements.
#include "app/screen_reader.h"

#include <QAccessible>
#include <QTest>

#include "dialogs/language.h"
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

TEST_F(ScreenReaderTest, WindowListAndPanelsAreNamedInTheLanguageShown)
{
    dialogs::LanguageSwitch language;
    add("DL1AAA");
    heardNow();
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window.statusBar())->role(), QAccessible::StatusBar);
    const struct {
        std::string_view code;
        QStringList names;
    } languages[] = {
        {"de",
         {"Zelvo Pre 2", "Stationsliste", "Statuszeile", "Eigener Zustand: Offline",
          "Meldung: bereit... Hilfe mit F1", "Anwesenheit: QRV"}},
        {"en",
         {"Zelvo Pre 2", "Station list", "Status bar", "Own state: Offline", "Message: Ready... F1 for help",
          "Presence: QRV"}},
        {"fr",
         {"Zelvo Pre 2", "Liste des stations", "Barre d'état", "État propre : Hors ligne",
          "Message : Prêt... F1 pour l'aide", "Présence : QRV"}},
    };
    for (const auto& l : languages) {
        language.apply(l.code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QStringList names = {frame->text(QAccessible::Name), accessibleName(window.rosterView()),
                             accessibleName(window.statusBar())};
        for (int panel = 0; panel < 3; ++panel)
            names << window.statusBar().panelAccessibleName(panel);
        EXPECT_EQ(names, l.names) << l.code;
    }
    EXPECT_EQ(heardNow(), QStringList());  // a switch of the language says nothing
}

TEST_F(ScreenReaderTest, AnnouncesMessagesWarningsTheOwnStateAndStationsComingBack)
{
    app::TUserEntry& entry = add("DL1AAA", S::Offline);
    heardNow();
    adapter.showStatus("Msg eingetroffen");
    EXPECT_EQ(heardNow(), QStringList("Msg eingetroffen"));
    adapter.showStatus("Msg eingetroffen");  // a second message is heard too
    adapter.showStatus("\xDC"
                       "bertragungsfehler");
    EXPECT_EQ(heardNow(), QStringList("Msg eingetroffen. Übertragungsfehler"));

    roster().setState(entry, S::Online);
    roster().setState(entry, S::HasPolled);
    roster().setState(entry, S::Online);  // from a poll, not from gone
    EXPECT_EQ(heardNow(), QStringList("Alias DL1AAA ist Online"));
    roster().setState(entry, S::AwayUnread);
    roster().setState(entry, S::OnlineUnread);
    EXPECT_EQ(heardNow(), QStringList("Alias DL1AAA ist Online"));

    adapter.ownStateChanged(true, false);
    adapter.ownStateChanged(true, true);
    EXPECT_EQ(heardNow(), QStringList("Eigener Zustand: Online. Anwesenheit: AWAY"));
    window.statusBar().setLinkWarnings({"Kanal 0: TNC 127.0.0.1:8001 nicht erreichbar"});
    window.statusBar().setLinkWarnings({"Kanal 0: TNC 127.0.0.1:8001 nicht erreichbar"});
    EXPECT_EQ(heardNow(), QStringList("Kanal 0: TNC 127.0.0.1:8001 nicht erreichbar"));
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

// The roster window's commands: captions, the key table, the mouse on list and status bar, the
// read, delete and create rules, display modes and sizes.
#include <QHeaderView>
#include <QTest>

#include "tests/app/windows_fixture.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using Strings = std::vector<std::string>;

class MainWindowTest : public WindowsTest {
protected:
    QPoint rowCenter(int row)
    {
        return window.rosterView().visualRect(window.model().index(row, 0)).center();
    }
    void selectRow(int row) { window.rosterView().setCurrentIndex(window.model().index(row, 0)); }
    // Sends a key to the list; true when something took it.
    bool key(int code, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent press(QEvent::KeyPress, code, modifiers);
        QApplication::sendEvent(&window.rosterView(), &press);
        return press.isAccepted();
    }
};

TEST_F(MainWindowTest, StartsHiddenWithItsCaptions)
{
    EXPECT_EQ(window.windowTitle(), "Zelvo Pre 2");
    EXPECT_TRUE(window.windowFlags().testFlags(Qt::Tool | Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(187, 165));
    EXPECT_EQ(QStringList({status(0), status(1), status(2)}),
              QStringList({"Offline", "bereit... Hilfe mit F1", "QRV"}));
    QStringList captions;
    for (const QAction* action : window.stationMenu().actions())
        captions << action->text();
    EXPECT_EQ(captions, QStringList({"&Nachricht lesen\tAlt+N", "", "Eintrag e&rstellen\tAlt+R",
                                     "Eintrag &bearbeiten\tAlt+B", "Eintrag &löschen\tAlt+L", "",
                                     "User &pollen\tAlt+P", "&Einstellungen\tAlt+E"}));
}

TEST_F(MainWindowTest, KeyTableRunsCommandsAndUsesUpWhatItHandles)
{
    add("DL1AAA", S::Online);
    selectRow(0);
    window.show();
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        Strings calls;
        bool taken;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, {"open DL1AAA", "prepare DL1AAA"}, true},
        {Qt::Key_Enter, Qt::KeypadModifier, {"open DL1AAA", "prepare DL1AAA"}, true},
        {Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier, {"help"}, true},
        {Qt::Key_N, Qt::AltModifier, {"open DL1AAA", "prepare DL1AAA"}, true},
        {Qt::Key_B, Qt::AltModifier, {"edit DL1AAA"}, true},
        {Qt::Key_E, Qt::AltModifier, {"settings"}, true},
        {Qt::Key_R, Qt::AltModifier, {"new"}, true},
        {Qt::Key_P, Qt::AltModifier, {}, true},
        {Qt::Key_N, Qt::AltModifier | Qt::ShiftModifier, {}, false},
        {Qt::Key_N, Qt::AltModifier | Qt::ControlModifier, {}, false},
        {Qt::Key_X, Qt::AltModifier, {}, false},
    };
    for (const auto& c : cases) {
        dialogs.calls.clear();
        EXPECT_EQ(key(c.key, c.modifiers), c.taken) << c.key;
        EXPECT_EQ(dialogs.calls, c.calls) << c.key;
    }
    EXPECT_EQ(status(1), "Offline nicht möglich");  // Alt+P

    EXPECT_TRUE(key(Qt::Key_O, Qt::AltModifier));
    EXPECT_TRUE(session.station().online());
    boxes.answers << "Abbrechen";
    EXPECT_TRUE(key(Qt::Key_L, Qt::AltModifier));
    EXPECT_EQ(boxes.texts, QStringList("Bestätigung: DL1AAA wirklich löschen ?"));

    dialogs.visible = true;
    EXPECT_TRUE(key(Qt::Key_Return, Qt::AltModifier));
    EXPECT_FALSE(window.stationMenu().isVisible());
    dialogs.visible = false;
    EXPECT_TRUE(key(Qt::Key_Return, Qt::AltModifier));
    EXPECT_TRUE(window.stationMenu().isVisible());
    window.stationMenu().hide();
    EXPECT_TRUE(key(Qt::Key_F4, Qt::AltModifier));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, StatusBarSwitchesAwayBetween140And200AndOnlineOnDoubleClick)
{
    app::StatusBar& bar = window.statusBar();
    for (const auto& [x, away] : {std::pair{139, false}, {140, true}, {200, false}, {201, false}}) {
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, 5));
        EXPECT_EQ(session.station().away(), away) << x;
        EXPECT_EQ(status(2), away ? "AWAY" : "QRV") << x;
        EXPECT_EQ(bar.awayBevel(), away ? QFrame::Raised : QFrame::Sunken) << x;
    }
    add("DL1AAA");
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_TRUE(session.station().online());
    EXPECT_EQ(status(0), "Online");
}

TEST_F(MainWindowTest, PressOnRowShowsItsStateAndOffersReadOrSend)
{
    window.show();
    const std::tuple<S, QString, QString> cases[] = {
        {S::Online, "User ist Online", "&Nachricht senden\tAlt+N"},
        {S::OnlineUnread, "Msg eingetroffen", "&Nachricht lesen\tAlt+N"},
        {S::HasPolled, "User hat gepollt", "&Nachricht senden\tAlt+N"},
        {S::Sending, "Nachricht geht raus", "&Nachricht senden\tAlt+N"},
        {S::Away, "User ist Away", "&Nachricht senden\tAlt+N"},
        {S::AwayUnread, "(unchanged)", "&Nachricht senden\tAlt+N"},
        {S::Offline, "User ist Offline", "&Nachricht senden\tAlt+N"},
        {S::OfflineUnread, "(unchanged)", "&Nachricht senden\tAlt+N"},
    };
    for (const auto& [state, text, caption] : cases) {
        roster().clear();
        add("DL1AAA", state);
        window.statusBar().setMessage("(unchanged)");
        QTest::mousePress(window.rosterView().viewport(), Qt::RightButton, {}, rowCenter(0));
        EXPECT_EQ(status(1), text) << static_cast<int>(state);
        EXPECT_EQ(window.stationMenu().actions().first()->text(), caption) << static_cast<int>(state);
        EXPECT_TRUE(window.stationMenu().isVisible());
        window.stationMenu().hide();
    }
}

TEST_F(MainWindowTest, DoubleClickReadsPollsOrDoesNothingByState)
{
    window.show();
    for (int state = 0; state < 8; ++state) {
        roster().clear();
        add("DL1AAA", static_cast<S>(state));
        dialogs.calls.clear();
        // A real double click starts with a press; QTest sends the double click alone.
        QTest::mouseClick(window.rosterView().viewport(), Qt::LeftButton, {}, rowCenter(0));
        window.statusBar().setMessage({});
        QTest::mouseDClick(window.rosterView().viewport(), Qt::LeftButton, {}, rowCenter(0));
        const bool reads = state != 3 && state != 6;
        EXPECT_EQ(dialogs.calls, reads ? Strings({"open DL1AAA", "prepare DL1AAA"}) : Strings()) << state;
        EXPECT_EQ(status(1), state == 6 ? "Offline nicht möglich" : "") << state;
    }
}

TEST_F(MainWindowTest, ReadingLeavesOfflineAwayOrOnlineAndTheOwnTrayPicture)
{
    const S after[] = {S::Online, S::Online, S::Online, S::Online, S::Away, S::Away, S::Offline, S::Offline};
    app::TUserEntry& entry = add("DL1AAA");
    selectRow(0);
    for (int state = 0; state < 8; ++state) {
        roster().setState(entry, static_cast<S>(state));
        tray.setPicture(protocol::TrayPicture::UserOn);
        window.readmailClick();
        EXPECT_EQ(entry.state, after[state]) << state;
        EXPECT_EQ(tray.picture(), protocol::TrayPicture::SelfOff) << state;
    }
    window.goOnlineClick();
    window.readmailClick();
    EXPECT_EQ(tray.picture(), protocol::TrayPicture::MainIcon);
}

TEST_F(MainWindowTest, DeleteAsksAgainWhenBuffersHoldTexts)
{
    const QString first = "Bestätigung: DL1AAA wirklich löschen ?";
    const QString second = "Fehler: Es sind noch Texte im Puffer. Trotzdem löschen ?";
    const struct {
        bool texts;
        QStringList answers, questions;
        bool deleted;
    } cases[] = {
        {false, {"Abbrechen"}, {first}, false},
        {false, {"OK"}, {first}, true},
        {true, {"OK", "Abbrechen"}, {first, second}, false},
        {true, {"OK", "OK"}, {first, second}, true},
    };
    for (const auto& c : cases) {
        roster().clear();
        add("DL1AAA").rxBuffer = c.texts ? Strings{"12:00 hallo"} : Strings{};
        selectRow(0);
        boxes.answers = c.answers;
        boxes.texts.clear();
        window.deleteEntryClick();
        EXPECT_EQ(boxes.texts, c.questions);
        EXPECT_EQ(roster().size(), c.deleted ? 0 : 1);
    }
}

TEST_F(MainWindowTest, CreateStopsAt31AndPollWithoutSelectionShowsReady)
{
    for (int i = 0; i < 30; ++i)
        add("DL" + std::to_string(i));
    window.newEntryClick();
    EXPECT_EQ(dialogs.calls, Strings{"new"});
    add("DL30");
    boxes.answers << "OK";
    window.newEntryClick();
    EXPECT_EQ(boxes.texts,
              QStringList(QApplication::applicationDisplayName() + ": Maximale Anzahl erreicht"));

    window.statusBar().setMessage({});
    window.pollClick();
    EXPECT_EQ(status(1), "bereit... Hilfe mit F1");
}

TEST_F(MainWindowTest, DisplayModesSetColumnsHeaderAndWidth)
{
    window.show();
    for (const auto& [mode, aliasShown, headerShown, width] :
         {std::tuple{1, false, false, 150}, {2, true, false, 187}, {3, true, true, 187}}) {
        session.settings().setShowAlias(mode);
        EXPECT_EQ(!window.rosterView().isColumnHidden(1), aliasShown) << mode;
        EXPECT_EQ(!window.rosterView().isHeaderHidden(), headerShown) << mode;
        EXPECT_EQ(window.width(), width) << mode;
    }
    for (int column : {2, 3, 4})
        EXPECT_TRUE(window.rosterView().isColumnHidden(column));
}

TEST_F(MainWindowTest, HeightFollowsRowsBeyondFiveAndHeaderSortsByState)
{
    for (int i = 0; i < 7; ++i)
        add("DL" + std::to_string(i), i % 2 ? S::Online : S::Offline);
    EXPECT_EQ(window.height(), 165 + 2 * 17);
    roster().remove(0);
    EXPECT_EQ(window.height(), 165 + 17);
    roster().remove(0);
    roster().remove(0);
    EXPECT_EQ(window.height(), 165);

    window.show();
    QHeaderView* header = window.rosterView().header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(1) + 5, 5));
    for (int row = 0; row < roster().size(); ++row)
        EXPECT_EQ(roster().at(row).state, row < 2 ? S::Online : S::Offline) << row;
}

TEST_F(MainWindowTest, ClosingHidesUntilTheProgramQuits)
{
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_FALSE(window.isVisible());
    window.show();
    window.setQuitting(true);
    EXPECT_TRUE(window.close());
}

}  // namespace

// The roster window's commands: the key table, the mouse on list and status bar, the
// per-state rules, delete and create, display modes and sizes.
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "tests/app/windows_fixture.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using Strings = std::vector<std::string>;
const Strings kRead = {"open DL1AAA", "prepare DL1AAA"};

class MainWindowTest : public WindowsTest {
protected:
    QWidget* list() { return window.rosterView().viewport(); }
    QPoint firstRow() { return window.rosterView().visualRect(window.model().index(0, 0)).center(); }
    // Sends a key to the list; true when something took it.
    bool key(int code, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent press(QEvent::KeyPress, code, modifiers);
        QApplication::sendEvent(&window.rosterView(), &press);
        return press.isAccepted();
    }
};

TEST_F(MainWindowTest, KeyTableRunsCommandsUsesUpWhatItHandlesAndAltF4OnlyHides)
{
    add("DL1AAA", S::Online);
    window.rosterView().setCurrentIndex(window.model().index(0, 0));
    window.show();
    QSignalSpy monitor(&window, &app::MainWindow::monitorRequested);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        Strings calls;
        bool taken;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, kRead, true},
        {Qt::Key_Enter, Qt::KeypadModifier, kRead, true},
        {Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier, {"help"}, true},
        {Qt::Key_N, Qt::AltModifier, kRead, true},
        {Qt::Key_B, Qt::AltModifier, {"edit DL1AAA"}, true},
        {Qt::Key_E, Qt::AltModifier, {"settings"}, true},
        {Qt::Key_R, Qt::AltModifier, {"new"}, true},
        {Qt::Key_P, Qt::AltModifier, {}, true},
        {Qt::Key_M, Qt::AltModifier, {}, true},
        {Qt::Key_N, Qt::AltModifier | Qt::ShiftModifier, {}, false},
        {Qt::Key_X, Qt::AltModifier, {}, false},
    };
    for (const auto& c : cases) {
        dialogs.calls.clear();
        EXPECT_EQ(key(c.key, c.modifiers), c.taken) << c.key;
        EXPECT_EQ(dialogs.calls, c.calls) << c.key;
    }
    EXPECT_EQ(std::pair(status(1), monitor.count()),
              std::pair(QString("Offline nicht möglich"), qsizetype(1)));  // Alt+P, Alt+M
    // Alt+O, and Alt+L with its question: Desktop.KeyboardOnly.
    for (const bool messagesOpen : {true, false}) {
        dialogs.visible = messagesOpen;
        EXPECT_TRUE(key(Qt::Key_Return, Qt::AltModifier));
        EXPECT_EQ(window.stationMenu().isVisible(), !messagesOpen);
    }
    window.stationMenu().hide();
    // Alt+F4 closes the window, which only hides it until the program quits.
    EXPECT_TRUE(key(Qt::Key_F4, Qt::AltModifier));
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_FALSE(window.close());  // the close is refused, the window hidden
    window.show();
    window.setQuitting(true);
    EXPECT_TRUE(window.close());
}

TEST_F(MainWindowTest, StatusBarSwitchesAwayBetween140And200AndOnlineOnDoubleClick)
{
    app::StatusBar& bar = window.statusBar();
    for (const auto& [x, away] : {std::pair{139, false}, {140, true}, {200, false}, {201, false}}) {
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, 5));
        EXPECT_EQ(session.station().away(), away) << x;
        EXPECT_EQ(std::pair(status(2), bar.awayBevel()), away ? std::pair(QString("AWAY"), QFrame::Raised)
                                                              : std::pair(QString("QRV"), QFrame::Sunken));
    }
    add("DL1AAA");
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_TRUE(session.station().online());
    EXPECT_EQ(status(0), "Online");
}

TEST_F(MainWindowTest, PressDoubleClickAndReadingByState)
{
    window.show();
    const struct {
        S state;
        QString pressText;  // "-": the panel keeps its text
        Strings doubleClick;
        S afterReading;
    } cases[] = {
        {S::Online, "User ist Online", kRead, S::Online},
        {S::OnlineUnread, "Msg eingetroffen", kRead, S::Online},
        {S::HasPolled, "User hat gepollt", kRead, S::Online},
        {S::Sending, "Nachricht geht raus", {}, S::Online},
        {S::Away, "User ist Away", kRead, S::Away},
        {S::AwayUnread, "-", kRead, S::Away},
        {S::Offline, "User ist Offline", {}, S::Offline},
        {S::OfflineUnread, "-", kRead, S::Offline},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.state);
        roster().clear();
        app::TUserEntry& entry = add("DL1AAA", c.state);
        window.statusBar().setMessage(protocol::storeProblem({"-"}));
        QTest::mousePress(list(), Qt::RightButton, {}, firstRow());
        EXPECT_EQ(status(1), c.pressText) << n;
        EXPECT_EQ(window.stationMenu().actions().first()->text(),
                  c.state == S::OnlineUnread ? "&Nachricht lesen\tAlt+N" : "&Nachricht senden\tAlt+N");
        EXPECT_TRUE(window.stationMenu().isVisible());
        window.stationMenu().hide();

        dialogs.calls.clear();
        // A real double click starts with a press; QTest sends the double click alone.
        QTest::mouseClick(list(), Qt::LeftButton, {}, firstRow());
        QTest::mouseDClick(list(), Qt::LeftButton, {}, firstRow());
        EXPECT_EQ(dialogs.calls, c.doubleClick) << n;
        if (c.state == S::Offline) {
            EXPECT_EQ(status(1), "Offline nicht möglich");
        }

        roster().setState(entry, c.state);
        tray.setPicture(protocol::TrayPicture::UserOn);
        window.readmailClick();
        EXPECT_EQ(std::pair(entry.state, tray.picture()),
                  std::pair(c.afterReading, protocol::TrayPicture::SelfOff))
            << n;
    }
    window.goOnlineClick();
    window.readmailClick();
    EXPECT_EQ(tray.picture(), protocol::TrayPicture::MainIcon);
}

// The station menu in its order, each item with its shortcut, each running its command on the
// selected row.
TEST_F(MainWindowTest, StationMenuItemsInTheirOrderRunTheirCommands)
{
    add("DL1AAA", S::Online);
    window.show();
    QTest::mousePress(list(), Qt::RightButton, {}, firstRow());
    window.stationMenu().hide();
    const struct {
        QString text;  // empty: a separator
        Strings calls;
    } items[] = {
        {"&Nachricht senden\tAlt+N", kRead},
        {"", {}},
        {"Eintrag e&rstellen\tAlt+R", {"new"}},
        {"Eintrag &bearbeiten\tAlt+B", {"edit DL1AAA"}},
        {"Eintrag &löschen\tAlt+L", {}},
        {"", {}},
        {"User &pollen\tAlt+P", {}},
        {"&Einstellungen\tAlt+E", {"settings"}},
        {"&Monitor\tAlt+M", {}},
    };
    const QList<QAction*> actions = window.stationMenu().actions();
    ASSERT_EQ(actions.size(), std::size(items));
    boxes.answers << "Abbrechen";
    for (std::size_t n = 0; n < std::size(items); ++n) {
        QAction& action = *actions[n];
        EXPECT_EQ(action.isSeparator() ? "" : action.text(), items[n].text) << n;
        dialogs.calls.clear();
        action.trigger();
        EXPECT_EQ(dialogs.calls, items[n].calls) << n;
    }
    EXPECT_EQ(boxes.texts, QStringList("Bestätigung: DL1AAA wirklich löschen ?"));
    EXPECT_EQ(status(1), "Offline nicht möglich");  // the poll
}

TEST_F(MainWindowTest, DeleteAsksAgainWhenBuffersHoldTextsOfThisRun)
{
    const QString first = "Bestätigung: DL1AAA wirklich löschen ?";
    const QString second = "Fehler: Es sind noch Texte im Puffer. Trotzdem löschen ?";
    const Strings kept = {"R12:00:00 alt"};
    const struct {
        Strings tx, rx;
        QStringList answers, questions;
        bool deleted;
    } cases[] = {
        {{}, {}, {"Abbrechen"}, {first}, false},
        {{}, {}, {"OK"}, {first}, true},
        {{"hallo"}, {}, {"OK", "Abbrechen"}, {first, second}, false},
        {{"hallo"}, {}, {"OK", "OK"}, {first, second}, true},
        {{}, kept, {"OK", "Abbrechen"}, {first}, true},
        {{}, {kept[0], "T12:01:00 neu"}, {"OK", "Abbrechen"}, {first, second}, false},
    };
    for (const auto& c : cases) {
        roster().clear();
        app::TUserEntry& entry = add("DL1AAA");
        entry.txBuffer = c.tx;
        entry.rxBuffer = c.rx;
        entry.keptDates.assign(c.rx.empty() ? 0 : 1, "2024-05-03");
        window.rosterView().setCurrentIndex(window.model().index(0, 0));
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
    add("DL30");
    boxes.answers << "OK";
    window.newEntryClick();
    EXPECT_EQ(dialogs.calls, Strings{"new"});
    EXPECT_EQ(boxes.texts, QStringList("Zelvo 0.9 Beta 3: Maximale Anzahl erreicht"));

    window.statusBar().setMessage({protocol::StatusKind::None});
    window.pollClick();
    EXPECT_EQ(status(1), "bereit... Hilfe mit F1");
}

TEST_F(MainWindowTest, DisplayModesSizesAndSortByHeader)
{
    window.show();
    for (const auto& [mode, aliasShown, headerShown, width] :
         {std::tuple{1, false, false, 150}, {2, true, false, 187}, {3, true, true, 187}}) {
        session.settings().setShowAlias(mode);
        EXPECT_EQ(std::tuple(!window.rosterView().isColumnHidden(1), !window.rosterView().isHeaderHidden(),
                             window.width()),
                  std::tuple(aliasShown, headerShown, width));
    }
    for (int column : {2, 3, 4})
        EXPECT_TRUE(window.rosterView().isColumnHidden(column));

    for (int i = 0; i < 7; ++i)
        add("DL" + std::to_string(i), i % 2 ? S::Online : S::Offline);
    EXPECT_EQ(window.height(), 165 + 2 * 17);
    for (const int height : {165 + 17, 165, 165}) {
        roster().remove(0);
        EXPECT_EQ(window.height(), height);
    }
    QHeaderView* header = window.rosterView().header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(1) + 5, 5));
    for (int row = 0; row < roster().size(); ++row)
        EXPECT_EQ(roster().at(row).state, row < 2 ? S::Online : S::Offline) << row;
}

// A tray click (or a second start) and a pop-up bring the window back from the window manager's
// minimise, and the keys work on the list at once, without a click on a row.
TEST_F(MainWindowTest, ShowingRestoresFromMinimisedAndTheKeysGoToTheList)
{
    add("DL1AAA");
    add("DL1BBB");
    for (const auto show : {&app::MainWindow::showOrActivate, &app::MainWindow::popUp}) {
        window.rosterView().setCurrentIndex({});
        window.setWindowState(Qt::WindowMinimized);
        (window.*show)();
        EXPECT_TRUE(window.isVisible() && !window.isMinimized());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        dialogs.calls.clear();
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Down, {}}, {Qt::Key_N, Qt::AltModifier}})
            QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);  // to the focus
        EXPECT_EQ(dialogs.calls, (Strings{"open DL1AAA", "prepare DL1AAA", "open DL1BBB", "prepare DL1BBB"}));
        window.hide();
    }
}

}  // namespace

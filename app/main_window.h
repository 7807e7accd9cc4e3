// The roster window "Zelvo Pre 2": a small always-on-top tool window at the right edge of the
// screen, hidden at start, with the roster list, the station menu and the status bar, and every
// command the user gives there (menu, keys, mouse on list and status bar). Commands run the
// engine's operations directly: the program runs the receive passes on this thread too.
#pragma once

#include <QMenu>

#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

#include "app/dialog_calls.h"
#include "app/roster_list_model.h"
#include "app/session.h"
#include "app/status_bar.h"
#include "app/tray_icon.h"

namespace zelvo::app {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 187;
    static constexpr int kCallsOnlyWidth = 150;
    static constexpr int kStartHeight = 165;
    static constexpr int kRowHeight = 17;  // the window grows by this per row beyond five
    static constexpr int kRowsWithoutGrowing = 5;

    MainWindow(Session& session, DialogCalls& dialogs, TrayIcon& tray, QWidget* parent = nullptr);
    ~MainWindow() override;

    StatusBar& statusBar() { return *statusBar_; }
    // The list is made when the window first shows (or is asked for): a tray program that is never
    // opened does without it.
    QTreeView& rosterView();
    RosterListModel& model() { return model_; }
    QMenu& stationMenu() { return stationMenu_; }

    // The owner for a message box: this window while it is visible, else none.
    QWidget* dialogOwner();
    // From now on a close request closes instead of hiding.
    void setQuitting(bool quitting) { quitting_ = quitting; }
    // Without a tray the window is the only way in: a close request then asks for the end
    // (quitRequested, the "Beenden" question) instead of hiding the window.
    void setCloseAsks(bool asks) { closeAsks_ = asks; }
    // The "Beenden" question; true for OK.
    bool confirmQuit();

    // Shows the window when it is hidden or minimised (an event asked for it).
    void popUp();
    // Shows the window, or brings the shown one to the front.
    void showOrActivate();

    // The commands.
    void goOnlineClick();
    void readmailClick();
    void pollClick();
    void newEntryClick();
    void editEntryClick();
    void deleteEntryClick();
    void settingsClick();
    void listDoubleClick();
    void headerClick();
    void awaySwitchClick();
    void readFirstOnlineUnread();

signals:
    void shown();
    // The window was closed while it is the only way in.
    void quitRequested();
    // "&Monitor" (Alt+M): the channel monitor.
    void monitorRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void setVisible(bool visible) override;

private:
    // Every text of the window and its menu, in the language the windows show.
    void buildStationMenu();
    void setTexts();
    // "Nachricht lesen" for a station with unread messages, else "Nachricht senden".
    void showReadmailText();
    // Shown, restored when the window manager minimised it, in front, with the keys going to the
    // list and a current row there: the keys work without a click.
    void present();
    TUserEntry* selectedEntry() const;
    void select(int row);
    void listMouseDown(Qt::MouseButton button, const QPoint& globalPos);
    void openStationMenu(const QPoint& globalPos);
    // The menu named for `entry` (null: none selected), as the right button opens it.
    void openStationMenuFor(const TUserEntry* entry, const QPoint& globalPos);
    // The key table; true when the key was handled and is used up.
    bool handleKey(const QKeyEvent& event);
    void applyDisplayMode();
    void applyWidth();
    void growBy(int rows);
    void shrinkBy(int rows);
    protocol::Station& station() { return session_.station(); }

    Session& session_;
    DialogCalls& dialogs_;
    TrayIcon& tray_;
    RosterListModel model_;
    QVBoxLayout* layout_;
    QTreeView* view_ = nullptr;
    StatusBar* statusBar_;
    int languageWidth_ = 0;  // what the language's texts add to the width
    QMenu stationMenu_;
    QAction* readmail_;
    QAction* newEntry_;
    QAction* editEntry_;
    QAction* deleteEntry_;
    QAction* poll_;
    QAction* settings_;
    QAction* monitor_;
    bool readmailReads_ = true;
    bool quitting_ = false;
    bool closeAsks_ = false;
};

}  // namespace zelvo::app

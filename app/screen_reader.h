// What the roster window tells a screen reader beyond what Qt tells of its widgets by itself.
//
// Roles: Qt calls a plain QWidget a "client" (a "filler" on AT-SPI), so the roster window would
// be read as a nameless part of something else; here it is a window (a "frame"), its status bar
// a status bar, and an Announcer a notification. Installed once per program, before the first
// widget is asked for.
//
// Announcements: a screen reader speaks what happens where the keyboard focus is; the status bar
// never has it. An Announcer is an invisible notification in its window: each announce() shows
// it anew with the text as its name, which AT-SPI passes on as
// "object:state-changed:showing" of a "notification", and Orca speaks such a notification
// wherever the focus is (and keeps it in its list of notifications).
//
// The current item: Qt tells a screen reader which item has the focus when the current item
// changes in a focused list, not when the list gets the focus back (its window shown, a dialog or
// menu over it closed); Orca then names the list alone, and the user has to press a key to learn
// where he is.
#pragma once

#include <QAbstractItemView>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zelvo::app {

// Gives the roster window, the status bar and the announcers their roles.
void installScreenReaderRoles();

// From now on `view` tells the reader its current item each time it gets the keyboard focus.
void tellCurrentItemOnFocus(QAbstractItemView& view);

class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    // Speaks `text` while the window is shown (a hidden window drops it); an empty text says
    // nothing. Texts of one turn of the event loop are spoken together: the reader asks for the
    // name only when it speaks, and would hear the last text for each of them.
    void announce(const QString& text);

protected:
    // A window that hides takes its announcer along: shown again with the window, it would say
    // the last text once more.
    void hideEvent(QHideEvent* event) override;

private:
    void speak();

    QStringList pending_;
};

}  // namespace zelvo::app

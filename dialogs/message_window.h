// The message window "Dialog mit <call>": the conversation with one roster station and the input
// for a new text to it or to every station that is not Offline. One instance lives as long as the
// program; the roster window opens it modally. It keeps its size, position and "Nachricht an alle
// senden" between showings. Sending only queues the text through the engine.
//
// Child widgets carry the control names as object names (RichRX, SendMemo, LabZeichen,
// CheckSendAll, BtnSend, BtnAbbrechen, PopupMenu1).
#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <string>

#include "app/roster.h"
#include "protocol/station.h"

class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace zelvo::dialogs {

class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(protocol::Station& station, QWidget* parent = nullptr);
    ~MessageWindow() override;

    // Makes `entry` the window's station: caption, unread cleared, input, counter and "Senden"
    // reset, history drawn.
    void openFor(app::TUserEntry& entry);
    // openFor, then shows the window modally; returns once it is closed, with its result
    // (Accepted after a text was queued).
    int showFor(app::TUserEntry& entry);
    // The window's station; null once it was deleted from the roster.
    app::TUserEntry* entry() const { return entry_; }

    // "Senden" and Alt+S: the short-text question, then the text queued and the window closed.
    void sendClick();

public slots:
    // Redraws the history when `entry` is this window's station and the window is visible.
    void conversationChanged(const app::TUserEntry& entry);

signals:
    // A text was queued while the Popup flag of "Nachricht gesendet" is on.
    void hideRosterRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class RosterWatch;

    // The texts in the windows' language; the title names the station.
    void layOut();
    void connectControls();
    void setTexts();
    void setTitle();
    // The counter's accessible name: its caption and the characters left.
    void showCount();
    void describeInput();
    QString newestReceived() const;
    void fillHistory();
    void inputChanged();
    void forget();
    void showEditMenu(QWidget* field, const QPoint& pos);
    std::string typedText() const;

    protocol::Station& station_;
    app::TUserEntry* entry_ = nullptr;
    std::unique_ptr<RosterWatch> watch_;
    QString call_;        // the station in the title; kept after its row is deleted
    QString unreadText_;  // the newest received text when the window opened for it, else empty
    QTextEdit* history_;
    QLabel* counterLabel_;
    QLabel* counter_;
    QCheckBox* sendAll_;
    QPlainTextEdit* input_;
    QPushButton* cancel_;
    QPushButton* send_;
    QMenu* editMenu_;
};

}  // namespace zelvo::dialogs

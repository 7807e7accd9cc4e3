// The notification-area icon with its picture, its tip and the tray menu: "go &Online" (the
// default item, checked while the own station is online), "&Stationsliste" (shows the roster
// window, as a left click on the icon does), "&Einstellungen", "&Beenden". The
// check mark is where the windows keep the own online state; the engine's state reaches it
// through setOnline().
//
// Qt reports no pointer movement over the icon, so every activation recomputes the picture
// first, as the pointer passing over it would.
//
// While a channel's TNC does not answer, the tip names it below the picture's own tip ("Zelvo
// Online" / "Kanal 0 „Direwolf“: TNC 127.0.0.1:8001 nicht erreichbar. ..."), whatever picture
// shows; while online, the picture also carries a red badge (art::trayPicture), so that a station
// that cannot reach the air does not look online. The badge is part of the icon itself, so every
// tray host (XEmbed or StatusNotifierItem) shows it.
#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <vector>

#include "app/link_tracker.h"
#include "app/roster.h"
#include "protocol/station.h"

namespace zelvo::app {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(const Roster& roster, QObject* parent = nullptr);

    // Puts the icon into the notification area.
    void show();

    // Kinds 1 to 4 and 8 show their picture with an empty tip, 5 and 6 the own state's picture
    // and tip, 7 recomputes: NEWMAIL when any entry is unread, else 6 or 5.
    void setPicture(protocol::TrayPicture kind);
    // The picture last shown; never Recompute.
    protocol::TrayPicture picture() const { return picture_; }
    QString toolTip() const { return icon_.toolTip(); }
    // The channels whose TNC does not answer (LinkWatch); empty when all do. The tip names each
    // in the language shown.
    void setLinkWarnings(const std::vector<LinkTracker::Channel>& lost);
    // Whether the picture carries the badge of a TNC that does not answer.
    bool showsTncLost() const { return tncLostShown_; }
    QIcon shownIcon() const { return icon_.icon(); }

    // The go-online item follows the own state: "go OffLine" checked while online, "go OnLine"
    // once offline again. Only a change of the state touches it.
    void setOnline(bool online);
    bool online() const { return online_; }

    // On a StatusNotifierItem host: the item's status NeedsAttention until the roster window is
    // shown (clearAttention). Qt's item keeps its Status property "Active" (only its own
    // showMessage changes it, with a notification of its own); the status is announced in the
    // item's NewStatus signal, whose argument Plasma takes as the status. Hosts that read the
    // property anew (waybar) keep showing the icon as it is.
    void askAttention();
    void clearAttention();
    bool asksAttention() const { return attention_; }

    QMenu& menu() { return menu_; }
    QAction& goOnlineAction() { return *goOnline_; }

public slots:
    void activate(QSystemTrayIcon::ActivationReason reason);

signals:
    void goOnlineRequested();
    void settingsRequested();
    void quitRequested();
    // Left click: show the hidden roster window, or bring the visible one to the front.
    void showWindowRequested();
    // Middle click: read the messages of the first station that is online with unread ones.
    void readUnreadRequested();
    // "&Monitor": the channel monitor.
    void monitorRequested();

private:
    void setTexts();
    void showGoOnlineText();
    // The tip of the picture shown: the program's version until the first picture.
    QString pictureTip() const;
    // The picture's tip with the link warnings below it.
    void showTip();
    // The picture, with the badge while online with a TNC that does not answer.
    void showPicture();

    const Roster& roster_;
    QSystemTrayIcon icon_;
    QMenu menu_;
    QAction* goOnline_;
    QAction* showWindow_;
    QAction* monitor_;
    QAction* settings_;
    QAction* quit_;
    protocol::TrayPicture picture_ = protocol::TrayPicture::SelfOff;
    bool pictureShown_ = false;
    bool online_ = false;
    bool stateChanged_ = false;
    std::vector<LinkTracker::Channel> lostLinks_;
    bool tncLostShown_ = false;
    bool attention_ = false;
};

}  // namespace zelvo::app

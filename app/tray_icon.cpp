#include "app/tray_icon.h"

#include "app/pictures.h"

namespace zelvo::app {

using protocol::TrayPicture;

TrayIcon::TrayIcon(const Roster& roster, QObject* parent) : QObject(parent), roster_(roster)
{
    goOnline_ = menu_.addAction(menuPicture(8), QStringLiteral("go &Online"));
    goOnline_->setCheckable(true);
    menu_.setDefaultAction(goOnline_);
    menu_.addAction(menuPicture(6), QStringLiteral("&Einstellungen"), this, &TrayIcon::settingsRequested);
    menu_.addSeparator();
    menu_.addAction(menuPicture(9), QStringLiteral("&Beenden"), this, &TrayIcon::quitRequested);
    connect(goOnline_, &QAction::triggered, this, [this] {
        // The item toggled its own check mark; the mark follows the engine's state instead.
        goOnline_->setChecked(online_);
        emit goOnlineRequested();
    });

    icon_.setContextMenu(&menu_);
    icon_.setIcon(trayPicture(TrayPicture::SelfOff));
    tip_ = QStringLiteral("Zelvo 0.9");
    showTip();
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activate);
}

void TrayIcon::show()
{
    icon_.show();
}

void TrayIcon::setPicture(TrayPicture kind)
{
    if (kind == TrayPicture::Recompute) {
        const bool unread = [this] {
            for (int row = 0; row < roster_.size(); ++row) {
                if (roster_.at(row).unread)
                    return true;
            }
            return false;
        }();
        kind = unread ? TrayPicture::NewMail : (online_ ? TrayPicture::MainIcon : TrayPicture::SelfOff);
    }
    picture_ = kind;
    icon_.setIcon(trayPicture(kind));
    if (kind == TrayPicture::MainIcon)
        tip_ = QStringLiteral("Zelvo Online");
    else if (kind == TrayPicture::SelfOff)
        tip_ = QStringLiteral("Zelvo Offline");
    else
        tip_.clear();
    showTip();
}

void TrayIcon::setLinkWarnings(const QStringList& warnings)
{
    linkWarnings_ = warnings;
    showTip();
}

void TrayIcon::showTip()
{
    QStringList lines = linkWarnings_;
    if (!tip_.isEmpty())
        lines.prepend(tip_);
    icon_.setToolTip(lines.join(QLatin1Char('\n')));
}

void TrayIcon::setOnline(bool online)
{
    if (online == online_)
        return;
    online_ = online;
    goOnline_->setChecked(online);
    goOnline_->setText(online ? QStringLiteral("go OffLine") : QStringLiteral("go OnLine"));
    goOnline_->setIcon(menuPicture(online ? 8 : 7));
}

void TrayIcon::activate(QSystemTrayIcon::ActivationReason reason)
{
    setPicture(TrayPicture::Recompute);
    switch (reason) {
    case QSystemTrayIcon::Trigger: emit showWindowRequested(); break;
    case QSystemTrayIcon::MiddleClick: emit readUnreadRequested(); break;
    // The context menu opens by itself; a double click follows a Trigger that already showed
    // the window.
    default: break;
    }
}

}  // namespace zelvo::app

#include "app/tray_icon.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>

#include "app/link_words.h"
#include "app/pictures.h"
#include "dialogs/language.h"

namespace zelvo::app {

using protocol::TrayPicture;

TrayIcon::TrayIcon(const Roster& roster, QObject* parent) : QObject(parent), roster_(roster)
{
    goOnline_ = menu_.addAction(menuPicture(8), {});
    goOnline_->setCheckable(true);
    menu_.setDefaultAction(goOnline_);
    // The keyboard's way to the roster window: a screen reader user opens the menu, not the icon.
    showWindow_ =
        menu_.addAction(trayPicture(TrayPicture::MainIcon), {}, this, &TrayIcon::showWindowRequested);
    monitor_ = menu_.addAction(menuPicture(10), {}, this, &TrayIcon::monitorRequested);
    settings_ = menu_.addAction(menuPicture(6), {}, this, &TrayIcon::settingsRequested);
    menu_.addSeparator();
    quit_ = menu_.addAction(menuPicture(9), {}, this, &TrayIcon::quitRequested);
    connect(goOnline_, &QAction::triggered, this, [this] {
        // The item toggled its own check mark; the mark follows the engine's state instead.
        goOnline_->setChecked(online_);
        emit goOnlineRequested();
    });

    icon_.setContextMenu(&menu_);
    icon_.setIcon(trayPicture(TrayPicture::SelfOff));
    // The menu is a window of its own: it hears of a switch of the language for the whole icon.
    dialogs::followLanguage(&menu_, [this] { setTexts(); });
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activate);
}

void TrayIcon::setTexts()
{
    showGoOnlineText();
    showWindow_->setText(tr("&Stationsliste"));
    monitor_->setText(tr("&Monitor"));
    settings_->setText(tr("&Einstellungen"));
    quit_->setText(tr("&Beenden"));
    showTip();
}

void TrayIcon::showGoOnlineText()
{
    // Until the own state first changes, the item shows its mnemonic.
    if (!stateChanged_)
        goOnline_->setText(tr("go &Online"));
    else
        goOnline_->setText(online_ ? tr("go OffLine") : tr("go OnLine"));
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
    pictureShown_ = true;
    showPicture();
    showTip();
}

void TrayIcon::setLinkWarnings(const std::vector<LinkTracker::Channel>& lost)
{
    lostLinks_ = lost;
    showPicture();
    showTip();
}

void TrayIcon::showPicture()
{
    tncLostShown_ = online_ && !lostLinks_.empty();
    icon_.setIcon(trayPicture(picture_, tncLostShown_));
}

QString TrayIcon::pictureTip() const
{
    if (!pictureShown_)
        return tr("Zelvo 0.9");
    switch (picture_) {
    case TrayPicture::MainIcon: return tr("Zelvo Online");
    case TrayPicture::SelfOff: return tr("Zelvo Offline");
    default: return {};
    }
}

void TrayIcon::showTip()
{
    QStringList lines = linkWarnings(lostLinks_);
    if (const QString tip = pictureTip(); !tip.isEmpty())
        lines.prepend(tip);
    icon_.setToolTip(lines.join(QLatin1Char('\n')));
}

void TrayIcon::setOnline(bool online)
{
    if (online == online_)
        return;
    online_ = online;
    stateChanged_ = true;
    goOnline_->setChecked(online);
    showGoOnlineText();
    goOnline_->setIcon(menuPicture(online ? 8 : 7));
    showPicture();
}

namespace {

// Qt's item is served on a bus connection of its own, named after the process and the icon's
// number: this program has one icon.
void announceStatus(const QString& status)
{
    const QDBusConnection item(
        QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()));
    const QString path = QStringLiteral("/StatusNotifierItem");
    if (!item.isConnected() || item.objectRegisteredAt(path) == nullptr)
        return;  // an XEmbed tray, or none
    item.send(QDBusMessage::createSignal(path, QStringLiteral("org.kde.StatusNotifierItem"),
                                         QStringLiteral("NewStatus"))
              << status);
}

}  // namespace

void TrayIcon::askAttention()
{
    if (attention_)
        return;
    attention_ = true;
    announceStatus(QStringLiteral("NeedsAttention"));
}

void TrayIcon::clearAttention()
{
    if (!attention_)
        return;
    attention_ = false;
    announceStatus(QStringLiteral("Active"));
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

#include "app/desktop_notices.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "app/roster.h"
#include "platform/ansi.h"

namespace zelvo::app {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kOpen = QStringLiteral("open");
const QString kDefault = QStringLiteral("default");
const QString kReply = QStringLiteral("inline-reply");

// Line breaks from the air are CR LF; a notification breaks at LF.
QString airText(std::string_view ansi)
{
    QString text = platform::fromAnsi(ansi);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// "DL2BBB (Bert)", or the call alone.
QString senderOf(const TUserEntry& entry)
{
    const QString call = platform::fromAnsi(entry.call);
    const QString alias = platform::fromAnsi(entry.alias).trimmed();
    return alias.isEmpty() ? call : QStringLiteral("%1 (%2)").arg(call, alias);
}

}  // namespace

QString messageKey(const QString& call)
{
    return QStringLiteral("message ") + call;
}

QString stateKey(const QString& call)
{
    return QStringLiteral("state ") + call;
}

QString failureKey(const QString& call)
{
    return QStringLiteral("failure ") + call;
}

std::optional<NoticeBook::Send> NoticeBook::post(const Notice& notice)
{
    Shown& shown = shown_[notice.key];
    if (shown.asking) {
        shown.waiting = notice;
        shown.withdrawn = false;
        return std::nullopt;
    }
    shown.asking = true;
    return Send{notice, shown.id};
}

NoticeBook::Next NoticeBook::answered(const QString& key, uint id)
{
    const auto it = shown_.find(key);
    if (it == shown_.end())
        return {};
    Shown& shown = *it;
    shown.asking = false;
    // A failed Notify leaves the notification the server had, if any.
    if (id != 0)
        shown.id = id;
    if (shown.withdrawn) {
        const uint close = shown.id;
        shown_.erase(it);
        return {std::nullopt, close};
    }
    if (shown.waiting) {
        shown.asking = true;
        Send next{*std::exchange(shown.waiting, std::nullopt), shown.id};
        return {next, 0};
    }
    return {};
}

uint NoticeBook::withdraw(const QString& key)
{
    const auto it = shown_.find(key);
    if (it == shown_.end())
        return 0;
    if (it->asking) {
        it->withdrawn = true;
        it->waiting.reset();
        it->texts.clear();
        return 0;
    }
    const uint id = it->id;
    shown_.erase(it);
    return id;
}

void NoticeBook::closed(uint id)
{
    for (auto it = shown_.begin(); it != shown_.end(); ++it) {
        if (it->id == id && id != 0) {
            // Its Notify may be on its way: that one shows anew, as a notification of its own.
            it->id = 0;
            if (!it->asking)
                shown_.erase(it);
            return;
        }
    }
}

QString NoticeBook::keyOf(uint id) const
{
    for (auto it = shown_.begin(); it != shown_.end(); ++it) {
        if (it->id == id && id != 0)
            return it.key();
    }
    return {};
}

QString NoticeBook::addText(const QString& key, const QString& text)
{
    QStringList& texts = shown_[key].texts;
    texts.append(text);
    while (texts.size() > kShownTexts)
        texts.removeFirst();
    return texts.join(QLatin1Char('\n'));
}

DesktopNotices::DesktopNotices(std::optional<QDBusConnection> bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus))
{}

void DesktopNotices::listen()
{
    // At the first notice: a tray program that never tells anything asks the bus for nothing.
    if (std::exchange(listening_, true))
        return;
    bus_->connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    bus_->connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onClosed(uint, uint)));
    bus_->connect(kService, kPath, kInterface, QStringLiteral("ActivationToken"), this,
                  SLOT(onActivationToken(uint, QString)));
    bus_->connect(kService, kPath, kInterface, QStringLiteral("NotificationReplied"), this,
                  SLOT(onReplied(uint, QString)));
}

void DesktopNotices::show(const Notice& notice)
{
    if (!bus_)
        bus_ = QDBusConnection::sessionBus();
    if (!bus_->isConnected())
        return;
    if (server_ != Server::Known) {
        early_.append(notice);
        askCapabilities();
        return;
    }
    if (const auto next = book_.post(notice))
        send(*next);
}

void DesktopNotices::withdraw(const QString& key)
{
    early_.removeIf([&](const Notice& n) { return n.key == key; });
    if (const uint id = book_.withdraw(key))
        close(id);
}

void DesktopNotices::askCapabilities()
{
    if (server_ == Server::Asking)
        return;
    server_ = Server::Asking;
    listen();
    const QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<QStringList> reply = *done;
        const QList<Notice> early = std::exchange(early_, {});
        if (reply.isError()) {
            // No server now; the next notice asks again, one may have started since.
            server_ = Server::Unknown;
            return;
        }
        server_ = Server::Known;
        markup_ = reply.value().contains(QStringLiteral("body-markup"));
        replies_ = reply.value().contains(kReply);
        for (const Notice& notice : early)
            show(notice);
    });
}

void DesktopNotices::send(const NoticeBook::Send& send)
{
    const Notice& notice = send.notice;
    QStringList actions{kDefault, tr("Öffnen"), kOpen, tr("Öffnen")};
    if (notice.message && replies_)
        actions << kReply << tr("Antworten");
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.zelvo.Zelvo"));
    // Normal for a message, low for a short line; never critical.
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(notice.message ? 1 : 0));
    if (notice.message)
        hints.insert(QStringLiteral("category"), QStringLiteral("im.received"));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Zelvo") << send.replacesId << QStringLiteral("zelvo") << notice.summary
         << (markup_ ? notice.body.toHtmlEscaped() : notice.body) << actions << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, key = notice.key](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<uint> reply = *done;
                const NoticeBook::Next next = book_.answered(key, reply.isError() ? 0 : reply.value());
                if (next.close)
                    close(next.close);
                if (next.send)
                    this->send(*next.send);
            });
}

void DesktopNotices::close(uint id)
{
    tokens_.remove(id);
    bus_->asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"))
        << id);
}

void DesktopNotices::stationEvent(dialogs::TEventKind kind, const TUserEntry& entry, std::string_view text)
{
    using dialogs::TEventKind;
    const QString call = platform::fromAnsi(entry.call);
    if (kind == TEventKind::evMessageReceived) {
        const QString key = messageKey(call);
        show({key, call, senderOf(entry), book_.addText(key, airText(text)), true});
        return;
    }
    QString line;
    switch (kind) {
    case TEventKind::evUserOnline: line = tr("ist Online"); break;
    case TEventKind::evUserOffline: line = tr("ist Offline"); break;
    case TEventKind::evUserAway:
        line = entry.awayText.empty() ? tr("ist Away") : tr("ist Away: %1").arg(airText(entry.awayText));
        break;
    case TEventKind::evUserBack: line = tr("ist zurück"); break;
    case TEventKind::evPolled: line = tr("hat gepollt"); break;
    default: return;
    }
    show({stateKey(call), call, senderOf(entry), line, false});
}

void DesktopNotices::deliveryFailed(const TUserEntry& entry, std::string_view text)
{
    const QString call = platform::fromAnsi(entry.call);
    show({failureKey(call), call, tr("Übertragungsfehler"),
          tr("%1 hat die Nachricht nicht bestätigt: %2").arg(senderOf(entry), airText(text)), false});
}

void DesktopNotices::tncLost(const QString& warning)
{
    show({kLinkKey, {}, tr("TNC nicht erreichbar"), warning, false});
}

void DesktopNotices::onActionInvoked(uint id, const QString& action)
{
    const QString key = book_.keyOf(id);
    const QString token = tokens_.take(id);
    if (key.isEmpty() || (action != kDefault && action != kOpen))
        return;
    const QString call = key.section(QLatin1Char(' '), 1);
    // A message notice opens the conversation; the others show the roster window.
    emit openRequested(key == messageKey(call) ? call : QString(), token);
}

void DesktopNotices::onClosed(uint id, uint)
{
    tokens_.remove(id);
    book_.closed(id);
}

void DesktopNotices::onActivationToken(uint id, const QString& token)
{
    tokens_.insert(id, token);
}

void DesktopNotices::onReplied(uint id, const QString& text)
{
    const QString key = book_.keyOf(id);
    const QString call = key.section(QLatin1Char(' '), 1);
    if (!key.isEmpty() && key == messageKey(call) && !text.isEmpty())
        emit replyRequested(call, text);
}

}  // namespace zelvo::app

// Desktop notifications (org.freedesktop.Notifications on the session bus, which KDE, GNOME,
// dunst, mako and xfce4-notifyd serve): a received message with its sender and text, a station's
// new state, a failed delivery, a TNC that stops answering.
//
// One notification per key (a station's conversation, its state, its failed delivery, the TNCs)
// is updated in place through replaces_id, never stacked. Every call to the server is
// asynchronous: without a server nothing is shown and nothing waits. Since the server answers a
// Notify with the id later, NoticeBook keeps what happens meanwhile: a newer notice of the same
// key waits for the id and then replaces, a withdrawal closes it once the id is known.
//
// Texts from the air are plain text; where the server reads markup ("body-markup") they are
// escaped. Urgency is never critical: a text from the air is no alarm.
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

#include "dialogs/settings.h"

namespace zelvo::app {

struct TUserEntry;

// What one notification shows.
struct Notice {
    QString key;           // one notification per key
    QString call;          // the station its actions open and answer; empty for none
    QString summary;       // plain text
    QString body;          // plain text
    bool message = false;  // a received message: category im.received, a reply where offered

    bool operator==(const Notice&) const = default;
};

// The keys of the notices of a station.
QString messageKey(const QString& call);
QString stateKey(const QString& call);
QString failureKey(const QString& call);
inline const QString kLinkKey = QStringLiteral("link");

// The notifications as the server knows them, without D-Bus.
class NoticeBook {
public:
    // A Notify to send: the notice and the id it replaces (0 for a new one).
    struct Send {
        Notice notice;
        uint replacesId = 0;
        bool operator==(const Send&) const = default;
    };
    // What to do once the server answered a Notify.
    struct Next {
        std::optional<Send> send;  // a notice that waited for the id
        uint close = 0;            // a notification withdrawn while its Notify was unanswered
        bool operator==(const Next&) const = default;
    };

    // The notice to send now; nothing while the key's Notify is unanswered (it waits instead).
    std::optional<Send> post(const Notice& notice);
    // The server's answer to the key's Notify: its id, or 0 when the call failed.
    Next answered(const QString& key, uint id);
    // The id to close now, or 0 (none shown, or the Notify is unanswered: it is closed later).
    uint withdraw(const QString& key);
    // The server closed the notification itself (expired, dismissed).
    void closed(uint id);
    // The key of a notification shown, or empty.
    QString keyOf(uint id) const;

    // A message text joins the station's conversation notice; the body of the texts since the
    // notice was last withdrawn, newest last, at most kShownTexts of them.
    QString addText(const QString& key, const QString& text);
    static constexpr int kShownTexts = 3;

private:
    struct Shown {
        uint id = 0;
        bool asking = false;     // a Notify is unanswered
        bool withdrawn = false;  // while asking
        std::optional<Notice> waiting;
        QStringList texts;
    };
    QHash<QString, Shown> shown_;
};

// The client of the notification server.
class DesktopNotices : public QObject {
    Q_OBJECT
public:
    // Without a bus given, the session bus, taken at the first notice.
    explicit DesktopNotices(std::optional<QDBusConnection> bus = std::nullopt, QObject* parent = nullptr);

    void show(const Notice& notice);
    void withdraw(const QString& key);

    // The notices of the engine's events, worded in the language the windows show; `text` is
    // Windows-1252 (a received message's text, the failed message, an away text).
    void stationEvent(dialogs::TEventKind kind, const TUserEntry& entry, std::string_view text);
    void deliveryFailed(const TUserEntry& entry, std::string_view text);
    void tncLost(const QString& warning);

    // Where the server has been asked for what it offers and has answered.
    bool markup() const { return markup_; }
    bool replies() const { return replies_; }

signals:
    // "Öffnen" (or a click on the notification): the station's messages, or the roster window
    // when `call` is empty; `token` is the desktop's activation token, empty when none came.
    void openRequested(const QString& call, const QString& token);
    // An inline reply to the station's message notice.
    void replyRequested(const QString& call, const QString& text);

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);
    void onActivationToken(uint id, const QString& token);
    void onReplied(uint id, const QString& text);

private:
    void listen();
    void askCapabilities();
    void send(const NoticeBook::Send& send);
    void close(uint id);

    std::optional<QDBusConnection> bus_;
    NoticeBook book_;
    enum class Server { Unknown, Asking, Known } server_ = Server::Unknown;
    QList<Notice> early_;  // shown before the server said what it offers
    bool markup_ = false;
    bool replies_ = false;
    QHash<uint, QString> tokens_;
    bool listening_ = false;
};

}  // namespace zelvo::app

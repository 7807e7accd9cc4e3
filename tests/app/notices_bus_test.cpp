// DesktopNotices against a notification server of the test's own on a private session bus (the
// test runs under dbus-run-session): what the server offers decides the markup and the reply, the
// answers come late as a real server's do, and its signals reach the program as requests.
#include "app/desktop_notices.h"

#include <QDBusConnection>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "app/roster.h"

namespace zelvo::app {
namespace {

class FakeServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        uint replaces;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    explicit FakeServer(QStringList capabilities) : capabilities_(std::move(capabilities))
    {
        bus_.registerObject("/org/freedesktop/Notifications", this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
        bus_.registerService("org.freedesktop.Notifications");
    }
    ~FakeServer() override
    {
        bus_.unregisterService("org.freedesktop.Notifications");
        QDBusConnection::disconnectFromBus(bus_.name());
    }
    QList<Call> notified;
    QList<uint> closed;

public slots:
    QStringList GetCapabilities() { return capabilities_; }
    uint Notify(const QString&, uint replaces, const QString&, const QString&, const QString& body,
                const QStringList& actions, const QVariantMap& hints, int)
    {
        notified.append({replaces, body, actions, hints});
        return replaces != 0 ? replaces : ++last_;
    }
    void CloseNotification(uint id) { closed.append(id); }

signals:
    void ActionInvoked(uint id, const QString& action);
    void ActivationToken(uint id, const QString& token);
    void NotificationReplied(uint id, const QString& text);

private:
    QStringList capabilities_;
    uint last_ = 0;
    QDBusConnection bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "server");
};

TUserEntry bert()
{
    TUserEntry entry;
    entry.call = "DL2BBB";
    entry.alias = "Bert";
    return entry;
}

TEST(DesktopNotices, MarkupAndRepliesAsTheServerOffersThem)
{
    FakeServer server({"body", "body-markup", "actions", "inline-reply"});
    DesktopNotices notices;
    // Two messages before any answer: one notification, replaced.
    notices.stationEvent(dialogs::TEventKind::evMessageReceived, bert(), "<b>73</b> & gl");
    notices.stationEvent(dialogs::TEventKind::evMessageReceived, bert(), "QRT\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.notified.size() == 2; }));
    EXPECT_EQ(server.notified[1].replaces, 1u);
    EXPECT_EQ(server.notified[1].body, "&lt;b&gt;73&lt;/b&gt; &amp; gl\nQRT\n");
    EXPECT_EQ(server.notified[1].actions.mid(4), (QStringList{"inline-reply", "Antworten"}));
    EXPECT_EQ(server.notified[1].hints.value("urgency").value<uchar>(), 1);

    QSignalSpy open(&notices, &DesktopNotices::openRequested);
    QSignalSpy reply(&notices, &DesktopNotices::replyRequested);
    emit server.ActivationToken(1, "token-1");
    emit server.ActionInvoked(1, "open");
    emit server.NotificationReplied(1, "Danke");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !open.isEmpty() && !reply.isEmpty(); }));
    EXPECT_EQ(open.first(), (QVariantList{"DL2BBB", "token-1"}));
    EXPECT_EQ(reply.first(), (QVariantList{"DL2BBB", "Danke"}));

    notices.withdraw(messageKey("DL2BBB"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.closed.isEmpty(); }));
    EXPECT_EQ(server.closed, QList<uint>{1});
}

TEST(DesktopNotices, PlainTextAndNoReplyWhereTheServerTakesNeither)
{
    DesktopNotices notices;
    auto server = std::make_unique<FakeServer>(QStringList{"body", "actions"});
    notices.stationEvent(dialogs::TEventKind::evUserAway, bert(), {});
    notices.stationEvent(dialogs::TEventKind::evMessageReceived, bert(), "a < b");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->notified.size() == 2; }));
    EXPECT_EQ(server->notified[0].body, "ist Away");
    EXPECT_EQ(server->notified[0].hints.value("urgency").value<uchar>(), 0);
    EXPECT_EQ(server->notified[1].body, "a < b");
    EXPECT_EQ(server->notified[1].actions, (QStringList{"default", "Öffnen", "open", "Öffnen"}));
    // The state's notification shows the roster window, without a token.
    QSignalSpy open(&notices, &DesktopNotices::openRequested);
    emit server->ActionInvoked(1, "default");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !open.isEmpty(); }));
    EXPECT_EQ(open.first(), (QVariantList{QString(), QString()}));
}

}  // namespace
}  // namespace zelvo::app

#include "notices_bus_test.moc"

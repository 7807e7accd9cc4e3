#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace zelvo::app {

namespace {
constexpr int kConnectMs = 500;
constexpr QByteArrayView kRaise = "raise\n";
}  // namespace

SingleInstance::SingleInstance(QString directory) : directory_(std::move(directory))
{
    if (directory_.isEmpty())
        directory_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_.nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().startsWith(kRaise.data()))
                    emit raiseRequested();
                client->disconnectFromServer();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
}

QString SingleInstance::socketPath() const
{
    return QDir(directory_).filePath(kName);
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(kRaise.data(), kRaise.size());
    socket.waitForBytesWritten(kConnectMs);
    socket.waitForDisconnected(kConnectMs);
    return true;
}

bool SingleInstance::claim()
{
    QDir().mkpath(directory_);
    lock_ = std::make_unique<QLockFile>(socketPath() + ".lock");
    // A lock whose owner no longer runs is taken over; so is one older than a day (a reused pid).
    lock_->setStaleLockTime(24 * 60 * 60 * 1000);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    // Holding the lock, any socket file left is a crashed instance's.
    QLocalServer::removeServer(socketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(socketPath());
}

}  // namespace zelvo::app

#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zelvo::app {

namespace {

constexpr int kConnectMs = 500;
constexpr char kRaise[] = "raise\n";

// False when the path does not fit a socket address.
bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), name.size());
    return true;
}

}  // namespace

SingleInstance::SingleInstance(QString directory) : directory_(std::move(directory))
{
    if (directory_.isEmpty())
        directory_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

SingleInstance::~SingleInstance()
{
    if (listener_ < 0)
        return;
    ::close(listener_);
    ::unlink(QFile::encodeName(socketPath()).constData());
}

QString SingleInstance::socketPath() const
{
    return QDir(directory_).filePath(kName);
}

bool SingleInstance::askRunningInstance()
{
    sockaddr_un address;
    if (!socketAddress(socketPath(), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A socket file without a listener refuses at once: no instance runs.
    const bool running = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (running) {
        (void)!::send(fd, kRaise, sizeof kRaise - 1, MSG_NOSIGNAL);
        // The first instance closes the connection once it has read the request.
        pollfd closed{fd, POLLIN, 0};
        char byte;
        if (::poll(&closed, 1, kConnectMs) > 0)
            (void)!::read(fd, &byte, 1);
    }
    ::close(fd);
    return running;
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
    sockaddr_un address;
    if (!socketAddress(socketPath(), address))
        return false;
    // Holding the lock, any socket file left is a crashed instance's.
    ::unlink(address.sun_path);
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0)
        return false;
    // Only the user may ask: the socket is made without access for group and others.
    const mode_t mask = ::umask(077);
    const bool bound = ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(listener_, 4) != 0) {
        ::close(listener_);
        listener_ = -1;
        return false;
    }
    listenerNotifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(listenerNotifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptClients);
    return true;
}

void SingleInstance::acceptClients()
{
    int fd;
    while ((fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this,
                [this, fd, notifier] { readClient(fd, notifier); });
    }
}

void SingleInstance::readClient(int fd, QSocketNotifier* notifier)
{
    char request[sizeof kRaise];
    const ssize_t got = ::read(fd, request, sizeof request - 1);
    if (got < 0 && errno == EAGAIN)
        return;
    if (got == sizeof kRaise - 1 && std::memcmp(request, kRaise, got) == 0)
        emit raiseRequested();
    // One request a connection: closing it tells the asker it was heard.
    notifier->setEnabled(false);
    notifier->deleteLater();
    ::close(fd);
}

}  // namespace zelvo::app

#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/sound_player.h"

namespace zelvo::app {

namespace {

constexpr int kConnectMs = 500;
// "raise\n", or with the desktop's activation token of the second start: "raise TOKEN\n".
constexpr std::string_view kRaise = "raise";
constexpr std::size_t kMaxRequest = 300;

// A token as compositors make them: printable, without blanks, not too long.
bool plausibleToken(const QByteArray& token)
{
    return !token.isEmpty() && token.size() < static_cast<qsizetype>(kMaxRequest - kRaise.size() - 2) &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

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

std::string errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno)).toStdString();
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// Nothing when `folder` is a real folder of this user that no one else may enter; else why not.
std::optional<platform::Problem> notPrivate(const QString& folder)
{
    using platform::composedProblem;
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
        return composedProblem(QT_TRANSLATE_NOOP("Problem", "Der Ordner %1 kann nicht geprüft werden: %2"),
                               {utf8(folder), errnoText()});
    if (S_ISLNK(st.st_mode))
        return composedProblem(QT_TRANSLATE_NOOP("Problem", "%1 ist eine symbolische Verknüpfung"),
                               {utf8(folder)});
    if (!S_ISDIR(st.st_mode))
        return composedProblem(QT_TRANSLATE_NOOP("Problem", "%1 ist kein Ordner"), {utf8(folder)});
    if (st.st_uid != ::geteuid())
        return composedProblem(QT_TRANSLATE_NOOP("Problem", "Der Ordner %1 gehört einem anderen Benutzer"),
                               {utf8(folder)});
    if ((st.st_mode & 077) != 0)
        return composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Der Ordner %1 ist anderen Benutzern offen (Modus %2)"),
            {utf8(folder), utf8(QStringLiteral("%1").arg(st.st_mode & 0777, 4, 8, QChar('0')))});
    return std::nullopt;
}

// Not Qt's runtime location: without a usable $XDG_RUNTIME_DIR that is a folder nobody checked
// is ours, or empty, which puts the socket in the current folder.
QString defaultFolder()
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (runtime.startsWith('/') && !notPrivate(runtime))
        return runtime;
    return QStringLiteral("/tmp/zelvo-%1").arg(::geteuid());
}

// The peer's credentials date from its listen(): a listener of another user is not ours.
bool peerIsThisUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

}  // namespace

SingleInstance::SingleInstance(QString directory)
    : directory_(directory.isEmpty() ? defaultFolder() : std::move(directory))
{}

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
    if (notPrivate(directory_) || !socketAddress(socketPath(), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A socket file without a listener refuses at once: no instance runs.
    const bool running =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && peerIsThisUser(fd);
    if (running) {
        // The desktop started this one with a token for its window: the first shows its window with it.
        QByteArray request(kRaise.data(), static_cast<qsizetype>(kRaise.size()));
        if (const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN"); plausibleToken(token))
            request += ' ' + token;
        request += '\n';
        (void)!::send(fd, request.constData(), static_cast<std::size_t>(request.size()), MSG_NOSIGNAL);
        // The first instance closes the connection once it has read the request.
        pollfd closed{fd, POLLIN, 0};
        char byte;
        if (::poll(&closed, 1, kConnectMs) > 0)
            (void)!::read(fd, &byte, 1);
    }
    ::close(fd);
    return running;
}

SingleInstance::Claim SingleInstance::claim()
{
    using platform::composedProblem;
    auto failed = [this](platform::Problem why) {
        failure_ = std::move(why);
        lock_.reset();
        return Claim::Failed;
    };
    // Only the last part is made, and only for this user; an existing one must be private.
    if (::mkdir(QFile::encodeName(directory_).constData(), 0700) != 0 && errno != EEXIST)
        return failed(
            composedProblem(QT_TRANSLATE_NOOP("Problem", "Der Ordner %1 kann nicht angelegt werden: %2"),
                            {utf8(directory_), errnoText()}));
    if (auto why = notPrivate(directory_))
        return failed(std::move(*why));
    lock_ = std::make_unique<QLockFile>(socketPath() + ".lock");
    // A lock whose owner no longer runs is taken over; so is one older than a day (a reused pid).
    lock_->setStaleLockTime(24 * 60 * 60 * 1000);
    if (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError)
            return failed(
                composedProblem(QT_TRANSLATE_NOOP("Problem", "Die Sperrdatei %1 kann nicht angelegt werden"),
                                {utf8(socketPath() + ".lock")}));
        lock_.reset();
        return Claim::HeldElsewhere;
    }
    sockaddr_un address;
    if (!socketAddress(socketPath(), address))
        return failed(
            composedProblem(QT_TRANSLATE_NOOP("Problem", "%1 ist zu lang für den Namen eines Sockets"),
                            {utf8(socketPath())}));
    // Holding the lock, any socket file left is a crashed instance's.
    ::unlink(address.sun_path);
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0)
        return failed(composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Ein Socket kann nicht angelegt werden: %1"), {errnoText()}));
    // Only the user may ask: the socket is made without access for group and others.
    const mode_t mask = ::umask(077);
    const bool bound = ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(listener_, 4) != 0) {
        auto why = composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Der Socket %1 kann keine Verbindungen annehmen: %2"),
            {utf8(socketPath()), errnoText()});
        ::close(listener_);
        listener_ = -1;
        return failed(std::move(why));
    }
    listenerNotifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(listenerNotifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptClients);
    return Claim::Claimed;
}

bool SingleInstance::claimOrRaiseRunning()
{
    switch (claim()) {
    case Claim::Claimed: return false;
    case Claim::HeldElsewhere: return askRunningInstance();
    case Claim::Failed:
        platform::reportOnStandardError(platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Zelvo startet ohne die Prüfung auf ein schon laufendes Zelvo: %1"),
            {}, failure_));
        return false;
    }
    return false;
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
    char buffer[kMaxRequest];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EAGAIN)
        return;
    const QByteArray request = got > 0 ? QByteArray(buffer, got) : QByteArray();
    if (request == QByteArray(kRaise.data(), kRaise.size()) + '\n') {
        emit raiseRequested({});
    } else if (request.startsWith(QByteArray(kRaise.data(), kRaise.size()) + ' ') && request.endsWith('\n')) {
        const QByteArray token = request.mid(static_cast<qsizetype>(kRaise.size()) + 1).chopped(1);
        if (plausibleToken(token))
            emit raiseRequested(QString::fromLatin1(token));
    }
    // One request a connection: closing it tells the asker it was heard.
    notifier->setEnabled(false);
    notifier->deleteLater();
    ::close(fd);
}

}  // namespace zelvo::app

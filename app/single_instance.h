// One Zelvo per user: a lock file and a local socket named MUT_Zelvo_Open in a folder private to
// the user. A second start finds the first through the socket, asks it to show its main window
// (handing on the activation token the desktop started it with, which Wayland wants for the window
// to come to the front) and ends; a socket left behind by a crashed instance is removed by the next one that holds the
// lock. The socket is a plain AF_UNIX stream socket watched by the event loop: the tray program
// need not map Qt's network stack for one line.
//
// The folder is $XDG_RUNTIME_DIR, else /tmp/zelvo-<uid>, created when missing. Either must be a
// real folder (not a symbolic link) owned by the user and closed to everyone else (no access for
// group and others), or it is not used at all: a socket that someone else could have put there
// would end the program at once. A listener is believed only when it runs as the same user.
//
// When the claim fails for any reason but another instance holding the lock (no private folder,
// the socket cannot be made), the program says so on stderr (in German, as the log does) and goes
// on without the check:
// the user asked for Zelvo to run, and the claim on the registry folder still keeps a second
// program off the same roster.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

#include "platform/problem.h"

class QSocketNotifier;

namespace zelvo::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kName = "MUT_Zelvo_Open";

    enum class Claim {
        Claimed,
        HeldElsewhere,  // another instance holds the lock
        Failed,         // failure() says why
    };

    // `directory` holds the socket and the lock; empty for the default folder (above). A given
    // folder is created when missing and must be private all the same.
    explicit SingleInstance(QString directory = {});
    ~SingleInstance() override;

    // True when another instance of this user runs; it has been asked to show its main window.
    bool askRunningInstance();
    // Takes the lock and starts listening.
    Claim claim();
    // claim() at start: true when another instance holds the lock and has been asked to show its
    // main window; a failed claim is reported on stderr and the program goes on.
    bool claimOrRaiseRunning();
    // Why claim() failed, naming the folder.
    const platform::Problem& failure() const { return failure_; }

    QString socketPath() const;

signals:
    // Another start asked this instance to show its main window; `token` is the activation token
    // it was started with (XDG_ACTIVATION_TOKEN), empty when none.
    void raiseRequested(const QString& token);

private:
    void acceptClients();
    void readClient(int fd, QSocketNotifier* notifier);

    QString directory_;
    platform::Problem failure_;
    std::unique_ptr<QLockFile> lock_;
    int listener_ = -1;
    QSocketNotifier* listenerNotifier_ = nullptr;
};

}  // namespace zelvo::app

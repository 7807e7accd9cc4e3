// One Zelvo per user: a lock file and a local socket named MUT_Zelvo_Open in the user's runtime
// directory. A second start finds the first through the socket, asks it to show its main window
// and ends; a socket left behind by a crashed instance is removed by the next one that holds the
// lock. The socket is a plain AF_UNIX stream socket watched by the event loop: the tray program
// need not map Qt's network stack for one line.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

namespace zelvo::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kName = "MUT_Zelvo_Open";

    // `directory` holds the socket and the lock; by default $XDG_RUNTIME_DIR (Qt's runtime
    // location when that is unset).
    explicit SingleInstance(QString directory = {});
    ~SingleInstance() override;

    // True when another instance runs; it has been asked to show its main window.
    bool askRunningInstance();
    // Takes the lock and starts listening. False when another instance holds the lock or the
    // socket cannot be made.
    bool claim();

    QString socketPath() const;

signals:
    // Another start asked this instance to show its main window.
    void raiseRequested();

private:
    void acceptClients();
    void readClient(int fd, QSocketNotifier* notifier);

    QString directory_;
    std::unique_ptr<QLockFile> lock_;
    int listener_ = -1;
    QSocketNotifier* listenerNotifier_ = nullptr;
};

}  // namespace zelvo::app

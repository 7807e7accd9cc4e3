// One Zelvo per user: a lock file and a local socket named MUT_Zelvo_Open in the user's runtime
// directory. A second start finds the first through the socket, asks it to show its main window
// and ends; a socket left behind by a crashed instance is removed by the next one that holds the
// lock.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace zelvo::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kName = "MUT_Zelvo_Open";

    // `directory` holds the socket and the lock; by default $XDG_RUNTIME_DIR (Qt's runtime
    // location when that is unset).
    explicit SingleInstance(QString directory = {});

    // True when another instance runs; it has been asked to show its main window.
    bool askRunningInstance();
    // Takes the lock and starts listening. False when another instance holds the lock.
    bool claim();

    QString socketPath() const;

signals:
    // Another start asked this instance to show its main window.
    void raiseRequested();

private:
    QString directory_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace zelvo::app

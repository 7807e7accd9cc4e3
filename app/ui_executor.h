// Runs each receive pass on the user-interface thread and holds the receive thread until the pass
// is done, so the roster, the settings and the windows are only ever touched by that one thread.
//
// The windowed program must be able to end at any moment without a deadlock:
// - stop() (on the UI thread) releases a receive thread that waits for a queued pass, and a pass
//   that reaches the UI thread after the stop does nothing;
// - a pass may hold a modal question box (the registration question), whose event loop runs the
//   user's commands: passRunning() tells the program to hold them, and a quit asked for meanwhile
//   runs after the pass has returned (whenIdle()).
#pragma once

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <functional>
#include <mutex>

#include "link/receive_thread.h"

namespace zelvo::app {

class UiExecutor {
public:
    // Passes run on the thread of `context`.
    explicit UiExecutor(QObject* context);
    UiExecutor(const UiExecutor&) = delete;
    UiExecutor& operator=(const UiExecutor&) = delete;

    // The executor for link::FlexThread. On the UI thread itself it runs the work at once.
    void run(const link::FlexThread::Work& work);
    link::FlexThread::Executor executor()
    {
        return [this](const link::FlexThread::Work& work) { run(work); };
    }

    // UI thread only. Releases the receive thread; no pass runs from now on.
    void stop();
    // UI thread only. True while a pass runs (and so while a question it asks is open).
    bool passRunning() const { return depth_ > 0; }
    // UI thread only. Runs `action` now when no pass runs, else right after the pass returns.
    void whenIdle(std::function<void()> action);

private:
    void runQueued(const link::FlexThread::Work& work, int ticket);

    QPointer<QObject> context_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool stopped_ = false;
    int issued_ = 0;  // tickets handed to queued passes
    int done_ = 0;    // the last ticket that finished (or was dropped)
    int depth_ = 0;   // passes running on the UI thread
    std::function<void()> afterPass_;
};

}  // namespace zelvo::app

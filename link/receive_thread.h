// The receive loop: one pass offers again the frames the driver refused (protocol::offerUnsent),
// fetches at most one frame from the driver and hands it to its handler, then, while the own
// station is online, runs the poll and delivery countdowns of every roster entry. All protocol
// time is counted in passes.
//
// receiveTick is one pass, a plain function that tests call pass by pass. FlexThread runs it on
// a thread of its own every 250 ms. The roster, the settings and the windows must never be worked
// on by two threads at once: every pass goes through an executor, which either runs it on the
// owner's thread and waits (the GUI) or runs it under the same lock as the user's commands
// (Serializer).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "protocol/station.h"

namespace zelvo::link {

void receiveTick(protocol::Station& station);

// Runs work one piece at a time, from any thread.
class Serializer {
public:
    void run(const std::function<void()>& work)
    {
        std::lock_guard lock(mutex_);
        work();
    }

private:
    std::mutex mutex_;
};

class FlexThread {
public:
    using Work = std::function<void()>;
    // Runs a pass where the owner wants it and returns when it is done.
    using Executor = std::function<void(const Work&)>;

    static constexpr std::chrono::milliseconds kPassInterval{250};

    // Created suspended; nothing runs before resume().
    FlexThread(Work pass, Executor executor, std::chrono::milliseconds interval = kPassInterval);
    // Terminates and waits.
    ~FlexThread();
    FlexThread(const FlexThread&) = delete;
    FlexThread& operator=(const FlexThread&) = delete;

    // Starts the loop, at one step below normal priority. Once only.
    void resume();
    // Asks the loop to end after its current pass; the pause that follows is cut short.
    void terminate();
    // Blocks until the loop has ended (at once when it never started).
    void waitFor();

    // Passes run so far.
    unsigned long passes() const;

private:
    void execute();
    bool pauseOrStop();

    Work pass_;
    Executor executor_;
    std::chrono::milliseconds interval_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    unsigned long passes_ = 0;
};

}  // namespace zelvo::link

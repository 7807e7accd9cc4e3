// SIGTERM and SIGHUP as events of the program's thread. The handler only writes a byte into a
// socket pair; the pair's notifier then runs the program's end on the user-interface thread, in
// whichever event loop runs at that moment (a modal box's as well as the program's own).
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace zelvo::app {

class EndSignals : public QObject {
public:
    // One at a time per process: the handlers write to this instance's pair.
    explicit EndSignals(std::function<void()> end, QObject* parent = nullptr);
    // The two signals take their default action again.
    ~EndSignals() override;

private:
    std::function<void()> end_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zelvo::app

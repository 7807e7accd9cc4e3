// Probes TNC places on a thread of its own, so that the window stays responsive for the second
// or two a probe may take; the answers arrive on the window's thread through answered().
#pragma once

#include <QObject>

#include <thread>
#include <vector>

#include "link/tnc_search.h"

namespace zelvo::dialogs {

class TncProbeRunner : public QObject {
    Q_OBJECT
public:
    explicit TncProbeRunner(QObject* parent = nullptr);
    // Waits for a probe still running: it ends within its timeout.
    ~TncProbeRunner() override;

    // Starts probing; false while a probe runs.
    bool run(std::vector<link::ChannelEntry> places, link::TncProber prober,
             std::chrono::milliseconds timeout = link::kProbeTimeout);
    bool busy() const { return busy_; }
    // Returns once no probe runs (within its timeout); its answers still arrive as usual.
    void wait();
    // The answers of the last run, in the order of its places.
    const std::vector<link::TncAnswer>& answers() const { return answers_; }

signals:
    void answered();

private:
    std::thread thread_;
    bool busy_ = false;
    std::vector<link::TncAnswer> answers_;
};

}  // namespace zelvo::dialogs

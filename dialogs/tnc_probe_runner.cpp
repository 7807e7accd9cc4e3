#include "dialogs/tnc_probe_runner.h"

namespace zelvo::dialogs {

TncProbeRunner::TncProbeRunner(QObject* parent) : QObject(parent) {}

TncProbeRunner::~TncProbeRunner()
{
    wait();
}

void TncProbeRunner::wait()
{
    if (thread_.joinable())
        thread_.join();
}

bool TncProbeRunner::run(std::vector<link::ChannelEntry> places, link::TncProber prober,
                         std::chrono::milliseconds timeout)
{
    if (busy_)
        return false;
    if (thread_.joinable())
        thread_.join();
    busy_ = true;
    thread_ = std::thread([this, places = std::move(places), prober = std::move(prober), timeout] {
        auto answers = link::probeTncs(places, prober, timeout);
        // Queued to this object: dropped by Qt should the object be gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, answers = std::move(answers)]() mutable {
                answers_ = std::move(answers);
                busy_ = false;
                emit answered();
            },
            Qt::QueuedConnection);
    });
    return true;
}

}  // namespace zelvo::dialogs

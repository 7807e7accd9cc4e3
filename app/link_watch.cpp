#include "app/link_watch.h"

namespace zelvo::app {

LinkWatch::LinkWatch(link::FlexApi& driver, std::chrono::milliseconds grace, QObject* parent)
    : QObject(parent), driver_(driver), grace_(grace)
{
    timer_.setInterval(kInterval);
    connect(&timer_, &QTimer::timeout, this, &LinkWatch::check);
}

void LinkWatch::start()
{
    watched_.clear();
    const auto now = Clock::now();
    for (auto& channel : driver_.channels())
        watched_.push_back({std::move(channel), now});
    if (watched_.empty())
        return;
    check();
    timer_.start();
}

void LinkWatch::stop()
{
    timer_.stop();
}

void LinkWatch::check()
{
    const auto now = Clock::now();
    QStringList down;
    for (Watched& watched : watched_) {
        if (driver_.tncConnected(watched.channel.number))
            watched.lastUp = now;
        else if (now - watched.lastUp >= grace_)
            down << tr("Kanal %1: TNC %2 nicht erreichbar")
                        .arg(watched.channel.number)
                        .arg(QString::fromLocal8Bit(watched.channel.address));
    }
    if (down == warnings_)
        return;
    warnings_ = down;
    emit warningsChanged(warnings_);
}

}  // namespace zelvo::app

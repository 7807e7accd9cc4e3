#include "app/link_watch.h"

#include <QCoreApplication>
#include <QEvent>

namespace zelvo::app {

LinkWatch::LinkWatch(link::FlexApi& driver, std::chrono::milliseconds grace, QObject* parent)
    : QObject(parent), driver_(driver), grace_(grace)
{
    timer_.setInterval(kInterval);
    connect(&timer_, &QTimer::timeout, this, &LinkWatch::check);
    // The warnings are shown texts: a switch of the language words them anew.
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool LinkWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && watched == QCoreApplication::instance())
        tell(wordWarnings());
    return QObject::eventFilter(watched, event);
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
    for (Watched& watched : watched_) {
        if (driver_.tncConnected(watched.channel.number)) {
            watched.lastUp = now;
            watched.down = false;
        } else if (now - watched.lastUp >= grace_) {
            watched.down = true;
        }
    }
    tell(wordWarnings());
}

QStringList LinkWatch::wordWarnings() const
{
    QStringList lines;
    for (const Watched& watched : watched_) {
        if (watched.down)
            lines << tr("Kanal %1: TNC %2 nicht erreichbar")
                         .arg(watched.channel.number)
                         .arg(QString::fromLocal8Bit(watched.channel.address));
    }
    return lines;
}

void LinkWatch::tell(const QStringList& warnings)
{
    if (warnings == warnings_)
        return;
    warnings_ = warnings;
    emit warningsChanged(warnings_);
}

}  // namespace zelvo::app

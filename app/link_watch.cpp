#include "app/link_watch.h"

#include <QCoreApplication>
#include <QEvent>

#include "app/link_words.h"

namespace zelvo::app {

LinkWatch::LinkWatch(link::FlexApi& driver, std::chrono::milliseconds grace, ActivityLog* log,
                     QObject* parent)
    : QObject(parent), tracker_(driver, grace, /*probes=*/true), log_(log)
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
    tracker_.start();
    if (tracker_.channels().empty()) {
        timer_.stop();
        tell({});
        return;
    }
    check();
    timer_.start();
}

void LinkWatch::stop()
{
    timer_.stop();
    tracker_.stop();
}

void LinkWatch::goingOnline()
{
    tracker_.hurry();
    if (timer_.isActive())
        check();
}

void LinkWatch::check()
{
    for (const LinkTracker::Change& change : tracker_.check()) {
        if (log_)
            log_->logFile(linkLogText(tracker_.channels()[change.index], change.lost),
                          change.lost ? LogKind::TncLost : LogKind::TncBack);
    }
    tell(wordWarnings());
}

QStringList LinkWatch::wordWarnings() const
{
    QStringList lines;
    for (const LinkTracker::Channel& channel : tracker_.channels()) {
        if (channel.down)
            lines << linkWarning(channel);
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

#include "app/link_watch.h"

#include <algorithm>
#include <iterator>

#include "app/link_words.h"

namespace zelvo::app {

LinkWatch::LinkWatch(link::FlexApi& driver, std::chrono::milliseconds grace, ActivityLog* log,
                     QObject* parent)
    : QObject(parent), tracker_(driver, grace, /*probes=*/true), log_(log)
{
    timer_.setInterval(kInterval);
    connect(&timer_, &QTimer::timeout, this, &LinkWatch::check);
}

void LinkWatch::start()
{
    tracker_.start();
    if (tracker_.channels().empty()) {
        timer_.stop();
        tell();
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
    tell();
}

void LinkWatch::tell()
{
    std::vector<LinkTracker::Channel> lost;
    std::ranges::copy_if(tracker_.channels(), std::back_inserter(lost),
                         [](const LinkTracker::Channel& channel) { return channel.down; });
    if (std::ranges::equal(lost, lost_, sameWarning))
        return;
    lost_ = std::move(lost);
    emit lostLinksChanged(lost_);
}

}  // namespace zelvo::app

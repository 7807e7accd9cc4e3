#include "app/ui_executor.h"

#include <QMetaObject>
#include <QThread>

namespace zelvo::app {

UiExecutor::UiExecutor(QObject* context) : context_(context) {}

void UiExecutor::run(const link::FlexThread::Work& work)
{
    if (context_ == nullptr)
        return;
    if (QThread::currentThread() == context_->thread()) {
        {
            std::lock_guard lock(mutex_);
            if (stopped_)
                return;
        }
        ++depth_;
        work();
        --depth_;
        return;
    }
    std::unique_lock lock(mutex_);
    if (stopped_)
        return;
    const int ticket = ++issued_;
    lock.unlock();
    // Queued on the context, so a call that arrives after the context is gone is dropped.
    QMetaObject::invokeMethod(
        context_, [this, work, ticket] { runQueued(work, ticket); }, Qt::QueuedConnection);
    lock.lock();
    finished_.wait(lock, [&] { return stopped_ || done_ >= ticket; });
}

void UiExecutor::runQueued(const link::FlexThread::Work& work, int ticket)
{
    bool run = false;
    {
        std::lock_guard lock(mutex_);
        run = !stopped_;
    }
    if (run) {
        ++depth_;
        work();  // the pass catches what it throws itself
        --depth_;
    }
    {
        std::lock_guard lock(mutex_);
        done_ = ticket;
    }
    finished_.notify_all();
    if (depth_ == 0 && afterPass_) {
        auto action = std::exchange(afterPass_, {});
        action();
    }
}

void UiExecutor::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    finished_.notify_all();
}

void UiExecutor::whenIdle(std::function<void()> action)
{
    if (depth_ == 0) {
        action();
        return;
    }
    if (afterPass_) {
        afterPass_ = [first = std::move(afterPass_), second = std::move(action)] {
            first();
            second();
        };
    } else {
        afterPass_ = std::move(action);
    }
}

}  // namespace zelvo::app

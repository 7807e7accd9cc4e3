#include "driver/rx_queue.h"

namespace zelvo::driver {

RxQueue::RxQueue(Counters& counters, std::size_t capacity) : counters_(counters), capacity_(capacity) {}

bool RxQueue::push(ReceivedFrame frame)
{
    std::lock_guard lock(mutex_);
    if (frames_.size() >= capacity_) {
        ++counters_.droppedQueueFull;
        return false;
    }
    frames_.push_back(std::move(frame));
    ++counters_.framesQueued;
    return true;
}

std::optional<ReceivedFrame> RxQueue::takeFor(const ax25::Address& mycall)
{
    std::lock_guard lock(mutex_);
    while (!frames_.empty()) {
        ReceivedFrame front = std::move(frames_.front());
        frames_.pop_front();
        if (front.frame.destination.sameStation(mycall))
            return front;
        ++counters_.droppedOtherCall;
    }
    return std::nullopt;
}

void RxQueue::clear()
{
    std::lock_guard lock(mutex_);
    frames_.clear();
}

}  // namespace zelvo::driver

#include "driver/send_queue.h"

#include <algorithm>

#include "driver/ax25_frame.h"

namespace zelvo::driver {

namespace {

std::string_view pairOf(std::string_view ax25)
{
    return ax25.substr(0, 2 * ax25::ADDRESS_LENGTH);
}

}  // namespace

SendQueue::Push SendQueue::push(std::string ax25, bool withoutInfo)
{
    if (contains(ax25))
        return Push::Merged;
    if (frames_.size() >= capacity_)
        return Push::Full;
    if (!withoutInfo) {
        frames_.push_back({std::move(ax25), false, false});
        return Push::Queued;
    }
    // Behind the frames moved earlier: among themselves they keep the order they were sent in.
    const auto rest = std::find_if(frames_.begin(), frames_.end(), [](const Waiting& w) { return !w.moved; });
    const auto pair = pairOf(ax25);
    const auto end = std::stable_partition(rest, frames_.end(),
                                           [pair](const Waiting& w) { return pairOf(w.ax25) == pair; });
    for (auto it = rest; it != end; ++it)
        it->moved = true;
    frames_.insert(end, {std::move(ax25), true, true});
    return Push::Queued;
}

bool SendQueue::holdsPair(std::string_view ax25) const
{
    return std::any_of(frames_.begin(), frames_.end(),
                       [pair = pairOf(ax25)](const Waiting& w) { return pairOf(w.ax25) == pair; });
}

bool SendQueue::contains(std::string_view ax25) const
{
    return std::any_of(frames_.begin(), frames_.end(), [ax25](const Waiting& w) { return w.ax25 == ax25; });
}

bool SendQueue::remove(std::string_view ax25)
{
    const auto it =
        std::find_if(frames_.begin(), frames_.end(), [ax25](const Waiting& w) { return w.ax25 == ax25; });
    if (it == frames_.end())
        return false;
    frames_.erase(it);
    return true;
}

}  // namespace zelvo::driver

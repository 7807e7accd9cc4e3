#include "driver/air_pacer.h"

#include <algorithm>

namespace zelvo::driver {

namespace {

// Own frames are kept this long after their expected end: a frame heard late (the TNC hands it
// on after its end) may still show that one of them had not gone yet. The longest UI frame (eight
// digipeaters, 256 bytes of information) is 330 bytes.
constexpr std::size_t kLongestFrame = 330;
constexpr std::chrono::seconds kHeardLate{1};
// Times are known to a few milliseconds: a heard frame that seems to have started this little
// before an own frame's expected end followed it, unless it started before the own frame could.
constexpr std::chrono::milliseconds kJitter{20};

}  // namespace

AirPacer::Clock::duration AirPacer::airTime(std::size_t bytes) const
{
    const std::chrono::duration<double> seconds(static_cast<double>(bytes) * 8.0 / rate_);
    return std::chrono::duration_cast<Clock::duration>(seconds);
}

void AirPacer::sent(std::string_view ax25, Clock::time_point now)
{
    const auto keep = airTime(kLongestFrame) + kHeardLate;
    while (!own_.empty() && own_.front().end + keep < now)
        own_.pop_front();
    const Clock::time_point start = std::max(now, freeAt_);
    freeAt_ = start + airTime(ax25.size());
    own_.push_back({std::string(ax25), start, freeAt_, false});
}

void AirPacer::heard(std::size_t bytes, Clock::time_point now)
{
    const Clock::time_point start = now - airTime(bytes);
    // Own frames cannot share the air with it, nor have started before they were handed over.
    const auto overlaps = [&](const Own& f) {
        const auto overlap = std::min(now, f.end) - std::max(start, f.start);
        return overlap > kJitter || (overlap > Clock::duration::zero() && start <= f.start);
    };
    const auto first = std::find_if(own_.begin(), own_.end(), overlaps);
    if (first == own_.end())
        return;
    Clock::time_point free = now;
    for (auto f = first; f != own_.end(); ++f) {
        if (f->start < free) {
            f->end += free - f->start;
            f->start = free;
            f->displaced = true;
        }
        free = f->end;
    }
    freeAt_ = free;
}

bool AirPacer::held(std::string_view ax25, Clock::time_point now) const
{
    return std::any_of(own_.begin(), own_.end(),
                       [&](const Own& f) { return f.displaced && now < f.end && f.ax25 == ax25; });
}

std::size_t AirPacer::heldCount(Clock::time_point now) const
{
    return static_cast<std::size_t>(
        std::count_if(own_.begin(), own_.end(), [&](const Own& f) { return f.displaced && now < f.end; }));
}

}  // namespace zelvo::driver

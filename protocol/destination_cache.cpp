#include "protocol/destination_cache.h"

#include "protocol/frame_format.h"

namespace zelvo::protocol {

namespace {
// Entries that left the roster leave their slot behind; past this many slots all are dropped.
constexpr std::size_t kMaxSlots = 2 * app::MAX_ENTRIES;
}  // namespace

const std::string& DestinationCache::of(const app::TUserEntry& entry)
{
    const auto found = made_.find(&entry);
    if (found != made_.end()) {
        Made& made = found->second;
        if (made.path != entry.path || made.channel != entry.channel)
            made = {entry.path, entry.channel, buildDestination(entry.path, entry.channel)};
        return made.destination;
    }
    if (made_.size() >= kMaxSlots)
        made_.clear();
    Made made{entry.path, entry.channel, buildDestination(entry.path, entry.channel)};
    return made_.emplace(&entry, std::move(made)).first->second.destination;
}

}  // namespace zelvo::protocol

// The destination text of each roster entry, made from its path and channel once and made again
// only when one of them changed: the countdowns of every receive pass ask after each entry's frame
// in the driver, and splitting the path into words every time would cost more than the rest of
// the pass.
#pragma once

#include <string>
#include <unordered_map>

#include "app/roster.h"

namespace zelvo::protocol {

class DestinationCache {
public:
    // buildDestination(entry.path, entry.channel), from the cache while neither changed.
    const std::string& of(const app::TUserEntry& entry);

private:
    struct Made {
        std::string path;
        std::string channel;
        std::string destination;
    };
    // By the entry's address. An entry that went and another at the same address are told apart
    // by their texts; the destination is made of nothing else.
    std::unordered_map<const app::TUserEntry*, Made> made_;
};

}  // namespace zelvo::protocol

// Channel timing: a frame starts when it is queued or when the previous one ends, whichever
// is later, and is heard at start + bytes * 8 / baud.
#include "tools/air/air_channel.h"

namespace zelvo::air {

std::optional<std::string> repeat_as_digi(const std::string& ax25, const ax25::Address& digi)
{
    using ax25::ADDRESS_LENGTH;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(ax25.data());
    const std::size_t whole = ax25.size() / ADDRESS_LENGTH;
    for (std::size_t i = 0; i < whole && i < ax25::MAX_ADDRESSES; ++i) {
        const std::uint8_t ssid_byte = bytes[i * ADDRESS_LENGTH + ADDRESS_LENGTH - 1];
        if (i >= 2 && !(ssid_byte & ax25::SSID_CH_BIT)) {
            const auto address = ax25::decodeAddress(bytes + i * ADDRESS_LENGTH);
            if (!address || !address->sameStation(digi))
                return std::nullopt;
            std::string repeated = ax25;
            repeated[i * ADDRESS_LENGTH + ADDRESS_LENGTH - 1] =
                static_cast<char>(ssid_byte | ax25::SSID_CH_BIT);
            return repeated;
        }
        if (ssid_byte & ax25::SSID_EXTENSION)
            return std::nullopt;  // end of the address field: nothing left to repeat
    }
    return std::nullopt;
}

Channel::Channel(const ChannelConfig& config) : config_(config), random_(config.seed) {}

bool Channel::transmit(int from, AirFrame frame, Clock::time_point now)
{
    if (waiting_.size() >= kMaxWaiting) {
        ++stats_.overflow;
        return false;
    }
    waiting_.push_back({from, std::move(frame), now});
    return true;
}

Clock::duration Channel::air_time(const AirFrame& frame) const
{
    if (config_.baud == 0)
        return Clock::duration::zero();
    const std::chrono::duration<double> seconds(frame.ax25.size() * 8.0 / config_.baud);
    return std::chrono::duration_cast<Clock::duration>(seconds);
}

Clock::time_point Channel::end_of_next() const
{
    const Transmission& next = waiting_.front();
    return std::max(next.queued, free_at_) + air_time(next.frame);
}

std::vector<Delivery> Channel::advance(Clock::time_point now)
{
    std::vector<Delivery> due;
    for (;;) {
        const bool air_first = !waiting_.empty() && end_of_next() <= now &&
                               (scheduled_.empty() || end_of_next() <= scheduled_.front().due);
        if (air_first) {
            free_at_ = end_of_next();
            Transmission tx = std::move(waiting_.front());
            waiting_.pop_front();
            hear(tx, free_at_);
        } else if (!scheduled_.empty() && scheduled_.front().due <= now) {
            due.push_back(std::move(scheduled_.front().delivery));
            scheduled_.pop_front();
        } else {
            return due;
        }
    }
}

std::optional<Clock::time_point> Channel::next_deadline() const
{
    std::optional<Clock::time_point> deadline;
    if (!waiting_.empty())
        deadline = end_of_next();
    if (!scheduled_.empty() && (!deadline || scheduled_.front().due < *deadline))
        deadline = scheduled_.front().due;
    return deadline;
}

bool Channel::chance(double probability)
{
    // Drawn on every call, whatever the probability, so the sequence of faults depends only
    // on the seed and the traffic.
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
}

void Channel::hear(const Transmission& tx, Clock::time_point at)
{
    ++stats_.heard;
    if (heard_)
        heard_(tx.frame);
    for (int client : clients_) {
        if (client == tx.from)
            continue;
        const bool lost = chance(config_.loss);
        const bool doubled = chance(config_.dup);
        if (lost) {
            ++stats_.lost;
            continue;
        }
        for (int copy = doubled ? 2 : 1; copy > 0; --copy) {
            if (scheduled_.size() >= kMaxScheduled) {
                ++stats_.overflow;
                break;
            }
            scheduled_.push_back({at + config_.delay, {client, tx.frame}});
        }
        stats_.doubled += doubled;
    }
    if (config_.digi) {
        auto repeated = repeat_as_digi(tx.frame.ax25, *config_.digi);
        if (repeated)
            transmit(kFromDigi, {tx.frame.kiss_port, std::move(*repeated)}, at);
    }
}

}  // namespace zelvo::air

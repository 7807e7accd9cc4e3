// Waiting for a condition with a deadline: it is checked in short steps until it holds.
#pragma once

#include <chrono>
#include <thread>

namespace zelvo::testing {

using namespace std::chrono_literals;
inline constexpr auto kDeadline = 15s;

template <typename Condition>
bool wait_until(Condition condition, std::chrono::milliseconds limit = kDeadline)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);  // polling interval, not a wait for the event
    }
    return true;
}

}  // namespace zelvo::testing

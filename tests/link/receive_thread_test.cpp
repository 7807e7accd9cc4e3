// The receive pass and the thread that runs it: one frame per pass, countdowns only online, and
// the loop sharing the engine with the user's commands through one Serializer.
#include "link/receive_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>

#include "protocol/commands.h"
#include "tests/protocol/station_harness.h"
#include "tests/support/wait.h"

using namespace zelvo;
using namespace zelvo::testing;
using namespace std::chrono_literals;
using S = app::TStationState;

namespace {

constexpr auto kBound = 20s;

// Passes counted as they end; the test thread waits for a count with a bound.
using PassCounter = std::atomic<unsigned long>;
bool reached(const PassCounter& passes, unsigned long count)
{
    return wait_until([&] { return passes >= count; }, kBound);
}

}  // namespace

TEST(ReceivePass, OfflineWithoutAFrameOnlyAsksTheDriver)
{
    StationHarness h;
    auto& entry = h.add("DL2BBB", S::Online);
    entry.txBuffer = {"wartet"};
    entry.sendCount = "151";
    entry.pollCount = "31";
    h.pass();
    EXPECT_EQ(std::tuple(h.driver.getUiCalls(), h.driver.sent().size(), entry.sendCount, entry.pollCount),
              std::tuple(1, 0u, "151", "31"));
}

TEST(ReceivePass, OneFramePerPassAndFramesNoHandlerTakesAreDropped)
{
    StationHarness h;
    auto& entry = h.add("DL2BBB", S::Away, "0", "Alt");
    h.setOnline(true);
    h.receive("DL2BBB", 218, "[]\x18");  // three bytes: an announcement without an alias
    h.receive("DL2BBB", 210, "x");       // a one-byte message
    h.receive("DL2BBB", 221, "fremd");   // not one of ours
    h.receive("DL2BBB", 240, "");
    h.receive("DL2BBB", 218, "[Neu]\x18");

    h.pass();
    EXPECT_EQ(h.driver.pending(), 4u);
    h.pass(3);
    EXPECT_EQ(std::tuple(entry.state, entry.alias, h.driver.sent().size(), h.ui.statuses.size()),
              std::tuple(S::Away, "Alt", 0u, 0u));
    h.pass();
    EXPECT_EQ(std::tuple(entry.state, h.driver.pending()), std::tuple(S::Online, 0u));
}

TEST(FlexThreadLoop, CommandsAndPassesShareTheEngineThroughOneSerializer)
{
    StationHarness h;
    auto& talker = h.add("DL2BBB-4", S::Online, "1");
    auto& relay = h.add("DB0AAA", S::Online);
    link::Serializer serializer;
    PassCounter passes;
    link::FlexThread thread(
        [&] {
            link::receiveTick(h.station);
            ++passes;
        },
        [&](const link::FlexThread::Work& work) { serializer.run(work); }, 1ms);
    thread.resume();

    constexpr int kRounds = 60;
    for (int i = 0; i < kRounds; ++i) {
        // Consecutive numbers: every one of these is a new message.
        h.driver.deliver("DL2BBB-4", 208 + i % 10, "Nachricht " + std::to_string(i));
        h.driver.deliver("DB0AAA", 218, "[Relais]\x18");
        h.driver.deliver("DB0AAA", 219, "+");
        serializer.run(
            [&] { protocol::queueMessage(h.station, talker, "Text " + std::to_string(i), false); });
        serializer.run([&] { protocol::toggleAway(h.station); });
        serializer.run([&] { protocol::pollStation(h.station, relay); });
        if (i % 7 == 0)
            serializer.run([&] { protocol::goOnlineClick(h.station); });
    }
    ASSERT_TRUE(wait_until([&] { return h.driver.pending() == 0; }, kBound));
    ASSERT_TRUE(reached(passes, passes + 3));
    thread.terminate();
    thread.waitFor();

    EXPECT_EQ(std::tuple(thread.passes(), static_cast<unsigned long>(h.driver.getUiCalls())),
              std::tuple(passes.load(), passes.load()));
    int acks = 0;
    for (const SentFrame& frame : h.driver.sent())
        if (frame.destination == "DL2BBB-4 1" && frame.pid >= 208 && frame.pid <= 217 && frame.info.empty())
            ++acks;
    EXPECT_EQ(std::tuple(acks, talker.rxBuffer.size(), h.ui.received.size()),
              std::tuple(kRounds, std::size_t{kRounds}, std::size_t{kRounds}));
}

TEST(FlexThreadLoop, APassThatThrowsDoesNotEndTheLoop)
{
    PassCounter passes;
    link::FlexThread thread(
        [&] {
            const unsigned long pass = ++passes;
            if (pass == 2)
                throw std::runtime_error("kaputt");
            if (pass == 3)
                throw 42;
        },
        {}, 1ms);
    thread.resume();
    EXPECT_TRUE(reached(passes, 6));
    thread.terminate();
    thread.waitFor();
    EXPECT_GE(thread.passes(), 6u);
}

TEST(FlexThreadLoop, NothingRunsBeforeResume)
{
    PassCounter passes;
    {
        link::FlexThread idle([&] { ++passes; }, {}, 1ms);
        EXPECT_EQ(idle.passes(), 0u);
    }  // ends without ever running
    EXPECT_EQ(passes.load(), 0u);
}

TEST(FlexThreadLoop, TerminateLetsTheRunningPassFinishAndSkipsThePause)
{
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool finished = false;
    link::FlexThread thread(
        [&] {
            started.set_value();  // a second pass would throw here, and be counted
            released.wait();
            finished = true;
        },
        {}, std::chrono::hours(1));
    thread.resume();
    ASSERT_EQ(started.get_future().wait_for(kBound), std::future_status::ready);

    thread.terminate();
    release.set_value();
    const auto before = std::chrono::steady_clock::now();
    thread.waitFor();
    EXPECT_EQ(std::tuple(std::chrono::steady_clock::now() - before < kBound, finished, thread.passes()),
              std::tuple(true, true, 1u));
}

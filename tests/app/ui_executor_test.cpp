// Receive passes on the UI thread: the program can end while a pass waits to be run. That passes
// run there and a quit waits for a pass holding a question open, the desktop program's tests show
// (the registration question asked in a pass, and "Beenden" clicked meanwhile).
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>

#include "app/ui_executor.h"
#include "tests/support/wait.h"

namespace {

using namespace std::chrono_literals;
using zelvo::app::UiExecutor;
using zelvo::link::FlexThread;

TEST(UiExecutor, StopReleasesAThreadWaitingForAQueuedPassAndThatPassNeverRuns)
{
    QObject context;
    UiExecutor executor(&context);
    std::atomic<int> passes = 0;
    std::atomic<bool> handedOver = false;
    FlexThread thread([&] { ++passes; },
                      [&](const FlexThread::Work& work) {
                          handedOver = true;
                          executor.run(work);
                      },
                      1ms);
    thread.resume();
    // No events are processed here: the first pass is queued and the thread waits for it.
    ASSERT_TRUE(zelvo::testing::wait_until([&] { return handedOver.load(); }));
    executor.stop();
    thread.terminate();
    thread.waitFor();  // would hang without stop()
    QCoreApplication::processEvents();
    EXPECT_EQ(passes, 0);
}

}  // namespace

// Receive passes on the UI thread: they run there, and the program can end at any moment, also
// while a pass waits to be run or holds a question open.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <thread>

#include "app/ui_executor.h"
#include "tests/support/wait.h"

namespace {

using namespace std::chrono_literals;
using zelvo::app::UiExecutor;
using zelvo::link::FlexThread;

bool spinUntil(const std::function<bool()>& condition)
{
    return zelvo::testing::wait_until([&] {
        QCoreApplication::processEvents();
        return condition();
    });
}

TEST(UiExecutor, PassesRunOnTheUiThread)
{
    QObject context;
    UiExecutor executor(&context);
    const auto uiThread = std::this_thread::get_id();
    std::atomic<int> passes = 0;
    std::atomic<bool> wrongThread = false;
    FlexThread thread(
        [&] {
            wrongThread = wrongThread || std::this_thread::get_id() != uiThread;
            ++passes;
        },
        executor.executor(), 1ms);
    thread.resume();
    ASSERT_TRUE(spinUntil([&] { return passes > 10; }));
    executor.stop();
    thread.terminate();
    thread.waitFor();
    EXPECT_FALSE(wrongThread);
}

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

TEST(UiExecutor, QuitAskedForDuringAPassRunsAfterThePassReturns)
{
    QObject context;
    UiExecutor executor(&context);
    std::vector<std::string> order;
    bool runningSeen = false;
    std::atomic<bool> once = false;
    FlexThread thread(
        [&] {
            if (once.exchange(true))
                return;
            // A question box inside the pass: its event loop runs the user's quit.
            QEventLoop question;
            QTimer::singleShot(0, [&] {
                runningSeen = executor.passRunning();
                executor.whenIdle([&] { order.push_back("quit"); });
                order.push_back("asked");
                question.quit();
            });
            question.exec();
            order.push_back("pass returns");
        },
        executor.executor(), 1ms);
    thread.resume();
    ASSERT_TRUE(spinUntil([&] { return order.size() == 3; }));
    EXPECT_TRUE(runningSeen);
    EXPECT_EQ(order, (std::vector<std::string>{"asked", "pass returns", "quit"}));
    EXPECT_FALSE(executor.passRunning());
    executor.stop();
    thread.terminate();
    thread.waitFor();
}

}  // namespace

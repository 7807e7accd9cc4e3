// The start-up object against a stand-in driver library that counts what it is asked: the
// receive thread must have ended before ax_exit on every end path, and a pass that fails reaches
// the log and the user.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "app/session.h"
#include "tests/link/fake_flxapi.h"
#include "tests/protocol/station_harness.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"

namespace {

using namespace zelvo;

// Records what the session shows the user; read after the receive thread has ended.
using zelvo::testing::RecordingUi;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Held open here too, so the counters outlive the session's own dlclose.
        library_ = dlopen(ZELVO_FAKE_FLXAPI, RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
        calls_ = static_cast<FakeCalls*>(dlsym(library_, "fake_calls"));
        ASSERT_NE(calls_, nullptr);
    }
    void TearDown() override { dlclose(library_); }

    app::Session::Options options()
    {
        app::Session::Options o;
        o.registryPaths = {dir_ / "HKCU.reg", dir_ / "HKLM.reg"};
        o.logFile = dir_ / "Zelvo.log";
        o.libraryName = ZELVO_FAKE_FLXAPI;
        o.passInterval = std::chrono::milliseconds(1);
        return o;
    }
    std::string logText() const { return zelvo::testing::readFile(dir_ / "Zelvo.log"); }

    zelvo::testing::TempDir dir_;
    void* library_ = nullptr;
    const FakeCalls* calls_ = nullptr;
};

TEST_F(SessionTest, ReceiveThreadHasEndedBeforeTheDriverIsLeftOnEveryPath)
{
    for (const bool viaQuit : {true, false}) {
        const int exitsBefore = calls_->exit_calls;
        {
            RecordingUi ui;
            app::Session session(options());
            ASSERT_EQ(session.open(), app::Session::OpenResult::Opened);
            std::atomic<int> passes = 0;
            session.start(ui, [&](const link::FlexThread::Work& work) {
                work();
                ++passes;
            });
            ASSERT_TRUE(zelvo::testing::wait_until([&] { return passes > 20; }));
            if (viaQuit)
                session.quit();
            // Otherwise the destructor ends it, as after a signal.
        }
        EXPECT_EQ(calls_->exit_calls, exitsBefore + 1) << "quit: " << viaQuit;
        EXPECT_EQ(calls_->get_after_exit, 0) << "quit: " << viaQuit;
    }
    EXPECT_NE(logText().find("Programm beendet"), std::string::npos);
}

TEST_F(SessionTest, FailedPassIsLoggedEveryTimeAndShownOnce)
{
    RecordingUi ui;
    auto o = options();
    o.afterPass = [] { throw std::runtime_error("Puffer voll"); };
    app::Session session(std::move(o));
    ASSERT_EQ(session.open(), app::Session::OpenResult::Opened);
    session.start(ui, {});
    const std::string line = " Fehler : Fehler im Empfangsdurchlauf: Puffer voll\r\n";
    ASSERT_TRUE(zelvo::testing::wait_until([&] {
        const std::string text = logText();
        const auto first = text.find(line);
        return first != std::string::npos && text.find(line, first + 1) != std::string::npos;
    }));
    session.shutdown();
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Fehler im Empfangsdurchlauf: Puffer voll"});
}

// Each program keeps its roster in memory and saves it whole, so a second one on the same
// registry folder would write over the first one's rows: it is refused before it touches the
// driver, and the folder is free again once the first has ended.
TEST_F(SessionTest, SecondProgramOnOneRegistryFolderIsRefusedUntilTheFirstEnds)
{
    using Result = app::Session::OpenResult;
    const int initsBefore = calls_->init_calls;
    auto first = std::make_unique<app::Session>(options());
    ASSERT_EQ(first->open(), Result::Opened);
    app::Session second(options());
    EXPECT_EQ(second.open(), Result::RegistryInUse);
    EXPECT_EQ(second.registryFolder(), dir_.path());
    EXPECT_EQ(calls_->init_calls, initsBefore + 1);

    first.reset();
    EXPECT_EQ(app::Session(options()).open(), Result::Opened);
}

}  // namespace

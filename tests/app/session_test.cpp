// The start-up object against a stand-in driver library that counts what it is asked: the
// receive thread must have ended before ax_exit on every end path, a pass that fails reaches
// the log and the user, and a refused frame never holds the user-interface thread.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstring>

#include "app/session.h"
#include "app/ui_executor.h"
#include "protocol/commands.h"
#include "tests/link/fake_flxapi.h"
#include "tests/protocol/station_harness.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"

namespace {

using namespace zelvo;
using namespace std::string_literals;

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
    FakeCalls* calls_ = nullptr;
};

// That the receive thread has ended before the driver is left, by quit or by the destructor, the
// desktop program's tests check at each of its ends.
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
// driver, and the folder is free again once the first has ended. A claim that fails for another
// reason is no licence to share the roster: refused as well, with the folder, the system's reason
// and the file.
TEST_F(SessionTest, ARegistryFolderInUseOrNotClaimableIsRefusedBeforeTheDriver)
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

    std::filesystem::remove(dir_ / "HKCU.reg.inuse");
    std::filesystem::create_directory(dir_ / "HKCU.reg.inuse");
    app::Session unclaimed(options());
    EXPECT_EQ(unclaimed.open(), Result::RegistryUnclaimed);
    EXPECT_EQ(unclaimed.refusal().arguments,
              (std::vector<std::string>{dir_.path().string(), std::strerror(EISDIR),
                                        (dir_ / "HKCU.reg.inuse").string()}));
    EXPECT_EQ(unclaimed.refusal().text.find("Der Registrierungsordner " + dir_.path().string() +
                                            " kann nicht belegt werden: "),
              0u);
    EXPECT_EQ(calls_->init_calls, initsBefore + 2);
    EXPECT_TRUE(unclaimed.startProblems().empty());
}

// What the sound player refuses reaches the log (and standard error), not only a console nobody
// reads. (Its words for each refusal: the gated player's tests.)
TEST_F(SessionTest, TheSoundPlayersProblemIsALogLine)
{
    platform::SoundReport report;
    auto o = options();
    o.makeSound = [&](platform::SoundReport made) {
        report = std::move(made);
        return std::make_unique<platform::GatedSoundPlayer>([](auto&&...) {});
    };
    app::Session session(std::move(o));
    ASSERT_EQ(session.open(), app::Session::OpenResult::Opened);
    ASSERT_TRUE(report);
    report(platform::Problem{"Die Wave-Datei lang.wav wird nicht gespielt"});
    EXPECT_NE(logText().find(" Fehler : Die Wave-Datei lang.wav wird nicht gespielt\r\n"), std::string::npos)
        << logText();
}

// The windowed program runs passes and commands on the user-interface thread. An event posted
// at the first refusal of a frame is handled while the frame is still being offered.
TEST_F(SessionTest, RefusedFramesNeverHoldTheUiThread)
{
    static int refused, refusedWhenHandled;
    refused = 0;
    refusedWhenHandled = -1;
    calls_->on_send = [](const char* destination) {
        if (std::strcmp(destination, "refuse") == 0 && ++refused == 1)
            QMetaObject::invokeMethod(
                qApp, [] { refusedWhenHandled = refused; }, Qt::QueuedConnection);
    };
    const auto spinUntil = [](const std::function<bool()>& condition) {
        return zelvo::testing::wait_until([&] {
            QCoreApplication::processEvents();
            return condition();
        });
    };
    RecordingUi ui;
    QObject context;
    app::UiExecutor executor(&context);
    auto o = options();
    o.releasePasses = [&] { executor.stop(); };
    app::Session session(std::move(o));
    ASSERT_EQ(session.open(), app::Session::OpenResult::Opened);
    session.settings().setMyCall("DL9ZZZ");
    session.start(ui, executor.executor());
    session.roster().addEntry("Weg", "", "refuse", false, false, app::TStationState::Online);
    session.roster().addEntry("Da", "0", "DB0OK", false, false, app::TStationState::Online);

    protocol::goOnlineClick(session.station());
    ASSERT_TRUE(spinUntil([] { return refusedWhenHandled >= 0; }));
    EXPECT_LT(refusedWhenHandled, protocol::kSendAttempts);
    // The offers keep their bound; the frame behind the refused one follows.
    ASSERT_TRUE(spinUntil([&] { return calls_->destination == "DB0OK 0"s; }));
    EXPECT_EQ(refused, protocol::kSendAttempts);
    // No pass follows the quit: what waits behind a refused frame is offered before the end.
    session.quit();
    EXPECT_EQ(refused, 2 * protocol::kSendAttempts);
    EXPECT_EQ(std::make_tuple(calls_->destination, std::string(calls_->bytes, calls_->length)),
              std::make_tuple("DB0OK 0"s, "[]"s));
    calls_->on_send = nullptr;
}

}  // namespace

// The roster windows on a started session over the stand-in driver library: a recording dialog
// stand-in, and answers for the modal message boxes. Receive passes are dropped, so only the
// test's own commands touch the roster.
#pragma once

#include <gtest/gtest.h>

#include <thread>

#include "app/main_window.h"
#include "app/station_adapter.h"
#include "dialogs/language.h"
#include "tests/dialogs/window_support.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {

struct RecordingDialogs : app::DialogCalls {
    std::vector<std::string> calls;
    bool visible = false;

    void openMessages(app::TUserEntry& e) override { calls.push_back("open " + e.call); }
    void prepareMessages(app::TUserEntry& e) override { calls.push_back("prepare " + e.call); }
    bool messagesVisible() const override { return visible; }
    void editNew() override { calls.push_back("new"); }
    void editExisting(app::TUserEntry& e) override { calls.push_back("edit " + e.call); }
    void openSettings() override { calls.push_back("settings"); }
    void showHelp() override { calls.push_back("help"); }
};

class WindowsTest : public ::testing::Test {
protected:
    WindowsTest()
    {
        EXPECT_EQ(session.open(), app::Session::OpenResult::Opened);
        const auto uiThread = std::this_thread::get_id();
        session.start(adapter, [uiThread](const link::FlexThread::Work& work) {
            if (std::this_thread::get_id() == uiThread)
                work();
        });
    }

    app::Session::Options options()
    {
        app::Session::Options o;
        o.registryPaths = {dir / "HKCU.reg", dir / "HKLM.reg"};
        o.logFile = dir / "Zelvo.log";
        o.libraryName = ZELVO_FAKE_FLXAPI;
        return o;
    }
    app::TUserEntry& add(const std::string& call, app::TStationState state = app::TStationState::Online)
    {
        return roster().addEntry("Alias " + call, "0", call + "-1", true, true, state);
    }
    app::Roster& roster() { return session.roster(); }
    QString status(int panel) { return window.statusBar().panelText(panel); }
    // Every window speaks `code` ("de", "en", "fr"), its layouts following the new texts.
    void switchTo(std::string_view code)
    {
        language.apply(code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QApplication::processEvents();
    }

    TempDir dir;
    app::Session session{options()};
    RecordingDialogs dialogs;
    app::TrayIcon tray{session.roster()};
    app::MainWindow window{session, dialogs, tray};
    app::StationAdapter adapter{window, tray};
    BoxAnswers boxes;
    dialogs::LanguageSwitch language;
};

}  // namespace zelvo::testing

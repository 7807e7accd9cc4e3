// The program's ways to end, offscreen, over the stand-in driver library: the receive thread has
// ended before the driver is left, and quitting never deadlocks, not even while a receive pass
// holds the registration question open.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/desktop_program.h"
#include "app/dialog_windows.h"
#include "app/history_store.h"
#include "app/main_window.h"
#include "app/restart_after_logoff.h"
#include "tests/link/fake_flxapi.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;

// Clicks `caption` in the modal box whose text contains `text`, once. When the box first shows,
// `meanwhile` runs (the user acting while the box is open), and the click waits until `ready`.
struct Answer {
    QString text, caption;
    std::function<void()> meanwhile = {};
    std::function<bool()> ready = {};
    bool seen = false, done = false;
};

class DesktopProgramTest : public ::testing::Test {
protected:
    DesktopProgramTest()
    {
        library_ = dlopen(ZELVO_FAKE_FLXAPI, RTLD_NOW);  // keeps the counters past the program
        calls_ = static_cast<const FakeCalls*>(dlsym(library_, "fake_calls"));
        QObject::connect(&timer_, &QTimer::timeout, [this] { answerBoxes(); });
        timer_.start(1);
    }
    ~DesktopProgramTest() override { dlclose(library_); }

    // The stand-in driver sends DL1ABC a status frame from the unknown DK7NEW at every pass.
    std::unique_ptr<app::DesktopProgram> start(const char* myCall, const char* options = "000000df")
    {
        std::ofstream(dir_ / "HKCU.reg")
            << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n\"Mycall\"=\"" << myCall
            << "\"\r\n\"Options\"=dword:" << options << "\r\n\"ShowAlias\"=dword:00000003\r\n\r\n"
            << "[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\r\n\"0\"=\"Bert,0,DL2BBB-3,1,1,0,,208,218,"
               "\"\r\n";
        app::DesktopProgram::Options o;
        o.session.registryPaths = {dir_ / "HKCU.reg", dir_ / "HKLM.reg"};
        o.session.logFile = dir_ / "Zelvo.log";
        o.session.libraryName = ZELVO_FAKE_FLXAPI;
        o.session.passInterval = std::chrono::milliseconds(5);
        o.instanceDirectory = QString::fromStdString(dir_.path().string());
        o.splash = false;
        auto program = std::make_unique<app::DesktopProgram>(std::move(o));
        EXPECT_EQ(program->start(), std::nullopt);
        return program;
    }

    void answerBoxes()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        for (Answer& answer : answers_) {
            if (answer.done || !box->text().contains(answer.text))
                continue;
            if (!std::exchange(answer.seen, true) && answer.meanwhile)
                answer.meanwhile();
            if (answer.ready && !answer.ready())
                return;
            answer.done = true;
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer.caption)
                    return button->click();
        }
    }

    std::string log() const
    {
        std::ifstream in(dir_ / "Zelvo.log", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The driver was left once, and only after the receive thread had ended.
    void expectDriverLeftAfterTheThread(int exitsBefore)
    {
        EXPECT_EQ(calls_->exit_calls, exitsBefore + 1);
        EXPECT_EQ(calls_->get_after_exit, 0);
    }

    zelvo::testing::TempDir dir_;
    void* library_ = nullptr;
    const FakeCalls* calls_ = nullptr;
    QTimer timer_;
    std::vector<Answer> answers_;
};

TEST_F(DesktopProgramTest, BeendenAnnouncesOfflineLogsAndEndsWhileTheQuestionCanStillSayNo)
{
    const int exitsBefore = calls_->exit_calls;
    auto program = start("DL9TST");
    QSignalSpy finished(program.get(), &app::DesktopProgram::finished);
    program->mainWindow().goOnlineClick();

    answers_ = {{"Sind sie sicher", "Abbrechen"}};
    program->quitClicked();
    EXPECT_FALSE(program->ended());

    answers_ = {{"Sind sie sicher", "OK"}};
    program->quitClicked();
    ASSERT_TRUE(program->ended());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_STREQ(calls_->destination, "DL2BBB-3 0");  // the offline announcement went out last
    expectDriverLeftAfterTheThread(exitsBefore);
    EXPECT_NE(log().find(" Programm beendet\r\n"), std::string::npos);
}

TEST_F(DesktopProgramTest, QuitDuringTheRegistrationQuestionWaitsForTheAnswerAndNeverDeadlocks)
{
    const int exitsBefore = calls_->exit_calls;
    auto program = start("DL1ABC");
    QSignalSpy finished(program.get(), &app::DesktopProgram::finished);
    bool quitAsked = false, quitWaited = false;
    answers_ = {{"Registrieren", "&Nein",
                 [&] {
                     // From the event loop, as a click in the tray menu would come.
                     QTimer::singleShot(0, [&] {
                         program->quitClicked();
                         quitAsked = true;
                         quitWaited = !program->ended();
                     });
                 },
                 [&] { return quitAsked; }},
                {"Sind sie sicher", "OK"}};
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(quitWaited);
    EXPECT_EQ(program->session().roster().size(), 1);  // "Nein" was still heard
    expectDriverLeftAfterTheThread(exitsBefore);
}

TEST_F(DesktopProgramTest, LogoffAndSignalsEndWithoutAnnouncementOrLogLine)
{
    for (const bool logoff : {true, false}) {
        const int exitsBefore = calls_->exit_calls;
        auto program = start("DL9TST", "000000ff");  // with "mit Windows starten"
        program->mainWindow().goOnlineClick();
        logoff ? program->endSession() : program->endBySignal();
        ASSERT_TRUE(program->ended());
        expectDriverLeftAfterTheThread(exitsBefore);
        EXPECT_EQ(log().find("beendet"), std::string::npos);
        EXPECT_EQ(std::filesystem::exists(app::autostartEntryPath()), logoff);
        program.reset();
        std::filesystem::remove(app::autostartEntryPath());
    }
}

// The history is read when first needed (here when the roster window shows, there being no tray);
// the conversation then begins with the lines an earlier run kept.
TEST_F(DesktopProgramTest, KeptLinesOfAnEarlierRunAreInTheConversation)
{
    // The default history is the test program's own, never the user's.
    ASSERT_TRUE(app::HistoryStore::defaultPath().string().starts_with(
        std::filesystem::temp_directory_path().string()));
    std::filesystem::remove_all(app::HistoryStore::defaultPath().parent_path());
    {
        app::Roster roster;
        app::TUserEntry& bert = roster.addEntry("", "0", "DL2BBB-3", true, true);
        app::HistoryStore store;
        ASSERT_EQ(store.load(roster), std::nullopt);
        ASSERT_EQ(store.record(bert, "R12:00:00 Hallo"), std::nullopt);
    }
    auto program = start("DL9TST");
    app::TUserEntry& bert = program->session().roster().at(0);
    program->dialogs().prepareMessages(bert);
    EXPECT_EQ(bert.rxBuffer, std::vector<std::string>{"R12:00:00 Hallo"});
}

}  // namespace

// One acknowledgement through the windowed program, offscreen: the real driver library hears it
// from a KISS TNC on 127.0.0.1, and it ends as the blue line of the open message window and as a
// line of the message history.
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "app/desktop_program.h"
#include "app/dialog_windows.h"
#include "app/history_store.h"
#include "dialogs/message_window.h"
#include "tests/dialogs/window_support.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;

// The history's header line (time of day and call) that stands above `text`, and its colour.
std::pair<QString, QColor> headerAbove(const QTextEdit& history, const QString& text)
{
    for (QTextBlock block = history.document()->firstBlock().next(); block.isValid(); block = block.next()) {
        if (block.text() == text) {
            const QTextBlock header = block.previous();
            return {header.text(), header.begin().fragment().charFormat().foreground().color()};
        }
    }
    return {};
}

TEST(MessageRoad, AnAckOnTheAirIsTheBlueLineOfTheOpenWindowAndKept)
{
    TempDir dir;
    BoxAnswers boxes;
    KissServer tnc;
    writeFile(dir / "flexnet.conf", "0 kiss-tcp 127.0.0.1:" + std::to_string(tnc.port()) + " Test\n");
    ScopedEnv conf{"ZELVO_FLEXNET_CONF", (dir / "flexnet.conf").c_str()};
    writeFile(dir / "HKCU.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n"
                                "\"Mycall\"=\"DL9TST\"\r\n\"Options\"=dword:000000df\r\n\"ShowAlias\"=dword:"
                                "00000003\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\r\n"
                                "\"0\"=\"Bert,0,DL2BBB-3,1,1,0,,208,218,\"\r\n");
    std::filesystem::remove_all(app::HistoryStore::defaultPath().parent_path());
    app::DesktopProgram::Options o;
    o.session.registryPaths = {dir / "HKCU.reg", dir / "HKLM.reg"};
    o.session.logFile = dir / "Zelvo.log";
    o.session.libraryName = ZELVO_FLXAPI;
    o.session.passInterval = std::chrono::milliseconds(5);
    o.instanceDirectory = QString::fromStdString(dir.path().string());
    o.splash = false;
    app::DesktopProgram program(std::move(o));
    ASSERT_EQ(program.start(), std::nullopt);
    ASSERT_TRUE(tnc.accept());

    // A text waits for Bert's acknowledgement while his message window is open.
    app::TUserEntry& bert = program.session().roster().at(0);
    bert.txBuffer.push_back("Hallo Bert");
    dialogs::MessageWindow& window = program.dialogs().messageWindow();
    window.openFor(bert);
    window.show();
    const auto& history = child<QTextEdit>(window, "RichRX");
    ASSERT_EQ(headerAbove(history, "Hallo Bert").first, "DL9TST");  // waiting: no time yet

    tnc.send_frame(ui_frame("DL2BBB-3", "DL9TST", 208, ""));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bert.txBuffer.empty(); }, 15000));
    const auto [header, colour] = headerAbove(history, "Hallo Bert");
    EXPECT_TRUE(header.endsWith(" DL9TST") && header.size() > 7) << header.toStdString();
    EXPECT_EQ(colour, QColor(0, 0, 255));

    app::Roster kept;
    app::TUserEntry& keptBert = kept.addEntry("", "0", "DL2BBB-3", true, true);
    app::HistoryStore store;
    ASSERT_EQ(store.load(kept), std::nullopt);
    ASSERT_EQ(keptBert.rxBuffer.size(), 1u);
    EXPECT_EQ(keptBert.rxBuffer[0], bert.rxBuffer.back());
    EXPECT_TRUE(keptBert.rxBuffer[0].starts_with('T') && keptBert.rxBuffer[0].ends_with(" Hallo Bert"));
}

}  // namespace

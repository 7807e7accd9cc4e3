// The channel monitor: its model (the line cap, a flood's counted line, the heard list, filter,
// pause) on a recording feed, and its window offscreen (the ways to it: the roster window's key
// table and the tray menu's test).
#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "app/monitor_window.h"
#include "tests/app/windows_fixture.h"
#include "tests/support/kiss_socket.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using app::MonitorModel;

// What the model registers with the driver: every sink in order (empty ones included).
struct RecordingFeed {
    std::vector<link::FlexApi::MonitorSink> sinks;

    app::MonitorFeed feed()
    {
        return {[this](link::FlexApi::MonitorSink sink) { sinks.push_back(std::move(sink)); },
                [](int channel) { return channel == 0 ? std::string("Sim") : std::string(); },
                [] {
                    return std::vector<int>{0, 1};
                }};
    }
    bool registered() const { return !sinks.empty() && sinks.back(); }
    // A frame as the driver hands it over.
    void hear(int channel, bool sent, const ax25::Frame& frame) const
    {
        ASSERT_TRUE(registered());
        sinks.back()(channel, sent, ax25::encodeFrame(frame));
    }
};

ax25::Frame numbered(int n)
{
    return ui_frame("DL1AAA", "CQ", 0xF0, "Zeile " + std::to_string(n));
}

QString cell(const QAbstractItemModel& model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

class MonitorModelTest : public ::testing::Test {
protected:
    MonitorModelTest() { model.open(); }
    void hear(int channel, bool sent, const ax25::Frame& frame) { feed.hear(channel, sent, frame); }

    RecordingFeed feed;
    MonitorModel model{feed.feed()};
};

TEST_F(MonitorModelTest, FloodIsCutWithOneCountedLineAndTheTableKeepsTheLast2000)
{
    for (int n = 0; n < 1000; ++n)
        hear(0, false, numbered(n));
    model.takeBatch();
    const int kept = static_cast<int>(MonitorModel::kIntakeCapacity);
    ASSERT_EQ(model.rowCount(), kept + 1);
    EXPECT_EQ(cell(model, kept - 1, MonitorModel::TextColumn), QString("Zeile %1").arg(kept - 1));
    EXPECT_EQ(cell(model, kept, MonitorModel::TextColumn),
              QString("... %1 Zeilen ausgelassen").arg(1000 - kept));

    // Batch after batch, the oldest lines go.
    for (int n = 1000; n < 3200; ++n) {
        hear(0, false, numbered(n));
        if (n % kept == 0)
            model.takeBatch();
    }
    model.takeBatch();
    ASSERT_EQ(model.rowCount(), MonitorModel::kMaxLines);
    EXPECT_EQ(cell(model, 0, MonitorModel::TextColumn), "Zeile 1200");
    EXPECT_EQ(cell(model, MonitorModel::kMaxLines - 1, MonitorModel::TextColumn), "Zeile 3199");
}

TEST_F(MonitorModelTest, HeardListCountsReceivedFramesPerCallAndChannel)
{
    hear(0, false, ui_frame("DL1AAA", "CQ", 0xF0, "a", {"DB0AAA"}));
    hear(0, false, ui_frame("DL1AAA", "CQ", 0xF0, "b", {"DB0AAA", "DB0BBB"}));
    hear(1, false, ui_frame("DL1AAA", "CQ", 0xF0, "c"));
    hear(1, false, ui_frame("DL2BBB-7", "DL1AAA", 0xDB, ""));
    hear(0, true, ui_frame("DL9OWN", "DL1AAA", 0xDA, "[Own]\x18"));
    model.takeBatch();

    const app::HeardModel& heard = model.heard();
    ASSERT_EQ(heard.rowCount(), 3);
    const auto row = [&](int r) {
        const auto& s = heard.station(r);
        return std::tuple(s.call, s.channel, s.frames, s.via);
    };
    EXPECT_EQ(row(0), std::tuple(QString("DL1AAA"), 0, 2, QString("DB0AAA,DB0BBB*")));
    EXPECT_EQ(row(1), std::tuple(QString("DL1AAA"), 1, 1, QString()));
    EXPECT_EQ(row(2), std::tuple(QString("DL2BBB-7"), 1, 1, QString()));
    // The words of a received line and the channel's name: MonitorWindowTest's shown line.
    EXPECT_EQ(cell(model, 4, MonitorModel::DirectionColumn), "gesendet");
    EXPECT_EQ(cell(model, 2, MonitorModel::ChannelColumn), "1");
}

TEST_F(MonitorModelTest, FilterByCallAndChannelKeepsTheCountedLines)
{
    app::MonitorFilter filter(model);
    hear(0, false, ui_frame("DL1AAA", "CQ", 0xF0, "1"));
    hear(1, false, ui_frame("DL3CCC", "DL2BBB", 0xF0, "2"));
    hear(1, false, ui_frame("DL3CCC", "CQ", 0xF0, "3", {"DB0BBB"}));
    for (int n = 0; n < 300; ++n)
        hear(0, false, numbered(n));
    model.takeBatch();

    filter.setCall(" bbb ");
    ASSERT_EQ(filter.rowCount(), 3);  // to, via, and the counted line
    EXPECT_EQ(cell(filter, 1, MonitorModel::TextColumn), "3");
    filter.setCall({});
    filter.setChannel(1);
    EXPECT_EQ(filter.rowCount(), 3);
    filter.setCall("DL1");
    EXPECT_EQ(filter.rowCount(), 1);
    filter.setChannel(-1);
    EXPECT_EQ(filter.rowCount(), model.rowCount() - 2);
    filter.setCall({});
    EXPECT_EQ(filter.rowCount(), model.rowCount());
}

TEST_F(MonitorModelTest, PauseHoldsLinesBackAndCountsWhatDoesNotFit)
{
    hear(0, false, numbered(0));
    model.takeBatch();
    model.setPaused(true);
    for (int n = 1; n <= 2100; ++n) {
        hear(0, false, ui_frame(n % 2 ? "DL1AAA" : "DL2BBB", "CQ", 0xF0, "Zeile " + std::to_string(n)));
        if (n % 100 == 0)
            model.takeBatch();
    }
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.heard().rowCount(), 2);  // the heard list goes on
    EXPECT_EQ(model.heard().station(1).frames, 1050);

    model.setPaused(false);
    ASSERT_EQ(model.rowCount(), MonitorModel::kMaxLines);
    // 2100 held back, 1999 of them kept and 101 counted; the line shown before makes room.
    EXPECT_EQ(cell(model, 0, MonitorModel::TextColumn), "... 101 Zeilen ausgelassen");
    EXPECT_EQ(cell(model, 1, MonitorModel::TextColumn), "Zeile 102");
    EXPECT_EQ(cell(model, MonitorModel::kMaxLines - 1, MonitorModel::TextColumn), "Zeile 2100");
}

TEST_F(MonitorModelTest, ClosedModelIsUnregisteredAndKeepsNothingALateThreadPushes)
{
    const link::FlexApi::MonitorSink stale = feed.sinks.back();
    model.close();
    EXPECT_FALSE(feed.registered());
    stale(0, false, ax25::encodeFrame(numbered(1)));
    model.open();
    model.takeBatch();
    EXPECT_EQ(model.rowCount(), 0);
}

class MonitorWindowTest : public ::testing::Test {
protected:
    RecordingFeed feed;
    app::MonitorWindow window{feed.feed()};
    TempDir dir;
    BoxAnswers boxes;
};

TEST_F(MonitorWindowTest, OpenWindowListensAndShowsLinesClosedItDoesNot)
{
    EXPECT_TRUE(feed.sinks.empty());
    window.showOrActivate();
    ASSERT_TRUE(feed.registered());
    feed.hear(0, false, ui_frame("DL2BBB", "DL1AAA-1", 0xDA, "[Bert]\x19", {"DB0AAA"}));
    QAbstractItemModel& shown = *window.lineView().model();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.rowCount() == 1; }, 5000));
    const QStringList cells = [&] {
        QStringList out;
        for (int column = 1; column < MonitorModel::ColumnCount; ++column)
            out << cell(shown, 0, column);
        return out;
    }();
    EXPECT_EQ(cells, QStringList({"0 Sim", "gehört", "DL2BBB", "DL1AAA-1", "DB0AAA*", "UI C", "DA",
                                  "Status: [Bert]<0x19>"}));
    EXPECT_EQ(window.heardView().model()->rowCount(), 1);

    window.close();
    EXPECT_FALSE(feed.registered());
    EXPECT_FALSE(window.model().isOpen());
    window.showOrActivate();
    EXPECT_TRUE(feed.registered());
}

TEST_F(MonitorWindowTest, CopiesSelectedOrAllLinesAndSavesThemAsText)
{
    window.showOrActivate();
    for (int n = 0; n < 3; ++n)
        feed.hear(1, true, numbered(n));
    window.model().takeBatch();

    window.lineView().selectRow(1);
    window.copyLines();
    const QString second = window.model().lineText(1);
    EXPECT_TRUE(second.endsWith("\tZeile 1"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), second + "\n");
    window.lineView().clearSelection();
    window.copyLines();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count('\n'), 3);

    const auto file = dir / "monitor.txt";
    ASSERT_TRUE(window.saveTo(QString::fromStdString(file.string())));
    EXPECT_EQ(QString::fromStdString(readFile(file)), QGuiApplication::clipboard()->text());

    boxes.answers = {"OK"};
    EXPECT_FALSE(window.saveTo(QString::fromStdString((dir / "missing" / "monitor.txt").string())));
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].contains("konnte nicht in")) << boxes.texts[0].toStdString();
}

}  // namespace

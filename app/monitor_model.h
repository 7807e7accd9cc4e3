// The channel monitor without its window: the frames the driver hears and sends, as lines of a
// table (the last kMaxLines), and a list of the stations heard.
//
// Frames arrive on the driver's threads. Each is only copied into a bounded intake there; the UI
// thread takes what gathered every kBatchInterval and decodes it (link/monitor_line.h). A flood
// that fills the intake between two batches is not kept waiting: the frames beyond kIntakeCapacity
// are dropped and one line "... N Zeilen ausgelassen" stands in for them, so the windows never
// stall behind the channel.
//
// Closed, the monitor costs nothing: the sink is registered with the driver only between open()
// and close(), and the timer runs only then.
//
// Paused, new lines are held back (the newest kMaxLines - 1 of them; what falls out of that is
// counted in one "ausgelassen" line before them) and shown when the pause ends; the heard list goes
// on counting. The heard list counts the frames taken into lines, not those a flood dropped.
#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QSortFilterProxyModel>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/flex_api.h"
#include "link/monitor_line.h"

namespace zelvo::app {

// Where the monitor's frames come from: the driver binding, or a test's stand-in.
struct MonitorFeed {
    std::function<void(link::FlexApi::MonitorSink)> setSink;
    // The channel's name (get_ident); called on the UI thread.
    std::function<std::string(int channel)> channelName;
    // The channels of the table in use, for the channel filter.
    std::function<std::vector<int>()> channels;

    static MonitorFeed of(link::FlexApi& driver);
};

// Frames from the driver's threads, held until the UI thread takes them.
class MonitorIntake {
public:
    struct Frame {
        std::chrono::system_clock::time_point time;
        int channel = 0;
        bool sent = false;
        std::string ax25;
    };
    struct Batch {
        std::vector<Frame> frames;
        std::size_t dropped = 0;  // frames that found the intake full
    };

    explicit MonitorIntake(std::size_t capacity) : capacity_(capacity) {}
    // Any thread; nothing is kept while closed.
    void push(int channel, bool sent, std::string_view ax25);
    Batch take();
    // Closing forgets what waits.
    void setOpen(bool open);

private:
    const std::size_t capacity_;
    std::mutex mutex_;
    std::vector<Frame> frames_;
    std::size_t dropped_ = 0;
    bool open_ = false;
};

// One line of the table: a frame, or the count of lines left out in its place.
struct MonitorEntry {
    QDateTime time;
    int channel = 0;
    bool sent = false;
    link::monitor::Line line;
    std::size_t skipped = 0;  // > 0: "... N Zeilen ausgelassen"
};

// The stations heard (frames received, not sent): call, channel, last heard, frames, via whom.
class HeardModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CallColumn, ChannelColumn, LastHeardColumn, FramesColumn, ViaColumn, ColumnCount };

    struct Station {
        QString call;
        int channel = 0;
        QDateTime lastHeard;
        int frames = 0;
        QString via;  // the digipeaters of the last frame; empty when heard directly
    };

    using QAbstractTableModel::QAbstractTableModel;
    // The received frames of a batch; one change signal for the rows they touch.
    void note(const std::vector<MonitorEntry>& entries);
    const Station& station(int row) const { return stations_[static_cast<std::size_t>(row)]; }
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The row of the entry's station, added when new; -1 for a sent frame or a counted line.
    int rowOf(const MonitorEntry& entry);

    std::vector<Station> stations_;
};

class MonitorModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        TimeColumn,
        ChannelColumn,
        DirectionColumn,
        FromColumn,
        ToColumn,
        ViaColumn,
        TypeColumn,
        PidColumn,
        TextColumn,
        ColumnCount
    };
    static constexpr int kMaxLines = 2000;
    static constexpr std::size_t kIntakeCapacity = 200;
    static constexpr std::chrono::milliseconds kBatchInterval{150};

    explicit MonitorModel(MonitorFeed feed, QObject* parent = nullptr);
    ~MonitorModel() override;

    // Registers the sink with the driver and starts taking batches.
    void open();
    // Unregisters it, stops the timer and forgets what waits in the intake.
    void close();
    bool isOpen() const { return open_; }

    void setPaused(bool paused);
    bool paused() const { return paused_; }
    int heldLines() const { return static_cast<int>(held_.size()); }

    // What the timer runs: the frames gathered since the last batch become lines.
    void takeBatch();

    const MonitorEntry& entry(int row) const { return lines_[static_cast<std::size_t>(row)]; }
    // The row as one line of text, its columns separated by tabs.
    QString lineText(int row) const;
    QString channelText(int channel) const;
    std::vector<int> channels() const { return feed_.channels ? feed_.channels() : std::vector<int>{}; }
    HeardModel& heard() { return heard_; }
    // Headers and worded columns again, in the language the windows show now.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString cellText(const MonitorEntry& entry, int column) const;
    void append(std::vector<MonitorEntry> incoming);

    MonitorFeed feed_;
    std::shared_ptr<MonitorIntake> intake_;
    QTimer timer_;
    std::deque<MonitorEntry> lines_;
    std::deque<MonitorEntry> held_;
    std::size_t heldSkipped_ = 0;
    HeardModel heard_;
    mutable QHash<int, QString> channelNames_;
    bool open_ = false;
    bool paused_ = false;
};

// The lines of one channel (-1: every channel) whose from, to or via holds the call text (empty:
// any); the "ausgelassen" lines always show.
class MonitorFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit MonitorFilter(MonitorModel& model, QObject* parent = nullptr);
    void setCall(const QString& call);
    void setChannel(int channel);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    MonitorModel& model_;
    QString call_;
    int channel_ = -1;
};

}  // namespace zelvo::app

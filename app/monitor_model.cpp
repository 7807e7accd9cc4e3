#include "app/monitor_model.h"

#include <algorithm>
#include <iterator>

#include "platform/ansi.h"

namespace zelvo::app {

namespace {

using link::monitor::FrameType;
using protocol::FrameKind;

QString latin(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString timeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString kindText(FrameKind kind)
{
    switch (kind) {
    case FrameKind::StatusAnnounce: return MonitorModel::tr("Status");
    case FrameKind::OfflineAnnounce: return MonitorModel::tr("Offline");
    case FrameKind::Message: return MonitorModel::tr("Nachricht");
    case FrameKind::Ack: return MonitorModel::tr("Quittung");
    case FrameKind::PollRequest: return MonitorModel::tr("Poll");
    case FrameKind::PollAnswer: return MonitorModel::tr("Poll-Antwort");
    case FrameKind::AwayAnnounce: return MonitorModel::tr("Away");
    case FrameKind::BackAnnounce: return MonitorModel::tr("Back");
    }
    return {};
}

QString skippedText(std::size_t count)
{
    return MonitorModel::tr("... %n Zeilen ausgelassen", nullptr, static_cast<int>(count));
}

MonitorEntry skippedEntry(std::size_t count)
{
    MonitorEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.skipped = count;
    return entry;
}

}  // namespace

MonitorFeed MonitorFeed::of(link::FlexApi& driver)
{
    return {[&driver](link::FlexApi::MonitorSink sink) { driver.setMonitor(std::move(sink)); },
            [&driver](int channel) { return driver.ident(channel); },
            [&driver] {
                std::vector<int> numbers;
                for (const auto& channel : driver.channels())
                    numbers.push_back(channel.number);
                return numbers;
            }};
}

void MonitorIntake::push(int channel, bool sent, std::string_view ax25)
{
    const auto now = std::chrono::system_clock::now();
    std::lock_guard lock(mutex_);
    if (!open_)
        return;
    if (frames_.size() >= capacity_) {
        ++dropped_;
        return;
    }
    frames_.push_back({now, channel, sent, std::string(ax25)});
}

void MonitorIntake::setOpen(bool open)
{
    std::lock_guard lock(mutex_);
    open_ = open;
    frames_.clear();
    dropped_ = 0;
}

MonitorIntake::Batch MonitorIntake::take()
{
    Batch batch;
    batch.frames.reserve(capacity_);
    std::lock_guard lock(mutex_);
    std::swap(batch.frames, frames_);
    std::swap(batch.dropped, dropped_);
    return batch;
}

void HeardModel::note(const std::vector<MonitorEntry>& entries)
{
    int first = rowCount();
    int last = -1;
    for (const MonitorEntry& entry : entries) {
        const int row = rowOf(entry);
        if (row < 0)
            continue;
        Station& station = stations_[static_cast<std::size_t>(row)];
        station.lastHeard = entry.time;
        ++station.frames;
        station.via = latin(link::monitor::viaText(entry.line));
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last >= 0)
        emit dataChanged(index(first, LastHeardColumn), index(last, ViaColumn));
}

int HeardModel::rowOf(const MonitorEntry& entry)
{
    if (entry.sent || entry.skipped > 0 || entry.line.from.empty())
        return -1;
    const QString call = latin(entry.line.from);
    const auto found = std::find_if(stations_.begin(), stations_.end(), [&](const Station& station) {
        return station.call == call && station.channel == entry.channel;
    });
    if (found != stations_.end())
        return static_cast<int>(found - stations_.begin());
    const int row = rowCount();
    beginInsertRows({}, row, row);
    stations_.push_back({call, entry.channel, entry.time, 0, {}});
    endInsertRows();
    return row;
}

void HeardModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int HeardModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(stations_.size());
}

int HeardModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HeardModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Station& s = station(index.row());
    switch (index.column()) {
    case CallColumn: return s.call;
    case ChannelColumn: return s.channel;
    case LastHeardColumn: return timeText(s.lastHeard);
    case FramesColumn: return s.frames;
    case ViaColumn: return s.via;
    default: return {};
    }
}

QVariant HeardModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case CallColumn: return tr("Rufzeichen");
    case ChannelColumn: return tr("Kanal");
    case LastHeardColumn: return tr("Zuletzt gehört");
    case FramesColumn: return tr("Frames");
    case ViaColumn: return tr("Via");
    default: return {};
    }
}

MonitorModel::MonitorModel(MonitorFeed feed, QObject* parent)
    : QAbstractTableModel(parent),
      feed_(std::move(feed)),
      intake_(std::make_shared<MonitorIntake>(kIntakeCapacity))
{
    timer_.setInterval(kBatchInterval);
    connect(&timer_, &QTimer::timeout, this, &MonitorModel::takeBatch);
}

MonitorModel::~MonitorModel()
{
    close();
}

void MonitorModel::open()
{
    if (open_)
        return;
    open_ = true;
    intake_->setOpen(true);
    // The sink holds the intake: a driver thread still inside a call finds it alive.
    feed_.setSink([intake = intake_](int channel, bool sent, std::string_view ax25) {
        intake->push(channel, sent, ax25);
    });
    timer_.start();
}

void MonitorModel::close()
{
    if (!open_)
        return;
    open_ = false;
    feed_.setSink({});
    timer_.stop();
    // A driver thread that fetched the sink before it was cleared may still push: it is not kept.
    intake_->setOpen(false);
}

void MonitorModel::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    if (paused_)
        return;
    std::vector<MonitorEntry> incoming;
    if (heldSkipped_ > 0)
        incoming.push_back(skippedEntry(heldSkipped_));
    std::move(held_.begin(), held_.end(), std::back_inserter(incoming));
    held_.clear();
    heldSkipped_ = 0;
    append(std::move(incoming));
}

void MonitorModel::takeBatch()
{
    MonitorIntake::Batch batch = intake_->take();
    if (batch.frames.empty() && batch.dropped == 0)
        return;
    std::vector<MonitorEntry> incoming;
    incoming.reserve(batch.frames.size() + 1);
    for (MonitorIntake::Frame& frame : batch.frames) {
        MonitorEntry entry;
        entry.time = QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(frame.time.time_since_epoch()).count());
        entry.channel = frame.channel;
        entry.sent = frame.sent;
        entry.line = link::monitor::decodeLine(frame.ax25);
        incoming.push_back(std::move(entry));
    }
    heard_.note(incoming);
    // The dropped frames came after the ones kept.
    if (batch.dropped > 0)
        incoming.push_back(skippedEntry(batch.dropped));
    if (!paused_)
        return append(std::move(incoming));
    // One place stays for the line that counts what fell out.
    for (MonitorEntry& entry : incoming) {
        if (held_.size() == static_cast<std::size_t>(kMaxLines - 1)) {
            heldSkipped_ += std::max<std::size_t>(held_.front().skipped, 1);
            held_.pop_front();
        }
        held_.push_back(std::move(entry));
    }
}

void MonitorModel::append(std::vector<MonitorEntry> incoming)
{
    if (incoming.empty())
        return;
    if (incoming.size() > static_cast<std::size_t>(kMaxLines))
        incoming.erase(incoming.begin(), incoming.end() - kMaxLines);
    const std::size_t room = kMaxLines - incoming.size();
    if (lines_.size() > room) {
        const int gone = static_cast<int>(lines_.size() - room);
        beginRemoveRows({}, 0, gone - 1);
        lines_.erase(lines_.begin(), lines_.begin() + gone);
        endRemoveRows();
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(incoming.size()) - 1);
    std::move(incoming.begin(), incoming.end(), std::back_inserter(lines_));
    endInsertRows();
}

QString MonitorModel::channelText(int channel) const
{
    auto found = channelNames_.find(channel);
    if (found == channelNames_.end()) {
        const std::string name = feed_.channelName ? feed_.channelName(channel) : std::string();
        found = channelNames_.insert(channel, platform::fromAnsi(name));
    }
    return found->isEmpty() ? QString::number(channel) : QStringLiteral("%1 %2").arg(channel).arg(*found);
}

QString MonitorModel::cellText(const MonitorEntry& entry, int column) const
{
    using namespace link::monitor;
    if (entry.skipped > 0)
        return column == TimeColumn   ? timeText(entry.time)
               : column == TextColumn ? skippedText(entry.skipped)
                                      : QString();
    const Line& line = entry.line;
    switch (column) {
    case TimeColumn: return timeText(entry.time);
    case ChannelColumn: return channelText(entry.channel);
    case DirectionColumn: return entry.sent ? tr("gesendet") : tr("gehört");
    case FromColumn: return latin(line.from);
    case ToColumn: return latin(line.to);
    case ViaColumn: return latin(viaText(line));
    case TypeColumn: return latin(typeText(line));
    case PidColumn: return latin(pidText(line));
    case TextColumn: {
        const QString text = platform::fromAnsi(line.text);
        if (!line.kind)
            return text;
        return text.isEmpty() ? kindText(*line.kind) : kindText(*line.kind) + QStringLiteral(": ") + text;
    }
    default: return {};
    }
}

QString MonitorModel::lineText(int row) const
{
    QStringList cells;
    for (int column = 0; column < ColumnCount; ++column)
        cells << cellText(entry(row), column);
    return cells.join(QLatin1Char('\t'));
}

void MonitorModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!lines_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    heard_.retranslate();
}

int MonitorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int MonitorModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MonitorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    if (role == Qt::ToolTipRole && index.column() != TextColumn)
        return {};
    return cellText(entry(index.row()), index.column());
}

QVariant MonitorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TimeColumn: return tr("Zeit");
    case ChannelColumn: return tr("Kanal");
    case DirectionColumn: return tr("Richtung");
    case FromColumn: return tr("Von");
    case ToColumn: return tr("An");
    case ViaColumn: return tr("Via");
    case TypeColumn: return tr("Typ");
    case PidColumn: return tr("PID");
    case TextColumn: return tr("Text");
    default: return {};
    }
}

MonitorFilter::MonitorFilter(MonitorModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(&model);
}

void MonitorFilter::setCall(const QString& call)
{
    call_ = call.trimmed().toUpper();
    invalidateFilter();
}

void MonitorFilter::setChannel(int channel)
{
    channel_ = channel;
    invalidateFilter();
}

bool MonitorFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const MonitorEntry& entry = model_.entry(sourceRow);
    if (entry.skipped > 0)
        return true;
    if (channel_ >= 0 && entry.channel != channel_)
        return false;
    if (call_.isEmpty())
        return true;
    const auto holds = [this](const std::string& text) { return latin(text).contains(call_); };
    return holds(entry.line.from) || holds(entry.line.to) ||
           std::any_of(entry.line.digis.begin(), entry.line.digis.end(),
                       [&](const link::monitor::Digi& digi) { return holds(digi.call); });
}

}  // namespace zelvo::app

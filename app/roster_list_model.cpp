#include "app/roster_list_model.h"

#include "app/pictures.h"
#include "dialogs/ui_text.h"

namespace zelvo::app {

RosterListModel::RosterListModel(Roster& roster, QObject* parent)
    : QAbstractTableModel(parent), roster_(roster)
{
    for (std::size_t state = 0; state < statePictures_.size(); ++state)
        statePictures_[state] = statePicture(static_cast<TStationState>(state));
    roster_.addObserver(this);
}

RosterListModel::~RosterListModel()
{
    roster_.removeObserver(this);
}

TUserEntry* RosterListModel::entry(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= roster_.size())
        return nullptr;
    return &roster_.at(index.row());
}

QString RosterListModel::infoTip(const TUserEntry& entry)
{
    switch (entry.state) {
    case TStationState::Away:
        return tr("User ist Away. Grund: \n\r%1").arg(dialogs::fromAnsi(entry.awayText));
    case TStationState::AwayUnread: return tr("Ungelesene Nachrichten von Away-seiendem User");
    case TStationState::OfflineUnread: return tr("Ungelesene Nachrichten von Offline-seiendem User");
    default: return {};
    }
}

QString RosterListModel::stateWords(const TUserEntry& entry)
{
    switch (entry.state) {
    case TStationState::Online: return tr("Online");
    case TStationState::OnlineUnread: return tr("Online, ungelesen");
    case TStationState::HasPolled: return tr("Hat gepollt");
    case TStationState::Sending: return tr("Sendet");
    case TStationState::Away:
        return entry.awayText.empty()
                   ? tr("Away")
                   : tr("Away, Grund: %1").arg(dialogs::fromAnsi(entry.awayText).simplified());
    case TStationState::AwayUnread: return tr("Away, ungelesen");
    case TStationState::Offline: return tr("Offline");
    case TStationState::OfflineUnread: return tr("Offline, ungelesen");
    }
    return {};
}

QVariant RosterListModel::accessibleText(const TUserEntry& entry, int column) const
{
    switch (column) {
    case CallColumn: return tr("%1, %2").arg(dialogs::fromAnsi(entry.call), stateWords(entry));
    case ChannelColumn: return tr("Kanal %1").arg(dialogs::fromAnsi(entry.channel));
    case PathColumn: return tr("Pfad %1").arg(dialogs::fromAnsi(entry.path));
    case SoundsColumn: return entry.sounds == "1" ? tr("Sounds an") : tr("Sounds aus");
    default: return {};  // the name as it stands
    }
}

QString RosterListModel::description(const TUserEntry& entry) const
{
    // The tip's line break before the away text is CR LF, for the tool tip's sake.
    return infoTip(entry).simplified();
}

int RosterListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : roster_.size();
}

int RosterListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RosterListModel::data(const QModelIndex& index, int role) const
{
    const TUserEntry* e = entry(index);
    if (e == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case CallColumn: return dialogs::fromAnsi(e->call);
        case AliasColumn: return dialogs::fromAnsi(e->alias);
        case ChannelColumn: return dialogs::fromAnsi(e->channel);
        case PathColumn: return dialogs::fromAnsi(e->path);
        case SoundsColumn: return dialogs::fromAnsi(e->sounds);
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == CallColumn) {
            const auto state = static_cast<std::size_t>(e->state);
            return state < statePictures_.size() ? statePictures_[state] : QIcon();
        }
        break;
    case Qt::ToolTipRole: {
        const QString tip = infoTip(*e);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::AccessibleTextRole: return accessibleText(*e, index.column());
    case Qt::AccessibleDescriptionRole: return description(*e);
    }
    return {};
}

QVariant RosterListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kCaptions[ColumnCount] = {QT_TR_NOOP("Call"), QT_TR_NOOP("Alias"),
                                                       QT_TR_NOOP("Call-SSID"), QT_TR_NOOP("Ax25Path"),
                                                       QT_TR_NOOP("Sounds")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return tr(kCaptions[section]);
}

void RosterListModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

Qt::ItemFlags RosterListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void RosterListModel::rowsAboutToBeInserted(int first, int last)
{
    beginInsertRows({}, first, last);
}

void RosterListModel::rowsInserted(int first, int last)
{
    for (int row = first; row <= last; ++row)
        lastStates_[&roster_.at(row)] = roster_.at(row).state;
    endInsertRows();
}

void RosterListModel::rowsAboutToBeRemoved(int first, int last)
{
    for (int row = first; row <= last; ++row)
        lastStates_.erase(&roster_.at(row));
    beginRemoveRows({}, first, last);
}

void RosterListModel::rowsRemoved(int, int)
{
    endRemoveRows();
}

void RosterListModel::rowChanged(int row)
{
    followState(roster_.at(row));
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void RosterListModel::followState(const TUserEntry& entry)
{
    const auto known = lastStates_.find(&entry);
    const TStationState before = known == lastStates_.end() ? TStationState::Offline : known->second;
    lastStates_[&entry] = entry.state;
    const auto gone = [](TStationState state) {
        return state == TStationState::Offline || state == TStationState::OfflineUnread ||
               state == TStationState::Away || state == TStationState::AwayUnread;
    };
    const bool online = entry.state == TStationState::Online || entry.state == TStationState::OnlineUnread;
    if (online && gone(before))
        emit announcement(tr("%1 ist Online").arg(dialogs::fromAnsi(entry.alias)));
}

void RosterListModel::rowsAboutToBeReordered()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    movingIndexes_ = persistentIndexList();
    movingEntries_.clear();
    for (const QModelIndex& index : movingIndexes_)
        movingEntries_.push_back(entry(index));
}

void RosterListModel::rowsReordered()
{
    // Entries keep their address when the rows move, so each index follows its entry.
    QModelIndexList moved;
    for (std::size_t i = 0; i < movingEntries_.size(); ++i) {
        const int row = roster_.indexOf(movingEntries_[i]);
        moved.append(row < 0 ? QModelIndex()
                             : index(row, movingIndexes_[static_cast<qsizetype>(i)].column()));
    }
    changePersistentIndexList(movingIndexes_, moved);
    movingIndexes_.clear();
    movingEntries_.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace zelvo::app

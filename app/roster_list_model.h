// The roster as a Qt table: one row per entry in roster order, the columns "Call", "Alias" and
// the three data columns "Call-SSID", "Ax25Path" and "Sounds" (which show channel, path and
// sounds), the state's picture beside the call, and the info tip of away and unread rows. The
// roster's change notices become the model's signals; sorting keeps persistent indexes on their
// entries.
//
// For a screen reader (Qt::AccessibleTextRole) the call's cell says the state that its picture
// shows, in words and with the away text, the hidden data columns say what their number is, and
// each cell describes its row with the info tip (Qt::AccessibleDescriptionRole). A station that
// comes back online is announced, as the engine's status texts announce the other changes.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <array>
#include <unordered_map>
#include <vector>

#include "app/roster.h"

namespace zelvo::app {

class RosterListModel : public QAbstractTableModel, public RosterObserver {
    Q_OBJECT
public:
    enum Column { CallColumn, AliasColumn, ChannelColumn, PathColumn, SoundsColumn, ColumnCount };

    explicit RosterListModel(Roster& roster, QObject* parent = nullptr);
    ~RosterListModel() override;

    // Null for an invalid index.
    TUserEntry* entry(const QModelIndex& index) const;
    // The tip shown when the pointer rests on a row; empty for states without one.
    static QString infoTip(const TUserEntry& entry);
    // The state as the list's picture shows it, in words; an away station's reason when known.
    static QString stateWords(const TUserEntry& entry);
    // The captions changed language: the view asks for them again.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // RosterObserver
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void rowChanged(int row) override;
    void rowsAboutToBeReordered() override;
    void rowsReordered() override;

signals:
    // A station came online from offline or away ("Bert ist Online").
    void announcement(const QString& text);

private:
    QVariant accessibleText(const TUserEntry& entry, int column) const;
    QString description(const TUserEntry& entry) const;
    // Announces a row's change from the state last seen to the one it has now.
    void followState(const TUserEntry& entry);

    Roster& roster_;
    std::array<QIcon, 8> statePictures_;
    // Between the two reorder notices: the persistent indexes and the entries they pointed at.
    QModelIndexList movingIndexes_;
    std::vector<const TUserEntry*> movingEntries_;
    std::unordered_map<const TUserEntry*, TStationState> lastStates_;
};

}  // namespace zelvo::app

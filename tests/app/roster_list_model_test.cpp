// The roster as a Qt model: Qt's own model checks through inserts, removals, changes and sorts,
// and what the rows show.
#include "app/roster_list_model.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace {

using namespace zelvo::app;
using S = TStationState;

TEST(RosterListModel, StaysConsistentAndIndexesFollowTheirEntries)
{
    Roster roster;
    RosterListModel model(roster);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    roster.addEntry("a", "0", "DL1AAA", true, true, S::Offline);
    roster.addEntry("b", "0", "DL1BBB", true, true, S::Online);
    roster.addEntry("c", "0", "DL1CCC", true, true, S::Away);
    const QPersistentModelIndex offline = model.index(0, RosterListModel::AliasColumn);
    const QPersistentModelIndex away = model.index(2, RosterListModel::CallColumn);
    roster.sortByState();
    EXPECT_EQ(offline.row(), 2);
    EXPECT_EQ(offline.column(), RosterListModel::AliasColumn);
    EXPECT_EQ(away.data().toString(), "DL1CCC");
    EXPECT_EQ(away.row(), 1);

    roster.setState(roster.at(0), S::AwayUnread);
    roster.moveToTop("DL1AAA");
    EXPECT_EQ(offline.row(), 0);
    roster.remove(roster.findEntry("DL1CCC"));
    EXPECT_FALSE(QModelIndex(away).isValid());
    roster.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(RosterListModel, ShowsColumnsAndInfoTips)
{
    Roster roster;
    RosterListModel model(roster);
    TUserEntry& entry = roster.addEntry("J\xFCrgen <b>", "3", "DL1AAA-2 DB0XY", true, false);
    entry.awayText = "beim Essen\r\n<i>bald</i>";

    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(0, column).data().toString();
    EXPECT_EQ(cells, QStringList({"DL1AAA", "Jürgen <b>", "3", "DL1AAA-2 DB0XY", "1"}));

    const std::pair<S, QString> tips[] = {
        {S::Away, "User ist Away. Grund: \n\rbeim Essen\r\n<i>bald</i>"},
        {S::AwayUnread, "Ungelesene Nachrichten von Away-seiendem User"},
        {S::OfflineUnread, "Ungelesene Nachrichten von Offline-seiendem User"},
        {S::OnlineUnread, ""},
        {S::Offline, ""},
    };
    for (const auto& [state, tip] : tips) {
        roster.setState(entry, state);
        EXPECT_EQ(model.index(0, 1).data(Qt::ToolTipRole).toString(), tip) << static_cast<int>(state);
    }
}

}  // namespace

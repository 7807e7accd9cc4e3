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

    const TUserEntry& a = roster.addEntry("a", "0", "DL1AAA", true, true, S::Offline);
    roster.addEntry("b", "0", "DL1BBB", true, true, S::Online);
    roster.addEntry("c", "0", "DL1CCC", true, true, S::Away);
    const QPersistentModelIndex offline = model.index(0, RosterListModel::AliasColumn);
    const QPersistentModelIndex away = model.index(2, RosterListModel::CallColumn);
    roster.sortByState();
    EXPECT_EQ(offline.row(), 2);
    EXPECT_EQ(&roster.at(2), &a);  // the entry itself moved, not its fields
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

// What the rows show, and what a screen reader hears: the state beside the call, words for the
// hidden data columns, and the info tip (its line breaks made blanks) as each cell's description.
TEST(RosterListModel, CellsShowTheStationAndSpeakItForAScreenReader)
{
    Roster roster;
    RosterListModel model(roster);
    TUserEntry& entry = roster.addEntry("J\xFCrgen <b>", "3", "DL2BBB-7 DB0XY", false, false, S::Online);
    QStringList cells, spoken;
    for (int column = 0; column < model.columnCount(); ++column) {
        cells << model.index(0, column).data().toString();
        spoken << model.index(0, column).data(Qt::AccessibleTextRole).toString();
    }
    EXPECT_EQ(cells, QStringList({"DL2BBB", "Jürgen <b>", "3", "DL2BBB-7 DB0XY", "0"}));
    EXPECT_EQ(spoken, QStringList({"DL2BBB, Online", "", "Kanal 3", "Pfad DL2BBB-7 DB0XY", "Sounds aus"}));

    const std::tuple<S, std::string, QString, QString> states[] = {
        {S::OnlineUnread, "", "DL2BBB, Online, ungelesen", ""},
        {S::HasPolled, "", "DL2BBB, Hat gepollt", ""},
        {S::Sending, "", "DL2BBB, Sendet", ""},
        {S::Away, "", "DL2BBB, Away", "User ist Away. Grund:"},
        {S::AwayUnread, "", "DL2BBB, Away, ungelesen", "Ungelesene Nachrichten von Away-seiendem User"},
        {S::Offline, "", "DL2BBB, Offline", ""},
        {S::OfflineUnread, "", "DL2BBB, Offline, ungelesen",
         "Ungelesene Nachrichten von Offline-seiendem User"},
        {S::Away, "beim\r\n<i>Essen</i>", "DL2BBB, Away, Grund: beim <i>Essen</i>",
         "User ist Away. Grund: beim <i>Essen</i>"},
    };
    for (const auto& [state, awayText, name, description] : states) {
        entry.awayText = awayText;
        roster.setState(entry, state);
        EXPECT_EQ(model.index(0, 0).data(Qt::AccessibleTextRole).toString(), name);
        EXPECT_EQ(model.index(0, 4).data(Qt::AccessibleDescriptionRole).toString(), description)
            << name.toStdString();
        EXPECT_EQ(model.index(0, 1).data(Qt::ToolTipRole).toString().simplified(), description);
    }
    EXPECT_EQ(model.index(0, 1).data(Qt::ToolTipRole).toString(),
              "User ist Away. Grund: \n\rbeim\r\n<i>Essen</i>");
}

}  // namespace

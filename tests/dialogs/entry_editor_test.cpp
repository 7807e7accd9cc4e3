// The entry editor offscreen: channel list and fields, the path as typed and on Enter, refusals,
// what a new entry keeps, and the roster saved however the dialog closes.
#include "dialogs/entry_editor.h"

#include "app/roster_store.h"
#include "tests/dialogs/window_support.h"
#include "tests/protocol/station_harness.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace zelvo::dialogs {
namespace {

using platform::RegRoot;
using testing::BoxAnswer;

class EntryEditorTest : public ::testing::Test {
protected:
    EntryEditorTest()
    {
        h_.driver.idents = {{0, "Simulation"}, {3, "Direwolf 2m"}};
        h_.station.store = &store_;
        editor_ = std::make_unique<EntryEditor>(h_.station);
    }
    template <class W>
    W& child(const char* name)
    {
        W* widget = editor_->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QLineEdit& path() { return child<QLineEdit>("EditPath"); }
    void show()
    {
        if (editor_->isVisible())
            return;
        editor_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor_.get()));
    }
    std::size_t savedRows() { return h_.registry().valueNames(RegRoot::CurrentUser, app::ROSTER_KEY).size(); }

    testing::StationHarness h_;
    app::RosterStore store_{h_.registry()};
    std::unique_ptr<EntryEditor> editor_;
};

TEST_F(EntryEditorTest, ChannelsFromTheDriverAndTheFieldsAsTyped)
{
    EXPECT_EQ(editor_->windowTitle(), "Eintrag bearbeiten");
    QComboBox& channels = child<QComboBox>("comboFlexKanal");
    ASSERT_EQ(channels.count(), 2);
    EXPECT_EQ(channels.itemText(1), "3 Direwolf 2m");
    EXPECT_EQ(channels.itemData(1), 3);
    EXPECT_EQ(child<QLineEdit>("EditAlias").maxLength(), 15);

    editor_->prepareNew();
    show();
    QTest::keyClicks(&path(), "db0abc via db0xyz ");
    EXPECT_EQ(path().text(), "DB0ABC VIA DB0XYZ ");
    // Enter presses "&Einfügen" without leaving the field; the path is normalised all the same.
    QTest::keyClick(&path(), Qt::Key_Return);
    ASSERT_EQ(h_.roster.size(), 1);
    EXPECT_EQ(h_.roster.at(0).path, "DB0ABC DB0XYZ");
    EXPECT_EQ(h_.roster.at(0).channel, "0");
    EXPECT_FALSE(editor_->isVisible());
    EXPECT_EQ(savedRows(), 1u);
}

TEST_F(EntryEditorTest, RefusalsLeaveTheDialogOpenAndTheRosterAsItWas)
{
    app::TUserEntry& gone = h_.add("DB0OLD-1", app::TStationState::Offline, "9");  // channel 9 is not named
    h_.add("DB0ABC-7");
    struct Case {
        bool update;
        QString path;
        QString title;
        QString text;
    };
    const Case cases[] = {
        {false, "", "Zelvo", "Bitte mindestens ein Call angeben"},
        {false, "DB0ABC-8", "Fehler", "Dieses Call Existiert schon in der Liste!!!"},
        {true, "DB0NEW", "Fehler", "Bitte einen FlexNet Kanal auswählen"},
    };
    for (const Case& c : cases) {
        c.update ? editor_->prepareExisting(gone) : editor_->prepareNew();
        show();
        path().setText(c.path);
        BoxAnswer ok("OK");
        child<QPushButton>(c.update ? "UbernehmBtn" : "EinfgBtn").click();
        EXPECT_EQ(std::tie(ok.title, ok.text), std::tie(c.title, c.text));
        EXPECT_TRUE(editor_->isVisible());
        EXPECT_EQ(path().text(), c.path);
        EXPECT_EQ(h_.roster.size(), 2);
        EXPECT_EQ(gone.path, "DB0OLD-1");
    }
}

TEST_F(EntryEditorTest, NewEntryKeepsRemotesAndChannelAndTurnsSoundsOn)
{
    app::TUserEntry& entry = h_.add("DB0ABC-7 DB0XYZ", app::TStationState::Online, "3", "Nord");
    entry.sounds = "0";
    editor_->prepareExisting(entry);
    EXPECT_EQ(child<QLineEdit>("EditAlias").text(), "Nord");
    EXPECT_EQ(path().text(), "DB0ABC-7 DB0XYZ");
    EXPECT_EQ(child<QComboBox>("comboFlexKanal").currentData(), 3);
    EXPECT_FALSE(child<QCheckBox>("ChSounds").isChecked());
    EXPECT_TRUE(child<QCheckBox>("chRemote").isChecked());
    EXPECT_FALSE(child<QPushButton>("EinfgBtn").isEnabled());

    editor_->prepareNew();
    show();
    EXPECT_EQ(child<QLineEdit>("EditAlias").text() + path().text(), "");
    EXPECT_TRUE(child<QCheckBox>("ChSounds").isChecked());
    EXPECT_TRUE(child<QCheckBox>("chRemote").isChecked());
    EXPECT_EQ(child<QComboBox>("comboFlexKanal").currentData(), 3);
    EXPECT_FALSE(child<QPushButton>("UbernehmBtn").isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), &child<QLineEdit>("EditAlias"));
}

TEST_F(EntryEditorTest, UpdateTellsOfANewCall)
{
    app::TUserEntry& entry = h_.add("DB0ABC-7");
    std::vector<std::pair<std::string, std::string>> changes;
    QObject::connect(editor_.get(), &EntryEditor::callChanged,
                     [&](const std::string& from, const std::string& to) { changes.emplace_back(from, to); });
    for (const char* typed : {"DB0ABC-8 DB0XYZ", "DB0NEW"}) {
        editor_->prepareExisting(entry);
        show();
        path().setText(typed);
        child<QPushButton>("UbernehmBtn").click();
    }
    EXPECT_EQ(changes, (std::vector<std::pair<std::string, std::string>>{{"DB0ABC", "DB0NEW"}}));
}

TEST_F(EntryEditorTest, EveryWayOfClosingSavesTheRoster)
{
    h_.add("DB0ABC");
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Esc", [&] { QTest::keyClick(editor_.get(), Qt::Key_Escape); }},
        {"close box", [&] { editor_->close(); }},
        {"Abbrechen", [&] { child<QPushButton>("AbortBtn").click(); }},
    };
    for (const auto& [name, close] : ways) {
        h_.registry().deleteKey(RegRoot::CurrentUser, app::ROSTER_KEY);
        editor_->prepareNew();
        show();
        close();
        EXPECT_FALSE(editor_->isVisible()) << name;
        EXPECT_EQ(savedRows(), 1u) << name;
    }
}

}  // namespace
}  // namespace zelvo::dialogs

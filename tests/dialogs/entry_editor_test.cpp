// The entry editor offscreen: channel list and fields, the path as typed and on Enter, refusals,
// what a new entry keeps, and the roster saved however the dialog closes.
#include "dialogs/entry_editor.h"

#include "app/roster_store.h"
#include "dialogs/language.h"
#include "tests/dialogs/window_support.h"
#include "tests/protocol/station_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace zelvo::dialogs {
namespace {

using platform::RegRoot;
using testing::child;

class EntryEditorTest : public ::testing::Test {
protected:
    EntryEditorTest()
    {
        h_.driver.idents = {{0, "Simulation"}, {3, "Direwolf 2m"}};
        h_.station.store = &store_;
        editor_ = std::make_unique<EntryEditor>(h_.station);
    }
    template <class W = QWidget>
    W& at(const char* name)
    {
        return child<W>(*editor_, name);
    }
    QLineEdit& path() { return at<QLineEdit>("EditPath"); }
    void show()
    {
        if (editor_->isVisible())
            return;
        editor_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor_.get()));
    }
    std::size_t savedRows() { return h_.registry().valueNames(RegRoot::CurrentUser, app::ROSTER_KEY).size(); }

    testing::StationHarness h_;
    testing::BoxAnswers boxes_;
    app::RosterStore store_{h_.registry()};
    std::unique_ptr<EntryEditor> editor_;
};

TEST_F(EntryEditorTest, ChannelsFromTheDriverAndTheFieldsAsTyped)
{
    QComboBox& channels = at<QComboBox>("comboFlexKanal");
    EXPECT_EQ(editor_->windowTitle() + ":" + channels.itemText(0) + "|" + channels.itemText(1),
              "Eintrag bearbeiten:0 Simulation|3 Direwolf 2m");
    EXPECT_EQ(channels.itemData(1), 3);
    // A table read anew renames and adds channels; the chosen one stays chosen.
    channels.setCurrentIndex(1);
    h_.driver.idents = {{0, "127.0.0.1:8001"}, {2, "AGW 127.0.0.1:8000"}, {3, "Direwolf 70cm"}};
    editor_->refreshChannels();
    EXPECT_EQ(std::tuple(channels.count(), channels.itemText(1), channels.currentText()),
              std::tuple(3, QString("2 AGW 127.0.0.1:8000"), QString("3 Direwolf 70cm")));
    channels.setCurrentIndex(0);

    editor_->prepareNew();
    show();
    QTest::keyClicks(&path(), "db0abc via db0xyz ");
    EXPECT_EQ(path().text(), "DB0ABC VIA DB0XYZ ");
    // Enter presses "&Einfügen" without leaving the field; the path is normalised all the same.
    QTest::keyClick(&path(), Qt::Key_Return);
    ASSERT_EQ(h_.roster.size(), 1);
    EXPECT_EQ(std::tie(h_.roster.at(0).path, h_.roster.at(0).channel), std::tuple("DB0ABC DB0XYZ", "0"));
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
        QString box;
        QString shown = path;  // the path field after the refusal
    };
    const QString notACall = "Fehler: „%1“ ist kein gültiges Rufzeichen: ";
    const Case cases[] = {
        {false, "", "Zelvo 0.9 Beta 3: Bitte mindestens ein Call angeben"},
        {false, "DB0ABC-8", "Fehler: Dieses Call Existiert schon in der Liste!!!"},
        {true, "DB0NEW", "Fehler: Bitte einen FlexNet Kanal auswählen"},
        // Every word must be a call that can go into an address field, one sentence per fault.
        {false, "TOOLONGCALL1",
         notACall.arg("TOOLONGCALL1") +
             "es hat höchstens 6 Buchstaben und Ziffern, die SSID nicht mitgezählt."},
        {true, "DB0NEW DL9ZZZ-16", notACall.arg("DL9ZZZ-16") + "die SSID geht von 0 bis 15."},
        {false, "DL2XYZ via DB0AAA,DB0BBB",
         notACall.arg("DB0AAA,DB0BBB") +
             "es besteht nur aus den Buchstaben A bis Z und Ziffern, dahinter wahlweise eine SSID wie „-7“.",
         "DL2XYZ DB0AAA,DB0BBB"},
        {true, "-7", notACall.arg("-7") + "vor dem Bindestrich fehlt das Rufzeichen."},
    };
    for (const Case& c : cases) {
        c.update ? editor_->prepareExisting(gone) : editor_->prepareNew();
        show();
        path().setText(c.path);
        boxes_.answers = {"OK"};
        boxes_.texts.clear();
        at<QPushButton>(c.update ? "UbernehmBtn" : "EinfgBtn").click();
        EXPECT_EQ(boxes_.texts, QStringList(c.box));
        EXPECT_TRUE(editor_->isVisible());
        EXPECT_EQ(path().text(), c.shown);
        EXPECT_EQ(h_.roster.size(), 2);
        EXPECT_EQ(gone.path, "DB0OLD-1");
    }
    // Told in the language of the moment, and the German size stays. (That the dialog itself
    // follows a switch: WindowLanguagesTest.)
    editor_->prepareNew();
    const QSize german = editor_->size();
    LanguageSwitch language;
    for (const auto& [code, refusal] : {std::pair{"en", "Please enter at least one call"},
                                        {"fr", "Veuillez indiquer au moins un indicatif"},
                                        {"de", "Bitte mindestens ein Call angeben"}}) {
        language.apply(code);
        QCoreApplication::sendPostedEvents();
        boxes_.answers = {"OK"};
        boxes_.texts.clear();
        at<QPushButton>("EinfgBtn").click();
        EXPECT_EQ(boxes_.texts, QStringList(QString("Zelvo 0.9 Beta 3: ") + refusal));
    }
    EXPECT_EQ(editor_->size(), german);
}

TEST_F(EntryEditorTest, NewEntryKeepsRemotesAndChannelAndTurnsSoundsOn)
{
    app::TUserEntry& entry = h_.add("DB0ABC-7 DB0XYZ", app::TStationState::Online, "3", "Nord");
    entry.sounds = "0";
    const auto shown = [&] {
        return std::tuple(
            at<QLineEdit>("EditAlias").text(), path().text(), at<QComboBox>("comboFlexKanal").currentData(),
            at<QCheckBox>("ChSounds").isChecked(), at<QCheckBox>("chRemote").isChecked(),
            at<QPushButton>("EinfgBtn").isEnabled(), at<QPushButton>("UbernehmBtn").isEnabled());
    };
    editor_->prepareExisting(entry);
    EXPECT_EQ(shown(), std::tuple("Nord", "DB0ABC-7 DB0XYZ", 3, false, true, false, true));
    editor_->prepareNew();
    show();
    EXPECT_EQ(shown(), std::tuple("", "", 3, true, true, true, false));
    EXPECT_EQ(QApplication::focusWidget(), &at<QLineEdit>("EditAlias"));
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
        at<QPushButton>("UbernehmBtn").click();
    }
    EXPECT_EQ(changes, (std::vector<std::pair<std::string, std::string>>{{"DB0ABC", "DB0NEW"}}));
}

TEST_F(EntryEditorTest, EveryWayOfClosingSavesTheRoster)
{
    h_.add("DB0ABC");
    // Esc: Desktop.TrayProgramEndToEnd.
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"close box", [&] { editor_->close(); }},
        {"Abbrechen", [&] { at<QPushButton>("AbortBtn").click(); }},
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

// Tab reaches the buttons in the order they stand.
TEST_F(EntryEditorTest, TabFollowsTheButtonsAsTheyStand)
{
    QStringList buttons;
    for (QWidget* at = editor_->nextInFocusChain(); at != editor_.get(); at = at->nextInFocusChain()) {
        if (qobject_cast<QPushButton*>(at) != nullptr)
            buttons << at->objectName();
    }
    EXPECT_EQ(buttons.join(' ').toStdString(), "EinfgBtn UbernehmBtn AbortBtn");
}

}  // namespace
}  // namespace zelvo::dialogs

// The dialog "Funkkanäle" and its channel editor, offscreen: the table in use with each TNC's
// state, a channel added through the editor and saved, wrong input named where it is typed,
// "Testen" and "Suchen" against TNCs of the test on free ports, and the texts after a switch of
// the language.
#include "dialogs/channel_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dialogs/channel_editor.h"
#include "dialogs/channel_words.h"
#include "dialogs/language.h"
#include "platform/registry.h"
#include "tests/dialogs/window_support.h"
#include "tests/support/fake_agw_server.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace zelvo::dialogs {
namespace {

using link::ChannelEntry;
using testing::child;
using testing::readFile;

const std::string kTable = "# the club's TNCs\n"
                           "0 kiss-tcp 127.0.0.1:8001 Direwolf  # local\n"
                           "1 kiss-serial /dev/null 9600@1200 Handheld\n";

class ChannelDialogTest : public ::testing::Test {
protected:
    ChannelDialogTest()
    {
        dir_.write("flexnet.conf", kTable);
        access_.channels = [] {
            return std::vector<link::FlexApi::Channel>{{0, "kiss-tcp", "127.0.0.1:8001", "D"}};
        };
        access_.linkState = [](int) { return std::optional(FlxLinkState{FLX_LINK_UP, 0, 0, 0, 0}); };
        access_.reload = [this] { return ++reloads_ > 0; };
        const testing::ScopedEnv flexnet("flexnet", ZELVO_DRIVER_DIR);
        if (driver_.loadFlexApi(registry_) && driver_.canProbe())
            access_.probe = link::accessOf(driver_).probe;
    }

    ChannelDialog& dialog()
    {
        if (!dialog_) {
            dialog_ = std::make_unique<ChannelDialog>(access_, [this] { return places_; });
            dialog_->show();
        }
        return *dialog_;
    }
    QTreeWidget& rows() { return child<QTreeWidget>(dialog(), "ListChannels"); }
    QStringList row(int at)
    {
        QStringList texts;
        for (int column = 0; column < rows().columnCount(); ++column)
            texts << rows().topLevelItem(at)->text(column);
        return texts;
    }
    // Runs `act` on the channel editor once `click` has opened it.
    void inEditor(QPushButton& click, const std::function<void(ChannelEditor&)>& act)
    {
        QTimer::singleShot(0, &dialog(), [&] {
            ASSERT_NE(dialog().editor(), nullptr);
            act(*dialog().editor());
            if (dialog().editor() != nullptr && dialog().editor()->isVisible())
                dialog().editor()->reject();
        });
        click.click();
    }
    static void type(ChannelEditor& editor, const char* field, const QString& text)
    {
        auto& edit = child<QLineEdit>(editor, field);
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        // QTest types only ASCII; the rest goes in as a paste would.
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
            QTest::keyClicks(&edit, text);
        else
            edit.insert(text);
    }

    testing::TempDir dir_;
    link::ChannelPlaces places_{dir_ / "flexnet.conf", dir_ / "user/flexnet.conf", {}};
    platform::Registry registry_{platform::Registry::Paths{dir_ / "HKCU.reg", dir_ / "HKLM.reg"}};
    link::FlexApi driver_;
    link::TncAccess access_;
    int reloads_ = 0;
    std::unique_ptr<ChannelDialog> dialog_;
};

TEST_F(ChannelDialogTest, ShowsTheTableAndSavesAChannelAddedInTheEditor)
{
    ASSERT_EQ(rows().topLevelItemCount(), 2);
    EXPECT_EQ(row(0), (QStringList{"0", "kiss-tcp", "127.0.0.1", "8001", "sofort", "Direwolf", "antwortet"}));
    EXPECT_EQ(row(1), (QStringList{"1", "kiss-serial", "/dev/null", "9600 Bd", "1200 Bit/s", "Handheld",
                                   "nicht in Gebrauch"}));
    EXPECT_TRUE(child<QLabel>(dialog(), "LabelTable").text().contains("user/flexnet.conf"));

    QSignalSpy changed(&dialog(), &ChannelDialog::channelsChanged);
    inEditor(child<QPushButton>(dialog(), "BtnHinzufuegen"), [&](ChannelEditor& editor) {
        auto& kind = child<QComboBox>(editor, "ComboKind");
        kind.setCurrentIndex(kind.findText("agw-tcp"));
        EXPECT_EQ(child<QLineEdit>(editor, "EditPort").text(), "8000");  // the kind's own port
        EXPECT_EQ(child<QLineEdit>(editor, "EditNumber").text(), "2");   // the first free number
        type(editor, "EditRadioPort", "1");
        type(editor, "EditAirRate", "1200");
        type(editor, "EditName", "QtSoundModem 2m");
        EXPECT_EQ(editor.fault(), "");
        child<QPushButton>(editor, "BtnOK").click();
    });
    EXPECT_EQ(row(2), (QStringList{"2", "agw-tcp", "127.0.0.1", "8000/1", "1200 Bit/s", "QtSoundModem 2m",
                                   "nicht in Gebrauch"}));
    child<QPushButton>(dialog(), "BtnOK").click();
    EXPECT_EQ(readFile(dir_ / "user/flexnet.conf"),
              kTable + "2 agw-tcp 127.0.0.1:8000/1@1200 QtSoundModem 2m\n");
    EXPECT_EQ(readFile(dir_ / "flexnet.conf"), kTable);
    EXPECT_EQ(std::tuple(reloads_, changed.count(), dialog().isVisible()), std::tuple(1, 1, false));
}

TEST_F(ChannelDialogTest, RefusesWrongInputWhereItIsTypedWithAWordForIt)
{
    // A port of 70000: Desktop.ChannelPage.
    const std::tuple<const char*, QString, QString> wrong[] = {
        {"EditNumber", "0", "Kanalnummer 0 ist schon vergeben"},
        {"EditNumber", "16", "Kanalnummer 0 bis 15"},
        {"EditAirRate", "0", "Luftrate 1 bis 10000000 Bit/s"},
        {"EditName", "Nord # Süd", "Name mit unzulässigem Zeichen (# oder Zeilenumbruch)"},
        {"EditName", "Kanal ☺", "Name mit Zeichen, die die Tabelle nicht hält"},
        {"EditHost", "", "Rechner fehlt"},
    };
    for (const auto& [field, text, word] : wrong) {
        inEditor(child<QPushButton>(dialog(), "BtnHinzufuegen"), [&](ChannelEditor& editor) {
            type(editor, "EditName", "Fine");
            type(editor, field, text);
            EXPECT_EQ(child<QLabel>(editor, "LabelFault").text(), word) << field;
            child<QPushButton>(editor, "BtnOK").click();
            EXPECT_TRUE(editor.isVisible()) << field;
            EXPECT_EQ(editor.focusWidget(), &child<QWidget>(editor, field)) << field;
        });
    }
    // A device that is not there, on the serial kind.
    inEditor(child<QPushButton>(dialog(), "BtnHinzufuegen"), [&](ChannelEditor& editor) {
        auto& kind = child<QComboBox>(editor, "ComboKind");
        kind.setCurrentIndex(kind.findText("kiss-serial"));
        type(editor, "EditName", "TNC");
        type(editor, "EditDevice", QString::fromStdString((dir_ / "ttyUSB9").string()));
        EXPECT_EQ(editor.fault(), "Gerät nicht vorhanden");
    });
    EXPECT_EQ(rows().topLevelItemCount(), 2);
    EXPECT_FALSE(dialog().table().modified());
}

TEST_F(ChannelDialogTest, TestenSaysWhatAnswersAtTheAddress)
{
    if (!access_.probe)
        GTEST_SKIP() << "the driver cannot probe";
    // What an AGW server's answer comes to: ChannelWordsTest.
    testing::KissServer kiss;
    QSignalSpy answered(&dialog(), &ChannelDialog::answered);
    inEditor(child<QPushButton>(dialog(), "BtnAendern"), [&](ChannelEditor& editor) {
        type(editor, "EditPort", QString::number(kiss.port()));
        child<QPushButton>(editor, "BtnOK").click();
    });
    child<QPushButton>(dialog(), "BtnTesten").click();
    ASSERT_TRUE(answered.wait(5000));
    EXPECT_EQ(dialog().status(), QStringLiteral("KISS-TNC antwortet auf 127.0.0.1:%1").arg(kiss.port()));
}

TEST_F(ChannelDialogTest, SearchOffersTheTncsOfThisMachineAndTakesThePickedOnes)
{
    if (!access_.probe)
        GTEST_SKIP() << "the driver cannot probe";
    testing::KissServer kiss;
    testing::FakeAgwServer agw;
    const auto at = [](const char* kind, std::uint16_t port) {
        return *link::entryOfAddress(kind + (" 127.0.0.1:" + std::to_string(port)));
    };
    dialog().setSearchPlaces([&] {
        return std::vector{at("kiss-tcp", kiss.port()), at("agw-tcp", agw.port()), at("kiss-tcp", 8001)};
    });
    QSignalSpy answered(&dialog(), &ChannelDialog::answered);
    auto& search = child<QPushButton>(dialog(), "BtnSuchen");
    search.click();
    EXPECT_FALSE(search.isEnabled());  // runs while the window goes on
    ASSERT_TRUE(answered.wait(5000));
    auto& found = child<QListWidget>(dialog(), "ListFound");
    ASSERT_EQ(found.count(), 2);  // what the table has already is not offered
    found.item(1)->setCheckState(Qt::Unchecked);
    child<QPushButton>(dialog(), "BtnUebernehmen").click();
    ASSERT_EQ(rows().topLevelItemCount(), 3);
    EXPECT_EQ(row(2).mid(0, 6),
              (QStringList{"2", "kiss-tcp", "127.0.0.1", QString::number(kiss.port()), "sofort",
                           QStringLiteral("KISS 127.0.0.1:%1").arg(kiss.port())}));
    EXPECT_EQ(found.count(), 1);
    // The KISS TNC was asked without a KISS frame.
    ASSERT_TRUE(kiss.accept());
    EXPECT_EQ(kiss.wait_frames(1, std::chrono::milliseconds(300)).size(), 0u);
}

// What a probe and a link state come to in words, for each way a TNC answers or does not.
TEST(ChannelWordsTest, ProbesAndLinkStatesInWords)
{
    const ChannelEntry tcp = *link::entryOfAddress("kiss-tcp 127.0.0.1:8001");
    const ChannelEntry unknown = *link::entryOfAddress("kiss-tcp nowhere.invalid:8001");
    const ChannelEntry serial = *link::entryOfAddress("kiss-serial /dev/null 9600");
    const auto probe = [](int kind, int error) { return std::optional(FlxProbe{kind, error, 0, 0, 0, ""}); };
    const std::tuple<ChannelEntry, std::optional<FlxProbe>, QString> probes[] = {
        {tcp, probe(FLX_PROBE_NOTHING, ECONNREFUSED), "keine Antwort von 127.0.0.1:8001"},
        {unknown, probe(FLX_PROBE_NOTHING, -1), "nowhere.invalid: Rechner unbekannt"},
        {tcp, probe(FLX_PROBE_OTHER, 0), "127.0.0.1:8001 antwortet, aber weder mit KISS noch mit AGW"},
        {tcp, FlxProbe{FLX_PROBE_AGW, 0, 1, 6, 1, ""},
         "AGW-Server 1.6 antwortet auf 127.0.0.1:8001, ein Funkport"},
        {serial, probe(FLX_PROBE_NOTHING, EACCES), "/dev/null: keine Berechtigung (Gruppe root)"},
        {serial, probe(FLX_PROBE_NOTHING, ENOENT), "/dev/null: Gerät nicht vorhanden"},
        {serial, probe(FLX_PROBE_KISS, 0), "/dev/null lässt sich öffnen (KISS-TNC?)"},
        {tcp, std::nullopt, "Der Treiber kann nicht prüfen, was antwortet"},
    };
    for (const auto& [entry, answer, words] : probes)
        EXPECT_EQ(ChannelWords::probe(entry, answer), words);

    const auto state = [](int kind, int error) { return std::optional(FlxLinkState{kind, error, 0, 0, 0}); };
    EXPECT_EQ((std::vector{ChannelWords::linkState(tcp, state(FLX_LINK_UP, 0)),
                           ChannelWords::linkState(tcp, state(FLX_LINK_WRONG_PROTOCOL, 0)),
                           ChannelWords::linkState(tcp, state(FLX_LINK_DOWN, ECONNREFUSED)),
                           ChannelWords::linkState(tcp, std::nullopt)}),
              (std::vector<QString>{"antwortet", "keine KISS-Gegenstelle", "keine Antwort", "?"}));
}

}  // namespace
}  // namespace zelvo::dialogs

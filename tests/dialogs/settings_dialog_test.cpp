// The settings dialog offscreen: pages, limits and disabled controls, the enable rules, live
// editing of the event records, "<keine>", the wave file dialog, Enter and Ctrl+Enter in the
// texts, and OK, "Abbrechen", Esc and the close box against the registry files.
#include "dialogs/settings_dialog.h"

#include "platform/registry.h"
#include "tests/dialogs/window_support.h"
#include "tests/protocol/station_harness.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace zelvo::dialogs {
namespace {

using platform::RegRoot;
using testing::BoxAnswer;

constexpr const char* kMain = "\\Software\\Varkel\\Zelvo";

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest()
    {
        EXPECT_EQ(settings_.load(), std::nullopt);
        dialog_ = std::make_unique<SettingsDialog>(settings_, &sound_);
        dialog_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    }
    template <class W>
    W& child(const char* name)
    {
        W* widget = dialog_->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    // What the next start would read.
    std::optional<std::string> stored(const char* name)
    {
        return platform::Registry(paths_).readString(RegRoot::CurrentUser, kMain, name);
    }
    void selectEvent(TEventKind kind)
    {
        child<QComboBox>("ComboEvents").setCurrentIndex(static_cast<int>(kind));
    }

    testing::TempDir dir_;
    platform::Registry::Paths paths_{dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"};
    platform::Registry registry_{paths_};
    Settings settings_{registry_};
    testing::RecordingSound sound_;
    std::unique_ptr<SettingsDialog> dialog_;
};

TEST_F(SettingsDialogTest, PagesLimitsAndDisabledControls)
{
    EXPECT_EQ(dialog_->windowTitle(), "Einstellungen");
    const QTabWidget& pages = child<QTabWidget>("");
    EXPECT_EQ(pages.tabText(0) + "|" + pages.tabText(1) + "|" + pages.tabText(2),
              "Zelvo|Remotes und Away|Ereignisse");
    EXPECT_EQ(pages.currentIndex(), 2);
    EXPECT_EQ(child<QLineEdit>("EditMyCall").maxLength(), 9);
    EXPECT_EQ(child<QLineEdit>("EditAlias").maxLength(), 15);
    EXPECT_EQ(child<QLineEdit>("EditCWText").maxLength(), 20);
    EXPECT_EQ(child<QSpinBox>("SpinCWSpeed").minimum(), 10);
    EXPECT_EQ(child<QSpinBox>("SpinCWSpeed").maximum(), 120);
    EXPECT_EQ(child<QComboBox>("ComboEvents").count(), kEventKindCount);
    EXPECT_EQ(child<QComboBox>("ComboEvents").itemText(7), "Selbst Ofline");
    for (const char* name : {"RadioCW", "EditCWText", "SpinCWSpeed", "ChFocus", "ChFocusPop", "ListSprache",
                             "BtnSprache", "ChRemVer"})
        EXPECT_FALSE(child<QWidget>(name).isEnabled()) << name;
    EXPECT_TRUE(child<QCheckBox>("ChRemVer").isChecked());
    EXPECT_TRUE(child<QRadioButton>("Radiocall3").isChecked());
    QPlainTextEdit& away = child<QPlainTextEdit>("AwayMemo");
    EXPECT_EQ(away.toPlainText(), "Bin gerade nicht da");
    away.insertPlainText(QString(300, 'x'));  // what does not fit is refused, as it is typed
    EXPECT_EQ(away.toPlainText().size(), 252);
    EXPECT_EQ(settings_.awayText(), std::string(233, 'x') + "Bin gerade nicht da");
    EXPECT_EQ(child<QLineEdit>("EditWavePath").text(), "");  // a first start shows no "<keine>"
}

TEST_F(SettingsDialogTest, InfoAndAwayTextsFollowTheirBoxes)
{
    const std::tuple<const char*, const char*, Option> rules[] = {
        {"chRemInfo", "InfoMemo", Option::RemInfo}, {"ChSendAway", "AwayMemo", Option::SendAway}};
    for (const auto& [box, memo, option] : rules) {
        child<QCheckBox>(box).click();
        EXPECT_FALSE(child<QWidget>(memo).isEnabled()) << memo;
        EXPECT_FALSE(settings_.option(option)) << box;
        child<QCheckBox>(box).click();
        EXPECT_TRUE(child<QWidget>(memo).isEnabled()) << memo;
    }
}

TEST_F(SettingsDialogTest, EventPageEditsTheSelectedRecordOnly)
{
    selectEvent(TEventKind::evUserAway);
    child<QCheckBox>("ChEntryTop").click();
    child<QRadioButton>("RadioWave").click();
    QTest::keyClicks(&child<QLineEdit>("EditWavePath"), "/snd/away.wav");
    TEreignisObj away;
    away.entryTop = true;
    away.soundKind = kSoundWave;
    away.wavePath = "/snd/away.wav";
    EXPECT_EQ(settings_.event(TEventKind::evUserAway), away);

    // Showing another event writes nothing, not even "<keine>".
    const SettingsValues before = settings_.snapshot();
    selectEvent(TEventKind::evUserBack);
    EXPECT_EQ(child<QLineEdit>("EditWavePath").text(), "");
    selectEvent(TEventKind::evUserAway);
    EXPECT_EQ(settings_.snapshot().events, before.events);

    // Emptying the field by hand gives "<keine>", in the field and the record.
    QLineEdit& wave = child<QLineEdit>("EditWavePath");
    wave.selectAll();
    QTest::keyClick(&wave, Qt::Key_Backspace);
    EXPECT_EQ(wave.text(), "<keine>");
    EXPECT_EQ(settings_.event(TEventKind::evUserAway).wavePath, "<keine>");

    // The play button plays the edited record.
    settings_.updateEvent(TEventKind::evUserAway, [](TEreignisObj& e) { e.wavePath = "/snd/x.wav"; });
    child<QPushButton>("BtnPlay").click();
    EXPECT_EQ(sound_.played(), std::vector<std::string>{"/snd/x.wav"});
}

TEST_F(SettingsDialogTest, WaveFileDialogStartsBesideTheFileAndRefusesUnstorableNames)
{
    std::filesystem::create_directories(dir_ / "snd");
    const QString folder = QString::fromStdString((dir_ / "snd").string());
    QStringList answers = {folder + "/b\u2713.wav", folder + "/b\u00e4.wav"};
    QStringList startedIn;
    dialog_->setWaveChooser([&](QWidget*, const QString& start) {
        startedIn << start;
        return answers.takeFirst();
    });
    QLineEdit& wave = child<QLineEdit>("EditWavePath");
    wave.setText(folder + "/a.wav");
    {
        BoxAnswer ok("OK");
        child<QPushButton>("BtnWaveOpen").click();
        EXPECT_TRUE(ok.text.contains(QString::fromUtf8("b\u2713.wav"))) << ok.text.toStdString();
    }
    EXPECT_EQ(settings_.event(TEventKind::evMessageReceived).wavePath, "");
    child<QPushButton>("BtnWaveOpen").click();
    EXPECT_EQ(startedIn, QStringList({folder, folder}));
    EXPECT_EQ(wave.text(), folder + "/b\u00e4.wav");
    EXPECT_EQ(settings_.event(TEventKind::evMessageReceived).wavePath, folder.toStdString() + "/b\xE4.wav");
}

TEST_F(SettingsDialogTest, CtrlEnterBreaksTheInfoTextAndEnterIsOk)
{
    QPlainTextEdit& info = child<QPlainTextEdit>("InfoMemo");
    info.setFocus();
    info.selectAll();
    QTest::keyClicks(&info, "a");
    QTest::keyClick(&info, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(&info, "b");
    EXPECT_EQ(settings_.infoText(), "a\r\nb");
    QTest::keyClick(&info, Qt::Key_Return);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(stored("Infotext"), "a\r\nb");
}

TEST_F(SettingsDialogTest, OkSavesCancelAndEscReloadCloseBoxDoesNeither)
{
    QLineEdit& myCall = child<QLineEdit>("EditMyCall");
    const std::pair<const char*, std::function<void()>> discards[] = {
        {"Abbrechen", [&] { child<QPushButton>("BtnAbbrechen").click(); }},
        {"Esc", [&] { QTest::keyClick(&myCall, Qt::Key_Escape); }},
    };
    for (const auto& [name, discard] : discards) {
        dialog_->show();
        QTest::keyClicks(&myCall, "DK0AB");
        EXPECT_EQ(settings_.myCall(), "DK0AB") << name;
        discard();
        EXPECT_FALSE(dialog_->isVisible()) << name;
        EXPECT_EQ(settings_.myCall(), "") << name;
        EXPECT_EQ(myCall.text(), "") << name;
    }

    dialog_->show();
    QTest::keyClicks(&myCall, "DK0AB");
    dialog_->close();
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(settings_.myCall(), "DK0AB");
    EXPECT_EQ(stored("Mycall"), std::nullopt);

    std::optional<ListDisplay> applied;
    QObject::connect(dialog_.get(), &SettingsDialog::displayModeApplied,
                     [&](ListDisplay mode) { applied = mode; });
    dialog_->show();
    child<QPushButton>("BtnOK").click();
    EXPECT_EQ(stored("Mycall"), "DK0AB");
    EXPECT_EQ(applied, ListDisplay::CallNameAndHeader);
}

TEST_F(SettingsDialogTest, RegistryErrorOnOkIsShownAndNothingIsLost)
{
    testing::writeFile(paths_.currentUser, "not a registry file\n");
    QTest::keyClicks(&child<QLineEdit>("EditMyCall"), "DK0AB");
    BoxAnswer ok("OK");
    child<QPushButton>("BtnOK").click();
    EXPECT_EQ(ok.title, "Fehler");
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(settings_.myCall(), "DK0AB");
    EXPECT_EQ(testing::readFile(paths_.currentUser), "not a registry file\n");
}

}  // namespace
}  // namespace zelvo::dialogs

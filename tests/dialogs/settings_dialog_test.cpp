// The settings dialog offscreen: the first-start values, the enable rules, live
// editing of the event records, "<keine>", the wave file dialog, Enter and Ctrl+Enter in the
// texts, OK, "Abbrechen", Esc and the close box against the registry files, the language's
// choice, and each language switched while it is open.
#include "dialogs/settings_dialog.h"

#include "dialogs/language.h"
#include "platform/registry.h"
#include "tests/dialogs/window_support.h"
#include "tests/protocol/station_harness.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace zelvo::dialogs {
namespace {

using platform::RegRoot;
using testing::child;

constexpr const char* kMain = "\\Software\\Varkel\\Zelvo";

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest()
    {
        EXPECT_EQ(settings_.load(), std::nullopt);
        dialog_ = std::make_unique<SettingsDialog>(news_, &sound_);
        dialog_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    }
    template <class W = QWidget>
    W& at(const char* name)
    {
        return child<W>(*dialog_, name);
    }
    // What the next start would read.
    std::optional<std::string> stored(const char* name)
    {
        return platform::Registry(paths_).readString(RegRoot::CurrentUser, kMain, name);
    }
    QTabWidget& pages() { return *dialog_->findChild<QTabWidget*>(); }
    void selectEvent(TEventKind kind)
    {
        at<QComboBox>("ComboEvents").setCurrentIndex(static_cast<int>(kind));
    }

    testing::TempDir dir_;
    platform::Registry::Paths paths_{dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"};
    platform::Registry registry_{paths_};
    Settings settings_{registry_};
    SettingsNews news_{settings_};
    testing::RecordingSound sound_;
    testing::BoxAnswers boxes_;
    std::unique_ptr<SettingsDialog> dialog_;
};

TEST_F(SettingsDialogTest, FirstStartShowsTheDefaultsAndTextsFollowTheirBoxesAndRefuseWhatDoesNotFit)
{
    EXPECT_TRUE(at<QRadioButton>("Radiocall3").isChecked());
    EXPECT_EQ(at<QLineEdit>("EditWavePath").text(), "");  // a first start shows no "<keine>"
    // What does not fit is refused as it comes in.
    QPlainTextEdit& away = at<QPlainTextEdit>("AwayMemo");
    away.insertPlainText(QString(300, 'x'));
    EXPECT_EQ(settings_.awayText(), std::string(233, 'x') + "Bin gerade nicht da");
    EXPECT_EQ(away.toPlainText().size(), 252);
    // Each text is open while its box is ticked.
    const std::tuple<const char*, const char*, Option> rules[] = {
        {"chRemInfo", "InfoMemo", Option::RemInfo}, {"ChSendAway", "AwayMemo", Option::SendAway}};
    for (const auto& [box, memo, option] : rules) {
        at<QCheckBox>(box).click();
        EXPECT_FALSE(at(memo).isEnabled() || settings_.option(option)) << box;
        at<QCheckBox>(box).click();
        EXPECT_TRUE(at(memo).isEnabled()) << memo;
    }
}

// The list's row n is event kind n: a row out of place would edit another event's record.
TEST_F(SettingsDialogTest, EventListNamesTheElevenKindsInTheirOrder)
{
    const QStringList captions = {"Nachricht empfangen", "Nachricht gesendet", "User Online",
                                  "User Offline",        "User Away",          "User Back",
                                  "Selbst Online",
                                  "Selbst Ofline",  // so spelled in the list
                                  "Selbst Away",         "Selbst Back",        "Poll von User"};
    QComboBox& events = at<QComboBox>("ComboEvents");
    QStringList shown;
    for (int row = 0; row < events.count(); ++row)
        shown << events.itemText(row);
    EXPECT_EQ(shown, captions);
}

TEST_F(SettingsDialogTest, EventPageEditsTheSelectedRecordOnly)
{
    QLineEdit& wave = at<QLineEdit>("EditWavePath");
    selectEvent(TEventKind::evUserAway);
    at<QCheckBox>("ChEntryTop").click();
    at<QCheckBox>("ChNotify").click();
    at<QRadioButton>("RadioWave").click();
    QTest::keyClicks(&wave, "/snd/away.wav");
    TEreignisObj away;
    std::tie(away.entryTop, away.notify, away.soundKind, away.wavePath) =
        std::tuple(true, true, kSoundWave, "/snd/away.wav");
    EXPECT_EQ(settings_.event(TEventKind::evUserAway), away);

    // Showing another event writes nothing, not even "<keine>"; emptying the field by hand does.
    const SettingsValues before = settings_.snapshot();
    selectEvent(TEventKind::evUserBack);
    EXPECT_EQ(wave.text(), "");
    selectEvent(TEventKind::evUserAway);
    EXPECT_EQ(settings_.snapshot().events, before.events);
    wave.selectAll();
    QTest::keyClick(&wave, Qt::Key_Backspace);
    EXPECT_EQ(wave.text(), "<keine>");
    EXPECT_EQ(settings_.event(TEventKind::evUserAway).wavePath, "<keine>");

    settings_.updateEvent(TEventKind::evUserAway, [](TEreignisObj& e) { e.wavePath = "/snd/x.wav"; });
    at<QPushButton>("BtnPlay").click();
    EXPECT_EQ(sound_.played(), std::vector<std::string>{"/snd/x.wav"});

    // A received message is notified unless switched off; the failed delivery's switch is no event's.
    selectEvent(TEventKind::evMessageReceived);
    EXPECT_TRUE(at<QCheckBox>("ChNotify").isChecked());
    at<QCheckBox>("ChNotifyFailure").click();
    EXPECT_EQ(std::tuple(settings_.notifyFailure(), settings_.event(TEventKind::evMessageReceived).notify),
              std::tuple(false, true));
}

TEST_F(SettingsDialogTest, WaveFileDialogStartsBesideTheFileAndRefusesUnstorableNames)
{
    std::filesystem::create_directories(dir_ / "snd");
    const QString folder = QString::fromStdString((dir_ / "snd").string());
    QStringList answers = {folder + "/b\u2713.wav", folder + "/b\u00e4.wav"}, startedIn;
    dialog_->setWaveChooser([&](QWidget*, const QString& start) {
        startedIn << start;
        return answers.takeFirst();
    });
    at<QLineEdit>("EditWavePath").setText(folder + "/a.wav");
    boxes_.answers = {"OK"};
    at<QPushButton>("BtnWaveOpen").click();
    EXPECT_TRUE(boxes_.texts.join("").endsWith(QString::fromUtf8("b\u2713.wav")))
        << boxes_.texts.join("|").toStdString();
    EXPECT_EQ(settings_.event(TEventKind::evMessageReceived).wavePath, "");
    at<QPushButton>("BtnWaveOpen").click();
    EXPECT_EQ(startedIn, QStringList({folder, folder}));
    EXPECT_EQ(settings_.event(TEventKind::evMessageReceived).wavePath, folder.toStdString() + "/b\xE4.wav");
}

// Ctrl+Enter breaks the info text; Enter in it is OK (the OK button itself:
// OwnCallIsStoredUpperCaseAndOneThatIsNoCallKeepsThePageOpen).
TEST_F(SettingsDialogTest, OkSavesCancelAndEscReloadCloseBoxDoesNeither)
{
    QLineEdit& myCall = at<QLineEdit>("EditMyCall");
    const auto edit = [&] {
        dialog_->show();
        QTest::keyClicks(&myCall, "DK0AB");
        EXPECT_EQ(settings_.myCall(), "DK0AB");
    };
    const std::pair<const char*, std::function<void()>> discards[] = {
        {"Abbrechen", [&] { at<QPushButton>("BtnAbbrechen").click(); }},
        {"Esc", [&] { QTest::keyClick(&myCall, Qt::Key_Escape); }},
    };
    for (const auto& [name, discard] : discards) {
        edit();
        discard();
        EXPECT_EQ(std::tuple(dialog_->isVisible(), settings_.myCall(), myCall.text()),
                  std::tuple(false, "", ""))
            << name;
    }
    edit();
    dialog_->close();
    EXPECT_EQ(std::tuple(dialog_->isVisible(), settings_.myCall(), stored("Mycall")),
              std::tuple(false, "DK0AB", std::nullopt));

    std::optional<ListDisplay> applied;
    QObject::connect(dialog_.get(), &SettingsDialog::displayModeApplied,
                     [&](ListDisplay mode) { applied = mode; });
    dialog_->show();
    QPlainTextEdit& info = at<QPlainTextEdit>("InfoMemo");
    info.setFocus();
    QTest::keyClicks(&info, "a");
    QTest::keyClick(&info, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(&info, "b");
    EXPECT_EQ(settings_.infoText(), "a\r\nb");
    QTest::keyClick(&info, Qt::Key_Return);
    EXPECT_EQ(std::tuple(dialog_->isVisible(), stored("Infotext"), stored("Mycall"), applied),
              std::tuple(false, "a\r\nb", "DK0AB", ListDisplay::CallNameAndHeader));
}

TEST_F(SettingsDialogTest, OwnCallIsStoredUpperCaseAndOneThatIsNoCallKeepsThePageOpen)
{
    QLineEdit& myCall = at<QLineEdit>("EditMyCall");
    QTest::keyClicks(&myCall, "dl1abc-16");
    EXPECT_EQ(std::tuple(myCall.text(), settings_.myCall()), std::tuple("DL1ABC-16", "DL1ABC-16"));
    // The close box refuses it (OK too: Desktop.TrayProgramEndToEnd), at the page "Zelvo" with the
    // call ready to be typed over.
    pages().setCurrentIndex(2);
    boxes_.answers = {"OK"};
    dialog_->close();
    EXPECT_EQ(boxes_.texts,
              QStringList("Fehler: „DL1ABC-16“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis 15."));
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(std::tuple(pages().currentIndex(), dialog_->focusWidget(), myCall.selectedText()),
              std::tuple(0, &myCall, QString("DL1ABC-16")));
    EXPECT_EQ(stored("Mycall"), std::nullopt);
    QTest::keyClick(&myCall, Qt::Key_Backspace);
    QTest::keyClicks(&myCall, "dk0ab-7");
    at<QPushButton>("BtnOK").click();
    EXPECT_EQ(stored("Mycall"), "DK0AB-7");
}

// "Auswählen" stores the language at once, and nothing of the other edits; "Abbrechen" keeps it.
TEST_F(SettingsDialogTest, AuswaehlenStoresTheLanguageAloneAndAtOnce)
{
    QListWidget& list = at<QListWidget>("ListSprache");
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names << list.item(row)->text();
    EXPECT_EQ(std::tuple(list.isEnabled(), names),
              std::tuple(true, QStringList{"Deutsch", "English", "Français"}));
    QTest::keyClicks(&at<QLineEdit>("EditMyCall"), "DK0AB");
    list.setCurrentRow(2);
    at<QPushButton>("BtnSprache").click();
    EXPECT_EQ(std::tuple(stored("Sprache"), stored("Mycall")), std::tuple("fr", std::nullopt));
    list.setCurrentRow(0);
    at<QPushButton>("BtnAbbrechen").click();  // a main key with only the language is a first start
    EXPECT_EQ(std::tuple(settings_.myCall(), settings_.language(), list.currentRow()),
              std::tuple("", "fr", 2));
}

// Switched while the dialog is open, each language words the missing wave file ("<keine>" stays
// stored) and the registry's problem on OK, its reason within it too (the log's words, the
// problem's text, stay German); the dialog grows where a language needs it and has its own size
// again in German. (Its texts, their names for a screen reader, every text whole:
// WindowLanguagesTest.)
TEST_F(SettingsDialogTest, EachLanguageSwitchedWhileOpenWordsTheMissingWaveAndTheRegistryError)
{
    settings_.updateEvent(TEventKind::evMessageReceived, [](TEreignisObj& e) { e.wavePath = "<keine>"; });
    const QSize german = dialog_->size();
    testing::writeFile(paths_.currentUser, "not a registry file\n");
    QTest::keyClicks(&at<QLineEdit>("EditMyCall"), "DK0AB");
    const QString file = QString::fromStdString(paths_.currentUser.string());
    EXPECT_EQ(
        platform::fromAnsi(settings_.save().value_or(platform::Problem{}).text),
        QString("Die Registrierungsdatei %1 ist in Zeile 1 fehlerhaft: die erste Zeile muss \"REGEDIT4\" "
                "lauten")
            .arg(file));
    LanguageSwitch language;
    const std::tuple<const char*, const char*, QString> shown[] = {
        {"en", "<none>",
         "Error: The registry file %1 is faulty in line 1: the first line must read \"REGEDIT4\""},
        {"fr", "<aucun>",
         "Erreur: Le fichier de registre %1 est erroné à la ligne 1\u00a0: la première ligne doit "
         "être «\u00a0REGEDIT4\u00a0»"},
        {"de", "<keine>",
         "Fehler: Die Registrierungsdatei %1 ist in Zeile 1 fehlerhaft: die erste Zeile muss "
         "\"REGEDIT4\" lauten"},
    };
    for (const auto& [code, noWave, error] : shown) {
        language.apply(code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QApplication::processEvents();  // the layouts follow the new texts
        EXPECT_EQ(at<QLineEdit>("EditWavePath").text(), noWave) << code;
        boxes_.answers = {"OK"};
        at<QPushButton>("BtnOK").click();
        EXPECT_EQ(boxes_.texts.value(0), error.arg(file)) << code;
        boxes_.texts.clear();
    }
    EXPECT_EQ(std::tuple(dialog_->size(), dialog_->isVisible(), settings_.myCall()),
              std::tuple(german, true, "DK0AB"));
    EXPECT_EQ(settings_.event(TEventKind::evMessageReceived).wavePath, "<keine>");
    EXPECT_EQ(testing::readFile(paths_.currentUser), "not a registry file\n");
}

// "Funkkanäle …" beside OK fits in the row of OK, so the dialog has the size it had without it.
// That it opens the channel dialog: Desktop.ChannelPage, from the settings with Alt+F.
TEST_F(SettingsDialogTest, FunkkanaeleLeavesTheSize)
{
    pages().setCurrentIndex(0);
    QApplication::processEvents();
    const QSize with = dialog_->size();
    at<QPushButton>("BtnFunkkanaele").hide();
    dialog_->layout()->activate();
    EXPECT_EQ(dialog_->size(), with);
}

}  // namespace
}  // namespace zelvo::dialogs

// The settings dialog "Einstellungen" with its pages "Zelvo", "Remotes und Away" and
// "Ereignisse" (shown first). Every control edits the live settings model at once, so the rest of
// the program sees a change as soon as it is made; OK saves, "Abbrechen" and Esc discard the edits
// by loading the registry again, and the close box does neither. OK and the close box refuse an
// own call that is no AX.25 call. The dialog keeps its page and event between showings.
// "Auswählen" stores the chosen language of the windows at once, whatever becomes of the other
// edits; the program follows the stored choice. The texts follow a change of the language.
//
// Child widgets carry the control names as object names (EditMyCall, ChSound, InfoMemo,
// ComboEvents, EditWavePath, BtnPlay, ListSprache, BtnSprache, ...; the buttons are BtnOK and
// BtnAbbrechen).
#pragma once

#include <QDialog>

#include <functional>
#include <utility>
#include <vector>

#include "dialogs/settings.h"
#include "dialogs/settings_news.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace zelvo::platform {
class SoundPlayer;
}

namespace zelvo::dialogs {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a wave file, starting in `folder`; an empty text when none was chosen.
    using WaveChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    // Edits the settings of `news`, and fills in what changes meanwhile; `player` plays the play
    // button's sound, none keeps it silent.
    SettingsDialog(SettingsNews& news, platform::SoundPlayer* player, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // The event whose record the event page shows and edits.
    TEventKind selectedEvent() const;
    // Replaces the file dialog behind "...".
    void setWaveChooser(WaveChooser chooser) { chooseWave_ = std::move(chooser); }
    // Where the wave file dialog starts: the folder of `current` when it is an existing file's,
    // else the user's sound folder, else the system's.
    static QString waveStartFolder(const QString& current);

    // OK: saves; a registry error is shown and the dialog stays open with every value kept. An own
    // call that is no AX.25 call is refused the same way, at the page "Zelvo".
    void okClick();
    // "Abbrechen" and Esc: loads the registry again, then closes.
    void reject() override;

signals:
    // OK saved the settings: the roster window shows its rows in `mode`.
    void displayModeApplied(ListDisplay mode);
    // OK saved the settings, the own call among them.
    void saved();
    // "Funkkanäle" was clicked: the channel table's dialog is wanted.
    void channelsRequested();

protected:
    // The close box closes without saving or loading; an own call that is no AX.25 call keeps it
    // open, as it does on OK.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pages' controls and layouts, without texts.
    QWidget* buildZelvoPage();
    QGroupBox* buildLanguageBox(QWidget* page);
    QWidget* buildRemotesPage();
    QWidget* buildEventsPage();
    QGroupBox* buildEventBox(QWidget* page);
    QGroupBox* buildSoundBox(QWidget* page);
    void buildButtons();
    // Sets every text now and at each change of the language, and lays the pages out anew after it.
    void followTexts();
    void retranslate();
    void retranslateZelvoPage();
    void retranslateRemotesPage();
    void retranslateEventsPage();
    // Lays out a page for its new texts, also while it is hidden.
    void layOutPage(QWidget& page);
    void connectControls();
    // Wraps a write into the model: skipped while the controls are being filled.
    template <class Change>
    auto written(Change change);
    // Shows why the own call is none and tells whether it did; an empty call is accepted.
    bool callRefused();

    // Shows the model's values; writes nothing back.
    void fillAll(bool firstEvent);
    void fillEvent();
    // The wave path field shows the selected event's file; "<keine>" in the window's language.
    void showWave();
    void languageClick();
    void applyEnableRules();
    void memoChanged(QPlainTextEdit* memo, std::size_t limit, void (Settings::*set)(std::string_view));
    void editEvent(const std::function<void(TEreignisObj&)>& edit);
    void waveEdited(const QString& text);
    void waveOpenClick();
    void playClick();

    Settings& settings_;
    platform::SoundPlayer* player_;
    bool filling_ = false;  // the controls are being set from the model
    bool writing_ = false;  // a control is writing into the model
    WaveChooser chooseWave_;

    QTabWidget* pages_ = nullptr;
    std::vector<std::pair<QCheckBox*, Option>> optionBoxes_;
    // The page "Zelvo".
    QGroupBox* ownBox_ = nullptr;
    QLabel* myCallLabel_ = nullptr;
    QLineEdit* myCall_ = nullptr;
    QLabel* aliasLabel_ = nullptr;
    QLineEdit* alias_ = nullptr;
    QGroupBox* listBox_ = nullptr;
    QButtonGroup* display_ = nullptr;
    QRadioButton* callsOnly_ = nullptr;
    QRadioButton* callAndName_ = nullptr;
    QRadioButton* withHeader_ = nullptr;
    QGroupBox* globalBox_ = nullptr;
    QCheckBox* sounds_ = nullptr;
    QCheckBox* logFile_ = nullptr;
    QCheckBox* sysStart_ = nullptr;
    QCheckBox* textBuf_ = nullptr;
    QCheckBox* focusPop_ = nullptr;
    QGroupBox* languageBox_ = nullptr;
    QListWidget* languages_ = nullptr;
    QPushButton* chooseLanguage_ = nullptr;
    // The page "Remotes und Away".
    QGroupBox* remotesBox_ = nullptr;
    QCheckBox* remVersion_ = nullptr;
    QCheckBox* remCStatus_ = nullptr;
    QCheckBox* remDetail_ = nullptr;
    QCheckBox* remInfo_ = nullptr;
    QGroupBox* awayBox_ = nullptr;
    QCheckBox* sendAway_ = nullptr;
    QCheckBox* pollAway_ = nullptr;
    QPlainTextEdit* awayMemo_ = nullptr;
    QGroupBox* infoBox_ = nullptr;
    QPlainTextEdit* infoMemo_ = nullptr;
    QLabel* infoNote_ = nullptr;
    // The page "Ereignisse".
    QGroupBox* eventBox_ = nullptr;
    QComboBox* events_ = nullptr;
    QCheckBox* popup_ = nullptr;
    QCheckBox* entryTop_ = nullptr;
    QCheckBox* logEvent_ = nullptr;
    QCheckBox* focus_ = nullptr;
    QCheckBox* notify_ = nullptr;
    QCheckBox* notifyFailure_ = nullptr;
    QCheckBox* notifyLink_ = nullptr;
    QGroupBox* soundBox_ = nullptr;
    QButtonGroup* soundKind_ = nullptr;
    QRadioButton* noSound_ = nullptr;
    QRadioButton* cwSound_ = nullptr;
    QRadioButton* waveSound_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QLineEdit* cwText_ = nullptr;
    QSpinBox* cwSpeed_ = nullptr;
    QLineEdit* wave_ = nullptr;
    QPushButton* waveOpen_ = nullptr;
    QPushButton* play_ = nullptr;
    // Below the pages.
    QPushButton* channels_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace zelvo::dialogs

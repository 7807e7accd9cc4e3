// The three pages of the settings dialog: their controls, captions, limits and hints.
#include "dialogs/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include "dialogs/call_input.h"
#include "dialogs/text_field.h"
#include "dialogs/ui_text.h"

namespace zelvo::dialogs {
namespace {

constexpr int kCwTextField = 20;  // the field takes 20, the record keeps 11

template <class W>
W* named(W* widget, const char* name, const QString& hint = {})
{
    widget->setObjectName(name);
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QCheckBox* checkBox(QWidget* parent, const QString& caption, const char* name, const QString& hint = {})
{
    return named(new QCheckBox(caption, parent), name, hint);
}

QRadioButton* radio(QWidget* parent, const QString& caption, const char* name, const QString& hint = {})
{
    return named(new QRadioButton(caption, parent), name, hint);
}

QPlainTextEdit* memo(QWidget* parent, const char* name, int lines, const QString& hint = {})
{
    auto* edit = named(new TextField(parent), name, hint);
    edit->setTabChangesFocus(true);
    const int margins = 2 * (static_cast<int>(edit->document()->documentMargin()) + edit->frameWidth());
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + margins + 2);
    return edit;
}

// A group box with a vertical layout; `layout` receives it.
QGroupBox* group(QWidget* parent, const QString& title, QVBoxLayout*& layout)
{
    auto* box = new QGroupBox(title, parent);
    layout = new QVBoxLayout(box);
    return box;
}

}  // namespace

QWidget* SettingsDialog::buildZelvoPage()
{
    auto* page = new QWidget;
    QVBoxLayout* own = nullptr;
    QGroupBox* ownBox = group(page, QStringLiteral("Eigene Angaben "), own);
    myCall_ = named(new QLineEdit(ownBox), "EditMyCall");
    myCall_->setMaxLength(static_cast<int>(kMaxMyCall));
    upperCaseAsTyped(*myCall_);
    alias_ =
        named(new QLineEdit(ownBox), "EditAlias",
              QStringLiteral("Hier wird das eigene Alias / Name eingegeben, der bei der Gegenstation in der "
                             "Liste angezeigt werden soll. Die Eingabe ist beschränkt auf maximal 20 "
                             "Zeichen."));
    alias_->setMaxLength(static_cast<int>(kMaxAlias));
    auto* fields = new QGridLayout;
    auto* myCallLabel = new QLabel(QStringLiteral("&MyCall"), ownBox);
    myCallLabel->setBuddy(myCall_);
    auto* aliasLabel = new QLabel(QStringLiteral("&Name"), ownBox);
    aliasLabel->setBuddy(alias_);
    fields->addWidget(myCallLabel, 0, 0);
    fields->addWidget(myCall_, 0, 1);
    fields->addWidget(aliasLabel, 1, 0);
    fields->addWidget(alias_, 1, 1);
    own->addLayout(fields);
    own->addStretch();

    QVBoxLayout* list = nullptr;
    QGroupBox* listBox = group(page, QStringLiteral("Listenanzeige "), list);
    display_ = new QButtonGroup(this);
    display_->addButton(radio(listBox, QStringLiteral("&Call anzeigen"), "RadioCall1",
                              QStringLiteral("Ist dieser Eintrag gewählt, werden in der Liste nur die Calls "
                                             "angezeigt.")),
                        1);
    display_->addButton(
        radio(listBox, QStringLiteral("Call und Name"), "RadioCall2",
              QStringLiteral("Ist dieser Eintrag gewählt, werden in der Liste das Call und das "
                             "Alias angezeigt.")),
        2);
    display_->addButton(
        radio(listBox, QStringLiteral("Call, Name und Überschrift"), "Radiocall3",
              QStringLiteral("Ist dieser Eintrag gewählt, werden zusaetzlich zum Call und Alias "
                             "der ListenHeader angezeigt.")),
        3);
    for (QAbstractButton* button : display_->buttons())
        list->addWidget(button);

    QVBoxLayout* global = nullptr;
    QGroupBox* globalBox = group(page, QStringLiteral("Globale Einstellungen "), global);
    auto* sound = checkBox(globalBox, QStringLiteral("&Klänge abspielen"), "ChSound",
                           QStringLiteral("Dieser Eintrag schaltet die Sounds global an oder aus."));
    auto* logFile =
        checkBox(globalBox, QStringLiteral("&Log schreiben"), "ChLogfile",
                 QStringLiteral("Wenn gewählt, wird im Programmverzeichnis eine Logfile.log Datei "
                                "angelegt, in der alle Systemmeldungen mit Uhrzeit aufgeführt "
                                "werden."));
    auto* sysStart =
        checkBox(globalBox, QStringLiteral("mit &Windows starten"), "ChSysstart",
                 QStringLiteral("Wenn gewählt, wird das Programm automatisch beim nächsten "
                                "Windows-Start mit geladen, sofern es beim Beenden von Windows noch "
                                "aktiv war."));
    textBuf_ =
        checkBox(globalBox, QStringLiteral("History speichern"), "ChTextBuf",
                 QStringLiteral("Aktiviert einen Textbuffer für die letzten 200 ausgetauschten Nachrichten"));
    auto* focusPop = checkBox(globalBox, QStringLiteral("Focus wenn Popup"), "ChFocusPop");
    focusPop->setEnabled(false);
    for (QCheckBox* box : {sound, logFile, sysStart, textBuf_, focusPop})
        global->addWidget(box);
    optionBoxes_.insert(optionBoxes_.end(),
                        {{sound, Option::Sound}, {logFile, Option::LogFile}, {sysStart, Option::SysStart}});

    QVBoxLayout* language = nullptr;
    QGroupBox* languageBox = group(page, QStringLiteral("Sprachen "), language);
    auto* languages = named(new QListWidget(languageBox), "ListSprache");
    languages->addItems(
        {QStringLiteral("Deutsch (normal)"), QStringLiteral("English"), QStringLiteral("Französisch")});
    languages->setFixedHeight(languages->sizeHintForRow(0) * 3 + 2 * languages->frameWidth());
    auto* choose = named(new QPushButton(QStringLiteral("Auswählen"), languageBox), "BtnSprache");
    auto* note = new QLabel(
        QStringLiteral("Dieses Feature befindet sich nach wie vor in der Entwicklungsphase"), languageBox);
    note->setWordWrap(true);
    languages->setEnabled(false);
    choose->setEnabled(false);
    language->addWidget(languages);
    language->addWidget(choose, 0, Qt::AlignLeft);
    language->addWidget(note);

    auto* layout = new QGridLayout(page);
    layout->addWidget(ownBox, 0, 0);
    layout->addWidget(listBox, 0, 1);
    layout->addWidget(globalBox, 1, 0);
    layout->addWidget(languageBox, 1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* SettingsDialog::buildRemotesPage()
{
    auto* page = new QWidget;
    QVBoxLayout* remotes = nullptr;
    QGroupBox* remotesBox = group(page, QStringLiteral("Verfügbare Remotes "), remotes);
    auto* version = checkBox(remotesBox, QStringLiteral("//VErsion"), "ChRemVer",
                             QStringLiteral("Der Partner kann die Versionsnummer von Zelvo abfragen"));
    version->setChecked(true);
    version->setEnabled(false);
    auto* cStatus = checkBox(remotesBox, QStringLiteral("//CStatus"), "ChRemCS",
                             QStringLiteral("Eine Kurzliste der eingetragenen User wird erstellt und "
                                            "zurückgeschickt"));
    auto* detail =
        checkBox(remotesBox, QStringLiteral("//DEtail"), "chRemDetail",
                 QStringLiteral("Wenn ausgewählt, kann der Partner Detailinfos über einen User aus "
                                "der Liste abfragen"));
    remInfo_ = checkBox(remotesBox, QStringLiteral("//INfo"), "chRemInfo",
                        QStringLiteral("Wenn ausgewählt, kann der Partner den Infotext abfragen"));
    for (QCheckBox* box : {version, cStatus, detail, remInfo_})
        remotes->addWidget(box);
    remotes->addStretch();

    QVBoxLayout* away = nullptr;
    QGroupBox* awayBox = group(page, QStringLiteral("Away-Einstellungen "), away);
    sendAway_ = checkBox(awayBox, QStringLiteral("Away-Text senden"), "ChSendAway",
                         QStringLiteral("Wenn AWAY gesetzt ist, wird auf eingehende Nachrichten mit dem "
                                        "Away-Text geantwortet"));
    auto* pollAway =
        checkBox(awayBox, QStringLiteral("Away melden bei Poll"), "ChPollAway",
                 QStringLiteral("Wenn AWAY gesetzt ist, bekommt der pollende User den Hinweis, dass "
                                "man Away ist"));
    awayMemo_ = memo(awayBox, "AwayMemo", 3);
    away->addWidget(sendAway_);
    away->addWidget(pollAway);
    away->addWidget(awayMemo_);
    optionBoxes_.insert(optionBoxes_.end(), {{cStatus, Option::RemCStatus},
                                             {detail, Option::RemDetail},
                                             {remInfo_, Option::RemInfo},
                                             {sendAway_, Option::SendAway},
                                             {pollAway, Option::PollAway}});

    QVBoxLayout* info = nullptr;
    QGroupBox* infoBox = group(page, QStringLiteral("Infotext der Station "), info);
    infoMemo_ = memo(infoBox, "InfoMemo", 6,
                     QStringLiteral("Der hier eingegebene Text kann von anderen Stationen mittels //info "
                                    "abgerufen werden."));
    auto* infoRow = new QHBoxLayout;
    auto* note = new QLabel(QStringLiteral("Zeilen- umbruch mit STRG- Enter"), infoBox);
    note->setWordWrap(true);
    note->setFixedWidth(note->fontMetrics().horizontalAdvance(QStringLiteral("umbruch mit")) + 8);
    infoRow->addWidget(infoMemo_, 1);
    infoRow->addWidget(note, 0, Qt::AlignTop);
    info->addLayout(infoRow);

    auto* layout = new QGridLayout(page);
    layout->addWidget(remotesBox, 0, 0);
    layout->addWidget(awayBox, 0, 1);
    layout->addWidget(infoBox, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* SettingsDialog::buildEventsPage()
{
    auto* page = new QWidget;
    QVBoxLayout* event = nullptr;
    QGroupBox* eventBox = group(page, QStringLiteral("Ereignis "), event);
    events_ = named(new QComboBox(eventBox), "ComboEvents", QStringLiteral("Wählt ein Event aus"));
    for (int n = 0; n < kEventKindCount; ++n)
        events_->addItem(fromAnsi(eventCaption(static_cast<TEventKind>(n))));
    popup_ = checkBox(eventBox, QStringLiteral("PopUp Zelvo Fenster"), "ChPopup");
    entryTop_ = checkBox(eventBox, QStringLiteral("Listeneintrag nach oben"), "ChEntryTop");
    logEvent_ = checkBox(eventBox, QStringLiteral("Event mitloggen"), "ChLogEvent");
    focus_ =
        checkBox(eventBox, QStringLiteral("Focus Zelvo"), "ChFocus",
                 QStringLiteral("Macht Zelvo zum Aktiven Fenster. Tastatureingaben werden sofort von Zelvo "
                                "verarbeitet"));
    focus_->setEnabled(false);
    auto* flags = new QGridLayout;
    flags->addWidget(popup_, 0, 0);
    flags->addWidget(entryTop_, 0, 1);
    flags->addWidget(logEvent_, 1, 0);
    flags->addWidget(focus_, 1, 1);
    event->addWidget(events_);
    event->addLayout(flags);

    QVBoxLayout* sound = nullptr;
    QGroupBox* soundBox = group(page, QStringLiteral("Klang "), sound);
    soundKind_ = new QButtonGroup(this);
    auto* none = radio(soundBox, QStringLiteral("keiner"), "RadioKeinKlang");
    auto* cw = radio(soundBox, QStringLiteral("CW Text"), "RadioCW", QStringLiteral("Aktiviert CW-Ausgabe"));
    auto* wave = radio(soundBox, QStringLiteral("Wave Datei"), "RadioWave",
                       QStringLiteral("Aktiviert Ausgabe der angegebenen Wave-Datei"));
    soundKind_->addButton(none, kSoundNone);
    soundKind_->addButton(cw, kSoundCw);
    soundKind_->addButton(wave, kSoundWave);
    cwText_ = named(new QLineEdit(soundBox), "EditCWText",
                    QStringLiteral("Text der als CW-Ausgabe auf dem PC Speaker ausgegeben werden soll"));
    cwText_->setMaxLength(kCwTextField);
    cwSpeed_ = named(new QSpinBox(soundBox), "SpinCWSpeed", QStringLiteral("Geschwindigkeit der CW-Ausgabe"));
    cwSpeed_->setRange(kMinCwSpeed, kMaxCwSpeed);
    // CW is never keyed: the stored values are shown, not edited.
    for (QWidget* off :
         {static_cast<QWidget*>(cw), static_cast<QWidget*>(cwText_), static_cast<QWidget*>(cwSpeed_)})
        off->setEnabled(false);
    wave_ = named(new QLineEdit(soundBox), "EditWavePath",
                  QStringLiteral("Sound, der abgespielt wird, wenn ein User Online geht."));
    waveOpen_ = named(new QPushButton(QStringLiteral("..."), soundBox), "BtnWaveOpen",
                      QStringLiteral("Öffnet den Wave-auswählen Dialog"));
    play_ =
        named(new QPushButton(soundBox), "BtnPlay", QStringLiteral("Spielt die angegebene Wave-Datei ab"));
    play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    for (QPushButton* button : {waveOpen_, play_}) {
        button->setAutoDefault(false);
        button->setFixedWidth(button->sizeHint().height() + 8);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(none, 0, 0);
    grid->addWidget(cw, 1, 0);
    grid->addWidget(cwText_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Geschwindigkeit"), soundBox), 1, 2);
    grid->addWidget(cwSpeed_, 1, 3);
    grid->addWidget(wave, 2, 0);
    auto* waveRow = new QHBoxLayout;
    waveRow->addWidget(wave_, 1);
    waveRow->addWidget(waveOpen_);
    waveRow->addWidget(play_);
    grid->addLayout(waveRow, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    sound->addLayout(grid);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(eventBox);
    layout->addWidget(soundBox);
    layout->addStretch();
    return page;
}

}  // namespace zelvo::dialogs

// The three pages of the settings dialog: their controls, captions, limits and hints. Each page
// builds its controls without texts; its retranslate member sets every text of it.
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
#include "dialogs/language.h"
#include "dialogs/text_field.h"
#include "dialogs/ui_text.h"

namespace zelvo::dialogs {
namespace {

constexpr int kCwTextField = 20;  // the field takes 20, the record keeps 11

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QCheckBox* checkBox(QWidget* parent, const char* name)
{
    return named(new QCheckBox(parent), name);
}

QRadioButton* radio(QWidget* parent, const char* name)
{
    return named(new QRadioButton(parent), name);
}

QPlainTextEdit* memo(QWidget* parent, const char* name, int lines)
{
    auto* edit = named(new TextField(parent), name);
    edit->setTabChangesFocus(true);
    const int margins = 2 * (static_cast<int>(edit->document()->documentMargin()) + edit->frameWidth());
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + margins + 2);
    return edit;
}

// A push button that asks for no more width than its text needs: the style gives a button with a
// text at least 80 pixels, which would make "..." as wide as "Abbrechen".
class NarrowButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override
    {
        const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) +
                           style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const int textWidth = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
        return {std::min(QPushButton::sizeHint().width(), textWidth + 2 * margin),
                QPushButton::sizeHint().height()};
    }
};

// A group box with a vertical layout; `layout` receives it.
QGroupBox* group(QWidget* parent, QVBoxLayout*& layout)
{
    auto* box = new QGroupBox(parent);
    layout = new QVBoxLayout(box);
    return box;
}

// Gives a wrapped label the narrowest width that shows its text in three lines (the German note
// breaks as "Zeilen-", "umbruch mit", "STRG- Enter").
void fitInThreeLines(QLabel& label)
{
    const QFontMetrics metrics = label.fontMetrics();
    const auto lines = [&](int width) {
        const int height =
            metrics.boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, label.text()).height();
        return (height + metrics.lineSpacing() - 1) / metrics.lineSpacing();
    };
    int width = 1;
    while (lines(width) > 3 && width < metrics.horizontalAdvance(label.text()))
        ++width;
    label.setFixedWidth(width + 8);
}

// Lays out a page anew after its texts changed, also while it is hidden: Qt lays out only what is
// visible, and the dialog takes the size of its largest page. Inner layouts go first.
void layOutNow(QWidget& page)
{
    const QList<QWidget*> inner = page.findChildren<QWidget*>();  // each before its children
    for (auto widget = inner.crbegin(); widget != inner.crend(); ++widget) {
        if (QLayout* layout = (*widget)->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
    page.layout()->invalidate();
    page.layout()->activate();
}

}  // namespace

void SettingsDialog::followTexts()
{
    followLanguage(this, [this] { retranslate(); });
    // Layouts measured before the texts were set keep those sizes: the pages are laid out with
    // their first texts now, and again when a change of the language reaches them, after the
    // dialog set their new texts (eventFilter).
    for (int index = 0; index < pages_->count(); ++index) {
        pages_->widget(index)->installEventFilter(this);
        layOutPage(*pages_->widget(index));
    }
}

void SettingsDialog::layOutPage(QWidget& page)
{
    layOutNow(page);
    pages_->updateGeometry();
}

QWidget* SettingsDialog::buildZelvoPage()
{
    auto* page = new QWidget;
    QVBoxLayout* own = nullptr;
    ownBox_ = group(page, own);
    myCall_ = named(new QLineEdit(ownBox_), "EditMyCall");
    myCall_->setMaxLength(static_cast<int>(kMaxMyCall));
    upperCaseAsTyped(*myCall_);
    alias_ = named(new QLineEdit(ownBox_), "EditAlias");
    alias_->setMaxLength(static_cast<int>(kMaxAlias));
    auto* fields = new QGridLayout;
    myCallLabel_ = new QLabel(ownBox_);
    myCallLabel_->setBuddy(myCall_);
    aliasLabel_ = new QLabel(ownBox_);
    aliasLabel_->setBuddy(alias_);
    fields->addWidget(myCallLabel_, 0, 0);
    fields->addWidget(myCall_, 0, 1);
    fields->addWidget(aliasLabel_, 1, 0);
    fields->addWidget(alias_, 1, 1);
    own->addLayout(fields);
    own->addStretch();

    QVBoxLayout* list = nullptr;
    listBox_ = group(page, list);
    display_ = new QButtonGroup(this);
    callsOnly_ = radio(listBox_, "RadioCall1");
    callAndName_ = radio(listBox_, "RadioCall2");
    withHeader_ = radio(listBox_, "Radiocall3");
    display_->addButton(callsOnly_, 1);
    display_->addButton(callAndName_, 2);
    display_->addButton(withHeader_, 3);
    for (QAbstractButton* button : display_->buttons())
        list->addWidget(button);

    QVBoxLayout* global = nullptr;
    globalBox_ = group(page, global);
    sounds_ = checkBox(globalBox_, "ChSound");
    logFile_ = checkBox(globalBox_, "ChLogfile");
    sysStart_ = checkBox(globalBox_, "ChSysstart");
    textBuf_ = checkBox(globalBox_, "ChTextBuf");
    focusPop_ = checkBox(globalBox_, "ChFocusPop");
    focusPop_->setEnabled(false);
    for (QCheckBox* box : {sounds_, logFile_, sysStart_, textBuf_, focusPop_})
        global->addWidget(box);
    optionBoxes_.insert(
        optionBoxes_.end(),
        {{sounds_, Option::Sound}, {logFile_, Option::LogFile}, {sysStart_, Option::SysStart}});

    auto* layout = new QGridLayout(page);
    layout->addWidget(ownBox_, 0, 0);
    layout->addWidget(listBox_, 0, 1);
    layout->addWidget(globalBox_, 1, 0);
    layout->addWidget(buildLanguageBox(page), 1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

QGroupBox* SettingsDialog::buildLanguageBox(QWidget* page)
{
    // Each language in its own name, so that a user who cannot read the current one finds his.
    QVBoxLayout* language = nullptr;
    languageBox_ = group(page, language);
    languages_ = named(new QListWidget(languageBox_), "ListSprache");
    for (const std::string_view code : kLanguages) {
        auto* item = new QListWidgetItem(languageName(code), languages_);
        item->setData(Qt::UserRole, QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
    }
    languages_->setFixedHeight(languages_->sizeHintForRow(0) * 3 + 2 * languages_->frameWidth());
    chooseLanguage_ = named(new QPushButton(languageBox_), "BtnSprache");
    chooseLanguage_->setAutoDefault(false);
    language->addWidget(languages_);
    language->addWidget(chooseLanguage_, 0, Qt::AlignLeft);
    language->addStretch();
    return languageBox_;
}

void SettingsDialog::retranslateZelvoPage()
{
    ownBox_->setTitle(tr("Eigene Angaben "));
    myCallLabel_->setText(tr("&MyCall"));
    aliasLabel_->setText(tr("&Name"));
    alias_->setToolTip(tr("Hier wird das eigene Alias / Name eingegeben, der bei der Gegenstation in der "
                          "Liste angezeigt werden soll. Die Eingabe ist beschränkt auf maximal %1 "
                          "Zeichen.")
                           .arg(kMaxAlias));
    listBox_->setTitle(tr("Listenanzeige "));
    callsOnly_->setText(tr("&Call anzeigen"));
    callsOnly_->setToolTip(tr("Ist dieser Eintrag gewählt, werden in der Liste nur die Calls angezeigt."));
    callAndName_->setText(tr("Call und Name"));
    callAndName_->setToolTip(
        tr("Ist dieser Eintrag gewählt, werden in der Liste das Call und das Alias angezeigt."));
    withHeader_->setText(tr("Call, Name und Überschrift"));
    withHeader_->setToolTip(tr("Ist dieser Eintrag gewählt, werden zusaetzlich zum Call und Alias der "
                               "ListenHeader angezeigt."));
    globalBox_->setTitle(tr("Globale Einstellungen "));
    sounds_->setText(tr("&Klänge abspielen"));
    sounds_->setToolTip(tr("Dieser Eintrag schaltet die Sounds global an oder aus."));
    logFile_->setText(tr("&Log schreiben"));
    logFile_->setToolTip(
        tr("Wenn gewählt, schreibt Zelvo alle Systemmeldungen mit Uhrzeit in sein Protokoll Zelvo.log."));
    sysStart_->setText(tr("mit &Windows starten"));
    sysStart_->setToolTip(tr("Wenn gewählt, wird das Programm automatisch beim nächsten Windows-Start mit "
                             "geladen, sofern es beim Beenden von Windows noch aktiv war."));
    textBuf_->setText(tr("History speichern"));
    textBuf_->setToolTip(tr("Aktiviert einen Textbuffer für die letzten 200 ausgetauschten Nachrichten"));
    focusPop_->setText(tr("Focus wenn Popup"));
    languageBox_->setTitle(tr("Sprachen "));
    languages_->setAccessibleName(tr("Sprachen"));
    languages_->setToolTip(tr("Die Sprache der Fenster und der Hilfe"));
    chooseLanguage_->setText(tr("Auswählen"));
    chooseLanguage_->setToolTip(tr("Alle Fenster wechseln sofort in die gewählte Sprache; sie wird gleich "
                                   "gespeichert"));
}

QWidget* SettingsDialog::buildRemotesPage()
{
    auto* page = new QWidget;
    // The remote queries are named as they are typed on the air.
    QVBoxLayout* remotes = nullptr;
    remotesBox_ = group(page, remotes);
    remVersion_ = checkBox(remotesBox_, "ChRemVer");
    remVersion_->setText(QStringLiteral("//VErsion"));
    remVersion_->setChecked(true);
    remVersion_->setEnabled(false);
    remCStatus_ = checkBox(remotesBox_, "ChRemCS");
    remCStatus_->setText(QStringLiteral("//CStatus"));
    remDetail_ = checkBox(remotesBox_, "chRemDetail");
    remDetail_->setText(QStringLiteral("//DEtail"));
    remInfo_ = checkBox(remotesBox_, "chRemInfo");
    remInfo_->setText(QStringLiteral("//INfo"));
    for (QCheckBox* box : {remVersion_, remCStatus_, remDetail_, remInfo_})
        remotes->addWidget(box);
    remotes->addStretch();

    QVBoxLayout* away = nullptr;
    awayBox_ = group(page, away);
    sendAway_ = checkBox(awayBox_, "ChSendAway");
    pollAway_ = checkBox(awayBox_, "ChPollAway");
    awayMemo_ = memo(awayBox_, "AwayMemo", 3);
    away->addWidget(sendAway_);
    away->addWidget(pollAway_);
    away->addWidget(awayMemo_);
    optionBoxes_.insert(optionBoxes_.end(), {{remCStatus_, Option::RemCStatus},
                                             {remDetail_, Option::RemDetail},
                                             {remInfo_, Option::RemInfo},
                                             {sendAway_, Option::SendAway},
                                             {pollAway_, Option::PollAway}});

    QVBoxLayout* info = nullptr;
    infoBox_ = group(page, info);
    infoMemo_ = memo(infoBox_, "InfoMemo", 6);
    auto* infoRow = new QHBoxLayout;
    infoNote_ = new QLabel(infoBox_);
    infoNote_->setWordWrap(true);
    infoRow->addWidget(infoMemo_, 1);
    infoRow->addWidget(infoNote_, 0, Qt::AlignTop);
    info->addLayout(infoRow);

    auto* layout = new QGridLayout(page);
    layout->addWidget(remotesBox_, 0, 0);
    layout->addWidget(awayBox_, 0, 1);
    layout->addWidget(infoBox_, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

void SettingsDialog::retranslateRemotesPage()
{
    remotesBox_->setTitle(tr("Verfügbare Remotes "));
    remVersion_->setToolTip(tr("Der Partner kann die Versionsnummer von Zelvo abfragen"));
    remCStatus_->setToolTip(tr("Eine Kurzliste der eingetragenen User wird erstellt und zurückgeschickt"));
    remDetail_->setToolTip(
        tr("Wenn ausgewählt, kann der Partner Detailinfos über einen User aus der Liste abfragen"));
    remInfo_->setToolTip(tr("Wenn ausgewählt, kann der Partner den Infotext abfragen"));
    awayBox_->setTitle(tr("Away-Einstellungen "));
    sendAway_->setText(tr("Away-Text senden"));
    sendAway_->setToolTip(
        tr("Wenn AWAY gesetzt ist, wird auf eingehende Nachrichten mit dem Away-Text geantwortet"));
    pollAway_->setText(tr("Away melden bei Poll"));
    pollAway_->setToolTip(
        tr("Wenn AWAY gesetzt ist, bekommt der pollende User den Hinweis, dass man Away ist"));
    infoBox_->setTitle(tr("Infotext der Station "));
    awayMemo_->setAccessibleName(tr("Away-Text"));
    infoMemo_->setAccessibleName(tr("Infotext der Station"));
    infoMemo_->setToolTip(
        tr("Der hier eingegebene Text kann von anderen Stationen mittels //info abgerufen werden."));
    // Only shown, never stored or sent.
    infoMemo_->setPlaceholderText(
        tr("Zum Beispiel Name, QTH, Locator, Station und Einstieg. Solange hier "
           "nichts steht, antwortet Zelvo auf //INfo nur mit Rufzeichen und Name."));
    infoNote_->setText(tr("Zeilen- umbruch mit STRG- Enter"));
    fitInThreeLines(*infoNote_);
}

QWidget* SettingsDialog::buildEventsPage()
{
    auto* page = new QWidget;
    QGroupBox* eventBox = buildEventBox(page);
    QGroupBox* soundBox = buildSoundBox(page);
    // Not one of the events: a message given up after its last repetition.
    notifyFailure_ = checkBox(page, "ChNotifyFailure");
    notifyLink_ = checkBox(page, "ChNotifyLink");

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(eventBox);
    layout->addWidget(notifyFailure_);
    layout->addWidget(notifyLink_);
    layout->addWidget(soundBox);
    layout->addStretch();
    return page;
}

QGroupBox* SettingsDialog::buildEventBox(QWidget* page)
{
    QVBoxLayout* event = nullptr;
    eventBox_ = group(page, event);
    events_ = named(new QComboBox(eventBox_), "ComboEvents");
    for (int n = 0; n < kEventKindCount; ++n)
        events_->addItem(QString());
    popup_ = checkBox(eventBox_, "ChPopup");
    entryTop_ = checkBox(eventBox_, "ChEntryTop");
    logEvent_ = checkBox(eventBox_, "ChLogEvent");
    focus_ = checkBox(eventBox_, "ChFocus");
    focus_->setEnabled(false);
    notify_ = checkBox(eventBox_, "ChNotify");
    auto* flags = new QGridLayout;
    flags->addWidget(popup_, 0, 0);
    flags->addWidget(entryTop_, 0, 1);
    flags->addWidget(logEvent_, 1, 0);
    flags->addWidget(focus_, 1, 1);
    flags->addWidget(notify_, 2, 0, 1, 2);
    event->addWidget(events_);
    event->addLayout(flags);
    return eventBox_;
}

QGroupBox* SettingsDialog::buildSoundBox(QWidget* page)
{
    QVBoxLayout* sound = nullptr;
    soundBox_ = group(page, sound);
    soundKind_ = new QButtonGroup(this);
    noSound_ = radio(soundBox_, "RadioKeinKlang");
    cwSound_ = radio(soundBox_, "RadioCW");
    waveSound_ = radio(soundBox_, "RadioWave");
    soundKind_->addButton(noSound_, kSoundNone);
    soundKind_->addButton(cwSound_, kSoundCw);
    soundKind_->addButton(waveSound_, kSoundWave);
    cwText_ = named(new QLineEdit(soundBox_), "EditCWText");
    cwText_->setMaxLength(kCwTextField);
    cwSpeed_ = named(new QSpinBox(soundBox_), "SpinCWSpeed");
    cwSpeed_->setRange(kMinCwSpeed, kMaxCwSpeed);
    // CW is never keyed: the stored values are shown, not edited.
    for (QWidget* off :
         {static_cast<QWidget*>(cwSound_), static_cast<QWidget*>(cwText_), static_cast<QWidget*>(cwSpeed_)})
        off->setEnabled(false);
    wave_ = named(new QLineEdit(soundBox_), "EditWavePath");
    waveOpen_ = named(new NarrowButton(QStringLiteral("..."), soundBox_), "BtnWaveOpen");
    play_ = named(new QPushButton(soundBox_), "BtnPlay");
    play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    for (QPushButton* button : {waveOpen_, play_}) {
        button->setAutoDefault(false);
        button->setFixedWidth(std::max(button->sizeHint().height() + 8, button->sizeHint().width()));
    }
    speedLabel_ = new QLabel(soundBox_);
    speedLabel_->setBuddy(cwSpeed_);

    auto* grid = new QGridLayout;
    grid->addWidget(noSound_, 0, 0);
    grid->addWidget(cwSound_, 1, 0);
    grid->addWidget(cwText_, 1, 1);
    grid->addWidget(speedLabel_, 1, 2);
    grid->addWidget(cwSpeed_, 1, 3);
    grid->addWidget(waveSound_, 2, 0);
    auto* waveRow = new QHBoxLayout;
    waveRow->addWidget(wave_, 1);
    waveRow->addWidget(waveOpen_);
    waveRow->addWidget(play_);
    grid->addLayout(waveRow, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    sound->addLayout(grid);
    return soundBox_;
}

void SettingsDialog::retranslateEventsPage()
{
    eventBox_->setTitle(tr("Ereignis "));
    events_->setAccessibleName(tr("Ereignis"));
    events_->setToolTip(tr("Wählt ein Event aus"));
    // Shown translated; the log and the registry know the events by number and German name.
    for (int n = 0; n < kEventKindCount; ++n)
        events_->setItemText(n, tr(eventCaption(static_cast<TEventKind>(n)).data()));
    popup_->setText(tr("PopUp Zelvo Fenster"));
    entryTop_->setText(tr("Listeneintrag nach oben"));
    logEvent_->setText(tr("Event mitloggen"));
    focus_->setText(tr("Focus Zelvo"));
    notify_->setText(tr("Benachrichtigung"));
    notify_->setToolTip(tr("Meldet das Ereignis als Benachrichtigung des Desktops"));
    notifyFailure_->setText(tr("Benachrichtigung bei Übertragungsfehler"));
    notifyFailure_->setToolTip(
        tr("Meldet eine Nachricht, die nach der letzten Wiederholung nicht bestätigt wurde"));
    notifyLink_->setText(tr("Benachrichtigung, wenn ein TNC nicht antwortet"));
    focus_->setToolTip(
        tr("Macht Zelvo zum Aktiven Fenster. Tastatureingaben werden sofort von Zelvo verarbeitet"));
    soundBox_->setTitle(tr("Klang "));
    noSound_->setText(tr("keiner"));
    cwSound_->setText(tr("CW Text"));
    cwSound_->setToolTip(tr("Aktiviert CW-Ausgabe"));
    waveSound_->setText(tr("Wave Datei"));
    waveSound_->setToolTip(tr("Aktiviert Ausgabe der angegebenen Wave-Datei"));
    // The fields of the box share its title; each is named after what it holds.
    cwText_->setAccessibleName(tr("Text der CW-Ausgabe"));
    wave_->setAccessibleName(tr("Pfad der Wave-Datei"));
    waveOpen_->setAccessibleName(tr("Wave-Datei auswählen"));
    play_->setAccessibleName(tr("Abspielen"));
    cwText_->setToolTip(tr("Text der als CW-Ausgabe auf dem PC Speaker ausgegeben werden soll"));
    cwSpeed_->setToolTip(tr("Geschwindigkeit der CW-Ausgabe"));
    speedLabel_->setText(tr("Geschwindigkeit"));
    wave_->setToolTip(tr("Sound, der bei diesem Ereignis abgespielt wird."));
    waveOpen_->setToolTip(tr("Öffnet den Wave-auswählen Dialog"));
    play_->setToolTip(tr("Spielt die angegebene Wave-Datei ab"));
    showWave();
}

}  // namespace zelvo::dialogs

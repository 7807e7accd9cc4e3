#include "dialogs/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/call_input.h"
#include "dialogs/language.h"
#include "dialogs/message_boxes.h"
#include "dialogs/ui_text.h"
#include "platform/sound.h"

namespace zelvo::dialogs {
namespace {

constexpr int kZelvoPage = 0;
constexpr int kEventsPage = 2;

QString askForWave(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, SettingsDialog::tr("Wave-Datei auswählen"), folder);
    dialog.setNameFilters(
        {SettingsDialog::tr("Windows Sound-Dateien (*.wav)"), SettingsDialog::tr("Alle (*)")});
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// Cuts the memo's text to `limit` Windows-1252 bytes (a line break counts two) by dropping what
// was just typed or pasted before the cursor, as a field with a length limit refuses it.
void holdLimit(QPlainTextEdit& memo, std::size_t limit)
{
    QString text = memo.toPlainText();
    auto excess = static_cast<long>(toAnsiLines(text).size()) - static_cast<long>(limit);
    if (excess <= 0)
        return;
    int cursor = memo.textCursor().position();
    while (excess > 0 && cursor > 0) {
        excess -= text.at(cursor - 1) == QLatin1Char('\n') ? 2 : 1;
        text.remove(--cursor, 1);
    }
    while (excess > 0 && !text.isEmpty()) {
        excess -= text.back() == QLatin1Char('\n') ? 2 : 1;
        text.chop(1);
    }
    const QSignalBlocker quiet(&memo);
    memo.setPlainText(text);
    QTextCursor at = memo.textCursor();
    at.setPosition(std::min(cursor, static_cast<int>(text.size())));
    memo.setTextCursor(at);
}

}  // namespace

SettingsDialog::SettingsDialog(SettingsNews& news, platform::SoundPlayer* player, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      settings_(news.settings()),
      player_(player),
      chooseWave_(&askForWave)
{
    pages_ = new QTabWidget(this);
    pages_->addTab(buildZelvoPage(), QString());
    pages_->addTab(buildRemotesPage(), QString());
    pages_->addTab(buildEventsPage(), QString());
    pages_->setCurrentIndex(kEventsPage);
    buildButtons();
    followTexts();
    fillAll(true);
    connectControls();
    connect(&news, &SettingsNews::changed, this, [this](Settings::Field field, std::optional<TEventKind>) {
        if (!writing_)
            fillAll(field == Settings::Field::All);
    });
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::buildButtons()
{
    ok_ = new QPushButton(this);
    ok_->setObjectName("BtnOK");
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("BtnAbbrechen");
    // Beside OK rather than on a page: in the row of OK it takes no room of its own.
    channels_ = new QPushButton(this);
    channels_->setObjectName("BtnFunkkanaele");
    channels_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(channels_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // The size follows the texts: a language whose texts are longer widens the dialog.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SettingsDialog::retranslate()
{
    setWindowTitle(tr("Einstellungen"));
    pages_->setTabText(0, tr("Zelvo"));
    pages_->setTabText(1, tr("Remotes und Away"));
    pages_->setTabText(kEventsPage, tr("Ereignisse"));
    retranslateZelvoPage();
    retranslateRemotesPage();
    retranslateEventsPage();
    ok_->setText(tr("OK"));
    ok_->setToolTip(tr("Einstellungen werden übernommen und gespeichert"));
    cancel_->setText(tr("Abbrechen"));
    cancel_->setToolTip(tr("Einstellungen werden verworfen"));
    channels_->setText(tr("&Funkkanäle …"));
    channels_->setToolTip(tr("Die TNCs und Funkkanäle, über die Zelvo sendet und empfängt"));
}

// Every edit goes to the model at once; while the controls are being filled, nothing does.
template <class Change>
auto SettingsDialog::written(Change change)
{
    return [this, change](auto&&... args) {
        if (filling_)
            return;
        writing_ = true;
        change(args...);
        writing_ = false;
    };
}

void SettingsDialog::connectControls()
{
    connect(myCall_, &QLineEdit::textEdited, this,
            written([this](const QString& t) { settings_.setMyCall(toAnsi(t)); }));
    connect(alias_, &QLineEdit::textEdited, this,
            written([this](const QString& t) { settings_.setAlias(toAnsi(t)); }));
    connect(display_, &QButtonGroup::idToggled, this, written([this](int id, bool on) {
                if (on)
                    settings_.setShowAlias(id);
            }));
    for (const auto& [box, option] : optionBoxes_) {
        connect(box, &QCheckBox::toggled, this,
                written([this, option = option](bool on) { settings_.setOption(option, on); }));
    }
    connect(remInfo_, &QCheckBox::toggled, this, &SettingsDialog::applyEnableRules);
    connect(sendAway_, &QCheckBox::toggled, this, &SettingsDialog::applyEnableRules);
    connect(textBuf_, &QCheckBox::toggled, this, written([this](bool on) { settings_.setTextBuf(on); }));
    connect(notifyFailure_, &QCheckBox::toggled, this,
            written([this](bool on) { settings_.setNotifyFailure(on); }));
    connect(notifyLink_, &QCheckBox::toggled, this,
            written([this](bool on) { settings_.setNotifyLink(on); }));
    connect(infoMemo_, &QPlainTextEdit::textChanged, this,
            [this] { memoChanged(infoMemo_, kMaxInfoText, &Settings::setInfoText); });
    connect(awayMemo_, &QPlainTextEdit::textChanged, this,
            [this] { memoChanged(awayMemo_, kMaxAwayText, &Settings::setAwayText); });
    for (QPlainTextEdit* memo : {infoMemo_, awayMemo_})
        memo->installEventFilter(this);

    connect(events_, &QComboBox::currentIndexChanged, this, &SettingsDialog::fillEvent);
    connect(soundKind_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            editEvent([id](TEreignisObj& e) { e.soundKind = id; });
    });
    const auto flag = [this](QCheckBox* box, bool TEreignisObj::*member) {
        connect(box, &QCheckBox::toggled, this,
                [this, member](bool on) { editEvent([&](TEreignisObj& e) { e.*member = on; }); });
    };
    flag(popup_, &TEreignisObj::popup);
    flag(entryTop_, &TEreignisObj::entryTop);
    flag(logEvent_, &TEreignisObj::logEvent);
    flag(focus_, &TEreignisObj::focus);
    flag(notify_, &TEreignisObj::notify);
    connect(cwSpeed_, &QSpinBox::valueChanged, this,
            [this](int speed) { editEvent([speed](TEreignisObj& e) { e.cwSpeed = speed; }); });
    connect(cwText_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editEvent([&](TEreignisObj& e) { e.cwText = toAnsi(text); }); });
    connect(wave_, &QLineEdit::textEdited, this, &SettingsDialog::waveEdited);
    connect(waveOpen_, &QPushButton::clicked, this, &SettingsDialog::waveOpenClick);
    connect(play_, &QPushButton::clicked, this, &SettingsDialog::playClick);
    connect(chooseLanguage_, &QPushButton::clicked, this, &SettingsDialog::languageClick);
    connect(languages_, &QListWidget::itemActivated, this, &SettingsDialog::languageClick);
    connect(channels_, &QPushButton::clicked, this, &SettingsDialog::channelsRequested);
    connect(ok_, &QPushButton::clicked, this, &SettingsDialog::okClick);
    connect(cancel_, &QPushButton::clicked, this, &SettingsDialog::reject);
}

TEventKind SettingsDialog::selectedEvent() const
{
    return static_cast<TEventKind>(std::max(0, events_->currentIndex()));
}

void SettingsDialog::fillAll(bool firstEvent)
{
    const SettingsValues v = settings_.snapshot();
    filling_ = true;
    myCall_->setText(fromAnsi(v.myCall));
    alias_->setText(fromAnsi(v.alias));
    display_->button(static_cast<int>(v.showAlias))->setChecked(true);
    for (const auto& [box, option] : optionBoxes_)
        box->setChecked(v.option(option));
    textBuf_->setChecked(v.textBuf);
    notifyFailure_->setChecked(v.notifyFailure);
    notifyLink_->setChecked(v.notifyLink);
    // Unchanged texts are left alone, so the cursor stays where the user has it.
    if (const QString info = fromAnsiLines(v.infoText); infoMemo_->toPlainText() != info)
        infoMemo_->setPlainText(info);
    if (const QString away = fromAnsiLines(v.awayText); awayMemo_->toPlainText() != away)
        awayMemo_->setPlainText(away);
    const QString language = QString::fromLatin1(chosenLanguage(v.language).data());
    for (int row = 0; row < languages_->count(); ++row) {
        if (languages_->item(row)->data(Qt::UserRole) == language)
            languages_->setCurrentRow(row);
    }
    filling_ = false;
    applyEnableRules();
    if (firstEvent && events_->currentIndex() != 0)
        events_->setCurrentIndex(0);  // fills the event page
    else
        fillEvent();
}

void SettingsDialog::fillEvent()
{
    const TEreignisObj e = settings_.event(selectedEvent());
    filling_ = true;
    // A stored kind that is none of the three checks no button.
    if (QAbstractButton* button = soundKind_->button(e.soundKind)) {
        button->setChecked(true);
    } else {
        soundKind_->setExclusive(false);
        for (QAbstractButton* b : soundKind_->buttons())
            b->setChecked(false);
        soundKind_->setExclusive(true);
    }
    popup_->setChecked(e.popup);
    entryTop_->setChecked(e.entryTop);
    logEvent_->setChecked(e.logEvent);
    focus_->setChecked(e.focus);
    notify_->setChecked(e.notify);
    cwText_->setText(fromAnsi(e.cwText));
    cwSpeed_->setValue(e.cwSpeed);
    filling_ = false;
    showWave();
}

void SettingsDialog::showWave()
{
    const std::string path = settings_.event(selectedEvent()).wavePath;
    wave_->setText(path == kNoWave ? tr("<keine>") : fromAnsi(path));
}

void SettingsDialog::applyEnableRules()
{
    infoMemo_->setEnabled(remInfo_->isChecked());
    awayMemo_->setEnabled(sendAway_->isChecked());
}

void SettingsDialog::memoChanged(QPlainTextEdit* memo, std::size_t limit,
                                 void (Settings::*set)(std::string_view))
{
    if (filling_)
        return;
    holdLimit(*memo, limit);
    writing_ = true;
    (settings_.*set)(toAnsiLines(memo->toPlainText()));
    writing_ = false;
}

void SettingsDialog::editEvent(const std::function<void(TEreignisObj&)>& edit)
{
    if (filling_)
        return;
    writing_ = true;
    settings_.updateEvent(selectedEvent(), edit);
    writing_ = false;
}

void SettingsDialog::waveEdited(const QString& text)
{
    // An emptied field shows "<keine>" in the window's language and stores it in German.
    if (text.isEmpty())
        wave_->setText(tr("<keine>"));
    const std::string path = wave_->text() == tr("<keine>") ? std::string(kNoWave) : toAnsi(wave_->text());
    editEvent([&](TEreignisObj& e) { e.wavePath = path; });
}

QString SettingsDialog::waveStartFolder(const QString& current)
{
    const QFileInfo file(current);
    if (file.isAbsolute() && file.absoluteDir().exists())
        return file.absolutePath();
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/sounds";
    for (const QString& folder : {own, QStringLiteral("/usr/share/sounds")}) {
        if (QDir(folder).exists())
            return folder;
    }
    return QDir::homePath();
}

void SettingsDialog::waveOpenClick()
{
    const QString file = chooseWave_(this, waveStartFolder(wave_->text()));
    if (file.isEmpty())
        return;
    if (!fitsAnsi(file)) {
        showError(this,
                  tr("Der Name der Datei enthält Zeichen, die Zelvo nicht speichern kann; sie würde nie "
                     "abgespielt:\n%1")
                      .arg(file));
        return;
    }
    wave_->setText(file);
    editEvent([&](TEreignisObj& e) { e.wavePath = toAnsi(file); });
}

void SettingsDialog::playClick()
{
    if (player_ != nullptr)
        playEventSound(settings_, *player_, selectedEvent());
}

void SettingsDialog::languageClick()
{
    const QListWidgetItem* item = languages_->currentItem();
    if (item == nullptr)
        return;
    if (const auto problem = settings_.storeLanguage(item->data(Qt::UserRole).toString().toStdString()))
        showError(this, platform::shownText(*problem));
}

bool SettingsDialog::callRefused()
{
    // No call at all is kept: the next start asks for it again.
    const std::string call = settings_.myCall();
    const auto fault = call.empty() ? std::nullopt : protocol::callFault(call);
    if (!fault)
        return false;
    pages_->setCurrentIndex(kZelvoPage);
    showError(this, CallInput::faultText(call, *fault));
    myCall_->setFocus();
    myCall_->selectAll();
    return true;
}

void SettingsDialog::okClick()
{
    if (callRefused())
        return;
    if (const auto problem = settings_.save()) {
        showError(this, platform::shownText(*problem));
        return;
    }
    emit displayModeApplied(settings_.showAlias());
    emit saved();
    accept();
}

void SettingsDialog::reject()
{
    if (const auto problem = settings_.reload())
        showError(this, platform::shownText(*problem));
    QDialog::reject();
}

void SettingsDialog::closeEvent(QCloseEvent* event)
{
    // QDialog would call reject() and so reload; the close box keeps the edits in effect, and so
    // it may not leave a call in effect that no frame can carry.
    if (callRefused()) {
        event->ignore();
        return;
    }
    setResult(QDialog::Rejected);
    event->accept();
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        if (auto* page = qobject_cast<QWidget*>(watched); page != nullptr && pages_->indexOf(page) >= 0)
            layOutPage(*page);
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);
    // In the info and away texts Ctrl+Enter breaks the line; Enter is the dialog's (OK).
    if (key->modifiers() & Qt::ControlModifier)
        static_cast<QPlainTextEdit*>(watched)->insertPlainText(QStringLiteral("\n"));
    else
        QDialog::keyPressEvent(key);
    return true;
}

}  // namespace zelvo::dialogs

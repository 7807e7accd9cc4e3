#include "dialogs/entry_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/roster_store.h"
#include "dialogs/call_input.h"
#include "dialogs/language.h"
#include "dialogs/message_boxes.h"
#include "dialogs/ui_text.h"
#include "link/radio_driver.h"

namespace zelvo::dialogs {
namespace {

QGroupBox* group(QWidget* content, QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

}  // namespace

EntryEditor::EntryEditor(protocol::Station& station, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint),
      station_(station),
      alias_(new QLineEdit(this)),
      channel_(new QComboBox(this)),
      path_(new QLineEdit(this)),
      sounds_(new QCheckBox(this)),
      remote_(new QCheckBox(this)),
      insert_(new QPushButton(this)),
      abort_(new QPushButton(this)),
      update_(new QPushButton(this)),
      aliasGroup_(group(alias_, this)),
      channelGroup_(group(channel_, this)),
      pathGroup_(group(path_, this))
{
    alias_->setObjectName("EditAlias");
    alias_->setMaxLength(static_cast<int>(app::kMaxEntryAlias));
    channel_->setObjectName("comboFlexKanal");
    path_->setObjectName("EditPath");
    upperCaseAsTyped(*path_);
    path_->setMinimumWidth(260);
    sounds_->setObjectName("ChSounds");
    remote_->setObjectName("chRemote");
    insert_->setObjectName("EinfgBtn");
    abort_->setObjectName("AbortBtn");
    update_->setObjectName("UbernehmBtn");

    refreshChannels();
    layOutControls();
    followLanguage(this, [this] { setTexts(); });
    connectControls();
}

void EntryEditor::layOutControls()
{
    auto* options = new QWidget(this);
    auto* optionsRow = new QHBoxLayout(options);
    optionsRow->setContentsMargins(0, 0, 0, 0);
    optionsRow->addWidget(sounds_);
    optionsRow->addWidget(remote_);
    optionsRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(insert_);
    buttons->addWidget(update_);
    buttons->addWidget(abort_);
    optionsGroup_ = group(options, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(aliasGroup_, 0, 0);
    layout->addWidget(channelGroup_, 0, 1);
    layout->addWidget(pathGroup_, 1, 0, 1, 2);
    layout->addWidget(optionsGroup_, 2, 0, 1, 2);
    layout->addLayout(buttons, 3, 0, 1, 2);
    // The size follows the texts: a language with longer ones widens the dialog.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab follows the buttons as they stand: "Einfügen", "Übernehmen", "Abbrechen".
    setTabOrder(insert_, update_);
    setTabOrder(update_, abort_);
}

void EntryEditor::connectControls()
{
    connect(path_, &QLineEdit::editingFinished, this, &EntryEditor::normalizePathField);
    connect(insert_, &QPushButton::clicked, this, &EntryEditor::insertClick);
    connect(update_, &QPushButton::clicked, this, &EntryEditor::updateClick);
    connect(abort_, &QPushButton::clicked, this, &EntryEditor::reject);
}

void EntryEditor::setTexts()
{
    setWindowTitle(tr("Eintrag bearbeiten"));
    aliasGroup_->setTitle(tr("Name "));
    alias_->setToolTip(tr("Alias/Usernamen eingeben"));
    channelGroup_->setTitle(tr("FlexNet Kanal "));
    pathGroup_->setTitle(tr("Call  via  AX25 Pfad "));
    path_->setToolTip(tr("komletten AX25 Pfad incl Zielcall eingeben"));
    optionsGroup_->setTitle(tr("Optionen "));
    sounds_->setText(tr("&Sounds"));
    remote_->setText(tr("Remotes"));
    insert_->setText(tr("&Einfügen"));
    abort_->setText(tr("Abbrechen"));
    update_->setText(tr("Ü&bernehmen"));
    // The fields are named as their boxes are titled; a screen reader reads the name, not the box.
    alias_->setAccessibleName(tr("Name"));
    channel_->setAccessibleName(tr("FlexNet Kanal"));
    path_->setAccessibleName(tr("Call via AX25 Pfad"));
    sounds_->setAccessibleDescription(tr("Die Ereignisse dieser Station spielen ihre Klänge"));
    remote_->setAccessibleDescription(tr("Diese Station darf Remotes abfragen"));
}

QString EntryEditor::refusalText(app::EntryRefusal refusal)
{
    using app::EntryRefusal;
    switch (refusal) {
    case EntryRefusal::NoCall: return tr("Bitte mindestens ein Call angeben");
    case EntryRefusal::BadCall: return tr("Der Pfad enthält ein ungültiges Rufzeichen");
    case EntryRefusal::Duplicate: return tr("Dieses Call Existiert schon in der Liste!!!");
    case EntryRefusal::NoChannels:
        return tr("FlexNet meldet keinen Kanal: der Eintrag kann nicht gespeichert werden.");
    case EntryRefusal::NoChannelChosen: return tr("Bitte einen FlexNet Kanal auswählen");
    }
    return {};
}

int EntryEditor::editNew()
{
    prepareNew();
    return exec();
}

int EntryEditor::editExisting(app::TUserEntry& entry)
{
    prepareExisting(entry);
    return exec();
}

void EntryEditor::refreshChannels()
{
    const QVariant chosen = channel_->currentData();
    channel_->clear();
    for (int c = 0; c < kChannelCount; ++c) {
        const std::string ident = station_.driver.ident(c);
        if (!ident.empty())
            channel_->addItem(QString::number(c) + QLatin1Char(' ') + fromAnsi(ident), c);
    }
    const int at = chosen.isValid() ? channel_->findData(chosen) : -1;
    channel_->setCurrentIndex(at >= 0 ? at : (channel_->count() > 0 ? 0 : -1));
}

void EntryEditor::prepareNew()
{
    entry_ = nullptr;
    update_->setEnabled(false);
    insert_->setEnabled(true);
    insert_->setDefault(true);
    alias_->clear();
    path_->clear();
    sounds_->setChecked(true);
    alias_->setFocus();
}

void EntryEditor::prepareExisting(app::TUserEntry& entry)
{
    entry_ = &entry;
    alias_->setText(fromAnsi(entry.alias));
    channel_->setCurrentIndex(channel_->findData(protocol::fieldNumber(entry.channel, -1)));
    path_->setText(fromAnsi(entry.path));
    sounds_->setChecked(entry.sounds == "1");
    remote_->setChecked(entry.remote == "1");
    update_->setEnabled(true);
    insert_->setEnabled(false);
    update_->setDefault(true);
}

void EntryEditor::normalizePathField()
{
    const QString normal = fromAnsi(app::normalizePath(toAnsi(path_->text())));
    if (normal != path_->text())
        path_->setText(normal);
}

app::EntryInput EntryEditor::input()
{
    app::EntryInput in;
    in.alias = toAnsi(alias_->text());
    if (channel_->currentIndex() >= 0)
        in.channel = channel_->currentData().toInt();
    in.channelsOffered = channel_->count() > 0;
    in.path = toAnsi(path_->text());
    in.sounds = sounds_->isChecked();
    in.remote = remote_->isChecked();
    return in;
}

bool EntryEditor::refused(std::optional<app::EntryRefusal> refusal)
{
    if (!refusal)
        return false;
    if (*refusal == app::EntryRefusal::BadCall) {
        // The word the rules refused, named as the user typed it (upper case).
        const auto bad = app::badPathWord(toAnsi(path_->text()));
        showError(this, bad ? CallInput::faultText(bad->word, bad->fault) : refusalText(*refusal));
        path_->setFocus();
        return true;
    }
    const QString text = refusalText(*refusal);
    if (*refusal == app::EntryRefusal::NoCall)
        showNote(this, text);
    else
        showError(this, text);
    return true;
}

void EntryEditor::insertClick()
{
    // Enter in the path field presses this button without leaving the field.
    normalizePathField();
    if (!refused(app::insertEntry(station_.roster, input())))
        accept();
}

void EntryEditor::updateClick()
{
    normalizePathField();
    if (entry_ == nullptr)
        return;
    const std::string before = entry_->call;
    if (refused(app::updateEntry(station_.roster, *entry_, input())))
        return;
    if (entry_->call != before)
        emit callChanged(before, entry_->call);
    accept();
}

void EntryEditor::done(int result)
{
    QDialog::done(result);
    if (station_.store == nullptr)
        return;
    if (const auto problem = station_.store->saveList(station_.roster))
        station_.ui.showStatus(protocol::storeProblem(*problem));
}

}  // namespace zelvo::dialogs

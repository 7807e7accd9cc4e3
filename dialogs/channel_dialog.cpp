#include "dialogs/channel_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/channel_editor.h"
#include "dialogs/channel_words.h"
#include "dialogs/language.h"
#include "dialogs/message_boxes.h"
#include "dialogs/tnc_probe_runner.h"
#include "dialogs/ui_text.h"

namespace zelvo::dialogs {

namespace {

constexpr int kStateColumn = 6;
constexpr auto kStateInterval = std::chrono::seconds(1);

QPushButton* button(QWidget* parent, const char* name)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The lowest channel number no entry has; -1 when all are taken.
int freeNumber(const std::vector<link::ChannelEntry>& entries)
{
    for (int number = 0; number <= 15; ++number)
        if (std::none_of(entries.begin(), entries.end(), [&](const auto& e) { return e.number == number; }))
            return number;
    return -1;
}

bool inTable(const std::vector<link::ChannelEntry>& entries, const link::ChannelEntry& place)
{
    const std::string address = link::channelAddress(place);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const auto& e) { return link::channelAddress(e) == address; });
}

}  // namespace

ChannelDialog::ChannelDialog(link::TncAccess access, std::function<link::ChannelPlaces()> places,
                             QWidget* parent)
    : QDialog(parent),
      access_(std::move(access)),
      places_(std::move(places)),
      searchPlaces_(&link::searchPlaces),
      runner_(new TncProbeRunner(this)),
      tableLabel_(new QLabel(this)),
      rows_(new QTreeWidget(this)),
      foundLabel_(new QLabel(this)),
      foundList_(new QListWidget(this)),
      add_(button(this, "BtnHinzufuegen")),
      change_(button(this, "BtnAendern")),
      remove_(button(this, "BtnEntfernen")),
      test_(button(this, "BtnTesten")),
      search_(button(this, "BtnSuchen")),
      take_(button(this, "BtnUebernehmen")),
      status_(new QLabel(this)),
      ok_(button(this, "BtnOK")),
      cancel_(button(this, "BtnAbbrechen"))
{
    tableLabel_->setObjectName("LabelTable");
    tableLabel_->setWordWrap(true);
    tableLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rows_->setObjectName("ListChannels");
    rows_->setRootIsDecorated(false);
    rows_->setColumnCount(kStateColumn + 1);
    rows_->setMinimumWidth(640);
    foundList_->setObjectName("ListFound");
    foundLabel_->setBuddy(foundList_);
    status_->setObjectName("LabelStatus");
    status_->setWordWrap(true);
    ok_->setDefault(true);
    layOut();
    table_ = std::make_unique<link::ChannelFile>(places_());
    followLanguage(this, [this] { setTexts(); });
    connectControls();
}

void ChannelDialog::layOut()
{
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add_, change_, remove_, test_, search_})
        side->addWidget(b);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(rows_, 1);
    top->addLayout(side);
    auto* foundRow = new QHBoxLayout;
    foundRow->addWidget(foundList_, 1);
    foundRow->addWidget(take_, 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tableLabel_);
    layout->addLayout(top, 1);
    layout->addWidget(foundLabel_);
    layout->addLayout(foundRow);
    layout->addWidget(status_);
    layout->addLayout(bottom);
    foundList_->setMaximumHeight(foundList_->fontMetrics().lineSpacing() * 5 + 2 * foundList_->frameWidth());
}

void ChannelDialog::connectControls()
{
    connect(add_, &QPushButton::clicked, this, &ChannelDialog::addClick);
    connect(change_, &QPushButton::clicked, this, &ChannelDialog::changeClick);
    // Not on Enter, which is OK's.
    connect(rows_, &QTreeWidget::itemDoubleClicked, this, &ChannelDialog::changeClick);
    connect(remove_, &QPushButton::clicked, this, &ChannelDialog::removeClick);
    connect(test_, &QPushButton::clicked, this, &ChannelDialog::testClick);
    connect(search_, &QPushButton::clicked, this, &ChannelDialog::searchClick);
    connect(take_, &QPushButton::clicked, this, &ChannelDialog::takeFoundClick);
    connect(ok_, &QPushButton::clicked, this, &ChannelDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &ChannelDialog::reject);
    connect(runner_, &TncProbeRunner::answered, this, &ChannelDialog::showAnswers);
    states_.setInterval(kStateInterval);
    connect(&states_, &QTimer::timeout, this, &ChannelDialog::refreshStates);
}

ChannelDialog::~ChannelDialog() = default;

void ChannelDialog::setSearchPlaces(std::function<std::vector<link::ChannelEntry>()> places)
{
    searchPlaces_ = std::move(places);
}

void ChannelDialog::setTexts()
{
    setWindowTitle(tr("Funkkanäle"));
    rows_->setHeaderLabels(
        {tr("Nr."), tr("Art"), tr("Adresse"), tr("Port"), tr("Luftrate"), tr("Name"), tr("TNC")});
    rows_->setAccessibleName(tr("Kanäle"));
    rows_->setToolTip(tr("Die Kanäle der Kanaltabelle und ob ihr TNC gerade antwortet"));
    foundLabel_->setText(tr("&Gefunden:"));
    foundList_->setAccessibleName(tr("Gefundene TNCs"));
    foundList_->setToolTip(tr("Was die Suche gefunden hat; angehakte werden als Kanäle übernommen"));
    const std::pair<QPushButton*, std::pair<QString, QString>> texts[] = {
        {add_, {tr("&Hinzufügen …"), tr("Einen Kanal hinzufügen")}},
        {change_, {tr("Ä&ndern …"), tr("Den gewählten Kanal ändern")}},
        {remove_, {tr("&Entfernen"), tr("Den gewählten Kanal entfernen")}},
        {test_,
         {tr("&Testen"), tr("Fragt, was an der Adresse des gewählten Kanals antwortet; auf Funk wird "
                            "nichts gesendet")}},
        {search_,
         {tr("&Suchen"), tr("Sucht Direwolf, AGW-Server und serielle TNCs auf diesem Rechner; auf "
                            "Funk wird nichts gesendet")}},
        {take_, {tr("Ü&bernehmen"), tr("Die angehakten Funde als Kanäle übernehmen")}},
        {ok_, {tr("OK"), tr("Die Kanaltabelle speichern")}},
        {cancel_, {tr("Abbrechen"), tr("Die Änderungen verwerfen")}},
    };
    for (const auto& [b, text] : texts) {
        b->setText(text.first);
        b->setToolTip(text.second);
    }
    fillRows();
    showNote();
    if (!found_.empty())
        showAnswers();
}

void ChannelDialog::load()
{
    table_ = std::make_unique<link::ChannelFile>(places_());
    fillRows();
    showNote();
    status_->clear();
}

void ChannelDialog::showNote()
{
    const auto& places = table_->places();
    QStringList note;
    note << (places.exists() ? tr("Kanaltabelle: %1").arg(QString::fromStdString(places.inUse.string()))
                             : tr("Noch keine Kanaltabelle; der Treiber nimmt seinen eingebauten Kanal."));
    if (places.saveTo != places.inUse)
        note << tr("Gespeichert wird als %1.").arg(QString::fromStdString(places.saveTo.string()));
    if (!places.shadowing.empty())
        note << tr("Sie gilt erst, wenn %1 entfernt ist: der Treiber liest diese Datei zuerst.")
                    .arg(QString::fromStdString(places.shadowing.string()));
    if (!access_.reload)
        note << tr("Änderungen gelten ab dem nächsten Start von Zelvo.");
    if (table_->readError())
        note << tr("Die Datei lässt sich nicht lesen; sie wird nicht geändert.");
    else if (!table_->skipped().empty())
        note << (table_->skipped().size() == 1
                     ? tr("Eine Zeile der Datei nimmt der Treiber nicht; sie bleibt unverändert.")
                     : tr("%1 Zeilen der Datei nimmt der Treiber nicht; sie bleiben unverändert.")
                           .arg(table_->skipped().size()));
    tableLabel_->setText(note.join(QLatin1Char(' ')));
    ok_->setEnabled(!table_->readError());
}

void ChannelDialog::fillRows()
{
    const auto keep = selected();
    rows_->clear();
    for (const link::ChannelEntry& entry : table_->entries()) {
        const bool tcp = link::isTcp(entry.kind);
        auto* row = new QTreeWidgetItem(rows_);
        row->setText(0, QString::number(entry.number));
        row->setText(1, QString::fromLatin1(link::kindWord(entry.kind).data()));
        row->setText(2, tcp ? fromAnsi(entry.host) : fromAnsi(entry.device));
        row->setText(3, tcp ? QString::number(entry.port) : tr("%1 Bd").arg(entry.baud));
        if (entry.radioPort != 0)
            row->setText(3, row->text(3) + QLatin1Char('/') + QString::number(entry.radioPort));
        row->setText(4, entry.airRate ? tr("%1 Bit/s").arg(*entry.airRate) : tr("sofort"));
        row->setText(5, fromAnsi(entry.name));
    }
    for (int column = 0; column < kStateColumn; ++column)
        rows_->resizeColumnToContents(column);
    if (rows_->topLevelItemCount() > 0)
        rows_->setCurrentItem(
            rows_->topLevelItem(std::min<int>(keep.value_or(0), rows_->topLevelItemCount() - 1)));
    refreshStates();
}

void ChannelDialog::refreshStates()
{
    // The driver's channel of that number counts only while it is this line's connection.
    const auto inUse = access_.channels ? access_.channels() : std::vector<link::FlexApi::Channel>{};
    const auto entries = table_->entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const link::ChannelEntry& entry = entries[i];
        const auto same = std::find_if(inUse.begin(), inUse.end(), [&](const link::FlexApi::Channel& c) {
            return c.number == entry.number && c.kind + " " + c.address == link::channelAddress(entry);
        });
        QString state = tr("nicht in Gebrauch");
        if (same != inUse.end())
            state = ChannelWords::linkState(entry, access_.linkState ? access_.linkState(entry.number)
                                                                     : std::nullopt);
        rows_->topLevelItem(static_cast<int>(i))->setText(kStateColumn, state);
    }
}

std::optional<std::size_t> ChannelDialog::selected() const
{
    const int row = rows_->indexOfTopLevelItem(rows_->currentItem());
    return row >= 0 ? std::optional(static_cast<std::size_t>(row)) : std::nullopt;
}

void ChannelDialog::edit(const link::ChannelEntry& start, std::optional<std::size_t> replacing)
{
    ChannelEditor editor(*table_, start, replacing, access_.probe, this);
    editor_ = &editor;
    const int result = editor.exec();
    editor_ = nullptr;
    if (result != QDialog::Accepted)
        return;
    const auto entry = editor.entry();
    const auto refusal = replacing ? table_->change(*replacing, *entry) : table_->add(*entry);
    if (refusal)
        showError(this, ChannelWords::refusal(*refusal));
    fillRows();
    if (!replacing)
        rows_->setCurrentItem(rows_->topLevelItem(rows_->topLevelItemCount() - 1));
}

void ChannelDialog::addClick()
{
    link::ChannelEntry start;
    start.number = std::max(0, freeNumber(table_->entries()));
    start.host = "127.0.0.1";
    start.port = link::defaultPort(start.kind);
    edit(start, std::nullopt);
}

void ChannelDialog::changeClick()
{
    if (const auto row = selected())
        edit(table_->entries()[*row], row);
}

void ChannelDialog::removeClick()
{
    if (const auto row = selected()) {
        table_->remove(*row);
        fillRows();
    }
}

void ChannelDialog::testClick()
{
    const auto row = selected();
    if (!row || runner_->busy())
        return;
    const link::ChannelEntry entry = table_->entries()[*row];
    searching_ = false;
    status_->setText(tr("Prüfe %1 …").arg(ChannelWords::place(entry)));
    runner_->run({entry}, access_.probe);
}

void ChannelDialog::searchClick()
{
    if (runner_->busy())
        return;
    searching_ = true;
    search_->setEnabled(false);
    status_->setText(tr("Suche läuft …"));
    runner_->run(searchPlaces_(), access_.probe);
}

void ChannelDialog::waitForProbe()
{
    runner_->wait();
}

void ChannelDialog::showAnswers()
{
    search_->setEnabled(true);
    const auto& answers = runner_->answers();
    if (!searching_) {
        if (!answers.empty())
            status_->setText(ChannelWords::probe(answers.front().entry, answers.front().probe));
        emit answered();
        return;
    }
    found_.clear();
    foundList_->clear();
    const auto entries = table_->entries();
    for (const link::TncAnswer& answer : answers) {
        if (!link::answered(answer) || inTable(entries, answer.entry))
            continue;
        found_.push_back(answer);
        auto* item = new QListWidgetItem(ChannelWords::probe(answer.entry, answer.probe), foundList_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (!access_.probe)
        status_->setText(ChannelWords::probe({}, std::nullopt));
    else if (found_.empty())
        status_->setText(tr("Kein weiterer TNC gefunden"));
    else
        status_->setText(
            found_.size() == 1
                ? tr("Ein TNC gefunden; angehakt übernimmt ihn „Übernehmen“")
                : tr("%1 TNCs gefunden; die angehakten übernimmt „Übernehmen“").arg(found_.size()));
    take_->setEnabled(!found_.empty());
    emit answered();
}

void ChannelDialog::takeFoundClick()
{
    dropSilentBuiltIn();
    std::vector<link::TncAnswer> left;
    for (std::size_t i = 0; i < found_.size(); ++i) {
        link::ChannelEntry entry = found_[i].entry;
        entry.number = freeNumber(table_->entries());
        entry.name = toAnsi(ChannelWords::foundName(entry, *found_[i].probe));
        const bool picked = foundList_->item(static_cast<int>(i))->checkState() == Qt::Checked;
        if (!picked || table_->add(entry))
            left.push_back(found_[i]);
    }
    found_ = std::move(left);
    fillRows();
    foundList_->clear();
    for (const link::TncAnswer& answer : found_)
        foundList_->addItem(ChannelWords::probe(answer.entry, answer.probe));
    take_->setEnabled(false);
}

void ChannelDialog::dropSilentBuiltIn()
{
    // A table not yet saved holds only the driver's built-in channel; where the search found no
    // TNC at its address, a TNC found elsewhere takes its place instead of joining it.
    const auto entries = table_->entries();
    if (table_->places().exists() || table_->modified() || entries.size() != 1)
        return;
    const std::string builtIn = link::channelAddress(entries.front());
    const auto& answers = runner_->answers();
    if (std::none_of(answers.begin(), answers.end(), [&](const link::TncAnswer& answer) {
            return link::answered(answer) && link::channelAddress(answer.entry) == builtIn;
        }))
        table_->remove(0);
}

void ChannelDialog::accept()
{
    if (table_->modified() || !table_->places().exists()) {
        if (const auto failure = table_->save()) {
            showError(this,
                      tr("Die Kanaltabelle lässt sich nicht speichern:\n%1").arg(saveFailureText(*failure)));
            return;
        }
        if (access_.reload && table_->places().shadowing.empty()) {
            if (!access_.reload())
                dialogs::showNote(
                    this, tr("Der Treiber hat die Kanaltabelle nicht neu gelesen; die Änderung gilt ab "
                             "dem nächsten Start von Zelvo."));
            emit channelsChanged();
        }
    }
    QDialog::accept();
}

QString ChannelDialog::saveFailureText(const link::ChannelFile::SaveFailure& failure)
{
    const QString file = QString::fromStdString(failure.file.string());
    switch (failure.kind) {
    case link::ChannelFile::SaveFailure::Kind::NotRead:
        return tr("%1 lässt sich nicht lesen und wird nicht überschrieben.").arg(file);
    case link::ChannelFile::SaveFailure::Kind::NoHomeFolder:
        return tr("Es gibt keinen Benutzerordner, in dem sie liegen könnte.");
    case link::ChannelFile::SaveFailure::Kind::NotWritten: break;
    }
    return QStringLiteral("%1: %2").arg(file, QString::fromStdString(failure.reason));
}

QString ChannelDialog::status() const
{
    return status_->text();
}

void ChannelDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refreshStates();
    states_.start();
}

void ChannelDialog::hideEvent(QHideEvent* event)
{
    states_.stop();
    QDialog::hideEvent(event);
}

}  // namespace zelvo::dialogs

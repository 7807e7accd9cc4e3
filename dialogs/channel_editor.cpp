#include "dialogs/channel_editor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "dialogs/channel_words.h"
#include "dialogs/language.h"
#include "dialogs/tnc_probe_runner.h"
#include "dialogs/ui_text.h"

namespace zelvo::dialogs {

namespace {

constexpr std::array kKinds = {link::ChannelKind::KissTcp, link::ChannelKind::AgwTcp,
                               link::ChannelKind::KissSerial};
// The rates the driver sets on a serial line; the list offers no other.
constexpr std::array kBauds = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};

QLineEdit* digitsField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    // Digits only, but more than a range holds, so that 70000 can be typed and named.
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), field));
    return field;
}

std::optional<unsigned> digits(const QLineEdit& field)
{
    bool ok = false;
    const unsigned value = field.text().toUInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

ChannelEditor::ChannelEditor(const link::ChannelFile& table, const link::ChannelEntry& start,
                             std::optional<std::size_t> replacing, link::TncProber prober, QWidget* parent)
    : QDialog(parent),
      table_(table),
      replacing_(replacing),
      prober_(std::move(prober)),
      runner_(new TncProbeRunner(this))
{
    buildFields();
    fill(start);
    followLanguage(this, [this] { setTexts(); });
    connect(kind_, &QComboBox::currentIndexChanged, this, &ChannelEditor::kindChanged);
    for (QLineEdit* field : {number_, host_, port_, device_, radioPort_, airRate_, name_})
        connect(field, &QLineEdit::textChanged, this, &ChannelEditor::showFault);
    connect(baud_, &QComboBox::currentTextChanged, this, &ChannelEditor::showFault);
    connect(test_, &QPushButton::clicked, this, &ChannelEditor::testClick);
    connect(ok_, &QPushButton::clicked, this, &ChannelEditor::accept);
    connect(cancel_, &QPushButton::clicked, this, &ChannelEditor::reject);
    connect(runner_, &TncProbeRunner::answered, this, [this] {
        test_->setEnabled(true);
        const auto& answers = runner_->answers();
        if (!answers.empty())
            answerLabel_->setText(ChannelWords::probe(answers.front().entry, answers.front().probe));
        emit probed();
    });
    kindChanged();
}

ChannelEditor::~ChannelEditor() = default;

void ChannelEditor::buildFields()
{
    kind_ = new QComboBox(this);
    kind_->setObjectName("ComboKind");
    for (const auto kind : kKinds)
        kind_->addItem(QString::fromLatin1(link::kindWord(kind).data()), static_cast<int>(kind));
    number_ = digitsField(this, "EditNumber");
    host_ = new QLineEdit(this);
    host_->setObjectName("EditHost");
    port_ = digitsField(this, "EditPort");
    device_ = new QLineEdit(this);
    device_->setObjectName("EditDevice");
    baud_ = new QComboBox(this);
    baud_->setObjectName("ComboBaud");
    for (const int baud : kBauds)
        baud_->addItem(QString::number(baud));
    radioPort_ = digitsField(this, "EditRadioPort");
    airRate_ = digitsField(this, "EditAirRate");
    name_ = new QLineEdit(this);
    name_->setObjectName("EditName");
    faultLabel_ = new QLabel(this);
    faultLabel_->setObjectName("LabelFault");
    faultLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    answerLabel_ = new QLabel(this);
    answerLabel_->setObjectName("LabelAnswer");
    answerLabel_->setWordWrap(true);
    test_ = new QPushButton(this);
    test_->setObjectName("BtnTesten");
    test_->setAutoDefault(false);
    ok_ = new QPushButton(this);
    ok_->setObjectName("BtnOK");
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("BtnAbbrechen");

    form_ = new QFormLayout;
    for (QWidget* field : std::initializer_list<QWidget*>{kind_, number_, host_, port_, device_, baud_,
                                                          radioPort_, airRate_, name_})
        form_->addRow(new QLabel(this), field);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(faultLabel_);
    layout->addWidget(answerLabel_);
    layout->addLayout(buttons);
}

void ChannelEditor::setTexts()
{
    setWindowTitle(replacing_ ? tr("Kanal ändern") : tr("Kanal hinzufügen"));
    const bool agw = entry() && entry()->kind == link::ChannelKind::AgwTcp;
    const std::pair<QWidget*, QString> labels[] = {
        {kind_, tr("&Art")},
        {number_, tr("&Nummer")},
        {host_, tr("&Rechner")},
        {port_, tr("&Port")},
        {device_, tr("&Gerät")},
        {baud_, tr("&Baudrate")},
        {radioPort_, agw ? tr("&Funkport (AGW)") : tr("&KISS-Port")},
        {airRate_, tr("&Luftrate (Bit/s)")},
        {name_, tr("Na&me")},
    };
    for (const auto& [field, text] : labels) {
        auto* label = static_cast<QLabel*>(form_->labelForField(field));
        label->setText(text);
        label->setBuddy(field);
        field->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    }
    kind_->setToolTip(
        tr("kiss-tcp: Direwolf und andere KISS-TNCs über TCP; agw-tcp: AGW-Server wie "
           "Direwolf oder QtSoundModem; kiss-serial: ein TNC an einer seriellen Schnittstelle"));
    number_->setToolTip(tr("Die FlexNet-Kanalnummer, 0 bis 15"));
    airRate_->setToolTip(tr("Bit/s auf dem Funkkanal; leer: die Rahmen gehen sofort zum TNC"));
    name_->setToolTip(tr("So heißt der Kanal in der Liste der Einträge"));
    test_->setText(tr("&Testen"));
    test_->setToolTip(tr("Fragt, was an dieser Adresse antwortet; auf Funk wird nichts gesendet"));
    ok_->setText(tr("OK"));
    cancel_->setText(tr("Abbrechen"));
    showFault();
}

void ChannelEditor::fill(const link::ChannelEntry& entry)
{
    kind_->setCurrentIndex(kind_->findData(static_cast<int>(entry.kind)));
    number_->setText(QString::number(entry.number));
    host_->setText(fromAnsi(entry.host.empty() ? "127.0.0.1" : entry.host));
    port_->setText(QString::number(entry.port != 0 ? entry.port : link::defaultPort(entry.kind)));
    device_->setText(fromAnsi(entry.device));
    baud_->setCurrentText(QString::number(entry.baud != 0 ? entry.baud : 9600));
    radioPort_->setText(QString::number(entry.radioPort));
    airRate_->setText(entry.airRate ? QString::number(*entry.airRate) : QString());
    name_->setText(fromAnsi(entry.name));
}

void ChannelEditor::kindChanged()
{
    const auto kind = static_cast<link::ChannelKind>(kind_->currentData().toInt());
    // The other kind's default port goes with the kind.
    for (const auto other : kKinds)
        if (other != kind && port_->text() == QString::number(link::defaultPort(other)))
            port_->setText(QString::number(link::defaultPort(kind)));
    for (QWidget* field : {host_, port_})
        form_->setRowVisible(field, link::isTcp(kind));
    for (QWidget* field : std::initializer_list<QWidget*>{device_, baud_})
        form_->setRowVisible(field, !link::isTcp(kind));
    setTexts();
}

std::optional<link::ChannelEntry> ChannelEditor::entry() const
{
    link::ChannelEntry entry;
    entry.kind = static_cast<link::ChannelKind>(kind_->currentData().toInt());
    const bool tcp = link::isTcp(entry.kind);
    notNumber_ = nullptr;
    const auto number = digits(*number_);
    const auto port = digits(*port_);
    const auto baud = std::optional(baud_->currentText().toUInt());
    const auto radio = radioPort_->text().isEmpty() ? std::optional(0u) : digits(*radioPort_);
    for (const auto& [value, field] :
         {std::pair(number, static_cast<QWidget*>(number_)),
          std::pair(tcp ? port : std::optional(0u), static_cast<QWidget*>(port_)),
          std::pair(tcp ? std::optional(0u) : baud, static_cast<QWidget*>(baud_)),
          std::pair(radio, static_cast<QWidget*>(radioPort_))}) {
        if (!value) {
            notNumber_ = field;
            return std::nullopt;
        }
    }
    entry.number = static_cast<int>(std::min(*number, 99u));
    entry.host = tcp ? toAnsi(host_->text()) : std::string();
    entry.port = tcp ? *port : 0;
    entry.device = tcp ? std::string() : toAnsi(device_->text());
    entry.baud = tcp ? 0 : *baud;
    entry.radioPort = *radio;
    if (!airRate_->text().isEmpty())
        entry.airRate = digits(*airRate_).value_or(0);
    entry.name = toAnsi(name_->text());
    return entry;
}

QString ChannelEditor::fault() const
{
    const auto edited = entry();
    if (!edited)
        return tr("Zahl fehlt");
    if (!fitsAnsi(name_->text()))
        return tr("Name mit Zeichen, die die Tabelle nicht hält");
    const auto refusal = table_.check(*edited, replacing_);
    return refusal ? ChannelWords::refusal(*refusal) : QString();
}

QString ChannelEditor::answer() const
{
    return answerLabel_->text();
}

void ChannelEditor::showFault()
{
    faultLabel_->setText(fault());
}

QWidget* ChannelEditor::fieldOf(std::optional<link::ChannelFault> fault) const
{
    using link::ChannelFault;
    if (!fault)
        return notNumber_ != nullptr ? notNumber_ : name_;
    switch (*fault) {
    case ChannelFault::NumberRange:
    case ChannelFault::NumberUsed: return number_;
    case ChannelFault::HostEmpty:
    case ChannelFault::HostCharacter: return host_;
    case ChannelFault::PortRange: return port_;
    case ChannelFault::RadioPortRange: return radioPort_;
    case ChannelFault::AirRate: return airRate_;
    case ChannelFault::Baud: return baud_;
    case ChannelFault::DeviceEmpty:
    case ChannelFault::DeviceMissing:
    case ChannelFault::DeviceUsed: return device_;
    default: return name_;
    }
}

void ChannelEditor::accept()
{
    const QString refused = fault();
    if (refused.isEmpty()) {
        QDialog::accept();
        return;
    }
    faultLabel_->setText(refused);
    const auto edited = entry();
    const auto refusal = edited ? table_.check(*edited, replacing_) : std::nullopt;
    QWidget* field = fieldOf(refusal ? std::optional(refusal->fault) : std::nullopt);
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->selectAll();
}

void ChannelEditor::testClick()
{
    const auto edited = entry();
    if (!edited) {
        showFault();
        return;
    }
    answerLabel_->setText(tr("Prüfe %1 …").arg(ChannelWords::place(*edited)));
    test_->setEnabled(false);
    runner_->run({*edited}, prober_);
}

}  // namespace zelvo::dialogs

// The dialog "Kanal" that adds a channel to the channel table or changes one: kind, number, host
// and port or device and baud rate, radio port, air rate and name, the fields of the kind shown.
// What the table cannot take is named below the fields as it is typed, and OK refuses it with the
// focus in the field. "Testen" asks the driver what answers at the address in the fields.
//
// Control names: ComboKind, EditNumber, EditHost, EditPort, EditDevice, ComboBaud, EditRadioPort,
// EditAirRate, EditName, LabelFault, LabelAnswer, BtnTesten, BtnOK, BtnAbbrechen.
#pragma once

#include <QDialog>

#include <optional>

#include "link/channel_file.h"
#include "link/tnc_search.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvo::dialogs {

class TncProbeRunner;

class ChannelEditor : public QDialog {
    Q_OBJECT
public:
    // Edits `start`, in place of the table's entry at `replacing` (none: a new entry).
    ChannelEditor(const link::ChannelFile& table, const link::ChannelEntry& start,
                  std::optional<std::size_t> replacing, link::TncProber prober, QWidget* parent = nullptr);
    ~ChannelEditor() override;

    // The entry as the fields give it; nothing while a number field holds no number.
    std::optional<link::ChannelEntry> entry() const;
    // What refuses the fields now; empty when nothing does.
    QString fault() const;
    // The last probe's answer as shown.
    QString answer() const;

    void accept() override;
    void testClick();

signals:
    // A probe's answer is shown.
    void probed();

private:
    void buildFields();
    void setTexts();
    void fill(const link::ChannelEntry& entry);
    void kindChanged();
    void showFault();
    // The field a refusal is about.
    QWidget* fieldOf(std::optional<link::ChannelFault> fault) const;

    const link::ChannelFile& table_;
    std::optional<std::size_t> replacing_;
    link::TncProber prober_;
    TncProbeRunner* runner_;
    QFormLayout* form_ = nullptr;
    QComboBox* kind_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* host_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* device_ = nullptr;
    QComboBox* baud_ = nullptr;
    QLineEdit* radioPort_ = nullptr;
    QLineEdit* airRate_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* faultLabel_ = nullptr;
    QLabel* answerLabel_ = nullptr;
    QPushButton* test_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    // The numbers' field that holds no number, for the refusal shown.
    mutable QWidget* notNumber_ = nullptr;
};

}  // namespace zelvo::dialogs

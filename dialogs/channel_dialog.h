// The dialog "Funkkanäle": the channel table in use, one row a channel (number, kind, address,
// port, air rate, name, and whether its TNC answers now, asked of the driver every second while
// the dialog shows), with "Hinzufügen", "Ändern", "Entfernen", "Testen" and "Suchen". The search
// probes the usual places of a TNC on this machine without sending anything on the air and lists
// what answered, to be taken over as channels. OK saves the table (see link/channel_file.h) and has
// the driver read it again where it can; the note above the list says where the table is saved
// and when the change applies.
//
// Control names: ListChannels, ListFound, BtnHinzufuegen, BtnAendern, BtnEntfernen, BtnTesten,
// BtnSuchen, BtnUebernehmen, LabelTable, LabelStatus, BtnOK, BtnAbbrechen.
#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "link/channel_file.h"
#include "link/tnc_access.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace zelvo::dialogs {

class ChannelEditor;
class TncProbeRunner;

class ChannelDialog : public QDialog {
    Q_OBJECT
public:
    // `places` tells where the tables are when the dialog is opened.
    ChannelDialog(link::TncAccess access, std::function<link::ChannelPlaces()> places,
                  QWidget* parent = nullptr);
    ~ChannelDialog() override;

    // Where the search looks (tests point it at their own servers).
    void setSearchPlaces(std::function<std::vector<link::ChannelEntry>()> places);
    // Reads the table anew and shows it.
    void load();
    const link::ChannelFile& table() const { return *table_; }

    // The editor of a channel while one is open, for tests; else null.
    ChannelEditor* editor() const { return editor_; }

    void addClick();
    void changeClick();
    void removeClick();
    void testClick();
    void searchClick();
    void takeFoundClick();
    void accept() override;
    QString status() const;
    // Returns once no probe of Testen or Suchen runs: before the driver is left.
    void waitForProbe();

signals:
    // The table was saved and the driver read it again: the channels' names may have changed.
    void channelsChanged();
    // A probe's or the search's answer is shown.
    void answered();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void layOut();
    void connectControls();
    void setTexts();
    void fillRows();
    void refreshStates();
    void showNote();
    void edit(const link::ChannelEntry& start, std::optional<std::size_t> replacing);
    void showAnswers();
    void dropSilentBuiltIn();
    std::optional<std::size_t> selected() const;
    static QString saveFailureText(const link::ChannelFile::SaveFailure& failure);

    link::TncAccess access_;
    std::function<link::ChannelPlaces()> places_;
    std::function<std::vector<link::ChannelEntry>()> searchPlaces_;
    std::unique_ptr<link::ChannelFile> table_;
    TncProbeRunner* runner_;
    bool searching_ = false;
    std::vector<link::TncAnswer> found_;
    ChannelEditor* editor_ = nullptr;
    QTimer states_;
    QLabel* tableLabel_;
    QTreeWidget* rows_;
    QLabel* foundLabel_;
    QListWidget* foundList_;
    QPushButton* add_;
    QPushButton* change_;
    QPushButton* remove_;
    QPushButton* test_;
    QPushButton* search_;
    QPushButton* take_;
    QLabel* status_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace zelvo::dialogs

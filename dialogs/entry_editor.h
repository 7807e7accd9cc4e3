// The entry editor "Eintrag bearbeiten": adds a station to the roster or changes one. The channel
// list is filled at creation, and anew by refreshChannels(), from the channels the driver names. However the dialog
// closes (a button, Esc, the close box), the roster is saved. The rules it applies live in
// app/entry_rules.h.
//
// Child widgets carry the control names as object names (EditAlias, comboFlexKanal, EditPath,
// ChSounds, chRemote, EinfgBtn, AbortBtn, UbernehmBtn).
#pragma once

#include <QDialog>

#include "app/entry_rules.h"
#include "protocol/station.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace zelvo::dialogs {

class EntryEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr int kChannelCount = 16;

    explicit EntryEditor(protocol::Station& station, QWidget* parent = nullptr);

    // For a new entry: alias and path empty, "&Sounds" on, "Remotes" and the channel as they
    // were, the focus in the alias.
    void prepareNew();
    // For `entry`, filled from it.
    void prepareExisting(app::TUserEntry& entry);
    // Prepared, then shown modally; the dialog's result.
    int editNew();
    int editExisting(app::TUserEntry& entry);

    void insertClick();
    void updateClick();
    // Asks the driver for the channels' names again, after it read a changed channel table; the
    // chosen channel stays chosen while it exists.
    void refreshChannels();

    // Saves the roster on every way of closing.
    void done(int result) override;

signals:
    // "Ü&bernehmen" gave the entry another call (Windows-1252 texts).
    void callChanged(const std::string& from, const std::string& to);

private:
    void layOutControls();
    // The texts in the windows' language.
    void setTexts();
    void connectControls();
    // What the window says to a refusal of the rules.
    static QString refusalText(app::EntryRefusal refusal);
    void normalizePathField();
    void upperCasePath(const QString& text);
    app::EntryInput input();
    // Shows the refusal and tells whether there was one.
    bool refused(std::optional<app::EntryRefusal> refusal);

    protocol::Station& station_;
    app::TUserEntry* entry_ = nullptr;
    QLineEdit* alias_;
    QComboBox* channel_;
    QLineEdit* path_;
    QCheckBox* sounds_;
    QCheckBox* remote_;
    QPushButton* insert_;
    QPushButton* abort_;
    QPushButton* update_;
    QGroupBox* aliasGroup_;
    QGroupBox* channelGroup_;
    QGroupBox* pathGroup_;
    QGroupBox* optionsGroup_ = nullptr;
};

}  // namespace zelvo::dialogs

// The dialogs as the roster window opens them: the message window, the entry editor, the
// settings dialog and the help window, each created when it is first needed and kept until the
// program ends. (Creating them all at start would cost a tray program that mostly waits several
// megabytes and a noticeable part of its start.) They work on the engine, which exists once the
// session has started: attach() hands it over then, before the event loop runs.
//
// Each dialog is connected where it is made: the message window to the engine's changes (the
// adapter's conversationUpdated) and to the roster window, the entry editor's call changes to the
// history store, whose problems show on the status bar.
#pragma once

#include <QObject>

#include <memory>
#include <optional>

#include "app/dialog_calls.h"
#include "protocol/station.h"

class QWidget;

namespace zelvo::platform {
class SoundPlayer;
}
namespace zelvo::dialogs {
class MessageWindow;
class EntryEditor;
class SettingsDialog;
class SettingsNews;
class HelpWindow;
class ChannelDialog;
}  // namespace zelvo::dialogs
namespace zelvo::link {
class FlexApi;
}

namespace zelvo::app {

class StationAdapter;
class HistoryStore;

class DialogWindows final : public QObject, public DialogCalls {
    Q_OBJECT
public:
    DialogWindows();
    ~DialogWindows() override;
    // What the dialogs work on and connect to.
    struct Links {
        protocol::Station& station;
        dialogs::SettingsNews& settingsNews;  // the station's settings, as a Qt signal
        platform::SoundPlayer* sound;
        StationAdapter& adapter;
        HistoryStore& history;
        QWidget& rosterWindow;  // hidden when a sent text asks for it
        link::FlexApi& driver;  // its channel table is edited in the channel dialog
    };
    void attach(const Links& links);

    void openMessages(TUserEntry& entry) override;
    void prepareMessages(TUserEntry& entry) override;
    bool messagesVisible() const override;
    void editNew() override;
    void editExisting(TUserEntry& entry) override;
    void openSettings() override;
    void showHelp() override;
    // The settings at their first page, for a first start without an own call; without any
    // channel table, the channel dialog comes over it and searches for TNCs at once.
    void openSettingsAtFirstPage();
    // The channel dialog, searching at once when `search` is set.
    void openChannels(bool search);
    // Returns once no TNC probe of the channel dialog runs: before the driver is left.
    void waitForProbes();

    dialogs::MessageWindow& messageWindow();
    dialogs::EntryEditor& entryEditor();
    dialogs::SettingsDialog& settingsDialog();
    dialogs::ChannelDialog& channelDialog();

signals:
    // The driver read a changed channel table: whatever watches the channels takes them anew.
    void channelsChanged();
    // The message window of `entry` is about to open (its notification goes).
    void messagesOpened(const TUserEntry& entry);

private:
    std::optional<Links> links_;
    std::unique_ptr<dialogs::EntryEditor> editor_;
    std::unique_ptr<dialogs::MessageWindow> messages_;
    std::unique_ptr<dialogs::SettingsDialog> settings_;
    std::unique_ptr<dialogs::HelpWindow> help_;
    std::unique_ptr<dialogs::ChannelDialog> channels_;
};

}  // namespace zelvo::app

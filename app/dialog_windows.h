// The dialogs as the roster window opens them: the message window, the entry editor, the
// settings dialog and the help window, each created once and kept until the program ends. They
// work on the engine, which exists once the session has started: create() makes them then, before
// the event loop runs and so before any command can reach them.
#pragma once

#include <memory>

#include "app/dialog_calls.h"
#include "protocol/station.h"

namespace zelvo::platform {
class SoundPlayer;
}
namespace zelvo::dialogs {
class MessageWindow;
class EntryEditor;
class SettingsDialog;
class HelpWindow;
}  // namespace zelvo::dialogs

namespace zelvo::app {

class DialogWindows final : public DialogCalls {
public:
    DialogWindows();
    ~DialogWindows() override;
    // In the program's order: entry editor, message window, settings dialog.
    void create(protocol::Station& station, platform::SoundPlayer* sound);

    void openMessages(TUserEntry& entry) override;
    void prepareMessages(TUserEntry& entry) override;
    bool messagesVisible() const override;
    void editNew() override;
    void editExisting(TUserEntry& entry) override;
    void openSettings() override;
    void showHelp() override;
    // The settings at their first page, for a first start without an own call.
    void openSettingsAtFirstPage();

    dialogs::MessageWindow& messageWindow() { return *messages_; }
    dialogs::EntryEditor& entryEditor() { return *editor_; }
    dialogs::SettingsDialog& settingsDialog() { return *settings_; }

private:
    std::unique_ptr<dialogs::EntryEditor> editor_;
    std::unique_ptr<dialogs::MessageWindow> messages_;
    std::unique_ptr<dialogs::SettingsDialog> settings_;
    std::unique_ptr<dialogs::HelpWindow> help_;
};

}  // namespace zelvo::app

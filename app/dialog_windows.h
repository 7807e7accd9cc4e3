// The dialogs as the roster window opens them: the message window, the entry editor, the
// settings dialog and the help window, each created when it is first needed and kept until the
// program ends. (Creating them all at start would cost a tray program that mostly waits several
// megabytes and a noticeable part of its start.) They work on the engine, which exists once the
// session has started: attach() hands it over then, before the event loop runs.
#pragma once

#include <functional>
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
    void attach(protocol::Station& station, platform::SoundPlayer* sound);

    void openMessages(TUserEntry& entry) override;
    void prepareMessages(TUserEntry& entry) override;
    bool messagesVisible() const override;
    void editNew() override;
    void editExisting(TUserEntry& entry) override;
    void openSettings() override;
    void showHelp() override;
    // The settings at their first page, for a first start without an own call.
    void openSettingsAtFirstPage();

    dialogs::MessageWindow& messageWindow();
    dialogs::EntryEditor& entryEditor();
    dialogs::SettingsDialog& settingsDialog();
    // Runs `hook` on each dialog as it is created (the program connects their signals there).
    std::function<void(dialogs::MessageWindow&)> onMessageWindow;
    std::function<void(dialogs::EntryEditor&)> onEntryEditor;

private:
    protocol::Station* station_ = nullptr;
    platform::SoundPlayer* sound_ = nullptr;
    std::unique_ptr<dialogs::EntryEditor> editor_;
    std::unique_ptr<dialogs::MessageWindow> messages_;
    std::unique_ptr<dialogs::SettingsDialog> settings_;
    std::unique_ptr<dialogs::HelpWindow> help_;
};

}  // namespace zelvo::app

#include "app/dialog_windows.h"

#include <QTabWidget>

#include "dialogs/entry_editor.h"
#include "dialogs/help_window.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"

namespace zelvo::app {

DialogWindows::DialogWindows() = default;
DialogWindows::~DialogWindows() = default;

void DialogWindows::attach(protocol::Station& station, platform::SoundPlayer* sound)
{
    station_ = &station;
    sound_ = sound;
}

dialogs::MessageWindow& DialogWindows::messageWindow()
{
    if (!messages_) {
        messages_ = std::make_unique<dialogs::MessageWindow>(*station_);
        if (onMessageWindow)
            onMessageWindow(*messages_);
    }
    return *messages_;
}

dialogs::EntryEditor& DialogWindows::entryEditor()
{
    if (!editor_) {
        editor_ = std::make_unique<dialogs::EntryEditor>(*station_);
        if (onEntryEditor)
            onEntryEditor(*editor_);
    }
    return *editor_;
}

dialogs::SettingsDialog& DialogWindows::settingsDialog()
{
    if (!settings_)
        settings_ = std::make_unique<dialogs::SettingsDialog>(station_->settings, sound_);
    return *settings_;
}

void DialogWindows::openMessages(TUserEntry& entry)
{
    messageWindow().showFor(entry);
}

void DialogWindows::prepareMessages(TUserEntry& entry)
{
    messageWindow().openFor(entry);
}

bool DialogWindows::messagesVisible() const
{
    return messages_ && messages_->isVisible();
}

void DialogWindows::editNew()
{
    entryEditor().editNew();
}

void DialogWindows::editExisting(TUserEntry& entry)
{
    entryEditor().editExisting(entry);
}

void DialogWindows::openSettings()
{
    settingsDialog().exec();
}

void DialogWindows::openSettingsAtFirstPage()
{
    if (auto* pages = settingsDialog().findChild<QTabWidget*>())
        pages->setCurrentIndex(0);
    settingsDialog().exec();
}

void DialogWindows::showHelp()
{
    if (!dialogs::HelpWindow::available())
        return;
    if (!help_)
        help_ = std::make_unique<dialogs::HelpWindow>();
    help_->showTopic();
}

}  // namespace zelvo::app

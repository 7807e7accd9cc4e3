#include "app/dialog_windows.h"

#include <QTabWidget>

#include "dialogs/entry_editor.h"
#include "dialogs/help_window.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"

namespace zelvo::app {

DialogWindows::DialogWindows() = default;
DialogWindows::~DialogWindows() = default;

void DialogWindows::create(protocol::Station& station, platform::SoundPlayer* sound)
{
    editor_ = std::make_unique<dialogs::EntryEditor>(station);
    messages_ = std::make_unique<dialogs::MessageWindow>(station);
    settings_ = std::make_unique<dialogs::SettingsDialog>(station.settings, sound);
}

void DialogWindows::openMessages(TUserEntry& entry)
{
    messages_->showFor(entry);
}

void DialogWindows::prepareMessages(TUserEntry& entry)
{
    messages_->openFor(entry);
}

bool DialogWindows::messagesVisible() const
{
    return messages_->isVisible();
}

void DialogWindows::editNew()
{
    editor_->editNew();
}

void DialogWindows::editExisting(TUserEntry& entry)
{
    editor_->editExisting(entry);
}

void DialogWindows::openSettings()
{
    settings_->exec();
}

void DialogWindows::openSettingsAtFirstPage()
{
    if (auto* pages = settings_->findChild<QTabWidget*>())
        pages->setCurrentIndex(0);
    settings_->exec();
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

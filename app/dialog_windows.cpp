#include "app/dialog_windows.h"

#include <QTabWidget>

#include "app/history_store.h"
#include "app/station_adapter.h"
#include "dialogs/entry_editor.h"
#include "dialogs/help_window.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"

namespace zelvo::app {

DialogWindows::DialogWindows() = default;
DialogWindows::~DialogWindows() = default;

void DialogWindows::attach(const Links& links)
{
    links_.emplace(links);
}

dialogs::MessageWindow& DialogWindows::messageWindow()
{
    if (!messages_) {
        // The kept lines go in front of the conversations before the window shows the first.
        links_->adapter.report(links_->history.loaded());
        messages_ = std::make_unique<dialogs::MessageWindow>(links_->station);
        // Only a window that exists shows a conversation: there is nothing to redraw before.
        QObject::connect(&links_->adapter, &StationAdapter::conversationUpdated, messages_.get(),
                         &dialogs::MessageWindow::conversationChanged);
        QObject::connect(messages_.get(), &dialogs::MessageWindow::hideRosterRequested, &links_->rosterWindow,
                         &QWidget::hide);
    }
    return *messages_;
}

dialogs::EntryEditor& DialogWindows::entryEditor()
{
    if (!editor_) {
        editor_ = std::make_unique<dialogs::EntryEditor>(links_->station);
        QObject::connect(editor_.get(), &dialogs::EntryEditor::callChanged, editor_.get(),
                         [this](const std::string& from, const std::string& to) {
                             links_->adapter.report(
                                 links_->history.renameStation(links_->station.roster, from, to));
                         });
    }
    return *editor_;
}

dialogs::SettingsDialog& DialogWindows::settingsDialog()
{
    if (!settings_)
        settings_ = std::make_unique<dialogs::SettingsDialog>(links_->station.settings, links_->sound);
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

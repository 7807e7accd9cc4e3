#include "app/dialog_windows.h"

#include <QTabWidget>
#include <QTimer>

#include "app/history_store.h"
#include "app/station_adapter.h"
#include "dialogs/channel_dialog.h"
#include "dialogs/entry_editor.h"
#include "dialogs/help_window.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"
#include "link/channel_file.h"
#include "link/flex_api.h"

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
    if (!settings_) {
        settings_ = std::make_unique<dialogs::SettingsDialog>(links_->settingsNews, links_->sound);
        QObject::connect(settings_.get(), &dialogs::SettingsDialog::channelsRequested, settings_.get(),
                         [this] { openChannels(false); });
    }
    return *settings_;
}

dialogs::ChannelDialog& DialogWindows::channelDialog()
{
    if (!channels_) {
        link::FlexApi& driver = links_->driver;
        const auto places = [&driver] {
            return link::channelPlaces(std::filesystem::path(driver.loadedFile()).parent_path());
        };
        // Over the settings dialog, which stays on top.
        channels_ =
            std::make_unique<dialogs::ChannelDialog>(link::accessOf(driver), places, &settingsDialog());
        channels_->setWindowFlag(Qt::Dialog);
        QObject::connect(channels_.get(), &dialogs::ChannelDialog::channelsChanged, channels_.get(), [this] {
            if (editor_)
                editor_->refreshChannels();
            emit channelsChanged();
        });
    }
    return *channels_;
}

void DialogWindows::openChannels(bool search)
{
    dialogs::ChannelDialog& dialog = channelDialog();
    dialog.load();
    if (search)
        QTimer::singleShot(0, &dialog, &dialogs::ChannelDialog::searchClick);
    dialog.exec();
}

void DialogWindows::waitForProbes()
{
    if (channels_)
        channels_->waitForProbe();
}

void DialogWindows::openMessages(TUserEntry& entry)
{
    // The window waits for its answer: what its opening ends goes first.
    emit messagesOpened(entry);
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
    // Nothing set up yet: what runs on this machine is looked for and offered, where the driver
    // can tell what answers (else the search would find nothing).
    if (links_->driver.canProbe() && !channelDialog().table().places().exists())
        QTimer::singleShot(0, &settingsDialog(), [this] { openChannels(true); });
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

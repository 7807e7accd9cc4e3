// The engine's user interface in the windowed program: status texts, tray pictures, questions
// and errors as message boxes, pop-up of the roster window, and the own state on the status bar
// and the tray menu. Texts cross from Windows-1252 here.
#pragma once

#include <functional>

#include "app/main_window.h"
#include "app/tray_icon.h"
#include "protocol/station.h"

namespace zelvo::app {

class StationAdapter : public protocol::StationUi {
public:
    using ConversationHook = std::function<void(const TUserEntry&)>;

    StationAdapter(MainWindow& window, TrayIcon& tray);

    // The message window redisplays a conversation through this.
    void setConversationHook(ConversationHook hook) { conversationHook_ = std::move(hook); }
    // Told when a received or a delivered text has just been added to an entry's conversation
    // (the message history keeps it).
    void setExchangeHook(ConversationHook hook) { exchangeHook_ = std::move(hook); }
    void messageReceived(const TUserEntry& entry, std::string_view text) override;
    void messageDelivered(const TUserEntry& entry, std::string_view text) override;

    void showStatus(std::string_view text) override;
    void updateIcon(protocol::TrayPicture kind) override;
    bool askRegistration(std::string_view call) override;
    void popUp() override;
    void showError(std::string_view text) override;
    void conversationChanged(const TUserEntry& entry) override;
    void ownStateChanged(bool online, bool away) override;

private:
    MainWindow& window_;
    TrayIcon& tray_;
    ConversationHook conversationHook_;
    ConversationHook exchangeHook_;
};

}  // namespace zelvo::app

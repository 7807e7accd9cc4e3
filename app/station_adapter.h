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
};

}  // namespace zelvo::app

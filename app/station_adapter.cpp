#include "app/station_adapter.h"

#include "app/message_boxes.h"
#include "app/ui_text.h"

namespace zelvo::app {

StationAdapter::StationAdapter(MainWindow& window, TrayIcon& tray) : window_(window), tray_(tray) {}

void StationAdapter::showStatus(std::string_view text)
{
    window_.statusBar().setMessage(fromAnsi(text));
}

void StationAdapter::updateIcon(protocol::TrayPicture kind)
{
    tray_.setPicture(kind);
}

bool StationAdapter::askRegistration(std::string_view call)
{
    return askYesNo(window_.dialogOwner(),
                    QStringLiteral("Ein nicht registrierter User versucht sich anzumelden. Registrieren ?"),
                    fromAnsi(call));
}

void StationAdapter::popUp()
{
    window_.popUp();
}

void StationAdapter::showError(std::string_view text)
{
    showErrorBox(window_.dialogOwner(), fromAnsi(text));
}

void StationAdapter::conversationChanged(const TUserEntry& entry)
{
    if (conversationHook_)
        conversationHook_(entry);
}

void StationAdapter::ownStateChanged(bool online, bool away)
{
    window_.statusBar().setOnline(online);
    window_.statusBar().setAway(away);
    tray_.setOnline(online);
}

}  // namespace zelvo::app

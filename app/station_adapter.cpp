#include "app/station_adapter.h"

#include <QGuiApplication>

#include "app/status_words.h"
#include "dialogs/message_boxes.h"
#include "dialogs/ui_text.h"

namespace zelvo::app {

StationAdapter::StationAdapter(MainWindow& window, TrayIcon& tray) : window_(window), tray_(tray) {}

void StationAdapter::showStatus(const protocol::Status& status)
{
    window_.statusBar().setMessage(status);
}

void StationAdapter::updateIcon(protocol::TrayPicture kind)
{
    tray_.setPicture(kind);
}

bool StationAdapter::askRegistration(std::string_view call)
{
    return dialogs::askYesNo(window_.dialogOwner(),
                             tr("Ein nicht registrierter User versucht sich anzumelden. Registrieren ?"),
                             dialogs::fromAnsi(call));
}

void StationAdapter::popUp()
{
    window_.popUp();
}

void StationAdapter::showError(const protocol::Status& status)
{
    dialogs::showError(window_.dialogOwner(), statusWords(status));
}

void StationAdapter::showProblem(const platform::Problem& problem)
{
    dialogs::showError(window_.dialogOwner(), platform::shownText(problem));
}

void StationAdapter::messageReceived(const TUserEntry& entry, std::string_view)
{
    emit exchanged(entry);
}

void StationAdapter::messageDelivered(const TUserEntry& entry, std::string_view)
{
    emit exchanged(entry);
}

void StationAdapter::attachNotices(DesktopNotices& notices, const dialogs::Settings& settings,
                                   std::function<bool(const TUserEntry&)> conversationShown)
{
    notices_ = &notices;
    settings_ = &settings;
    conversationShown_ = std::move(conversationShown);
}

bool StationAdapter::onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void StationAdapter::eventReported(dialogs::TEventKind kind, const TUserEntry& entry, std::string_view text,
                                   bool popup, bool notify)
{
    if (popup && !onWayland())
        window_.popUp();
    // The station's open message window shows the text itself.
    if (kind == dialogs::TEventKind::evMessageReceived && conversationShown_ && conversationShown_(entry))
        return;
    if (popup && onWayland() && (!window_.isVisible() || window_.isMinimized())) {
        tray_.askAttention();
        notify = true;
    }
    if (notify && notices_)
        notices_->stationEvent(kind, entry, text);
}

void StationAdapter::deliveryFailed(const TUserEntry& entry, std::string_view text)
{
    if (notices_ && settings_->notifyFailure())
        notices_->deliveryFailed(entry, text);
}

void StationAdapter::conversationChanged(const TUserEntry& entry)
{
    emit conversationUpdated(entry);
}

void StationAdapter::ownStateChanged(bool online, bool away)
{
    const bool cameOnline = online && !tray_.online();
    window_.statusBar().setOnline(online);
    window_.statusBar().setAway(away);
    tray_.setOnline(online);
    if (cameOnline)
        emit wentOnline();
}

void StationAdapter::report(const std::optional<platform::Problem>& problem)
{
    if (problem)
        window_.statusBar().setMessage(protocol::storeProblem(*problem));
}

}  // namespace zelvo::app

#include "protocol/commands.h"

#include "app/event_log.h"
#include "app/roster_store.h"
#include "protocol/messages.h"
#include "protocol/outgoing.h"

namespace zelvo::protocol {

using app::TStationState;
using dialogs::TEventKind;

bool goOnlineClick(Station& station)
{
    if (station.roster.empty()) {
        station.ui.showError({StatusKind::EmptyRoster});
        return false;
    }
    if (!station.online()) {
        // Online first, so the receive pass runs the countdowns for what the announcement starts.
        station.setOnline(true);
        station.ui.showStatus({StatusKind::Ready});
        station.ui.updateIcon(TrayPicture::MainIcon);
        station.logLine({}, app::LogKind::SelfOnline);
        announceOnline(station);
    } else {
        // Offline first, so the countdowns stop before the announcement.
        station.setOnline(false);
        station.ui.updateIcon(TrayPicture::SelfOff);
        station.logLine({}, app::LogKind::SelfOffline);
        station.ui.showStatus({StatusKind::Ready});
        announceOffline(station);
    }
    return true;
}

void toggleAway(Station& station)
{
    if (station.away()) {
        station.setAway(false);
        announceBack(station);
    } else {
        station.setAway(true);
        announceAway(station);
    }
}

bool pollStation(Station& station, app::TUserEntry& entry)
{
    if (!station.online()) {
        station.ui.showStatus({StatusKind::OfflineImpossible});
        return false;
    }
    station.ui.showStatus({StatusKind::Polling});
    entry.pollCount = std::to_string(kPollCountStart);
    station.logLine(entry.call, app::LogKind::PollTo);
    pollTimerTick(station, entry);
    station.roster.notifyChanged(entry);
    return true;
}

bool queueMessage(Station& station, app::TUserEntry& entry, std::string_view text, bool toAll)
{
    if (text.size() < 2)
        return false;
    if (toAll) {
        for (int row = 0; row < station.roster.size(); ++row) {
            app::TUserEntry& other = station.roster.at(row);
            if (other.state != TStationState::Offline) {
                queueText(other, text, kSendCountUser);
                station.roster.notifyChanged(other);
            }
        }
        station.ui.showStatus({StatusKind::SendingMessage});
    } else {
        queueText(entry, text, kSendCountUser);
        station.roster.notifyChanged(entry);
        station.ui.showStatus({StatusKind::Queued});
    }
    if (entry.sounds == "1")
        station.playSound(TEventKind::evMessageSent);
    station.logLine(entry.call, app::LogKind::MessageSent);
    station.ui.conversationChanged(entry);
    return true;
}

void deleteEntry(Station& station, app::TUserEntry& entry)
{
    if (entry.state != TStationState::Offline)
        sendOffline(station, entry);
    station.roster.remove(&entry);
    if (station.store != nullptr) {
        if (const auto problem = station.store->saveList(station.roster))
            station.ui.showStatus(storeProblem(*problem));
    }
}

}  // namespace zelvo::protocol

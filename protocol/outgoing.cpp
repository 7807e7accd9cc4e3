#include "protocol/outgoing.h"

#include "link/radio_driver.h"

namespace zelvo::protocol {

using app::TStationState;
using dialogs::TEventKind;

bool sendUi(Station& station, const app::TUserEntry& entry, const OutgoingFrame& frame, SendMode mode)
{
    const std::string& destination = station.destinations.of(entry);
    // While the driver refuses everything (no TNC), each frame is offered once: an announcement
    // to a full roster would otherwise hold the caller for half a minute.
    const int attempts = mode == SendMode::UntilAccepted && !station.driverRefusing ? kSendAttempts : 1;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        // The own call is read anew for every offer: the user may be editing it.
        if (station.driver.sendUi(station.settings.myCall(), destination, frame.pid, frame.info)) {
            station.driverRefusing = false;
            return true;
        }
        if (attempt < attempts)
            station.pause(kSendRetryPause);
    }
    if (mode == SendMode::UntilAccepted) {
        station.driverRefusing = true;
        station.ui.showStatus(kTransmissionError);
    }
    return false;
}

HeldFrames::HeldFrames(Station& station) : station_(station), any_(station.driver.holdsFrames())
{
    if (any_)
        myCall_ = station.settings.myCall();
}

bool HeldFrames::waiting(const app::TUserEntry& entry, int pid, std::string_view info)
{
    return any_ && station_.driver.frameWaiting(myCall_, station_.destinations.of(entry), pid, info);
}

void withdraw(Station& station, const app::TUserEntry& entry, int pid, std::string_view info)
{
    station.driver.withdrawFrame(station.settings.myCall(), station.destinations.of(entry), pid, info);
}

std::string announcedAlias(const Station& station)
{
    std::string alias = station.settings.alias();
    // A status frame with an empty alias is three bytes long, which every receiver drops: a
    // station without an alias would never be seen online. It announces its call instead.
    if (alias.empty())
        alias = app::baseCall(station.settings.myCall());
    return alias;
}

void sendStatus(Station& station, app::TUserEntry& entry, bool answering)
{
    // The receiver starts its message numbering for us again at 208: from now on our duplicate
    // filter must not take its 208 for a repetition of an earlier message.
    entry.lastRxPid = std::to_string(PID_STATUS);
    sendUi(station, entry, statusFrame(announcedAlias(station), answering), SendMode::UntilAccepted);
}

void sendOffline(Station& station, const app::TUserEntry& entry)
{
    sendUi(station, entry, offlineFrame(), SendMode::UntilAccepted);
}

void sendAwayState(Station& station, const app::TUserEntry& entry, bool away)
{
    const OutgoingFrame frame =
        away ? awayFrame(station.settings.option(dialogs::Option::SendAway), station.settings.awayText())
             : backFrame();
    sendUi(station, entry, frame, SendMode::UntilAccepted);
}

void announceOnline(Station& station)
{
    app::Roster& roster = station.roster;
    const int count = roster.size();
    // Our own numbering goes on: a station that misses this announcement still holds the number
    // of our last message, and a restart at 208 could make it take our next message for a
    // repetition of that one. The station's answer restarts both numberings together.
    for (int row = 0; row < count && row < roster.size(); ++row)
        sendStatus(station, roster.at(row), false);
    station.playSound(TEventKind::evSelfOnline);
}

void announceOffline(Station& station)
{
    station.playSound(TEventKind::evSelfOffline);
    app::Roster& roster = station.roster;
    for (int row = 0; row < roster.size(); ++row) {
        app::TUserEntry& entry = roster.at(row);
        if (!app::isReachable(entry))
            continue;
        sendOffline(station, entry);
        roster.setState(entry, entry.state == TStationState::OnlineUnread ? TStationState::OfflineUnread
                                                                          : TStationState::Offline);
    }
}

namespace {
void announceAwayState(Station& station, bool away)
{
    station.playSound(away ? TEventKind::evSelfAway : TEventKind::evSelfBack);
    app::Roster& roster = station.roster;
    for (int row = 0; row < roster.size(); ++row) {
        const app::TUserEntry& entry = roster.at(row);
        if (app::isReachable(entry))
            sendAwayState(station, entry, away);
    }
}
}  // namespace

void announceAway(Station& station)
{
    announceAwayState(station, true);
}
void announceBack(Station& station)
{
    announceAwayState(station, false);
}

}  // namespace zelvo::protocol

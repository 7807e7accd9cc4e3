#include "protocol/outgoing.h"

#include <utility>

#include "link/radio_driver.h"

namespace zelvo::protocol {

using app::TStationState;
using dialogs::TEventKind;

namespace {

bool offer(Station& station, const std::string& destination, const OutgoingFrame& frame)
{
    // The own call is read anew for every offer: the user may be editing it.
    return station.driver.sendUi(station.settings.myCall(), destination, frame.pid, frame.info);
}

}  // namespace

bool sendUi(Station& station, const app::TUserEntry& entry, OutgoingFrame frame, SendMode mode)
{
    const std::string& destination = station.destinations.of(entry);
    if (mode == SendMode::Once)
        return offer(station, destination, frame);
    station.unsent.push_back({destination, std::move(frame)});
    // Without a pause the frames before this one are offered by the passes, in their turn.
    if (station.unsent.size() > 1 && !station.pause)
        return false;
    const bool taken = offerUnsent(station);
    return taken && station.unsent.empty();
}

bool offerUnsent(Station& station)
{
    bool taken = false;
    while (!station.unsent.empty()) {
        UnsentFrame& head = station.unsent.front();
        // While the driver refuses everything (no TNC), each frame is offered once: an
        // announcement to a full roster would otherwise take half a minute.
        if (head.offers == 0)
            head.limit = station.driverRefusing ? 1 : kSendAttempts;
        ++head.offers;
        taken = offer(station, head.destination, head.frame);
        if (!taken && head.offers < head.limit) {
            if (!station.pause)
                return false;
            station.pause(kSendRetryPause);
            continue;
        }
        station.driverRefusing = !taken;
        if (!taken)
            station.ui.showStatus({StatusKind::TransmissionError});
        station.unsent.pop_front();
    }
    return taken;
}

void finishUnsent(Station& station, const Station::Pause& pause)
{
    // The first frame was refused a moment ago: its next offer comes after a pause too.
    if (!station.unsent.empty() && station.unsent.front().offers > 0)
        pause(kSendRetryPause);
    Station::Pause own = std::exchange(station.pause, pause);
    offerUnsent(station);
    station.pause = std::move(own);
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

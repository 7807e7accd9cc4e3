#include "protocol/presence.h"

#include "app/roster_store.h"
#include "link/radio_driver.h"
#include "protocol/frame_format.h"
#include "protocol/outgoing.h"

namespace zelvo::protocol {

using app::TStationState;
using app::TUserEntry;
using dialogs::TEventKind;

namespace {

// The longest call AX.25 carries.
constexpr std::size_t kMaxCallLength = 6;

InfoField infoOf(const link::UiFrameView& frame)
{
    return InfoField{frame.infoLength(), frame.infoText()};
}

TStationState withUnread(const TUserEntry& entry, TStationState read, TStationState unread)
{
    return entry.unread ? unread : read;
}

void resetSequence(TUserEntry& entry)
{
    entry.sendPid = std::to_string(PID_MESSAGE_BASE);
    entry.lastRxPid = std::to_string(PID_STATUS);
}

void registerStation(Station& station, const link::UiFrameView& frame, const std::string& call)
{
    // A sender the driver names without a call could neither be found again nor stored.
    if (call.empty())
        return;
    app::Roster& roster = station.roster;
    // A full roster would lose the new row at the next start: refuse without asking.
    if (roster.isFull()) {
        station.ui.showStatus({StatusKind::RosterFull});
        return;
    }
    if (!station.ui.askRegistration(call))
        return;
    // The question may have been open for a while: the user may have added the station or
    // filled the roster meanwhile.
    if (roster.findByPrefix(call) != nullptr)
        return;
    if (roster.isFull()) {
        station.ui.showStatus({StatusKind::RosterFull});
        return;
    }

    // Answered on the channel the frame came in on, along its path turned round.
    const std::string path = reverseWords(station.driver.pathToText(frame));
    TUserEntry& entry = roster.addEntry(readStatusAlias(infoOf(frame)), std::to_string(frame.channel()), path,
                                        true, true, TStationState::Online);
    entry.call = call.substr(0, kMaxCallLength);
    roster.notifyChanged(entry);
    if (station.store != nullptr) {
        if (const auto problem = station.store->saveList(roster))
            station.ui.showStatus(storeProblem(*problem));
    }
    station.ui.registered(entry);
    station.ui.updateIcon(TrayPicture::UserOn);
    sendStatus(station, entry, true);
}

}  // namespace

std::string senderBaseCall(Station& station, const link::UiFrameView& frame)
{
    return app::baseCall(station.driver.callToText(frame.sourceAddress()));
}

void reportEvent(Station& station, TUserEntry& entry, TEventKind kind, std::string_view text)
{
    const dialogs::TEreignisObj event = station.settings.event(kind);
    if (entry.sounds == "1")
        station.playSound(kind);
    if (event.popup || event.notify)
        station.ui.eventReported(kind, entry, text, event.popup, event.notify);
    if (event.logEvent)
        station.logLine(entry.call, static_cast<app::LogKind>(kind));
    if (event.entryTop)
        station.roster.moveToTop(entry.call);
}

void onStatusAnnounce(Station& station, const link::UiFrameView& frame)
{
    const std::string call = senderBaseCall(station, frame);
    TUserEntry* entry = station.roster.findByPrefix(call);
    if (entry == nullptr) {
        registerStation(station, frame, call);
        return;
    }
    const InfoField info = infoOf(frame);
    entry->state = TStationState::Online;
    entry->alias = readStatusAlias(info);
    resetSequence(*entry);
    station.roster.notifyChanged(*entry);
    station.ui.updateIcon(TrayPicture::UserOn);

    if (station.online() && readAnswerWanted(info)) {
        if (TUserEntry* exact = station.roster.findEntry(call))
            sendStatus(station, *exact, true);
        reportEvent(station, *entry, TEventKind::evUserOnline);
    }
}

void onOfflineAnnounce(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findEntry(senderBaseCall(station, frame));
    if (entry == nullptr)
        return;
    station.roster.setState(*entry, entry->state == TStationState::OnlineUnread ? TStationState::OfflineUnread
                                                                                : TStationState::Offline);
    station.ui.showStatus({StatusKind::StationOffline, entry->alias});
    station.ui.updateIcon(TrayPicture::UserOff);
    reportEvent(station, *entry, TEventKind::evUserOffline);
}

void onAwayAnnounce(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findByPrefix(senderBaseCall(station, frame));
    if (entry == nullptr)
        return;
    entry->state = withUnread(*entry, TStationState::Away, TStationState::AwayUnread);
    station.ui.showStatus({StatusKind::StationAway, entry->alias});
    entry->awayText = readAwayAnnounce(infoOf(frame)).awayText;
    station.roster.notifyChanged(*entry);
    station.ui.updateIcon(TrayPicture::UserAway);
    reportEvent(station, *entry, TEventKind::evUserAway);
}

void onBackAnnounce(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findByPrefix(senderBaseCall(station, frame));
    if (entry == nullptr)
        return;
    station.roster.setState(*entry, withUnread(*entry, TStationState::Online, TStationState::OnlineUnread));
    reportEvent(station, *entry, TEventKind::evUserBack);
    station.ui.updateIcon(TrayPicture::UserOn);
}

void onPollRequest(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findByPrefix(senderBaseCall(station, frame));
    if (entry != nullptr) {
        station.ui.showStatus({StatusKind::PolledBy, entry->alias});
        entry->state = TStationState::HasPolled;
        resetSequence(*entry);
        station.roster.notifyChanged(*entry);
        if (station.online()) {
            const OutgoingFrame answer =
                pollAnswerFrame(station.away(), station.settings.option(dialogs::Option::PollAway),
                                station.settings.awayText());
            sendUi(station, *entry, answer, SendMode::Once);
        }
    }
    station.ui.updateIcon(TrayPicture::Polled);
    station.playSound(TEventKind::evPolled);
    if (entry != nullptr)
        reportEvent(station, *entry, TEventKind::evPolled);
}

void onPollAnswer(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findByPrefix(senderBaseCall(station, frame));
    if (entry == nullptr)
        return;
    entry->pollCount = std::string(1, '0');  // not = "0": GCC 12 warns wrongly (-Wrestrict) there
    resetSequence(*entry);
    const AwayState answer = readPollAnswer(infoOf(frame));
    if (answer.away) {
        entry->state = TStationState::Away;
        entry->awayText = answer.awayText;
    } else {
        entry->state = TStationState::Online;
    }
    station.roster.notifyChanged(*entry);
    station.ui.showStatus({StatusKind::PollSucceeded});
    station.ui.updateIcon(TrayPicture::UserOn);
    if (entry->sounds == "1")
        station.playSound(TEventKind::evUserOnline);
}

std::string reverseWords(std::string_view text)
{
    if (text.find(' ') == std::string_view::npos)
        return std::string(text);
    // Two adjacent blanks make an empty word, which counts as a word.
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start <= text.size() && static_cast<int>(words.size()) < kMaxPathWords) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        words.push_back(text.substr(start, std::min<std::size_t>(end - start, 9)));
        start = end + 1;
    }
    // A trailing blank leaves no word behind it.
    if (!words.empty() && words.back().empty() && text.back() == ' ')
        words.pop_back();
    std::string reversed;
    for (auto it = words.rbegin(); it != words.rend(); ++it) {
        if (!reversed.empty() || it != words.rbegin())
            reversed += ' ';
        reversed += *it;
    }
    return reversed;
}

}  // namespace zelvo::protocol

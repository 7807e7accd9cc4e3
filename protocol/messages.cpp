#include "protocol/messages.h"

#include "link/radio_driver.h"
#include "protocol/frame_format.h"
#include "protocol/outgoing.h"
#include "protocol/presence.h"
#include "protocol/remote_queries.h"

namespace zelvo::protocol {

using app::TStationState;
using app::TUserEntry;

namespace {

std::string historyLine(Station& station, char prefix, std::string_view text)
{
    std::string line(1, prefix);
    line += station.timeOfDay();
    line += ' ';
    line += text;
    return line;
}

}  // namespace

void onMessage(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findByPrefix(senderBaseCall(station, frame));
    if (entry == nullptr)
        return;
    const int pid = frame.pid();
    // Every copy is acknowledged, so a lost ack is mended by the sender's next repetition.
    sendUi(station, *entry, ackFrame(pid), SendMode::Once);
    if (pid == fieldNumber(entry->lastRxPid, -1))
        return;
    setFieldNumber(entry->lastRxPid, pid);

    const std::string text = frame.infoText();
    if (text.starts_with("//")) {
        station.roster.notifyChanged(*entry);
        answerRemoteQuery(station, *entry, text);
        return;
    }
    entry->state =
        entry->state == TStationState::Away ? TStationState::AwayUnread : TStationState::OnlineUnread;
    entry->unread = true;
    station.roster.notifyChanged(*entry);
    // The report may move the row; the entry itself stays where it is in memory.
    reportEvent(station, *entry, dialogs::TEventKind::evMessageReceived, text);
    entry->rxBuffer.push_back(historyLine(station, 'R', text));
    station.ui.showStatus({StatusKind::MessageArrived});
    station.ui.updateIcon(TrayPicture::NewMail);
    station.ui.messageReceived(*entry, text);
    station.ui.conversationChanged(*entry);
}

void onAck(Station& station, const link::UiFrameView& frame)
{
    TUserEntry* entry = station.roster.findByPrefix(senderBaseCall(station, frame));
    if (entry == nullptr)
        return;
    const int pid = frame.pid();
    if (pid != fieldNumber(entry->sendPid, -1))
        return;
    // A repetition still waiting for the busy channel is not needed any more.
    if (!entry->txBuffer.empty())
        withdraw(station, *entry, pid, entry->txBuffer.front());
    entry->sendCount.clear();
    entry->sendPid = std::to_string(nextMessagePid(pid));
    entry->state = entry->unread ? TStationState::OnlineUnread : TStationState::Online;
    if (!entry->txBuffer.empty()) {
        const std::string text = entry->txBuffer.front();
        entry->rxBuffer.push_back(historyLine(station, 'T', text));
        entry->txBuffer.erase(entry->txBuffer.begin());
        station.ui.messageDelivered(*entry, text);
        station.ui.conversationChanged(*entry);
    }
    station.roster.notifyChanged(*entry);
}

void sendTimerTick(Station& station, TUserEntry& entry)
{
    HeldFrames held(station);
    sendTimerTick(station, entry, held);
}

void sendTimerTick(Station& station, TUserEntry& entry, HeldFrames& held)
{
    if (!entry.txBuffer.empty() && entry.sendCount.empty())
        entry.sendCount = std::to_string(kSendCountQueued);
    if (entry.sendCount.empty())
        return;
    // The countdown gives the peer its time to answer from when the text went on the air: while
    // its last copy still waits in the driver for a busy channel, no pass counts.
    if (held.any() && !entry.txBuffer.empty() &&
        held.waiting(entry, fieldNumber(entry.sendPid, PID_MESSAGE_BASE), entry.txBuffer.front()))
        return;
    // The countdown is an unsigned byte: a mangled value wraps instead of running away.
    const int count = static_cast<std::uint8_t>(fieldNumber(entry.sendCount, 1) - 1);
    setFieldNumber(entry.sendCount, count);

    if (count % kRepeatPasses == 0) {
        station.roster.setState(entry, TStationState::Sending);
        // An ack may have emptied the queue while the countdown ran: then there is nothing to send.
        if (!entry.txBuffer.empty())
            sendUi(station, entry,
                   messageFrame(fieldNumber(entry.sendPid, PID_MESSAGE_BASE), entry.txBuffer.front()),
                   SendMode::UntilAccepted);
    }
    if (count == 1) {
        entry.sendCount.clear();
        station.roster.setState(entry, TStationState::Offline);
        station.ui.updateIcon(TrayPicture::UserOff);
        station.ui.showStatus({StatusKind::TransmissionError});
        station.ui.deliveryFailed(entry,
                                  entry.txBuffer.empty() ? std::string_view{} : entry.txBuffer.front());
    }
}

void pollTimerTick(Station& station, TUserEntry& entry)
{
    HeldFrames held(station);
    pollTimerTick(station, entry, held);
}

void pollTimerTick(Station& station, TUserEntry& entry, HeldFrames& held)
{
    const OutgoingFrame request = pollRequestFrame();
    if (held.any() && held.waiting(entry, request.pid, request.info))
        return;  // as the delivery countdown: the request has not gone on the air yet
    const int count = fieldNumber(entry.pollCount, 1) - 1;
    setFieldNumber(entry.pollCount, count);
    if (count % kRepeatPasses == 0) {
        // The polled station restarts its numbering for us at 208 when the request arrives.
        entry.lastRxPid = std::to_string(PID_STATUS);
        sendUi(station, entry, request, SendMode::Once);
    }
    if (count == 1) {
        station.roster.setState(entry, TStationState::Offline);
        station.ui.showStatus({StatusKind::UserOffline});
        entry.pollCount = "0";
    }
    // A count that went below 1 (a value mangled by hand) ends the poll instead of running on.
    if (count < 1)
        entry.pollCount = "0";
}

std::vector<std::string> splitMessageText(std::string_view text)
{
    std::vector<std::string> parts;
    while (text.size() > kMaxMessageText) {
        std::string_view window = text.substr(0, kMaxMessageText);
        std::size_t cut = window.find_last_of(" \n");
        // A break at the very start would leave an empty part.
        if (cut == std::string_view::npos || cut == 0) {
            cut = kMaxMessageText;
            if (text[cut - 1] == '\r' && text[cut] == '\n')
                cut -= 1;  // keep a line break whole
        } else {
            cut += 1;  // the blank or line feed stays with the first part
        }
        // A one-byte frame is not a message to the receiver: never leave one behind.
        if (text.size() - cut == 1) {
            cut -= 1;
            if (text[cut - 1] == '\r' && text[cut] == '\n')
                cut -= 1;  // nor split the line break the part would end in
        }
        parts.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut);
    }
    if (!text.empty() || parts.empty())
        parts.emplace_back(text);
    return parts;
}

void queueText(TUserEntry& entry, std::string_view text, int count)
{
    // An empty or one-byte frame is no message to the receiver (it reads it as an ack or drops it).
    if (text.size() < 2)
        return;
    for (std::string& part : splitMessageText(text))
        entry.txBuffer.push_back(std::move(part));
    setFieldNumber(entry.sendCount, count);
}

}  // namespace zelvo::protocol

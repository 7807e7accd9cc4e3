#include "protocol/remote_queries.h"

#include <algorithm>
#include <cctype>

#include "protocol/messages.h"

namespace zelvo::protocol {

using app::TStationState;
using dialogs::Option;

namespace {

constexpr std::string_view kTooShort = "Zelvo REmote: Mindestens 2 Buchstaben erforderlich";
constexpr std::string_view kNotOnRoster = "User nicht in Liste";
// The header line of the list answers ends in LF CR, line feed first.
constexpr std::string_view kUserInfoHeader = "Remote Antwort -> User Info\x0A\x0D";

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

void answerDetail(Station& station, app::TUserEntry& asker, std::string_view text)
{
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return;
    // The exact lookup by base call, case ignored: "oe3ccc-5" finds OE3CCC. A rest of two words
    // names no station, even when the base call of its first word would match.
    const std::string_view rest = text.substr(blank + 1);
    app::TUserEntry* found =
        rest.find(' ') == std::string_view::npos ? station.roster.findEntry(rest) : nullptr;
    if (found == nullptr) {
        // Left for the send timer to start when it is idle.
        for (std::string& part : splitMessageText(kNotOnRoster))
            asker.txBuffer.push_back(std::move(part));
        return;
    }
    queueText(asker, detailAnswer(*found), kSendCountQueued);
}

}  // namespace

std::string versionAnswer(std::string_view version)
{
    return "Remote Antwort -> Version: " + std::string(version);
}

std::string rosterStatusAnswer(const app::Roster& roster)
{
    std::string answer(kUserInfoHeader);
    for (int row = 0; row < roster.size(); ++row) {
        const app::TUserEntry& entry = roster.at(row);
        answer += lower(entry.call);
        answer += entry.state == TStationState::Offline ? "(/)" : "(o)";
        answer += "   ";
    }
    return answer;
}

std::string detailAnswer(const app::TUserEntry& entry)
{
    std::string answer(kUserInfoHeader);
    answer += "Call  : " + entry.call + "\r\n";
    answer += "Alias : " + entry.alias + "\r\n";
    answer +=
        std::string("Status: ") + (entry.state == TStationState::Offline ? "Offline" : "Online") + "\r\n";
    answer += "Path:" + entry.path;
    return answer;
}

void answerRemoteQuery(Station& station, app::TUserEntry& asker, std::string_view text)
{
    if (text.size() < 4) {
        queueText(asker, kTooShort, kSendCountQueued);
        station.roster.notifyChanged(asker);
        return;
    }
    station.ui.showStatus({StatusKind::RemoteFrom, asker.alias});
    if (asker.remote != "1")
        return;

    const std::string word = lower(text.substr(2, 2));
    const dialogs::Settings& settings = station.settings;
    if (word == "de" && settings.option(Option::RemDetail))
        answerDetail(station, asker, text);
    else if (word == "cs" && settings.option(Option::RemCStatus))
        queueText(asker, rosterStatusAnswer(station.roster), kSendCountQueued);
    else if (word == "ve" && dialogs::Settings::remoteVersionAllowed())
        queueText(asker, versionAnswer(station.versionText), kSendCountQueued);
    else if (word == "in" && settings.option(Option::RemInfo))
        queueText(asker, settings.infoAnswer(), kSendCountQueued);
    station.roster.notifyChanged(asker);
}

}  // namespace zelvo::protocol

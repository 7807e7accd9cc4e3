#include "tools/station/console_ui.h"

#include <cstdio>

#include "app/activity_log.h"
#include "platform/ansi.h"

namespace zelvo::tools {

std::string printable(std::string_view ansi)
{
    std::string escaped;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(ansi[i]);
        if (c == '\r' || c == '\n') {
            // CR LF, LF CR, CR and LF are all one line break.
            if (i + 1 < ansi.size() && (ansi[i + 1] == '\r' || ansi[i + 1] == '\n') && ansi[i + 1] != ansi[i])
                ++i;
            escaped += "\\n";
        } else if (c == '\\') {
            escaped += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            escaped += hex;
        } else {
            escaped += static_cast<char>(c);
        }
    }
    return platform::ansiToUtf8(escaped);
}

std::string fromCommandText(std::string_view utf8)
{
    std::string ansi = platform::utf8ToAnsi(utf8);
    std::string text;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (ansi[i] == '\\' && i + 1 < ansi.size()) {
            if (ansi[i + 1] == 'n') {
                text += "\r\n";
                ++i;
                continue;
            }
            if (ansi[i + 1] == '\\') {
                text += '\\';
                ++i;
                continue;
            }
        }
        text += ansi[i];
    }
    return text;
}

const char* stateName(app::TStationState state)
{
    switch (state) {
    case app::TStationState::Online: return "Online";
    case app::TStationState::OnlineUnread: return "OnlineUnread";
    case app::TStationState::HasPolled: return "HasPolled";
    case app::TStationState::Sending: return "Sending";
    case app::TStationState::Away: return "Away";
    case app::TStationState::AwayUnread: return "AwayUnread";
    case app::TStationState::Offline: return "Offline";
    case app::TStationState::OfflineUnread: return "OfflineUnread";
    }
    return "?";
}

const char* iconName(protocol::TrayPicture icon)
{
    switch (icon) {
    case protocol::TrayPicture::NewMail: return "NEWMAIL";
    case protocol::TrayPicture::UserOff: return "USEROFF";
    case protocol::TrayPicture::UserOn: return "USERON";
    case protocol::TrayPicture::Polled: return "POLLED";
    case protocol::TrayPicture::SelfOff: return "SELFOFF";
    case protocol::TrayPicture::MainIcon: return "MAINICON";
    case protocol::TrayPicture::Recompute: return "RECOMPUTE";
    case protocol::TrayPicture::UserAway: return "USERAWAY";
    }
    return "?";
}

void Console::line(std::string_view word, std::string_view rest)
{
    std::lock_guard lock(mutex_);
    std::fwrite(word.data(), 1, word.size(), out_);
    if (!rest.empty()) {
        std::fputc(' ', out_);
        std::fwrite(rest.data(), 1, rest.size(), out_);
    }
    std::fputc('\n', out_);
    std::fflush(out_);
}

ConsoleUi::ConsoleUi(Console& console, const app::Roster& roster, Options options)
    : console_(console), roster_(roster), options_(options)
{}

void ConsoleUi::showStatus(const protocol::Status& status)
{
    console_.line("STATUS", printable(protocol::statusText(status)));
}

void ConsoleUi::updateIcon(protocol::TrayPicture kind)
{
    console_.line("ICON", iconName(kind));
}

bool ConsoleUi::askRegistration(std::string_view call)
{
    console_.line("ASK", printable(call) + (options_.registerAnswer ? " yes" : " no"));
    return options_.registerAnswer;
}

void ConsoleUi::popUp()
{
    console_.line("POPUP");
}

void ConsoleUi::showError(const protocol::Status& status)
{
    console_.line("ERROR", printable(protocol::statusText(status)));
}

void ConsoleUi::conversationChanged(const app::TUserEntry&) {}

void ConsoleUi::ownStateChanged(bool online, bool away)
{
    console_.line("SELF", std::string(online ? "online" : "offline") + (away ? " away" : " qrv"));
}

void ConsoleUi::messageReceived(const app::TUserEntry& entry, std::string_view text)
{
    console_.line("RX", printable(entry.call) + " " + printable(text));
    if (options_.echo)
        echoes_.emplace_back(entry.call, text);
}

std::vector<std::pair<std::string, std::string>> ConsoleUi::takeEchoes()
{
    return std::exchange(echoes_, {});
}

void ConsoleUi::messageDelivered(const app::TUserEntry& entry, std::string_view text)
{
    console_.line("TX", printable(entry.call) + " " + printable(text));
}

void ConsoleUi::registered(const app::TUserEntry& entry)
{
    console_.line("REGISTERED",
                  printable(entry.call) + " " + printable(entry.channel) + " " + printable(entry.path));
}

void ConsoleUi::logged(std::string_view text, app::LogKind kind)
{
    const auto kindText = app::ActivityLog::kindText(kind);
    if (!kindText)
        return;
    std::string line(*kindText);
    if (app::ActivityLog::kindTakesText(kind))
        line += text;
    // The kind texts start with a blank.
    console_.line("LOG", printable(line.substr(1)));
}

void ConsoleUi::reportState(const app::TUserEntry& entry)
{
    auto [it, inserted] = shownStates_.try_emplace(&entry, entry.state);
    if (!inserted && it->second == entry.state)
        return;
    it->second = entry.state;
    console_.line("STATE", printable(entry.call) + " " + stateName(entry.state));
}

void ConsoleUi::rowChanged(int row)
{
    reportState(roster_.at(row));
}

void ConsoleUi::rowsInserted(int first, int last)
{
    for (int row = first; row <= last; ++row)
        reportState(roster_.at(row));
}

void ConsoleUi::rowsRemoved(int, int)
{
    // Forget entries that are gone, so a new one at the same address starts afresh.
    std::map<const app::TUserEntry*, app::TStationState> kept;
    for (int row = 0; row < roster_.size(); ++row) {
        const auto it = shownStates_.find(&roster_.at(row));
        if (it != shownStates_.end())
            kept.insert(*it);
    }
    shownStates_.swap(kept);
}

}  // namespace zelvo::tools

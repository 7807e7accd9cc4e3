#include "tools/station/station_commands.h"

#include <cctype>
#include <sstream>
#include <vector>

#include "app/activity_log.h"
#include "app/roster_store.h"
#include "link/monitor_line.h"
#include "platform/ansi.h"
#include "protocol/commands.h"
#include "protocol/outgoing.h"

namespace zelvo::tools {

namespace {

// The first word and the rest, blanks between them dropped.
std::pair<std::string_view, std::string_view> splitWord(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    text.remove_prefix(start);
    const std::size_t end = text.find(' ');
    if (end == std::string_view::npos)
        return {text, {}};
    std::string_view rest = text.substr(end + 1);
    const std::size_t restStart = rest.find_first_not_of(' ');
    return {text.substr(0, end),
            restStart == std::string_view::npos ? std::string_view{} : rest.substr(restStart)};
}

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

}  // namespace

StationCommands::StationCommands(protocol::Station& station, link::Serializer& serializer, Console& console,
                                 link::FlexApi& driver)
    : station_(station), serializer_(serializer), console_(console), driver_(driver)
{}

bool StationCommands::execute(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const auto [command, rest] = splitWord(line);
    if (command.empty())
        return true;
    if (command == "quit")
        return false;
    // Outside the serializer: the driver's threads print while passes run.
    if (command == "monitor") {
        monitor(rest);
        return true;
    }

    serializer_.run([&, command = command, rest = rest] {
        if (command == "online")
            online(true);
        else if (command == "offline")
            online(false);
        else if (command == "away")
            away(rest);
        else if (command == "back")
            back();
        else if (command == "poll")
            poll(rest);
        else if (command == "msg") {
            const auto [call, text] = splitWord(rest);
            message(call, text);
        } else if (command == "msgall")
            messageToAll(rest);
        else if (command == "add")
            add(rest);
        else if (command == "del")
            remove(rest);
        else if (command == "list")
            list();
        else if (command == "history")
            history(rest);
        else
            error("unknown command: " + std::string(command) + " (see --help)");
    });
    return true;
}

void StationCommands::online(bool wanted)
{
    if (station_.online() != wanted)
        protocol::goOnlineClick(station_);
}

void StationCommands::away(std::string_view text)
{
    if (!text.empty())
        station_.settings.setAwayText(fromCommandText(text));
    if (!station_.away())
        protocol::toggleAway(station_);
}

void StationCommands::back()
{
    if (station_.away())
        protocol::toggleAway(station_);
}

void StationCommands::poll(std::string_view call)
{
    if (app::TUserEntry* entry = entryFor(call))
        protocol::pollStation(station_, *entry);
}

void StationCommands::message(std::string_view call, std::string_view text)
{
    app::TUserEntry* entry = entryFor(call);
    if (entry == nullptr)
        return;
    if (!protocol::queueMessage(station_, *entry, fromCommandText(text), false))
        error("a message needs at least 2 characters");
}

void StationCommands::messageToAll(std::string_view text)
{
    if (station_.roster.empty())
        return error("the roster is empty");
    // Sound and log line go with the first row, as with the window's station.
    if (!protocol::queueMessage(station_, station_.roster.at(0), fromCommandText(text), true))
        error("a message needs at least 2 characters");
}

void StationCommands::add(std::string_view arguments)
{
    const std::vector<std::string> args = words(platform::utf8ToAnsi(arguments));
    if (args.empty())
        return error("usage: add CALL-SSID [channel [digi...]]");
    app::Roster& roster = station_.roster;
    if (roster.isFull())
        return error("Maximale Anzahl erreicht");
    if (roster.findByPrefix(args[0]) != nullptr)
        return error("already on the roster: " + args[0]);
    std::string channel = args.size() > 1 ? args[1] : "0";
    if (protocol::fieldNumber(channel, -1) < 0 || protocol::fieldNumber(channel, -1) > 15)
        return error("the channel is a number from 0 to 15");
    std::string path = args[0];
    for (std::size_t i = 2; i < args.size(); ++i)
        path += " " + args[i];
    for (char& c : path)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    app::TUserEntry& entry = roster.addEntry(app::baseCall(path), channel, path, true, true);
    if (station_.store != nullptr) {
        if (const auto problem = station_.store->saveList(roster))
            return error(problem->text);
    }
    console_.line("ADDED",
                  printable(entry.call) + " " + printable(entry.channel) + " " + printable(entry.path));
}

void StationCommands::remove(std::string_view call)
{
    if (app::TUserEntry* entry = entryFor(call)) {
        const std::string removed = entry->call;
        protocol::deleteEntry(station_, *entry);
        console_.line("DELETED", printable(removed));
    }
}

void StationCommands::list()
{
    const app::Roster& roster = station_.roster;
    for (int row = 0; row < roster.size(); ++row) {
        const app::TUserEntry& e = roster.at(row);
        console_.line("ENTRY",
                      printable(e.call) + " " + stateName(e.state) + " channel=" + printable(e.channel) +
                          " path=" + printable(e.path) + " alias=" + printable(e.alias) +
                          " queued=" + std::to_string(e.txBuffer.size()) + (e.unread ? " unread" : ""));
    }
    console_.line("END", std::to_string(roster.size()));
}

void StationCommands::history(std::string_view call)
{
    app::TUserEntry* entry = entryFor(call);
    if (entry == nullptr)
        return;
    for (const std::string& line : entry->rxBuffer)
        console_.line("HIST", printable(entry->call) + " " + printable(line));
    for (const std::string& text : entry->txBuffer)
        console_.line("QUEUED", printable(entry->call) + " " + printable(text));
    entry->unread = false;
    console_.line("END", printable(entry->call));
}

void StationCommands::monitor(std::string_view onOff)
{
    if (onOff == "off")
        return driver_.setMonitor({});
    if (onOff != "on")
        return error("usage: monitor on|off");
    driver_.setMonitor([&console = console_](int channel, bool sent, std::string_view ax25) {
        const std::string line = link::monitor::formatLine(link::monitor::decodeLine(ax25));
        console.line("MON", std::to_string(channel) + (sent ? " TX " : " RX ") + platform::ansiToUtf8(line));
    });
}

app::TUserEntry* StationCommands::entryFor(std::string_view call)
{
    const std::string ansi = platform::utf8ToAnsi(call);
    app::TUserEntry* entry = ansi.empty() ? nullptr : station_.roster.findEntry(ansi);
    if (entry == nullptr)
        error("not on the roster: " + std::string(call));
    return entry;
}

void StationCommands::error(std::string_view text)
{
    console_.line("ERR", printable(text));
}

const char* const kStationHelp = R"(Usage: zelvo-station [options]

A Zelvo station without a window: the same protocol engine, roster, settings, registry and log
as the windowed program. Commands are read from stdin, one a line; every event is printed on
stdout as one line that starts with an upper-case word. Texts are UTF-8; inside a message "\n"
is a line break (sent as CR LF) and "\\" a backslash.

Options:
  --mycall CALL      own call sign with SSID (default: the stored setting "Mycall")
  --alias NAME       own alias (default: the stored setting "Alias")
  --register yes|no  answer to "Registrieren ?" when an unknown station announces itself
                     (default no)
  --echo             answer every received message with its own text
  --pass-ms N        milliseconds between receive passes (default 250; all protocol timing
                     is counted in passes)
  --log FILE         the activity log file (default: Zelvo.log beside the program when that
                     directory is writable and not an install, else
                     $XDG_STATE_HOME/zelvo/Zelvo.log)
  --help             this text

Settings and the roster come from the registry files ($ZELVO_REGISTRY_DIR, or
$XDG_CONFIG_HOME/zelvo and /etc/zelvo). Only one program, zelvo or zelvo-station, may use a
registry folder at a time: a second one ends at once with exit status 1, and so does one that
cannot claim the folder. Zelvo's folders are 0700 and its files 0600 whatever the umask. The driver
libflxapi32.so is found as by zelvo (zelvo --help); it reads its channel table from
$ZELVO_FLEXNET_CONF, else the first flexnet.conf found beside itself, in $XDG_CONFIG_HOME/zelvo or
in /etc/zelvo.

Commands:
  online               go online: announce to every roster station and ask for theirs
  offline              go offline: tell every reachable station
  away [text]          go away, with this away text (not stored) or the stored one
  back                 come back
  poll CALL            poll a station (five requests, 30 passes apart)
  msg CALL text        queue a message to a station (at least 2 characters)
  msgall text          queue a message to every station that is not Offline
  add CALL-SSID [channel [digi...]]
                       put a station on the roster (channel 0..15, default 0) and save it
  del CALL             remove a station (telling it we are gone unless it is Offline), save
  list                 one ENTRY line per roster station, then END
  history CALL         the conversation (HIST lines), waiting texts (QUEUED), then END; marks
                       the station's messages read
  monitor on|off       a MON line for every frame heard and sent on the channels (every
                       station's, where the driver hands them over; else the station's own)
  quit                 announce offline when online, log, and end (so does the end of input)

Events:
  READY call           started; commands are taken from now on
  SELF online|offline away|qrv
                       the own state changed
  STATUS text          the status line
  ICON name            the tray picture: NEWMAIL USEROFF USERON POLLED SELFOFF MAINICON USERAWAY
  STATE CALL state     a station's state: Online OnlineUnread HasPolled Sending Away AwayUnread
                       Offline OfflineUnread
  RX CALL text         a message arrived
  TX CALL text         a message was acknowledged by its receiver
  ASK CALL yes|no      an unknown station announced itself; the answer given
  REGISTERED CALL channel path
                       it was put on the roster
  POPUP                the window would pop up
  LOG text             a line for the activity log (written there when the log is on)
  LINK channel down|wrong-protocol|up text
                       a channel's TNC has not answered for 2 s (down: no connection;
                       wrong-protocol: the other end does not speak the channel's protocol), or
                       answers again (up); the text is that of the LOG line that follows
  ERROR text           an error box of the program
  ADDED / DELETED / ENTRY / HIST / QUEUED / END
                       answers to add, del, list and history
  ERR text             a command could not be carried out
  MON channel RX|TX FROM>TO [via DIGI*,DIGI] [TYPE C|R P|F] [pid=XX] [Kind:] text
                       a frame heard (RX) or sent (TX), while the monitor is on: the AX.25 type
                       (UI, I N(S)=n N(R)=n, RR, RNR, REJ, SREJ, SABM, SABME, DISC, DM, UA, FRMR,
                       XID, TEST), C command or R response, P poll or F final, '*' after the last
                       digipeater that repeated it, Zelvo's kind (Status, Offline, Nachricht,
                       Quittung, Poll, Poll-Antwort, Away, Back), control characters as <0x0d>
  BYE                  the station has ended
)";

}  // namespace zelvo::tools

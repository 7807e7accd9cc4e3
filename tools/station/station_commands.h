// The headless station's command language: one command a line on stdin, run against the same
// protocol engine the windowed program uses, serialised with the receive passes.
#pragma once

#include <string>
#include <string_view>

#include "link/flex_api.h"
#include "link/receive_thread.h"
#include "protocol/station.h"
#include "tools/station/console_ui.h"

namespace zelvo::tools {

class StationCommands {
public:
    StationCommands(protocol::Station& station, link::Serializer& serializer, Console& console,
                    link::FlexApi& driver);

    // Runs one command line (UTF-8). False after "quit".
    bool execute(std::string_view line);

private:
    void online(bool wanted);
    void away(std::string_view text);
    void back();
    void poll(std::string_view call);
    void message(std::string_view call, std::string_view text);
    void messageToAll(std::string_view text);
    void add(std::string_view arguments);
    void remove(std::string_view call);
    void list();
    void history(std::string_view call);
    // "monitor on|off": a MON line for every frame heard and sent, printed on the driver's threads.
    void monitor(std::string_view onOff);

    app::TUserEntry* entryFor(std::string_view call);
    void error(std::string_view text);

    protocol::Station& station_;
    link::Serializer& serializer_;
    Console& console_;
    link::FlexApi& driver_;
};

// The text of --help: every command, option and event word.
extern const char* const kStationHelp;

}  // namespace zelvo::tools

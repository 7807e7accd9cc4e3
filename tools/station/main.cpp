// zelvo-station: a Zelvo station without a window, for a headless node, a demo partner and the
// end-to-end tests. See kStationHelp for its commands, options and events.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "app/link_tracker.h"
#include "app/link_words.h"
#include "app/session.h"
#include "platform/ansi.h"
#include "protocol/messages.h"
#include "tools/station/console_ui.h"
#include "tools/station/station_commands.h"

namespace {

using namespace zelvo;

struct Options {
    std::optional<std::string> myCall;
    std::optional<std::string> alias;
    std::optional<std::string> logFile;
    bool registerAnswer = false;
    bool echo = false;
    int passMs = 250;
};

[[noreturn]] void usageError(const std::string& text)
{
    std::fprintf(stderr, "zelvo-station: %s (see --help)\n", text.c_str());
    std::exit(2);
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usageError(std::string(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(tools::kStationHelp, stdout);
            std::exit(0);
        } else if (arg == "--mycall") {
            options.myCall = value();
        } else if (arg == "--alias") {
            options.alias = value();
        } else if (arg == "--log") {
            options.logFile = value();
        } else if (arg == "--register") {
            const std::string answer = value();
            if (answer != "yes" && answer != "no")
                usageError("--register takes yes or no");
            options.registerAnswer = answer == "yes";
        } else if (arg == "--echo") {
            options.echo = true;
        } else if (arg == "--pass-ms") {
            const std::string text = value();
            options.passMs = std::atoi(text.c_str());
            if (options.passMs < 1 || options.passMs > 60000)
                usageError("--pass-ms takes 1 to 60000");
        } else {
            usageError("unknown option " + std::string(arg));
        }
    }
    return options;
}

// Queues the --echo answers of the last pass.
void answerEchoes(protocol::Station& station, tools::ConsoleUi& ui)
{
    for (const auto& [call, text] : ui.takeEchoes()) {
        if (app::TUserEntry* entry = station.roster.findEntry(call))
            protocol::queueText(*entry, text, protocol::kSendCountUser);
    }
}

// A LINK line and a log line for each channel whose TNC was lost or is back.
void reportLinkChanges(app::LinkTracker& links, protocol::Station& station, tools::Console& console)
{
    for (const auto& change : links.check()) {
        const app::LinkTracker::Channel& channel = links.channels()[change.index];
        const std::string text = app::linkLogText(channel, change.lost);
        const char* state = !change.lost                                                    ? "up"
                            : channel.status.condition == app::LinkCondition::WrongProtocol ? "wrong-protocol"
                                                                                            : "down";
        console.line("LINK",
                     std::to_string(channel.channel.number) + " " + state + " " + tools::printable(text));
        station.logLine(text, change.lost ? app::LogKind::TncLost : app::LogKind::TncBack);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    tools::Console console;

    // Filled in once the engine exists; the pass calls it inside the same lock as the commands.
    std::function<void()> echoes;
    std::function<void()> linkChanges;
    app::Session::Options sessionOptions;
    if (options.logFile)
        sessionOptions.logFile = *options.logFile;
    sessionOptions.passInterval = std::chrono::milliseconds(options.passMs);
    // Passes and commands run on threads of their own here: a refused frame is offered again
    // after a pause, within the send, as it always was.
    sessionOptions.sendPause = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
    sessionOptions.afterPass = [&echoes, &linkChanges] {
        if (echoes)
            echoes();
        if (linkChanges)
            linkChanges();
    };
    app::Session session(std::move(sessionOptions));
    switch (session.open()) {
    case app::Session::OpenResult::Opened: break;
    case app::Session::OpenResult::RegistryInUse:
        std::fprintf(stderr,
                     "zelvo-station: another Zelvo program (zelvo or zelvo-station) is using the registry "
                     "folder %s; end it first, or give this station its own ZELVO_REGISTRY_DIR\n",
                     session.registryFolder().c_str());
        return 1;
    case app::Session::OpenResult::RegistryUnclaimed:
        std::fprintf(stderr, "zelvo-station: %s\n", tools::printable(session.refusal().text).c_str());
        return 1;
    case app::Session::OpenResult::NoDriver:
        std::fprintf(stderr, "zelvo-station: the driver libflxapi32.so cannot be loaded\n");
        return 1;
    }
    dialogs::Settings& settings = session.settings();
    if (options.myCall)
        settings.setMyCall(platform::utf8ToAnsi(*options.myCall));
    if (options.alias)
        settings.setAlias(platform::utf8ToAnsi(*options.alias));
    if (settings.myCall().empty()) {
        std::fprintf(stderr, "zelvo-station: no own call: give --mycall or store \"Mycall\"\n");
        return 2;
    }

    tools::ConsoleUi ui(console, session.roster(), {options.registerAnswer, options.echo});
    session.roster().addObserver(&ui);
    link::Serializer serializer;
    echoes = [&] { answerEchoes(session.station(), ui); };
    // From the link state alone: a probe would be a second client of the TNC, and on zelvo-air a
    // second station for a moment.
    app::LinkTracker links(session.driver(), app::LinkTracker::kGrace, /*probes=*/false);
    links.start();
    linkChanges = [&] { reportLinkChanges(links, session.station(), console); };
    session.start(ui, [&](const link::FlexThread::Work& work) { serializer.run(work); });
    for (const platform::Problem& problem : session.startProblems())
        console.line("ERROR", tools::printable(problem.text));

    tools::StationCommands commands(session.station(), serializer, console, session.driver());
    console.line("READY", tools::printable(settings.myCall()));
    for (std::string line; std::getline(std::cin, line);) {
        if (!commands.execute(line))
            break;
    }
    session.quit();
    session.roster().removeObserver(&ui);
    console.line("BYE");
    return 0;
}

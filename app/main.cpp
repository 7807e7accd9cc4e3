// zelvo: the windowed program. It lives in the tray; see app/desktop_program.h for its course.
#include <QApplication>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/desktop_program.h"
#include "app/end_signals.h"
#include "app/install_check.h"
#include "dialogs/version_info.h"
#include "platform/sound_player.h"

namespace {

constexpr const char* kHelp = R"(Usage: zelvo [options]

Zelvo, presence and short messages over amateur packet radio (AX.25 UI frames through the FlexNet
driver libflxapi32.so). The program lives in the notification area (tray); without a tray its
roster window is shown at start. A second start brings the running one to the front. F1 shows the
help, in German, English or French as the windows speak.

Options:
  --check            check what the program needs at run time and end: prints where the driver
                     was found, the channel table it reads and, for each channel, its number,
                     kind, address and name and whether its TNC answers (within 2 s), where the
                     help file and the audio module were found and whether the pictures can be
                     drawn; exit status 1 when something is missing or no TNC answers (works
                     without a display)
  --version          the program's version, read from its version block
  --help             this text
Qt's own options (-platform NAME, -style NAME, ...) are taken as well.

Language:
  The windows speak German, English or French. Choose the language in the settings (Alt+E), page
  "Zelvo", group "Sprachen": "Auswählen" switches every window at once and stores the choice.
  Until one is stored, Zelvo follows the desktop as gettext does: in the C locale (LC_ALL,
  LC_MESSAGES or LANG unset, "C" or "C.UTF-8") English; otherwise the first of the three named
  in $LANGUAGE (e.g. LANGUAGE=fr:en), else the language of $LC_ALL, $LC_MESSAGES or $LANG
  (e.g. LANG=de_DE.UTF-8); English for any other. Everything sent on the air, the stored
  settings and roster and the activity log stay as they are, whatever the language.

Files:
  Settings and the roster are kept in $XDG_CONFIG_HOME/zelvo/HKEY_CURRENT_USER.reg (a REGEDIT4
  file), machine settings in /etc/zelvo/HKEY_LOCAL_MACHINE.reg; $ZELVO_REGISTRY_DIR moves both
  into one folder. Only one program, zelvo or zelvo-station, may use a registry folder at a
  time; a second one ends with an error. The activity log is Zelvo.log beside the program when
  that folder is writable and not an install, else $XDG_STATE_HOME/zelvo/Zelvo.log; the message
  history is $XDG_DATA_HOME/zelvo/history.sqlite. Zelvo's folders are 0700 and its files 0600
  whatever the umask; older ones that others could read are closed at start (the log says so).
  Without $HOME the home of the user's password entry is used. The running program is found
  through the socket MUT_Zelvo_Open in $XDG_RUNTIME_DIR, else in /tmp/zelvo-<uid>; either folder
  must be the user's own and closed to others.

The driver:
  libflxapi32.so is taken from the folder named by the registry value
  HKEY_LOCAL_MACHINE\Software\FlexNet "Home", else from the folder in $flexnet, else from the
  dynamic linker's search path, beside the program, or the library folder of an install. It reads
  its channel table from $ZELVO_FLEXNET_CONF, else the first flexnet.conf found beside it, in
  $XDG_CONFIG_HOME/zelvo or in /etc/zelvo; without one, channel 0 is KISS over TCP on
  127.0.0.1:8001 (Direwolf's default port).
)";

// The options that end before any window: the exit status, or nothing to start the program.
std::optional<int> commandLineOnly(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--version") {
            const zelvo::dialogs::TVersionInfoResource info(
                zelvo::dialogs::TVersionInfoResource::ownProgramFile());
            const std::string version = info.fileVersion().text();
            std::printf("zelvo %s\n", version.empty() ? "(no version block)" : version.c_str());
            return version.empty() ? 1 : 0;
        }
        if (arg == "--check") {
            // The pictures are drawn offscreen, so that the check runs without a display too.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication app(argc, argv);
            return zelvo::app::checkInstallation(stdout) ? 0 : 1;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const auto code = commandLineOnly(argc, argv))
        return *code;
    QApplication app(argc, argv);
    QApplication::setApplicationName("zelvo");
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("org.zelvo.Zelvo");
    // The splash screen is the only window at start; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    zelvo::app::DesktopProgram::Options options;
    options.session.makeSound = [](zelvo::platform::SoundReport report) {
        return zelvo::platform::makeSystemSoundPlayer(std::move(report));
    };
    zelvo::app::DesktopProgram program(std::move(options));
    QObject::connect(&program, &zelvo::app::DesktopProgram::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    // SIGTERM and SIGHUP end the program in order, at any moment.
    const zelvo::app::EndSignals endSignals([&program] { program.endBySignal(); });

    if (const auto code = program.start())
        return *code;
    // Ended while a box of the start-up was open: there is no event loop left to run.
    if (program.ended())
        return 0;
    return app.exec();
}

// zelvo: the windowed program. It lives in the tray; see app/desktop_program.h for its course.
#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "app/desktop_program.h"
#include "platform/sound.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("zelvo");
    // The splash screen is the only window at start; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    zelvo::app::DesktopProgram::Options options;
    options.session.sound = zelvo::platform::makeSystemSoundPlayer();
    zelvo::app::DesktopProgram program(std::move(options));
    QObject::connect(&program, &zelvo::app::DesktopProgram::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    // SIGTERM and SIGHUP end the program in order, through the event loop.
    ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe);
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &program, [&] {
        char byte;
        (void)!::read(signalPipe[0], &byte, 1);
        program.endBySignal();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);

    if (const auto code = program.start())
        return *code;
    return app.exec();
}

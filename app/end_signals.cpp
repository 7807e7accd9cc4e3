#include "app/end_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zelvo::app {
namespace {

int signalPair[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    (void)!::write(signalPair[1], &byte, 1);
}

void handleEndSignals(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

}  // namespace

EndSignals::EndSignals(std::function<void()> end, QObject* parent) : QObject(parent), end_(std::move(end))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPair) != 0)
        return;  // the signals keep their default action: they still end the program
    notifier_ = new QSocketNotifier(signalPair[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte;
        (void)!::read(signalPair[0], &byte, 1);
        end_();
    });
    handleEndSignals(onSignal);
}

EndSignals::~EndSignals()
{
    if (notifier_ == nullptr)
        return;
    handleEndSignals(SIG_DFL);
    delete notifier_;
    ::close(signalPair[0]);
    ::close(signalPair[1]);
    signalPair[0] = signalPair[1] = -1;
}

}  // namespace zelvo::app

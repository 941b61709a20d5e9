#include "platform/termination.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace mira::platform {
namespace {

int pipeFds[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: wake the notifier.
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[0], &byte, 1);
}

} // namespace

void OnTerminationRequest(QObject *context, std::function<void()> handler)
{
    if (pipeFds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeFds) != 0)
        return;
    auto *notifier = new QSocketNotifier(pipeFds[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [handler = std::move(handler)] {
                         char byte = 0;
                         [[maybe_unused]] const ssize_t n = ::read(pipeFds[1], &byte, 1);
                         handler();
                     });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

} // namespace mira::platform

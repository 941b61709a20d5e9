#pragma once
#include <QObject>
#include <functional>

namespace mira::platform {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C) into a call of
// handler on the user-interface thread, so the program can close as by Exit and
// keep what Save On Close promises. Install once, after the application exists.
void OnTerminationRequest(QObject *context, std::function<void()> handler);

} // namespace mira::platform

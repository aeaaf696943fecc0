#pragma once

#include <functional>

class QObject;

namespace Platform {

// Calls `quit` on the event loop when the system asks the program to end: on Linux SIGTERM
// (logout, shutdown, `kill`), SIGINT and SIGHUP, so that a running VPN goes down and the DNS
// settings come back as on the user's own exit. Windows ends a GUI program through its
// session messages, which the toolkit turns into a quit itself. Once per process; `context`
// ends the watch when it goes.
void watchQuitSignals(QObject *context, std::function<void()> quit);

} // namespace Platform

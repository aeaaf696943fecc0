#include "platform/quitsignals.h"

namespace Platform {

void watchQuitSignals(QObject *, std::function<void()>)
{
    // Logoff and shutdown reach a GUI program as session messages; the toolkit answers them by
    // quitting its event loop, which runs the same orderly exit.
}

} // namespace Platform

#include "platform/adapters.h"

namespace Platform {

NetworkAdapters detectAdapters(bool vpnOnly)
{
    return linuxAdapters(vpnOnly, QStringLiteral("/dev/net/tun"), QStringLiteral("/sys/class/net"));
}

} // namespace Platform

#include "platform/network.h"

namespace Platform {

Command interfaceMtuCommand(int interfaceIndex, int mtu)
{
    return {QStringLiteral("netsh"), netshMtuArguments(interfaceIndex, mtu)};
}

} // namespace Platform

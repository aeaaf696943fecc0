#include "platform/network.h"

#include <QNetworkInterface>

namespace Platform {

Command interfaceMtuCommand(int interfaceIndex, int mtu)
{
    const QString name = QNetworkInterface::interfaceNameFromIndex(interfaceIndex);
    if (name.isEmpty())
        return {};
    return {QStringLiteral("ip"), ipLinkMtuArguments(name, mtu)};
}

} // namespace Platform

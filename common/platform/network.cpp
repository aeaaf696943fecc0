#include "platform/network.h"

namespace Platform {

QStringList netshMtuArguments(int interfaceIndex, int mtu)
{
    return {QStringLiteral("interface"),
            QStringLiteral("ipv4"),
            QStringLiteral("set"),
            QStringLiteral("subinterface"),
            QString::number(interfaceIndex),
            QStringLiteral("mtu=%1").arg(mtu),
            QStringLiteral("store=persistent")};
}

QStringList ipLinkMtuArguments(const QString &interfaceName, int mtu)
{
    return {QStringLiteral("link"),
            QStringLiteral("set"),
            QStringLiteral("dev"),
            interfaceName,
            QStringLiteral("mtu"),
            QString::number(mtu)};
}

} // namespace Platform

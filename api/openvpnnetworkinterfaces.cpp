#include "openvpnnetworkinterfaces.h"

#include "logger.h"

#include "platform/adapters.h"

#include <QDebug>

OpenVpnNetworkInterfaces::OpenVpnNetworkInterfaces(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("NetworkInterfaces"));
}

void OpenVpnNetworkInterfaces::detect(bool vpnOnly)
{
    m_entries.clear();
    m_vpnOnly = vpnOnly;
    m_entries = Platform::detectAdapters(vpnOnly);
}

void OpenVpnNetworkInterfaces::logInterfaces() const
{
    const QString kind = m_vpnOnly ? QStringLiteral("VPN") : QStringLiteral("network");
    if (m_entries.isEmpty()) {
        Log::critical(this, QStringLiteral("No %1 interfaces found").arg(kind));
        return;
    }
    for (const NetworkAdapter &entry : m_entries) {
        Log::info(
            this,
            QStringLiteral("Detected %1 interface, id: %2, name: '%3'").arg(kind).arg(entry.index).arg(entry.name));
    }
}

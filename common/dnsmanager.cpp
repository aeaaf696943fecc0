#include "dnsmanager.h"

#include "logger.h"

#include "utils.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

DnsInterface::DnsInterface(const QString &id, const QString &name, const QStringList &ipv4, const QStringList &ipv6)
    : ipv4Dns(ipv4)
    , ipv6Dns(ipv6)
    , interfaceId(id)
    , interfaceName(name)
    , vpnConnection(Platform::isVpnInterface(id))
{
}

DnsManager::DnsManager(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DnsManager"));
    connect(&m_flush, &ChildProcess::processFinished, this, &DnsManager::onProcessFinished);
}

bool DnsManager::containsVpnDns(const QStringList &servers)
{
    return servers.contains(vpnDnsIpv4()) || servers.contains(vpnDnsIpv6());
}

QString DnsManager::dnsProgramPath()
{
    return Utils::applicationDirectory() + QLatin1Char('/') + Utils::executablePath(QStringLiteral("dns"), false);
}

QString DnsManager::userEntry(const DnsInterface &dnsInterface)
{
    return QStringLiteral("%1@%2").arg(
        dnsInterface.interfaceId,
        Utils::joinNonEmpty({dnsInterface.ipv4Dns.join(QLatin1Char(',')), dnsInterface.ipv6Dns.join(QLatin1Char(','))},
                            QStringLiteral(",")));
}

bool DnsManager::hasRecordedVpnSwitch()
{
    const QString path = Utils::dnsDataFilePath();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const QSettings data(path, QSettings::IniFormat);
    return data.childGroups().contains(QStringLiteral("VpnDns"));
}

QStringList DnsManager::userDnsOfRecordedSwitch()
{
    if (!hasRecordedVpnSwitch())
        return {};
    const QSettings data(Utils::dnsDataFilePath(), QSettings::IniFormat);
    return data.value(QStringLiteral("UserDns/Args"))
        .toString()
        .simplified()
        .split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

void DnsManager::refresh()
{
    m_interfaces.clear();
    for (const Platform::DnsLink &link : Platform::readDnsLinks(objectName()))
        m_interfaces.append(DnsInterface(link.id, link.name, link.ipv4, link.ipv6));
    for (const DnsInterface &dnsInterface : qAsConst(m_interfaces)) {
        Log::info(this,
                  QStringLiteral("ID: %1, name: '%2', VPN connection: '%3', IPv4 DNS: ")
                          .arg(dnsInterface.interfaceId,
                               dnsInterface.interfaceName,
                               Utils::boolText(dnsInterface.vpnConnection))
                      + QLatin1Char('(') + dnsInterface.ipv4Dns.join(QStringLiteral(", "))
                      + QStringLiteral("), IPv6 DNS: (") + dnsInterface.ipv6Dns.join(QStringLiteral(", "))
                      + QLatin1Char(')'));
    }
}

QStringList DnsManager::userDnsEntries() const
{
    QStringList entries;
    for (const DnsInterface &dnsInterface : m_interfaces)
        entries << userEntry(dnsInterface);
    return entries;
}

QStringList DnsManager::vpnDnsEntries(const QString &ipv4, const QString &ipv6) const
{
    QStringList entries;
    for (const DnsInterface &dnsInterface : m_interfaces)
        entries << QStringLiteral("%1@%2,%3").arg(dnsInterface.interfaceId, ipv4, ipv6);
    return entries;
}

bool DnsManager::hasVpnDnsOnUserInterfaces()
{
    refresh();
    for (const DnsInterface &dnsInterface : qAsConst(m_interfaces)) {
        if (!dnsInterface.vpnConnection
            && (containsVpnDns(dnsInterface.ipv4Dns) || containsVpnDns(dnsInterface.ipv6Dns)))
            return true;
    }
    return false;
}

void DnsManager::mergeInterfaces(const QVector<DnsInterface> &given)
{
    for (DnsInterface &dnsInterface : m_interfaces) {
        for (const DnsInterface &entry : given) {
            if (entry.interfaceId == dnsInterface.interfaceId) {
                dnsInterface.ipv4Dns = entry.ipv4Dns;
                dnsInterface.ipv6Dns = entry.ipv6Dns;
                break;
            }
        }
    }
}

void DnsManager::setVpnDns(const QStringList &ipv4, const QStringList &ipv6)
{
    Log::info(this,
              QStringLiteral("Set DNS settings from VPN, IPv4 DNS: (%1), IPv6 DNS: (%2)")
                  .arg(ipv4.join(QLatin1Char(',')), ipv6.join(QLatin1Char(','))));
    applyDns(ipv4, ipv6, true);
    flushDns();
}

void DnsManager::setUserDns()
{
    Log::info(this, QStringLiteral("Set DNS settings from user"));
    applyDns({}, {}, false);
    flushDns();
}

void DnsManager::applyDns(const QStringList &ipv4, const QStringList &ipv6, bool fromVpn)
{
    Platform::holdForeignDnsServers(fromVpn, objectName());
    for (const DnsInterface &dnsInterface : qAsConst(m_interfaces)) {
        if (dnsInterface.vpnConnection && !fromVpn)
            continue;
        const QStringList &v4 = fromVpn ? ipv4 : dnsInterface.ipv4Dns;
        const QStringList &v6 = fromVpn ? ipv6 : dnsInterface.ipv6Dns;
        applyInterfaceDns(
            dnsInterface.interfaceId, dnsInterface.interfaceName, v4.join(QLatin1Char(',')), Platform::DnsFamily::Ipv4);
        applyInterfaceDns(
            dnsInterface.interfaceId, dnsInterface.interfaceName, v6.join(QLatin1Char(',')), Platform::DnsFamily::Ipv6);
    }
}

bool DnsManager::applyInterfaceDns(const QString &id,
                                   const QString &name,
                                   const QString &target,
                                   Platform::DnsFamily family)
{
    const QString current = Platform::dnsServerText(id, family);
    const QString line = QStringLiteral("Replace DNS settings for ID: %1, name: '%2' (%3) -> (%4)%5");
    if (current == target) {
        Log::info(this, line.arg(id, name, current, target, QStringLiteral(", skipped")));
        return true;
    }
    Platform::writeDnsServers(id, name, family, target.split(QLatin1Char(','), Qt::KeepEmptyParts), objectName());
    const bool result = Platform::dnsServerText(id, family) == target;
    Log::info(this, line.arg(id, name, current, target, QStringLiteral(", status: '%1'").arg(Utils::boolText(result))));
    return result;
}

void DnsManager::flushDns()
{
    const bool flushed = Platform::flushResolverCache();
    Log::info(this, QStringLiteral("Flush DNS finished with status '%1'").arg(Utils::boolText(flushed)));
    if (flushed)
        return;
    Log::info(this, QStringLiteral("Flush DNS (failback)"));
    const Platform::Command fallback = Platform::fallbackFlushCommand();
    if (!fallback.isEmpty())
        m_flush.start(fallback.program, fallback.arguments);
}

void DnsManager::onProcessFinished(bool status)
{
    Log::info(this, QStringLiteral("Flush DNS process finished with status '%1'").arg(Utils::boolText(status)));
}

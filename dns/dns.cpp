#include "dns.h"

#include "logger.h"

#include "utils.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString vpnGroup = QStringLiteral("VpnDns");
const QString userGroup = QStringLiteral("UserDns");
const QString separator = QStringLiteral(";");

QString modeName(int mode)
{
    switch (mode) {
    case Dns::Reset: return QStringLiteral("Reset");
    case Dns::Vpn: return QStringLiteral("VPN DNS");
    case Dns::User: return QStringLiteral("User DNS");
    default: return QString();
    }
}

QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

Dns::Dns(int argc, char **argv)
    : Dns(argumentList(argc, argv))
{
}

Dns::Dns(const QStringList &arguments)
{
    setObjectName(QStringLiteral("Dns"));
    if (!arguments.isEmpty()) {
        const QString word = arguments.first();
        if (word == QLatin1String("reset"))
            m_mode = Reset;
        else if (word == QLatin1String("vpn"))
            m_mode = Vpn;
        else if (word == QLatin1String("user"))
            m_mode = User;
        m_entries = arguments.mid(1);
    }
    if (m_mode == Reset)
        m_entries.clear();
    if (!isInvalid()) {
        QString text = QStringLiteral("Initialized with '%1' mode").arg(modeName(m_mode));
        if (m_mode == Vpn || m_mode == User)
            text += QStringLiteral(" and args '%1'").arg(m_entries.join(QLatin1Char(' ')));
        Log::info(this, text);
    }
}

bool Dns::isInvalid() const
{
    const bool invalid = !(m_mode != None && (!m_entries.isEmpty() || m_mode == Reset));
    if (invalid && !m_invalidLogged) {
        m_invalidLogged = true;
        Log::warning(this, QStringLiteral("Invalid command line arguments"));
    }
    return invalid;
}

Dns::Parsed Dns::parseEntries(const QStringList &entries)
{
    Parsed parsed;
    for (const QString &entry : entries) {
        const QStringList pieces = entry.split(QLatin1Char('@'), Qt::KeepEmptyParts);
        const QString id = pieces.first();
        QStringList candidates;
        if (pieces.size() == 2) {
            const QString servers = pieces.at(1);
            if (!servers.contains(QLatin1Char(','))) {
                const QString single = servers.simplified();
                if (Utils::isIpv4Address(single) || Utils::isIpv6Address(single))
                    candidates << single;
            } else {
                candidates = servers.split(QLatin1Char(','), Qt::KeepEmptyParts);
            }
        }
        QStringList ipv4;
        QStringList ipv6;
        for (const QString &candidate : qAsConst(candidates)) {
            if (Utils::isIpv4Address(candidate)) {
                ipv4 << candidate;
                parsed.lastIpv4 = candidate;
            } else if (Utils::isIpv6Address(candidate)) {
                ipv6 << candidate;
                parsed.lastIpv6 = candidate;
            } else {
                qWarning().noquote() << QStringLiteral("Dns: Cannot parse DNS data (%1)").arg(candidate);
            }
        }
        parsed.interfaces.append(DnsInterface(id, id, ipv4, ipv6));
    }
    return parsed;
}

void Dns::prepareReset()
{
    Log::info(this, QStringLiteral("Resetting DNS settings..."));
    m_entries.clear();
    m_mode = User;
    const QString path = Utils::dnsDataFilePath();
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        const QSettings data(path, QSettings::IniFormat);
        const QString args = data.value(userGroup + QStringLiteral("/Args")).toString().simplified();
        if (!args.isEmpty())
            m_entries = args.split(separator, Qt::SkipEmptyParts);
    } else {
        m_resetToDefaults = true;
        Log::warning(this, QStringLiteral("DNS data file doesn't exist, resetting to default values"));
    }
}

bool Dns::run()
{
    if (isInvalid())
        return false;
    Log::info(this, QStringLiteral("Process started"));
    if (m_mode == Reset)
        prepareReset();
    const Parsed parsed = parseEntries(m_entries);

    DnsManager manager;
    manager.refresh();
    if (m_mode == Vpn)
        switchToVpn(manager, parsed);
    else
        switchToUser(manager, parsed);
    Log::info(this, QStringLiteral("Process finished"));
    return true;
}

void Dns::switchToVpn(DnsManager &manager, const Parsed &parsed)
{
    Log::info(this, QStringLiteral("Switch to VPN DNS: %1, %2").arg(parsed.lastIpv4, parsed.lastIpv6));
    QSettings data(Utils::dnsDataFilePath(), QSettings::IniFormat);
    data.remove(userGroup);
    data.setValue(userGroup + QStringLiteral("/Args"), Utils::joinNonEmpty(manager.userDnsEntries(), separator));
    // On disk before anything changes: a crash from here on is undone by a reset.
    data.sync();
    manager.setVpnDns(parsed.lastIpv4.isEmpty() ? QStringList() : QStringList{parsed.lastIpv4},
                      parsed.lastIpv6.isEmpty() ? QStringList() : QStringList{parsed.lastIpv6});
    data.setValue(vpnGroup + QStringLiteral("/IPv4"), parsed.lastIpv4);
    data.setValue(vpnGroup + QStringLiteral("/IPv6"), parsed.lastIpv6);
    data.sync();
    if (data.status() != QSettings::NoError)
        Log::warning(this, QStringLiteral("Cannot write the data file '%1'").arg(data.fileName()));
}

void Dns::switchToUser(DnsManager &manager, const Parsed &parsed)
{
    Log::info(this, QStringLiteral("Switch to user DNS"));
    if (m_resetToDefaults) {
        Log::info(this, QStringLiteral("Clear current DNS entries"));
        for (DnsInterface &dnsInterface : manager.interfaces()) {
            if (dnsInterface.vpnConnection)
                continue;
            if (DnsManager::containsVpnDns(dnsInterface.ipv4Dns)) {
                Log::info(this, QStringLiteral("Clear DNS entries for IPv4 on '%1'").arg(dnsInterface.interfaceName));
                dnsInterface.ipv4Dns.clear();
            }
            if (DnsManager::containsVpnDns(dnsInterface.ipv6Dns)) {
                Log::info(this, QStringLiteral("Clear DNS entries for IPv6 on '%1'").arg(dnsInterface.interfaceName));
                dnsInterface.ipv6Dns.clear();
            }
        }
    }
    manager.mergeInterfaces(parsed.interfaces);
    manager.setUserDns();
    QSettings data(Utils::dnsDataFilePath(), QSettings::IniFormat);
    data.remove(vpnGroup);
    data.sync();
}

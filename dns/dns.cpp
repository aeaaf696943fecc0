#include "dns.h"

#include "addresscheck.h"
#include "logger.h"
#include "platform/statefolder.h"
#include "utils.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

#include <memory>

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
            text += QStringLiteral(" and args '%1'").arg(AddressCheck::forLog(m_entries.join(QLatin1Char(' '))));
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
    // An id with a forged entry is refused as a whole: a good entry of the same id would
    // otherwise still change the interface the forged one was aimed at.
    QStringList refusedIds;
    for (const QString &entry : entries) {
        const QStringList pieces = entry.split(QLatin1Char('@'), Qt::KeepEmptyParts);
        const QString id = pieces.first();
        QStringList candidates;
        // The text that refuses the whole entry, and why.
        QString hostile = id;
        QString reason = AddressCheck::nameRefusal(id);
        if (pieces.size() == 2 && reason.isEmpty()) {
            const QString servers = pieces.at(1);
            if (!servers.contains(QLatin1Char(','))) {
                const QString single = servers.simplified();
                const AddressCheck::Verdict verdict = AddressCheck::dnsServer(single);
                if (verdict.family != AddressCheck::Family::None) {
                    candidates << single;
                } else if (verdict.hostile) {
                    hostile = servers;
                    reason = verdict.refusal;
                }
            } else {
                candidates = servers.split(QLatin1Char(','), Qt::KeepEmptyParts);
            }
        }
        QStringList ipv4;
        QStringList ipv6;
        for (const QString &candidate : qAsConst(candidates)) {
            if (!reason.isEmpty())
                break;
            const AddressCheck::Verdict verdict = AddressCheck::dnsServer(candidate);
            if (verdict.family == AddressCheck::Family::Ipv4) {
                ipv4 << candidate;
            } else if (verdict.family == AddressCheck::Family::Ipv6) {
                ipv6 << candidate;
            } else if (verdict.hostile) {
                hostile = candidate;
                reason = verdict.refusal;
            } else {
                qWarning().noquote()
                    << QStringLiteral("Dns: Cannot parse DNS data (%1)").arg(AddressCheck::forLog(candidate));
            }
        }
        if (!reason.isEmpty()) {
            // Forged rather than mistyped: nothing of it is taken, not even its good servers.
            qWarning().noquote() << QStringLiteral(
                                        "Dns: Cannot parse DNS data (%1): it %2, nothing is changed for '%3'")
                                        .arg(AddressCheck::forLog(hostile), reason, AddressCheck::forLog(id));
            parsed.refused << AddressCheck::forLog(id);
            refusedIds << id;
            continue;
        }
        parsed.interfaces.append(DnsInterface(id, id, ipv4, ipv6));
    }
    QVector<DnsInterface> taken;
    for (const DnsInterface &entry : qAsConst(parsed.interfaces)) {
        if (refusedIds.contains(entry.interfaceId)) {
            qWarning().noquote() << QStringLiteral("Dns: Leaving '%1' as it is: another entry for it was refused")
                                        .arg(AddressCheck::forLog(entry.interfaceId));
            continue;
        }
        // The last server of each family, over the entries that are taken.
        if (!entry.ipv4Dns.isEmpty())
            parsed.lastIpv4 = entry.ipv4Dns.last();
        if (!entry.ipv6Dns.isEmpty())
            parsed.lastIpv6 = entry.ipv6Dns.last();
        taken.append(entry);
    }
    parsed.interfaces = taken;
    return parsed;
}

QStringList Dns::stateFiles()
{
    // QSettings writes the record with a lock file of its own beside it.
    const QString record = QFileInfo(Utils::dnsDataFilePath()).fileName();
    return {record, record + QStringLiteral(".lock"), QStringLiteral("dns.lock")};
}

void Dns::prepareReset()
{
    Log::info(this, QStringLiteral("Resetting DNS settings..."));
    m_entries.clear();
    m_mode = User;
    const QString path = Utils::dnsDataFilePath();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        m_resetToDefaults = true;
        Log::warning(this, QStringLiteral("DNS data file doesn't exist, resetting to default values"));
        return;
    }
    const QSettings data(path, QSettings::IniFormat);
    const QString args = data.value(userGroup + QStringLiteral("/Args")).toString().simplified();
    if (!args.isEmpty())
        m_entries = args.split(separator, Qt::SkipEmptyParts);
    for (const QString &key : {QStringLiteral("/IPv4"), QStringLiteral("/IPv6")}) {
        const QString server = data.value(vpnGroup + key).toString();
        if (AddressCheck::dnsServer(server).family != AddressCheck::Family::None)
            m_vpnServers << server;
    }

    // A file cut short or damaged may have lost the record of the switch or the user's
    // servers: trusting what is left would keep the VPN's servers or write none at all.
    QString damage;
    const Parsed parsed = parseEntries(m_entries);
    if (data.status() != QSettings::NoError)
        damage = QStringLiteral("it cannot be read");
    else if (args.isEmpty())
        damage = QStringLiteral("it holds no user servers");
    else if (!parsed.refused.isEmpty() || parsed.interfaces.size() != m_entries.size())
        damage = QStringLiteral("some user entries are unusable");
    else if (!data.childGroups().contains(vpnGroup) && DnsManager::containsVpnDns(currentServers()))
        damage = QStringLiteral("it has no record of the switch, yet the VPN's servers are in use");
    if (!damage.isEmpty()) {
        m_recordDamaged = true;
        Log::warning(this,
                     QStringLiteral("DNS data file '%1' is damaged (%2): removing the VPN's servers it can identify, "
                                    "never the last server of an interface")
                         .arg(path, damage));
    }
}

QStringList Dns::currentServers()
{
    DnsManager manager;
    manager.refresh();
    QStringList servers;
    for (const DnsInterface &dnsInterface : qAsConst(manager.interfaces())) {
        if (!dnsInterface.vpnConnection)
            servers << dnsInterface.ipv4Dns << dnsInterface.ipv6Dns;
    }
    return servers;
}

bool Dns::run()
{
    if (isInvalid())
        return false;
    Log::info(this, QStringLiteral("Process started"));
    // One run at a time: the client's runs and those of the WireGuard service would otherwise
    // read a configuration that another run is halfway through changing.
    const QString dataPath = Utils::dnsDataFilePath();
    std::unique_ptr<Platform::StateLock> lock;
    if (!dataPath.isEmpty()) {
        // A holder that died lets go by itself; a slow one is waited for.
        lock = std::make_unique<Platform::StateLock>(
            QFileInfo(dataPath).absolutePath(), QStringLiteral("dns.lock"), 120000);
        if (!lock->isLocked())
            Log::warning(this, lock->error() + QStringLiteral("; going on without the lock"));
    }
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
    // A reset is done only when the servers its record names are gone: whoever runs it (the
    // package's removal, the WireGuard service's clean-up) must not take the machine for clean.
    const QStringList left = vpnServersLeft(parsed);
    if (!left.isEmpty()) {
        Log::warning(this,
                     QStringLiteral("The VPN's DNS servers are still in use: %1").arg(left.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

QStringList Dns::vpnServersLeft(const Parsed &parsed) const
{
    // Only a reset knows the VPN's servers; the other runs need no second look at the system.
    if (m_vpnServers.isEmpty())
        return {};
    QStringList left;
    const QStringList now = currentServers();
    for (const QString &server : qAsConst(m_vpnServers)) {
        // The user's own servers may hold the same address (a router of that network).
        bool ownServer = false;
        for (const DnsInterface &entry : parsed.interfaces)
            ownServer = ownServer || entry.ipv4Dns.contains(server) || entry.ipv6Dns.contains(server);
        if (now.contains(server) && !ownServer)
            left << server;
    }
    return left;
}

void Dns::switchToVpn(DnsManager &manager, const Parsed &parsed)
{
    Log::info(this,
              QStringLiteral("Switch to VPN DNS: %1, %2")
                  .arg(AddressCheck::forLog(parsed.lastIpv4), AddressCheck::forLog(parsed.lastIpv6)));
    if (!parsed.refused.isEmpty()) {
        Log::warning(this, QStringLiteral("Refused entries: nothing is changed"));
        return;
    }
    const QString path = Utils::dnsDataFilePath();
    QSettings data(path, QSettings::IniFormat);
    // A switch that no user run has undone yet saved the user's servers already; the servers
    // of the moment are (partly) the VPN's and must not take their place.
    if (data.childGroups().contains(vpnGroup)) {
        Log::info(this, QStringLiteral("Keeping the user DNS saved by the switch before"));
    } else {
        data.remove(userGroup);
        data.setValue(userGroup + QStringLiteral("/Args"), Utils::joinNonEmpty(manager.userDnsEntries(), separator));
    }
    // On disk before anything changes, what will be switched included: a crash from here on
    // is undone by a reset, which gives back only what still holds the VPN's servers.
    data.setValue(vpnGroup + QStringLiteral("/IPv4"), parsed.lastIpv4);
    data.setValue(vpnGroup + QStringLiteral("/IPv6"), parsed.lastIpv6);
    data.sync();
    if (path.isEmpty() || data.status() != QSettings::NoError) {
        Log::warning(this, QStringLiteral("Cannot write the data file '%1': nothing is changed").arg(path));
        return;
    }
    manager.setVpnDns(parsed.lastIpv4.isEmpty() ? QStringList() : QStringList{parsed.lastIpv4},
                      parsed.lastIpv6.isEmpty() ? QStringList() : QStringList{parsed.lastIpv6});
}

void Dns::switchToUser(DnsManager &manager, const Parsed &parsed)
{
    Log::info(this, QStringLiteral("Switch to user DNS"));
    const QString path = Utils::dnsDataFilePath();
    if (m_resetToDefaults || m_recordDamaged) {
        Log::info(this, QStringLiteral("Clear current DNS entries"));
        QStringList vpnServers = m_vpnServers;
        vpnServers << DnsManager::vpnDnsIpv4() << DnsManager::vpnDnsIpv6();
        const auto withoutVpn = [&vpnServers](QStringList servers) {
            for (const QString &server : qAsConst(vpnServers))
                servers.removeAll(server);
            return servers;
        };
        for (DnsInterface &dnsInterface : manager.interfaces()) {
            if (dnsInterface.vpnConnection)
                continue;
            QStringList ipv4 = dnsInterface.ipv4Dns;
            QStringList ipv6 = dnsInterface.ipv6Dns;
            // What a damaged record still says of the user's servers replaces a family that
            // holds the VPN's.
            for (const DnsInterface &entry : parsed.interfaces) {
                if (entry.interfaceId != dnsInterface.interfaceId)
                    continue;
                if (!entry.ipv4Dns.isEmpty() && withoutVpn(ipv4) != ipv4)
                    ipv4 = entry.ipv4Dns;
                if (!entry.ipv6Dns.isEmpty() && withoutVpn(ipv6) != ipv6)
                    ipv6 = entry.ipv6Dns;
            }
            // Only the VPN's own addresses go, and never the last server an interface has: with
            // no record of the switch, a router at the VPN's address looks just the same.
            ipv4 = withoutVpn(ipv4);
            ipv6 = withoutVpn(ipv6);
            if (ipv4 == dnsInterface.ipv4Dns && ipv6 == dnsInterface.ipv6Dns)
                continue;
            if (ipv4.isEmpty() && ipv6.isEmpty()) {
                Log::warning(this,
                             QStringLiteral("Leaving DNS entries on '%1' as they are: they would have no server left")
                                 .arg(dnsInterface.interfaceName));
                continue;
            }
            if (ipv4 != dnsInterface.ipv4Dns)
                Log::info(this, QStringLiteral("Clear DNS entries for IPv4 on '%1'").arg(dnsInterface.interfaceName));
            if (ipv6 != dnsInterface.ipv6Dns)
                Log::info(this, QStringLiteral("Clear DNS entries for IPv6 on '%1'").arg(dnsInterface.interfaceName));
            dnsInterface.ipv4Dns = ipv4;
            dnsInterface.ipv6Dns = ipv6;
        }
    } else {
        keepWhatWasNotSwitched(manager, parsed, path);
    }
    manager.setUserDns();
    // A refused entry left its interface as the switch made it: the record of the switch stays
    // for the next reset.
    if (!parsed.refused.isEmpty())
        return;
    QSettings data(path, QSettings::IniFormat);
    data.remove(vpnGroup);
    data.sync();
}

void Dns::keepWhatWasNotSwitched(DnsManager &manager, const Parsed &parsed, const QString &path)
{
    // What the VPN's switch installed, as its record says; without the record nothing was.
    const QSettings data(path, QSettings::IniFormat);
    const bool switched = !path.isEmpty() && data.childGroups().contains(vpnGroup);
    const QString vpnIpv4 = data.value(vpnGroup + QStringLiteral("/IPv4")).toString();
    const QString vpnIpv6 = data.value(vpnGroup + QStringLiteral("/IPv6")).toString();
    const QStringList installedIpv4 = vpnIpv4.isEmpty() ? QStringList() : QStringList{vpnIpv4};
    const QStringList installedIpv6 = vpnIpv6.isEmpty() ? QStringList() : QStringList{vpnIpv6};
    if (!switched)
        Log::info(this, QStringLiteral("No record of a switch to VPN DNS: nothing to give back"));

    const QVector<DnsInterface> before = manager.interfaces();
    manager.mergeInterfaces(parsed.interfaces);
    // A family whose servers changed since the switch (a new DHCP lease, the user) holds
    // someone else's servers now: those stay.
    for (int i = 0; i < manager.interfaces().size(); ++i) {
        DnsInterface &now = manager.interfaces()[i];
        const DnsInterface &was = before.at(i);
        if (now.vpnConnection)
            continue;
        const bool ipv4Ours = switched && was.ipv4Dns == installedIpv4;
        const bool ipv6Ours = switched && was.ipv6Dns == installedIpv6;
        if (!ipv4Ours && now.ipv4Dns != was.ipv4Dns) {
            if (switched)
                Log::info(this,
                          QStringLiteral("Keeping IPv4 DNS on '%1': changed since the switch").arg(was.interfaceName));
            now.ipv4Dns = was.ipv4Dns;
        }
        if (!ipv6Ours && now.ipv6Dns != was.ipv6Dns) {
            if (switched)
                Log::info(this,
                          QStringLiteral("Keeping IPv6 DNS on '%1': changed since the switch").arg(was.interfaceName));
            now.ipv6Dns = was.ipv6Dns;
        }
    }
}

#pragma once

#include "childprocess.h"
#include "platform/dns.h"

#include <QObject>
#include <QStringList>
#include <QVector>

// The DNS servers of one network interface.
struct DnsInterface
{
    DnsInterface() = default;
    // Classified at once: whether the interface is one of the VPN's own adapters.
    DnsInterface(const QString &id, const QString &name, const QStringList &ipv4, const QStringList &ipv6);

    QStringList ipv4Dns;
    QStringList ipv6Dns;
    QString interfaceId;
    QString interfaceName;
    bool vpnConnection = false;
};

// Knows the DNS servers of every interface, turns them into entries that travel on a command
// line and in "dns.dat" ("ID@servers"), and, with the rights for it, rewrites them and flushes
// the resolver cache. Built into the client (reading side) and the dns program (everything).
class DnsManager final : public QObject
{
    Q_OBJECT

public:
    explicit DnsManager(QObject *parent = nullptr);

    static QString vpnDnsIpv4() { return QStringLiteral("172.16.0.1"); }
    static QString vpnDnsIpv6() { return QStringLiteral("fd00:dead:beef:cafe::1"); }
    static bool containsVpnDns(const QStringList &servers);
    static QString dnsProgramPath();
    static QString userEntry(const DnsInterface &dnsInterface);
    // Whether "dns.dat" records a switch to the VPN's servers that no user run has undone yet.
    static bool hasRecordedVpnSwitch();
    // The user's entries that such a switch saved; empty without a switch on record.
    static QStringList userDnsOfRecordedSwitch();

    void refresh();
    QVector<DnsInterface> &interfaces() { return m_interfaces; }
    QStringList userDnsEntries() const;
    QStringList vpnDnsEntries(const QString &ipv4, const QString &ipv6) const;
    bool hasVpnDnsOnUserInterfaces();

    void mergeInterfaces(const QVector<DnsInterface> &given);
    void setVpnDns(const QStringList &ipv4, const QStringList &ipv6);
    void setUserDns();
    void applyDns(const QStringList &ipv4, const QStringList &ipv6, bool fromVpn);
    bool applyInterfaceDns(const QString &id, const QString &name, const QString &target, Platform::DnsFamily family);
    void flushDns();

private slots:
    void onProcessFinished(bool status);

private:
    ChildProcess m_flush;
    QVector<DnsInterface> m_interfaces;
};

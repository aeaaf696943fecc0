#pragma once

#include "dnsmanager.h"

#include <QObject>
#include <QStringList>

// One run of the dns program: switches every interface to the VPN's DNS servers ("vpn"),
// back to the user's ("user"), or restores the user's from "dns.dat" after a crash ("reset").
class Dns final : public QObject
{
    Q_OBJECT

public:
    enum Mode {
        None = 0,
        Reset = 1,
        Vpn = 2,
        User = 3,
    };

    struct Parsed
    {
        QVector<DnsInterface> interfaces;
        QString lastIpv4;
        QString lastIpv6;
        // The ids of entries refused as forged (control characters, blanks, scope ids): their
        // interfaces are left as they are.
        QStringList refused;
    };

    Dns(int argc, char **argv);
    explicit Dns(const QStringList &arguments);

    // The entries "ID@servers" as records, and the last address of each family in any of them.
    // A server is a plain address or, as systemd-resolved takes it, one with a port and a
    // server name ("1.1.1.1:853#dns.example").
    static Parsed parseEntries(const QStringList &entries);

    // The files of the data folder that a run reads or writes (the record, its locks).
    static QStringList stateFiles();

    int mode() const { return m_mode; }
    QStringList entries() const { return m_entries; }
    bool isInvalid() const;
    bool run();

private:
    void prepareReset();
    // The servers of every interface that is not the VPN's, as the system has them now.
    static QStringList currentServers();
    // After a reset: the VPN's servers that its record names and that are still in use.
    QStringList vpnServersLeft(const Parsed &parsed) const;
    void switchToVpn(DnsManager &manager, const Parsed &parsed);
    void switchToUser(DnsManager &manager, const Parsed &parsed);
    // Undoes the merge where a family does not hold what the switch to VPN DNS installed.
    void keepWhatWasNotSwitched(DnsManager &manager, const Parsed &parsed, const QString &path);

    int m_mode = None;
    QStringList m_entries;
    bool m_resetToDefaults = false;
    // A reset whose "dns.dat" cannot be trusted as a whole, and the VPN's servers it still names.
    bool m_recordDamaged = false;
    QStringList m_vpnServers;
    mutable bool m_invalidLogged = false;
};

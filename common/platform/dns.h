#pragma once

#include "platform/command.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// Where each system keeps the DNS servers of its network interfaces. Windows: the TCP/IP
// interface keys of the registry, written with netsh. Linux: systemd-resolved per link when
// /etc/resolv.conf points at its stub resolver, else /etc/resolv.conf itself as one interface.
namespace Platform {

enum class DnsFamily { Ipv4, Ipv6 };

struct DnsLink
{
    QString id;
    QString name;
    QStringList ipv4;
    QStringList ipv6;
};

// The interfaces with their servers, in the system's order; empty when the system cannot tell
// (the reason is logged under `logName`).
QVector<DnsLink> readDnsLinks(const QString &logName);
// Whether the interface belongs to the VPN: a TAP adapter on Windows, a tun or WireGuard link
// on Linux.
bool isVpnInterface(const QString &id);
// The servers of one family of one interface as one comma-joined text, empty when none.
QString dnsServerText(const QString &id, DnsFamily family);
// Sets the servers of one family (an empty list, or one empty piece, clears them). Failures
// are logged under `logName`; the caller judges the outcome by reading back.
void writeDnsServers(
    const QString &id, const QString &name, DnsFamily family, const QStringList &servers, const QString &logName);
// While the VPN's servers are in place, the resolver may use no server beside them: one that
// cannot be written back as an entry (a scoped "fe80::1%eth0") is held out of use, and given
// back with the user's servers (`hold` false). Failures are logged under `logName`.
void holdForeignDnsServers(bool hold, const QString &logName);
// Empties the resolver cache; false when that failed (the reason is logged).
bool flushResolverCache();
// The program that flushes the cache when the call above failed; empty when there is none.
Command fallbackFlushCommand();

// Windows forms, plain functions tested on every system.
QStringList wmicGuidArguments();
QSet<QString> parseWmicGuids(const QByteArray &output);
// One netsh argument list per server piece: "set" for the first, "add ... index=N" after it.
QVector<QStringList> netshDnsArguments(DnsFamily family, const QString &interfaceName, const QStringList &pieces);

// Linux forms: /etc/resolv.conf text and the output of "resolvectl dns".
struct ResolvConf
{
    QStringList ipv4;
    QStringList ipv6;
};
ResolvConf parseResolvConf(const QString &text);
// The text with this family's nameserver lines replaced by `servers`, in the place of the
// first one; every other line kept as it was.
QString rewriteResolvConf(const QString &text, DnsFamily family, const QStringList &servers);
// The text with every nameserver line that is not a plain address commented out under a mark
// of ours (`hold`), or with the lines under that mark given back.
QString holdForeignNameservers(const QString &text, bool hold);
bool pointsAtResolvedStub(const QString &resolvConfText, const QString &linkTarget);
// Replaces a file's content without ever leaving it half written: through a symbolic link to
// its target, by a rename where that works, and in place (with the old content restored on
// failure) where the file is a mount point of its own or its folder takes no new files. The
// file's permissions are kept.
bool writeFileSafely(const QString &path, const QByteArray &content, QString *error);
struct ResolvedLink
{
    QString name;
    QStringList servers;
};
QVector<ResolvedLink> parseResolvectlDns(const QString &output);

} // namespace Platform

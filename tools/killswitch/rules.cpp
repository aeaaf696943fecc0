#include "rules.h"

#include "addresscheck.h"

#include <QHostAddress>

namespace KillSwitchRules {

namespace {

const QString table = QStringLiteral("inet velmorix_killswitch");

// The networks that "local" lets through. Multicast only in the groups that stay near: the
// IPv4 local network control block and the administratively scoped groups, the IPv6
// link-local and site-local scopes (whatever the flags); globally routed groups do not.
const QString localIpv4 = QStringLiteral("10.0.0.0/8, 172.16.0.0/12, 192.168.0.0/16, 169.254.0.0/16");
const QString localIpv4Destinations = localIpv4 + QStringLiteral(", 224.0.0.0/24, 239.0.0.0/8, 255.255.255.255");
const QString localIpv6 = QStringLiteral("fe80::/10, fc00::/7");

QString indexSet(const QVector<Tunnel> &tunnels)
{
    QStringList indexes;
    for (const Tunnel &tunnel : tunnels)
        indexes << QString::number(tunnel.index);
    return QStringLiteral("{ ") + indexes.join(QStringLiteral(", ")) + QStringLiteral(" }");
}

} // namespace

Request parse(const QStringList &arguments)
{
    Request request;
    if (arguments == QStringList{QStringLiteral("disable"), QStringLiteral("all")})
        return request;
    if (arguments.size() != 4 || arguments.at(0) != QLatin1String("enable")
        || arguments.at(1) != QLatin1String("all")) {
        request.error = QStringLiteral("usage: killswitch enable all SERVER local|'' | killswitch disable all");
        return request;
    }
    const AddressCheck::Verdict server = AddressCheck::plainAddress(arguments.at(2));
    if (server.family == AddressCheck::Family::None) {
        request.error = QStringLiteral("the server '%1' is refused: it %2")
                            .arg(AddressCheck::forLog(arguments.at(2)), server.refusal);
        return request;
    }
    if (!arguments.at(3).isEmpty() && arguments.at(3) != QLatin1String("local")) {
        request.error = QStringLiteral("the fourth argument is 'local' or empty, not '%1'")
                            .arg(AddressCheck::forLog(arguments.at(3)));
        return request;
    }
    request.enable = true;
    // The rules get the address as parsed, never the text given: nft reads some valid forms
    // ("1:2:3:4:5:6:1.2.3.4") differently or not at all, and a refused script is no switch.
    request.server = QHostAddress(arguments.at(2)).toString();
    request.allowLocal = arguments.at(3) == QLatin1String("local");
    return request;
}

QString script(const Request &request)
{
    // Adding the table first makes the deletion valid whether or not it exists.
    QString text = QStringLiteral("add table %1\ndelete table %1\n").arg(table);
    if (!request.enable)
        return text;

    const bool ipv6Server = AddressCheck::plainAddress(request.server).family == AddressCheck::Family::Ipv6;
    const QString family = ipv6Server ? QStringLiteral("ip6") : QStringLiteral("ip");
    const QString icmp = ipv6Server ? QStringLiteral("ipv6-icmp") : QStringLiteral("icmp");
    const QString tunnels = indexSet(request.tunnels);
    const auto rule = [](const QString &line) { return QStringLiteral("        ") + line + QLatin1Char('\n'); };
    const auto head = [](const QString &hook) {
        return QStringLiteral("    chain %1 {\n        type filter hook %1 priority 0; policy drop;\n").arg(hook);
    };

    // No blanket acceptance of tracked connections: a flow opened before the switch would
    // keep going outside the tunnel. Every rule below lets both directions of what it allows
    // through, so replies need no rule of their own.
    QString input = head(QStringLiteral("input"));
    input += rule(QStringLiteral("iif lo accept"));
    if (!request.tunnels.isEmpty())
        input += rule(QStringLiteral("iif %1 accept").arg(tunnels));
    input += rule(QStringLiteral("%1 saddr %2 accept").arg(family, request.server));
    // Errors about the tunnel's own packets (path MTU, unreachable) come from the routers on
    // the way, not from the server.
    input += rule(QStringLiteral("meta l4proto %1 ct state related ct original %2 daddr %3 accept")
                      .arg(icmp, family, request.server));
    // What keeps the physical link up: DHCP and IPv6 neighbour discovery, each in its own
    // family. Only root can use the DHCP client's ports; DHCPv6 and neighbour discovery with a
    // hop limit of 255 never leave the link, and multicast listener messages with a hop limit
    // of 1 never leave it either.
    input += rule(QStringLiteral("meta nfproto ipv4 udp sport 67 udp dport 68 accept"));
    input += rule(QStringLiteral("ip6 saddr fe80::/10 ip6 daddr fe80::/10 udp sport 547 udp dport 546 accept"));
    input += rule(QStringLiteral(
        "icmpv6 type { nd-router-advert, nd-neighbor-solicit, nd-neighbor-advert } ip6 hoplimit 255 accept"));
    input += rule(QStringLiteral("ip6 saddr fe80::/10 icmpv6 type mld-listener-query ip6 hoplimit 1 accept"));
    if (request.allowLocal) {
        input += rule(QStringLiteral("ip saddr { %1 } accept").arg(localIpv4));
        input += rule(QStringLiteral("ip6 saddr { %1 } accept").arg(localIpv6));
    }
    input += QStringLiteral("    }\n");

    QString output = head(QStringLiteral("output"));
    output += rule(QStringLiteral("oif lo accept"));
    if (!request.tunnels.isEmpty())
        output += rule(QStringLiteral("oif %1 accept").arg(tunnels));
    output += rule(QStringLiteral("%1 daddr %2 accept").arg(family, request.server));
    // A lease is asked for by broadcast and renewed at a server on the local network; one
    // that renews elsewhere falls back to broadcast before the lease runs out. The client's
    // port alone would carry anything a root process sends anywhere.
    output += rule(QStringLiteral("ip daddr { 255.255.255.255, %1 } udp sport 68 udp dport 67 accept").arg(localIpv4));
    output += rule(
        QStringLiteral("ip6 saddr fe80::/10 ip6 daddr { ff02::1:2, fe80::/10 } udp sport 546 udp dport 547 accept"));
    output += rule(QStringLiteral(
        "icmpv6 type { nd-router-solicit, nd-neighbor-solicit, nd-neighbor-advert } ip6 hoplimit 255 accept"));
    output +=
        rule(QStringLiteral("ip6 saddr { ::, fe80::/10 } ip6 daddr ff02::/16 icmpv6 type { "
                            "mld-listener-report, mld2-listener-report, mld-listener-done } ip6 hoplimit 1 accept"));
    if (request.allowLocal) {
        // A resolver on the local network would see every name looked up: DNS goes through
        // the tunnel even where the local network is open.
        output += rule(QStringLiteral("meta l4proto { tcp, udp } th dport 53 drop"));
        output += rule(QStringLiteral("ip daddr { %1 } accept").arg(localIpv4Destinations));
        output += rule(QStringLiteral("ip6 daddr { %1 } accept").arg(localIpv6));
        output += rule(QStringLiteral("ip6 daddr & ff0f:: == ff02:: accept"));
        output += rule(QStringLiteral("ip6 daddr & ff0f:: == ff05:: accept"));
    }
    output += QStringLiteral("    }\n");

    // Traffic routed through this machine (containers, virtual machines, a shared connection)
    // leaves through the tunnel or not at all.
    QString forward = head(QStringLiteral("forward"));
    if (!request.tunnels.isEmpty()) {
        // From the tunnel only back into it, or as the answer of a flow that went out through
        // it: nothing that arrives there is sent on to the local network or the physical link.
        forward += rule(QStringLiteral("oif %1 accept").arg(tunnels));
        forward += rule(QStringLiteral("iif %1 ct direction reply accept").arg(tunnels));
    }
    if (request.allowLocal) {
        // The tunnel's own addresses are private too: what arrives through it is no local
        // traffic.
        const QString notFromTunnel = request.tunnels.isEmpty() ? QString() : QStringLiteral("iif != %1 ").arg(tunnels);
        forward += rule(QStringLiteral("meta l4proto { tcp, udp } th dport 53 drop"));
        forward += rule(QStringLiteral("%1ip saddr { %2 } ip daddr { %2 } accept").arg(notFromTunnel, localIpv4));
        forward += rule(QStringLiteral("%1ip6 saddr { %2 } ip6 daddr { %2 } accept").arg(notFromTunnel, localIpv6));
    }
    forward += QStringLiteral("    }\n");

    return text + QStringLiteral("table %1 {\n").arg(table) + input + output + forward + QStringLiteral("}\n");
}

} // namespace KillSwitchRules

#include "rules.h"

#include <QHostAddress>

namespace KillSwitchRules {

namespace {

const QString table = QStringLiteral("inet velmorix_killswitch");

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
    QHostAddress server;
    if (!server.setAddress(arguments.at(2)) || server.isNull()) {
        request.error = QStringLiteral("'%1' is not an IP address").arg(arguments.at(2));
        return request;
    }
    if (!arguments.at(3).isEmpty() && arguments.at(3) != QLatin1String("local")) {
        request.error = QStringLiteral("the fourth argument is 'local' or empty, not '%1'").arg(arguments.at(3));
        return request;
    }
    request.enable = true;
    request.server = server.toString();
    request.allowLocal = arguments.at(3) == QLatin1String("local");
    return request;
}

QString script(const Request &request)
{
    // Adding the table first makes the deletion valid whether or not it exists.
    QString text = QStringLiteral("add table %1\ndelete table %1\n").arg(table);
    if (!request.enable)
        return text;

    const bool ipv6Server = QHostAddress(request.server).protocol() == QAbstractSocket::IPv6Protocol;
    const QString family = ipv6Server ? QStringLiteral("ip6") : QStringLiteral("ip");
    const auto chain = [&](const QString &name, const QString &hook, const QString &interface, const QString &peer) {
        QString rules =
            QStringLiteral("    chain %1 {\n        type filter hook %2 priority 0; policy drop;\n").arg(name, hook);
        rules += QStringLiteral("        %1 lo accept\n").arg(interface);
        rules += QStringLiteral("        ct state established,related accept\n");
        rules += QStringLiteral("        %1name { \"tun*\", \"wg*\" } accept\n").arg(interface);
        rules += QStringLiteral("        %1 %2 %3 accept\n").arg(family, peer, request.server);
        if (request.allowLocal) {
            rules += QStringLiteral("        ip %1 { 10.0.0.0/8, 172.16.0.0/12, 192.168.0.0/16, 169.254.0.0/16, "
                                    "224.0.0.0/4, 255.255.255.255 } accept\n")
                         .arg(peer);
            rules += QStringLiteral("        ip6 %1 { fe80::/10, fc00::/7, ff00::/8 } accept\n").arg(peer);
        }
        return rules + QStringLiteral("    }\n");
    };
    text += QStringLiteral("table %1 {\n").arg(table);
    text += chain(QStringLiteral("input"), QStringLiteral("input"), QStringLiteral("iif"), QStringLiteral("saddr"));
    text += chain(QStringLiteral("output"), QStringLiteral("output"), QStringLiteral("oif"), QStringLiteral("daddr"));
    text += QStringLiteral("}\n");
    return text;
}

} // namespace KillSwitchRules

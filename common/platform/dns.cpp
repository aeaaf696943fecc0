#include "platform/dns.h"

#include "addresscheck.h"

#include <QRegularExpression>

namespace Platform {

namespace {

// Only plain addresses count as servers: a line with a scope id ("fe80::1%eth0") or anything
// else that this program would not write is someone else's and stays as it is.
bool isFamily(const QString &address, DnsFamily family)
{
    return AddressCheck::plainAddress(address).family
        == (family == DnsFamily::Ipv4 ? AddressCheck::Family::Ipv4 : AddressCheck::Family::Ipv6);
}

// "nameserver ADDRESS".
QString nameserverOf(const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    if (words.size() < 2 || words.first() != QLatin1String("nameserver"))
        return QString();
    return words.at(1);
}

} // namespace

QStringList wmicGuidArguments()
{
    return {QStringLiteral("nic"),
            QStringLiteral("where"),
            QStringLiteral("GUID is not null"),
            QStringLiteral("get"),
            QStringLiteral("GUID")};
}

QSet<QString> parseWmicGuids(const QByteArray &output)
{
    QSet<QString> guids;
    for (const QString &piece : QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString simplified = piece.simplified();
        if (simplified.startsWith(QLatin1Char('{')))
            guids.insert(simplified.toUpper());
    }
    return guids;
}

QVector<QStringList> netshDnsArguments(DnsFamily family, const QString &interfaceName, const QStringList &pieces)
{
    const QString word = family == DnsFamily::Ipv4 ? QStringLiteral("ipv4") : QStringLiteral("ipv6");
    QVector<QStringList> runs;
    const QStringList servers = pieces.isEmpty() ? QStringList{QString()} : pieces;
    for (int k = 0; k < servers.size(); ++k) {
        if (k == 0) {
            runs << QStringList{QStringLiteral("interface"),
                                word,
                                QStringLiteral("set"),
                                QStringLiteral("dns"),
                                QStringLiteral("name="),
                                interfaceName,
                                QStringLiteral("static"),
                                servers.at(k),
                                QStringLiteral("primary"),
                                QStringLiteral("validate=no")};
        } else {
            runs << QStringList{QStringLiteral("interface"),
                                word,
                                QStringLiteral("add"),
                                QStringLiteral("dns"),
                                QStringLiteral("name="),
                                interfaceName,
                                servers.at(k),
                                QStringLiteral("index=%1").arg(k + 1)};
        }
    }
    return runs;
}

ResolvConf parseResolvConf(const QString &text)
{
    ResolvConf conf;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString address = nameserverOf(line);
        if (isFamily(address, DnsFamily::Ipv4))
            conf.ipv4 << address;
        else if (isFamily(address, DnsFamily::Ipv6))
            conf.ipv6 << address;
    }
    return conf;
}

QString rewriteResolvConf(const QString &text, DnsFamily family, const QStringList &servers)
{
    QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    const bool endsWithNewline = text.endsWith(QLatin1Char('\n'));
    if (endsWithNewline)
        lines.removeLast();
    QStringList result;
    int insertAt = -1;
    for (const QString &line : qAsConst(lines)) {
        const QString address = nameserverOf(line);
        if (isFamily(address, family)) {
            if (insertAt < 0)
                insertAt = result.size();
            continue;
        }
        result << line;
    }
    QStringList added;
    // Nothing but an address of the family reaches the file: a line break in a server would
    // add lines of its own.
    for (const QString &server : servers) {
        if (isFamily(server.trimmed(), family))
            added << QStringLiteral("nameserver ") + server.trimmed();
    }
    if (insertAt < 0) {
        // No server of this family yet: after the last nameserver line, or at the end.
        insertAt = result.size();
        for (int i = result.size() - 1; i >= 0; --i) {
            if (!nameserverOf(result.at(i)).isEmpty()) {
                insertAt = i + 1;
                break;
            }
        }
    }
    for (int i = 0; i < added.size(); ++i)
        result.insert(insertAt + i, added.at(i));
    QString rewritten = result.join(QLatin1Char('\n'));
    if (endsWithNewline || (!result.isEmpty() && text.isEmpty()))
        rewritten += QLatin1Char('\n');
    return rewritten;
}

QString holdForeignNameservers(const QString &text, bool hold)
{
    static const QString mark = QStringLiteral("#velmorix-held: ");
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (!hold) {
            if (line.startsWith(mark))
                line = line.mid(mark.size());
            continue;
        }
        const QString address = nameserverOf(line);
        // The C library reads such a line as a server ("010.1.1.1" too, as 10.1.1.1).
        if (!address.isEmpty() && !isFamily(address, DnsFamily::Ipv4) && !isFamily(address, DnsFamily::Ipv6))
            line = mark + line;
    }
    return lines.join(QLatin1Char('\n'));
}

bool pointsAtResolvedStub(const QString &resolvConfText, const QString &linkTarget)
{
    if (linkTarget.contains(QLatin1String("/run/systemd/resolve/")))
        return true;
    const ResolvConf conf = parseResolvConf(resolvConfText);
    return conf.ipv4 == QStringList{QStringLiteral("127.0.0.53")} && conf.ipv6.isEmpty();
}

QVector<ResolvedLink> parseResolvectlDns(const QString &output)
{
    // "Global: 1.1.1.1" and "Link 2 (eth0): 192.168.1.1 1.1.1.1#one.one.one.one", a long list
    // wrapped onto indented lines of its own.
    static const QRegularExpression link(QStringLiteral("^Link\\s+\\d+\\s+\\(([^)]+)\\):(.*)$"));
    QVector<ResolvedLink> links;
    bool inLink = false;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        const bool continued = !line.isEmpty() && line.at(0).isSpace() && !line.trimmed().isEmpty();
        if (continued) {
            if (inLink)
                links.last().servers << line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            continue;
        }
        const QRegularExpressionMatch match = link.match(line.trimmed());
        inLink = match.hasMatch();
        if (inLink)
            links.append(
                {match.captured(1), match.captured(2).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)});
    }
    return links;
}

} // namespace Platform

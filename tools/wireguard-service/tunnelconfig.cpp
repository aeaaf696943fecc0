#include "tunnelconfig.h"

#include "addresscheck.h"

#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>
#include <QSet>

namespace {

bool isKey(const QString &key)
{
    static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/]{43}=$"));
    return base64.match(key).hasMatch();
}

// An address without scope or anything around it, for a route or an interface.
bool isPlainAddress(const QString &text)
{
    return AddressCheck::plainAddress(text).family != AddressCheck::Family::None;
}

// "ADDRESS/BITS", or a plain address.
bool isNetwork(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() > 2 || !isPlainAddress(parts.at(0)))
        return false;
    if (parts.size() == 1)
        return true;
    bool ok = false;
    const int bits = parts.at(1).toInt(&ok);
    const int width = QHostAddress(parts.at(0)).protocol() == QAbstractSocket::IPv4Protocol ? 32 : 128;
    return ok && parts.at(1) == QString::number(bits) && bits >= 0 && bits <= width;
}

} // namespace

TunnelConfig TunnelConfig::parse(const QString &text)
{
    TunnelConfig config;
    const auto refuse = [&config](const QString &why) {
        config.error = why;
        config.dnsServers.clear();
        return config;
    };
    // Root acts on every value of this file: each key once, in its section, with a value of
    // its kind; anything else is no configuration of the client's.
    static const QSet<QString> interfaceKeys = {
        QStringLiteral("PrivateKey"), QStringLiteral("Address"), QStringLiteral("DNS")};
    static const QSet<QString> peerKeys = {
        QStringLiteral("PublicKey"), QStringLiteral("AllowedIPs"), QStringLiteral("Endpoint")};
    QString section;
    QSet<QString> seen;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        for (const QChar c : line) {
            if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
                return refuse(QStringLiteral("a control character"));
        }
        line = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (line != QLatin1String("[Interface]") && line != QLatin1String("[Peer]"))
                return refuse(QStringLiteral("unknown section %1").arg(line));
            if (seen.contains(line))
                return refuse(QStringLiteral("a second %1").arg(line));
            seen << line;
            section = line;
            continue;
        }
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        const bool known = (section == QLatin1String("[Interface]") && interfaceKeys.contains(key))
            || (section == QLatin1String("[Peer]") && peerKeys.contains(key));
        if (!known)
            return refuse(QStringLiteral("unknown key '%1'").arg(key.left(32)));
        if (seen.contains(section + key))
            return refuse(QStringLiteral("a second %1").arg(key));
        seen << section + key;
        if (key == QLatin1String("PrivateKey")) {
            config.privateKey = value;
        } else if (key == QLatin1String("Address")) {
            config.address = value;
        } else if (key == QLatin1String("DNS")) {
            config.dns = value;
        } else if (key == QLatin1String("PublicKey")) {
            config.peerPublicKey = value;
        } else if (key == QLatin1String("AllowedIPs")) {
            for (const QString &ip : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                config.allowedIps << ip.trimmed();
        } else if (key == QLatin1String("Endpoint")) {
            const int colon = value.lastIndexOf(QLatin1Char(':'));
            config.endpointHost = value.left(colon).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
            config.endpointPort = colon > 0 ? value.mid(colon + 1).toUShort() : 0;
        }
    }
    if (!isKey(config.privateKey))
        return refuse(QStringLiteral("no usable PrivateKey"));
    if (!isKey(config.peerPublicKey))
        return refuse(QStringLiteral("no usable peer PublicKey"));
    if (!isNetwork(config.address))
        return refuse(QStringLiteral("no usable Address"));
    // The servers reach root's resolver configuration through the dns program.
    for (const QString &server : config.dns.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const AddressCheck::Verdict verdict = AddressCheck::plainAddress(server.trimmed());
        if (verdict.family == AddressCheck::Family::None)
            return refuse(
                QStringLiteral("the DNS server '%1' %2").arg(AddressCheck::forLog(server.trimmed()), verdict.refusal));
        config.dnsServers << server.trimmed();
    }
    if (config.allowedIps.isEmpty())
        return refuse(QStringLiteral("no AllowedIPs"));
    for (const QString &network : config.allowedIps) {
        if (!isNetwork(network))
            return refuse(QStringLiteral("no usable AllowedIPs"));
    }
    if (!isPlainAddress(config.endpointHost) || config.endpointPort == 0)
        return refuse(QStringLiteral("no usable Endpoint"));
    return config;
}

QString TunnelConfig::interfaceName(const QString &configPath)
{
    return QFileInfo(configPath).completeBaseName().left(15);
}

QString unitText(quint64 bytes)
{
    static const char *const units[] = {"KiB", "MiB", "GiB", "TiB"};
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    double value = double(bytes);
    int unit = -1;
    while (unit < 3 && value >= 1024.0) {
        value /= 1024.0;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

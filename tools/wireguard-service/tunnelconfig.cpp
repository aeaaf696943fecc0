#include "tunnelconfig.h"

#include "addresscheck.h"

#include <QFileInfo>
#include <QHostAddress>

TunnelConfig TunnelConfig::parse(const QString &text)
{
    TunnelConfig config;
    QString section;
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            section = line;
            continue;
        }
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        if (section == QLatin1String("[Interface]")) {
            if (key == QLatin1String("PrivateKey"))
                config.privateKey = value;
            else if (key == QLatin1String("Address"))
                config.address = value;
            else if (key == QLatin1String("DNS"))
                config.dns = value;
        } else if (section == QLatin1String("[Peer]")) {
            if (key == QLatin1String("PublicKey")) {
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
    }
    const auto isKey = [](const QString &key) { return QByteArray::fromBase64(key.toLatin1()).size() == 32; };
    if (!isKey(config.privateKey))
        config.error = QStringLiteral("no usable PrivateKey");
    else if (!isKey(config.peerPublicKey))
        config.error = QStringLiteral("no usable peer PublicKey");
    else if (QHostAddress(config.address.section(QLatin1Char('/'), 0, 0)).isNull())
        config.error = QStringLiteral("no usable Address");
    else if (QHostAddress(config.endpointHost).isNull() || config.endpointPort == 0)
        config.error = QStringLiteral("no usable Endpoint");
    for (const QString &server : config.dns.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const AddressCheck::Verdict verdict = AddressCheck::plainAddress(server.trimmed());
        if (verdict.family == AddressCheck::Family::None) {
            if (config.error.isEmpty())
                config.error = QStringLiteral("the DNS server '%1' %2")
                                   .arg(AddressCheck::forLog(server.trimmed()), verdict.refusal);
            config.dnsServers.clear();
            break;
        }
        config.dnsServers << server.trimmed();
    }
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

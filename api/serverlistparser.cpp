#include "serverlistparser.h"

#include "addresscheck.h"
#include "logger.h"
#include "utils.h"

#include <QDebug>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

// A catalogue text for display: control characters (which character references bring in
// even where the document itself may hold none) are dropped.
QString cleaned(const QStringRef &value)
{
    QString text = value.toString();
    if (!Utils::containsControlCharacter(text))
        return text;
    text.remove(QRegularExpression(QStringLiteral("\\p{Cc}")));
    return text;
}

Server serverFromAttributes(const QXmlStreamAttributes &attributes)
{
    Server server;
    server.ip = attributes.value(QLatin1String("ip")).toString();
    server.id = server.ip;
    server.country = cleaned(attributes.value(QLatin1String("country")));
    server.name = cleaned(attributes.value(QLatin1String("name")));
    server.city = cleaned(attributes.value(QLatin1String("city")));
    // Catalogue cities may repeat the country ("NL Amsterdam"). Without a country the prefix
    // would be a lone blank, and every blank of the city would go.
    if (!server.country.isEmpty())
        server.city.remove(server.country + QLatin1Char(' '), Qt::CaseSensitive);
    server.capacity = attributes.value(QLatin1String("capacity")).toInt();
    server.cpu = attributes.value(QLatin1String("cpu")).toFloat();
    return server;
}

QString legalXmlText(const QString &text)
{
    QString result = text;
    const int size = result.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = result.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < size && result.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if ((u < 0x20 && u != 0x09 && u != 0x0a && u != 0x0d) || c.isSurrogate() || u == 0xfffe || u == 0xffff)
            result[i] = QChar::ReplacementCharacter;
    }
    return result;
}

Servers groupedByCountry(const Servers &servers)
{
    // One pass into groups keyed by the lower-cased code; the map keeps the codes in order.
    QMap<QString, Servers> groups;
    for (const Server &server : servers)
        groups[server.country.toLower()] << server;

    Servers result;
    result.reserve(servers.size());
    for (Servers &group : groups) {
        std::stable_sort(group.begin(), group.end(), [](const Server &a, const Server &b) { return a.city < b.city; });
        result << group;
    }
    return result;
}

} // namespace

Servers parseServerList(const QString &document, const QString &logName)
{
    Servers accepted;
    QSet<Server> seen;
    QStringList notAvailable;

    QXmlStreamReader reader(legalXmlText(document));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("server"))
            continue;

        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.value(QLatin1String("visible")).toInt() == 0
            && attributes.value(QLatin1String("status")).toInt() == 0)
            continue;

        const Server server = serverFromAttributes(attributes);
        // The address goes into the engines' configurations and the firewall rules as it
        // stands: one address, nothing that could start a line of its own.
        if (!Utils::isServerAddress(server.ip)) {
            Log::warning(logName,
                         QStringLiteral("Dropped server '%1': its address '%2' is neither an IPv4 address nor a host "
                                        "name")
                             .arg(server.name, AddressCheck::forLog(server.ip)));
            continue;
        }
        if (seen.contains(server)) {
            Log::warning(logName, QStringLiteral("Duplicate server detected: '%1'").arg(server.locationText()));
            continue;
        }

        const QStringRef cpu = attributes.value(QLatin1String("cpu"));
        if (cpu != QLatin1String("0.00")) {
            accepted << server;
            seen.insert(server);
        } else {
            notAvailable << QStringLiteral("%1 (%2)").arg(server.locationText(), cpu.toString());
        }
    }

    if (reader.hasError()) {
        Log::critical(logName, QStringLiteral("Cannot parse XML: ") + reader.errorString());
        return accepted;
    }
    if (!notAvailable.isEmpty())
        Log::warning(logName, QStringLiteral("Not available servers: %1").arg(notAvailable.join(QStringLiteral(", "))));
    return groupedByCountry(accepted);
}

QString decodeServerListBody(const QByteArray &body)
{
    const auto startsWith = [&body](const char *mark) { return body.startsWith(QByteArray(mark)); };
    if (startsWith("\xff\xfe") || startsWith("\xfe\xff")) {
        const bool little = startsWith("\xff\xfe");
        QString text;
        text.reserve(body.size() / 2);
        for (int i = 2; i + 1 < body.size(); i += 2) {
            const ushort low = uchar(body.at(little ? i : i + 1));
            const ushort high = uchar(body.at(little ? i + 1 : i));
            text += QChar(ushort(high << 8 | low));
        }
        // A last odd byte is half a character.
        if (body.size() % 2 != 0)
            text += QChar::ReplacementCharacter;
        return text;
    }
    // The whole body: the overload for a byte array would stop at the first NUL byte.
    const int skip = startsWith("\xef\xbb\xbf") ? 3 : 0;
    return QString::fromUtf8(body.constData() + skip, body.size() - skip);
}

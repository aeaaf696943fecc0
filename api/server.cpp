#include "server.h"

#include "countrynames.h"
#include "utils.h"

#include <QHash>
#include <QSet>
#include <QUrl>
#include <QUuid>
#include <QVector>

Server Server::createCountryRow(const QString &code, const QString &headerText)
{
    Server row;
    row.countryServer = true;
    row.country = code;
    row.id = QUuid::createUuid().toString();
    if (!headerText.isEmpty()) {
        row.name = headerText;
        row.serviceHeader = true;
    }
    return row;
}

bool Server::isValid() const
{
    if (countryServer)
        return !country.isEmpty() || !id.isEmpty();
    return !city.isEmpty() || !country.isEmpty() || !ip.isEmpty() || !name.isEmpty() || capacity != 0 || !id.isEmpty();
}

QString Server::locationText() const
{
    if (countryServer)
        return country;
    return QStringLiteral("%1, %2").arg(country, city);
}

QString Server::countryDisplayName() const
{
    return serviceHeader ? name : CountryNames::nameForCode(country);
}

bool Server::matchesSearch(const QString &phrase) const
{
    const QString wanted = phrase.toLower();
    return countryDisplayName().toLower().contains(wanted) || city.toLower().contains(wanted)
        || name.toLower().contains(wanted);
}

bool Server::operator==(const Server &other) const
{
    return city == other.city && country == other.country && ip == other.ip && name == other.name && id == other.id
        && capacity == other.capacity && countryServer == other.countryServer && favorite == other.favorite
        && serviceHeader == other.serviceHeader;
}

uint qHash(const Server &server, uint seed)
{
    // The fields of the equality, cpu left out.
    const auto combine = [&seed](uint hash) { seed ^= hash + 0x9e3779b9U + (seed << 6) + (seed >> 2); };
    combine(qHash(server.city));
    combine(qHash(server.country));
    combine(qHash(server.ip));
    combine(qHash(server.name));
    combine(qHash(server.id));
    combine(qHash(server.capacity));
    combine(uint(server.countryServer) | uint(server.favorite) << 1 | uint(server.serviceHeader) << 2);
    return seed;
}

Servers serversOfCountry(const Servers &servers, const QString &code)
{
    Servers result;
    for (const Server &server : servers) {
        if (server.country.compare(code, Qt::CaseInsensitive) == 0)
            result << server;
    }
    return result;
}

Server serverByIp(const Servers &servers, const QString &ip)
{
    for (const Server &server : servers) {
        if (server.ip == ip)
            return server;
    }
    return Server();
}

QString ipForName(const Servers &servers, const QString &text)
{
    for (const Server &server : servers) {
        if (server.name == text)
            return server.ip;
    }
    return text;
}

QString nameForIp(const Servers &servers, const QString &text)
{
    if (Utils::isIpv4Address(text)) {
        const Server server = serverByIp(servers, text);
        if (server.isValid())
            return server.name;
    }
    return text;
}

QStringList serverIps(const Servers &servers)
{
    QStringList ips;
    ips.reserve(servers.size());
    for (const Server &server : servers)
        ips << server.ip;
    return ips;
}

QStringList countryCodes(const Servers &servers)
{
    QSet<QString> seen;
    QStringList codes;
    for (const Server &server : servers) {
        const QString code = server.country.toLower();
        if (!seen.contains(code)) {
            seen.insert(code);
            codes << code;
        }
    }
    codes.sort(Qt::CaseSensitive);
    return codes;
}

QStringList countryNames(const Servers &servers)
{
    QSet<QString> seen;
    QStringList names;
    for (const Server &server : servers) {
        if (!seen.contains(server.country)) {
            seen.insert(server.country);
            names << CountryNames::nameForCode(server.country);
        }
    }
    names.sort(Qt::CaseSensitive);
    return names;
}

void applyFavorites(Servers &servers, const QStringList &references)
{
    enum class Kind { Country, Address, HostName, Nothing };
    // Classified once: the list may hold thousands of servers.
    QVector<Kind> kinds;
    kinds.reserve(references.size());
    for (const QString &reference : references) {
        if (reference.size() == 2)
            kinds << Kind::Country;
        else if (Utils::isIpv4Address(reference))
            kinds << Kind::Address;
        else if (isHostName(reference))
            kinds << Kind::HostName;
        else
            kinds << Kind::Nothing;
    }

    for (Server &server : servers) {
        server.favorite = false;
        for (int i = 0; i < references.size() && !server.favorite; ++i) {
            const QString &reference = references.at(i);
            switch (kinds.at(i)) {
            case Kind::Country: server.favorite = server.countryServer && server.country == reference; break;
            case Kind::Address: server.favorite = server.ip == reference; break;
            case Kind::HostName: server.favorite = server.name == reference; break;
            case Kind::Nothing: break;
            }
        }
    }
}

void setFavoriteByIp(Servers &servers, const QString &ip, bool favorite)
{
    if (!Utils::isIpv4Address(ip))
        return;
    for (Server &server : servers) {
        if (server.ip == ip)
            server.favorite = favorite;
    }
}

bool isCountryCode(const QString &text)
{
    return text.size() == 2;
}

bool isHostName(const QString &text)
{
    // An empty host is a valid URL part, but it names nothing.
    if (text.isEmpty() || text.size() == 2)
        return false;
    QUrl url;
    url.setHost(text, QUrl::DecodedMode);
    return url.isValid() && !url.host().isEmpty();
}

bool isUuidText(const QString &text)
{
    return !QUuid(text).isNull();
}

QString locationDescription(const QString &ip, const QString &location, bool vpn)
{
    return QStringLiteral("%1location in '%2' (%3)").arg(vpn ? QStringLiteral("VPN ") : QString(), location, ip);
}

#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One row of a server list: a catalogue server, a whole country, or a section header.
class Server
{
public:
    QString city;
    QString country; // ISO 3166 code in any case; "*1" or "*2" on the recent list's headers
    QString ip;
    QString name; // host name; the display text on a header row
    QString id; // the address for a catalogue server, a braced UUID for a synthetic row
    bool countryServer = false;
    bool favorite = false;
    bool serviceHeader = false;
    float cpu = 0; // takes no part in equality
    qint32 capacity = 0;

    // A row that stands for a whole country; with a header text, a section header.
    static Server createCountryRow(const QString &code, const QString &headerText = QString());

    bool isValid() const;
    QString locationText() const;
    QString countryDisplayName() const;
    bool matchesSearch(const QString &phrase) const;

    bool operator==(const Server &other) const;
    bool operator!=(const Server &other) const { return !(*this == other); }
};

uint qHash(const Server &server, uint seed = 0);

using Servers = QList<Server>;

Servers serversOfCountry(const Servers &servers, const QString &code);
Server serverByIp(const Servers &servers, const QString &ip);
QString ipForName(const Servers &servers, const QString &text);
QString nameForIp(const Servers &servers, const QString &text);
QStringList serverIps(const Servers &servers);
QStringList countryCodes(const Servers &servers);
QStringList countryNames(const Servers &servers);

// Marks each row that the first matching reference names: a country code marks a country row,
// an address every server with it, a host name the servers of that name.
void applyFavorites(Servers &servers, const QStringList &references);
void setFavoriteByIp(Servers &servers, const QString &ip, bool favorite);

// What a stored reference (favourite, current location) can be.
bool isCountryCode(const QString &text);
bool isHostName(const QString &text);
bool isUuidText(const QString &text);

// "VPN location in 'nl, Amsterdam' (1.2.3.4)", for log lines.
QString locationDescription(const QString &ip, const QString &location, bool vpn);

Q_DECLARE_METATYPE(Server)
Q_DECLARE_METATYPE(Servers)

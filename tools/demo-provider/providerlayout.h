#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>

// What the demo provider consists of, read from its layout file (tools/demo-provider/*.layout):
// the backend's address, the client's own network, the accounts and the VPN servers. The network
// script reads the same file, so both see one provider.
//
// One record a line, fields separated by "|"; "#" starts a comment line:
//   backend|ADDRESS|PORT
//   client|ADDRESS/PREFIX|GATEWAY|COUNTRY
//   tunnel-only|ADDRESS
//   account|USER|PASSWORD|WIREGUARD ADDRESS|WIREGUARD PRIVATE KEY FILE
//     (user and password of letters, digits and ._@+- only: they reach the servers' login check)
//   server|COUNTRY|CITY|NAME|ADDRESS|ROUND TRIP MS
//   tcp-ports|PORT PORT ...
//   udp-ports|PORT PORT ...
//   margin|MS
//     (how far apart two round trips must be for a probe to be sure to tell them apart on the
//     emulated links; checks of the client's latency order compare only those)
class ProviderLayout
{
public:
    struct Server
    {
        QString country; // lower case
        QString city;
        QString name;
        QHostAddress address;
        int latencyMs = 0;
    };

    struct Account
    {
        QString user;
        QString password;
        QString wgAddress;
        QString wgPrivateKey; // the key itself, read from its file
    };

    // Reads a layout; files named in it are relative to its folder. On failure the error names
    // the line and what is wrong with it, and the layout is empty.
    static ProviderLayout read(const QString &path, QString *error);
    static ProviderLayout parse(const QByteArray &text, const QString &folder, QString *error);

    bool isValid() const { return !m_servers.isEmpty(); }
    const QList<Server> &servers() const { return m_servers; }
    const QList<Account> &accounts() const { return m_accounts; }
    QHostAddress backendAddress() const { return m_backendAddress; }
    quint16 backendPort() const { return m_backendPort; }
    QHostAddress clientAddress() const { return m_clientAddress; }
    QString clientCountry() const { return m_clientCountry; }
    QList<quint16> tcpPorts() const { return m_tcpPorts; }
    QList<quint16> udpPorts() const { return m_udpPorts; }

    QHostAddress clientGateway() const { return m_clientGateway; }
    int clientPrefix() const { return m_clientPrefix; }
    QHostAddress tunnelOnlyAddress() const { return m_tunnelOnlyAddress; }
    int marginMs() const { return m_marginMs; }

    // The catalogue as the backend publishes it.
    QByteArray catalogue() const;
    // The country of each server's address, for the address reply.
    QHash<QString, QString> countryOfAddress() const;
    // The layout in checked words, one record a line, for the network script: nothing in it
    // needs quoting.
    QByteArray describe() const;

private:
    QList<Server> m_servers;
    QList<Account> m_accounts;
    QHostAddress m_backendAddress;
    quint16 m_backendPort = 0;
    QHostAddress m_clientAddress;
    QString m_clientCountry;
    QHostAddress m_clientGateway;
    int m_clientPrefix = 0;
    QHostAddress m_tunnelOnlyAddress;
    QList<quint16> m_tcpPorts;
    QList<quint16> m_udpPorts;
    int m_marginMs = 0;
};

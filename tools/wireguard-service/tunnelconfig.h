#pragma once

#include <QString>
#include <QStringList>

// The tunnel configuration that the client writes (the wg-quick form).
struct TunnelConfig
{
    QString privateKey;
    QString address;
    QString dns;
    // The servers of the DNS line, each a plain address (a line with anything else is refused:
    // the servers reach root's resolver configuration).
    QStringList dnsServers;
    QString peerPublicKey;
    QStringList allowedIps;
    QString endpointHost;
    quint16 endpointPort = 0;
    QString error; // empty when the text is a usable configuration

    static TunnelConfig parse(const QString &text);
    // An interface name for the file: its base name, cut to the kernel's 15 characters.
    static QString interfaceName(const QString &configPath);
};

// "12 B", "1.5 KiB", ...: the unit texts that the client reads.
QString unitText(quint64 bytes);

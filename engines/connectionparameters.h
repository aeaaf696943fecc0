#pragma once

#include <QMetaType>
#include <QString>

// What one connection attempt needs to know, filled by the controller from the settings.
struct ConnectionParameters
{
    QString userName;
    QString password;
    QString server;
    int protocol = 0;
    quint16 port = 0;
    bool autoReconnectionOnError = true;
    bool ipv6Enabled = false;
};

Q_DECLARE_METATYPE(ConnectionParameters)

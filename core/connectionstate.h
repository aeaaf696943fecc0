#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

// The states of a VPN session, shared by the engines, the controller, the tray and the QML
// scene (which writes ConnectionState.Connected).
class ConnectionState : public QObject
{
    Q_OBJECT

public:
    enum class Id {
        Disconnected = 0,
        Preparing = 1,
        Connecting = 2,
        Connected = 3,
        Disconnecting = 4,
        Reconnecting = 5,
        Error = 6,
        Unknown = 7,
    };
    Q_ENUM(Id)

    // The symbolic name for logs ("Connected", or "'Connected'" when quoted); "Unknown" for any
    // value outside the enumeration.
    static QString stateName(Id id, bool quoted = false);
    static QString stateName(int id, bool quoted = false);

    // The translated text for the user ("Connecting..."); "Unknown" for any other value.
    static QString stateText(Id id);
    static QString stateText(int id);

    // Makes the state usable in queued connections and QVariants under both of its names.
    static void registerMetaType();
};

Q_DECLARE_METATYPE(ConnectionState::Id)

#pragma once

#include "platform/engines.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QWebSocket;

// Who may command the service: the client executable of the application directory, and the
// further programs that root named when it started the service (tests and tools that drive
// it as the client). A peer is known by the processes that hold its end of the loopback
// connection; every one of them must be such a program, since each could write commands.
class AccessControl final
{
public:
    struct Peer
    {
        bool allowed = false;
        int uid = -1; // the owner of the peer's socket: whose files the commands may name
        QString description; // for log lines: "'velmorix' (pid 42, uid 1000)"
        QString refusal; // why a peer is not taken
    };

    // The executables that may command, each resolved to its real file.
    explicit AccessControl(const QStringList &clientExecutables);

    QStringList clients() const { return m_clients; }
    Peer identify(const QVector<Platform::TcpPeer> &holders) const;
    Peer identify(const QWebSocket &connection) const;

private:
    QStringList m_clients;
};

#include "accesscontrol.h"

#include <QFileInfo>
#include <QWebSocket>

AccessControl::AccessControl(const QStringList &clientExecutables)
{
    for (const QString &executable : clientExecutables) {
        // A link names the file it points at; a missing file names nothing.
        const QString real = QFileInfo(executable).canonicalFilePath();
        if (!real.isEmpty() && !m_clients.contains(real))
            m_clients << real;
    }
}

AccessControl::Peer AccessControl::identify(const QVector<Platform::TcpPeer> &holders) const
{
    Peer peer;
    QStringList described;
    for (const Platform::TcpPeer &holder : holders) {
        described << QStringLiteral("'%1' (pid %2, uid %3)")
                         .arg(holder.executable.isEmpty() ? QStringLiteral("?") : holder.executable)
                         .arg(holder.pid)
                         .arg(holder.uid);
    }
    peer.description =
        described.isEmpty() ? QStringLiteral("an unknown process") : described.join(QStringLiteral(", "));
    if (holders.isEmpty()) {
        peer.refusal = QStringLiteral("no process holds the connection");
        return peer;
    }
    for (const Platform::TcpPeer &holder : holders) {
        if (holder.executable.isEmpty() || holder.pid < 0) {
            peer.refusal = QStringLiteral("a process that cannot be inspected holds the connection");
            return peer;
        }
        if (!m_clients.contains(holder.executable)) {
            peer.refusal = QStringLiteral("'%1' is not the client").arg(holder.executable);
            return peer;
        }
    }
    peer.allowed = true;
    peer.uid = holders.first().uid;
    return peer;
}

AccessControl::Peer AccessControl::identify(const QWebSocket &connection) const
{
    // The client's end: its own address and port are our peer's, its far end is us.
    return identify(Platform::tcpPeers(
        connection.peerAddress(), connection.peerPort(), connection.localAddress(), connection.localPort()));
}

#include "portchecker.h"

#include "tcpconnection.h"
#include "vpnclient.h"

#include <QDebug>

PortChecker::PortChecker(const QString &host, const QList<quint16> &ports, int timeoutSeconds)
    : m_portsText(VpnClient::joinPorts(ports))
    , m_timeoutSeconds(timeoutSeconds)
{
    setObjectName(QStringLiteral("PortChecker"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PortChecker::onTimeout);
    for (quint16 port : ports) {
        auto *connection = new TcpConnection(host, port);
        connect(connection, &TcpConnection::portIsAvailable, this, &PortChecker::onPortIsAvailable);
        m_connections << connection;
    }
}

PortChecker::~PortChecker()
{
    deleteConnections();
}

void PortChecker::check(bool stopOnFirst)
{
    m_stopOnFirst = stopOnFirst;
    m_reported = false;
    qInfo().noquote() << objectName() + QStringLiteral(": Checking: ") + m_portsText;
    for (TcpConnection *connection : qAsConst(m_connections))
        connection->check();
    m_timer.start(m_timeoutSeconds * 1000);
}

void PortChecker::onPortIsAvailable(quint16 port)
{
    if (m_stopOnFirst && m_reported)
        return;
    qInfo().noquote() << objectName() + QStringLiteral(": Port '%1' is available").arg(port);
    m_timer.stop();
    m_reported = true;
    emit portIsAvailable(port);
    if (m_stopOnFirst)
        deleteConnections();
}

void PortChecker::onTimeout()
{
    if (m_reported)
        return;
    qInfo().noquote() << objectName() + QStringLiteral(": Timeout");
    emit timeout();
}

void PortChecker::deleteConnections()
{
    // Not from within their own signal: they go through the event loop.
    for (TcpConnection *connection : qAsConst(m_connections)) {
        connection->disconnect(this);
        connection->deleteLater();
    }
    m_connections.clear();
}

#include "tcpserver.h"

#include "logger.h"

#include "platform/engines.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

TcpServer::TcpServer(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("TcpServer"));
}

TcpServer::~TcpServer() = default;

bool TcpServer::start(const QString &host, quint16 port)
{
    delete m_server;
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(1);
    connect(m_server, &QTcpServer::acceptError, this, &TcpServer::onAcceptError);
    connect(m_server, &QTcpServer::newConnection, this, &TcpServer::onNewConnection);
    if (m_server->listen(QHostAddress(host), port)) {
        emit serverStarted();
        return true;
    }
    Log::warning(
        this,
        QStringLiteral("Can't start TCP server, %1,%2").arg(int(m_server->serverError())).arg(m_server->errorString()));
    return false;
}

void TcpServer::stopListening()
{
    if (m_server)
        m_server->close();
}

void TcpServer::close()
{
    stopListening();
    // Closing emits disconnected(), whose handler forgets the connection: keep it at hand.
    QTcpSocket *socket = m_socket;
    if (!socket)
        return;
    m_socket = nullptr;
    // A command written just before (the engine's stop signal) is still in our buffer: it
    // leaves first. Unread input is taken, or the system would answer the close with a reset
    // that may overtake the command.
    socket->flush();
    if (socket->bytesToWrite() > 0)
        socket->waitForBytesWritten(1000);
    socket->readAll();
    socket->disconnectFromHost();
    if (socket->state() != QAbstractSocket::UnconnectedState)
        socket->abort();
    socket->deleteLater();
}

bool TcpServer::waitForLine(const QByteArray &text, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    QByteArray received;
    while (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
        m_socket->flush();
        received += m_socket->readAll();
        if (received.contains(text))
            return true;
        const qint64 left = milliseconds - timer.elapsed();
        if (left <= 0 || !m_socket->waitForReadyRead(int(left)))
            break;
    }
    return m_socket && received.contains(text);
}

void TcpServer::onNewConnection()
{
    QTcpSocket *socket = m_server->nextPendingConnection();
    if (!socket)
        return;
    if (m_peerFilter && !m_peerFilter(*socket)) {
        Log::warning(this,
                     QStringLiteral("Refused a connection from %1:%2, it is not the engine")
                         .arg(socket->peerAddress().toString())
                         .arg(socket->peerPort()));
        socket->abort();
        socket->deleteLater();
        return;
    }
    Log::info(this, QStringLiteral("Created new connection"));
    m_error = false;
    if (m_socket)
        m_socket->deleteLater();
    m_socket = socket;
    m_server->close(); // one client per start
    // Short command lines go out at once instead of waiting for the peer's acknowledgement.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::disconnected, this, &TcpServer::onSocketDisconnected);
    connect(socket, &QTcpSocket::connected, this, &TcpServer::onSocketConnected);
    connect(socket, &QTcpSocket::readyRead, this, &TcpServer::onReadyRead);
    connect(socket, &QTcpSocket::errorOccurred, this, &TcpServer::onSocketError);
    // Lines may already be waiting.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &TcpServer::onReadyRead, Qt::QueuedConnection);
}

void TcpServer::onReadyRead()
{
    if (m_socket)
        Platform::acknowledgeQuickly(m_socket->socketDescriptor());
    emit readyRead();
}

void TcpServer::onSocketConnected()
{
    Log::info(this, QStringLiteral("Socket connected"));
}

void TcpServer::onSocketDisconnected()
{
    if (QTcpSocket *socket = qobject_cast<QTcpSocket *>(sender())) {
        if (socket == m_socket)
            m_socket = nullptr;
        socket->deleteLater();
    }
}

void TcpServer::onSocketError(QAbstractSocket::SocketError error)
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || socket != m_socket)
        return;
    Log::warning(this, QStringLiteral("On error: %1").arg(socket->errorString()));
    m_error = true;
    socket->abort();
    emit socketError(error);
}

void TcpServer::onAcceptError(QAbstractSocket::SocketError socketError)
{
    Log::warning(this, QStringLiteral("Accept error: %1").arg(int(socketError)));
}

QString TcpServer::readLine()
{
    if (m_error || !m_socket || !m_socket->isOpen()) {
        Log::warning(this, QStringLiteral("Socket is not opened"));
        return QString();
    }
    // Only whole lines: a line cut between two TCP segments would otherwise be read as two.
    if (!m_socket->canReadLine())
        return QString();
    return QString::fromUtf8(m_socket->readLine());
}

qint64 TcpServer::write(const char *data)
{
    if (m_error || !m_socket || !m_socket->isOpen())
        return 0;
    const qint64 written = m_socket->write(data);
    return written < 0 ? 0 : written;
}

bool TcpServer::isConnected() const
{
    return m_socket && m_socket->isOpen() && !m_error;
}

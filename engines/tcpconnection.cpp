#include "tcpconnection.h"

TcpConnection::TcpConnection(const QString &host, quint16 port)
    : m_host(host)
    , m_port(port)
    , m_socket(new QTcpSocket(this))
{
    setObjectName(QStringLiteral("TcpConnection"));
    connect(m_socket, &QTcpSocket::connected, this, &TcpConnection::onConnected);
}

TcpConnection::~TcpConnection()
{
    m_socket->abort();
}

void TcpConnection::check()
{
    m_socket->connectToHost(m_host, m_port, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
}

void TcpConnection::onConnected()
{
    emit portIsAvailable(m_socket->peerPort());
}

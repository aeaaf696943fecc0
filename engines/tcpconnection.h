#pragma once

#include <QObject>
#include <QTcpSocket>

// Probes one TCP port of a server for the port checker.
class TcpConnection final : public QObject
{
    Q_OBJECT

public:
    TcpConnection(const QString &host, quint16 port);
    ~TcpConnection() override;

    void check();

signals:
    void portIsAvailable(quint16 port);

private slots:
    void onConnected();

private:
    QString m_host;
    quint16 m_port;
    QTcpSocket *m_socket;
};

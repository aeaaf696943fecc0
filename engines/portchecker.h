#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

class TcpConnection;

// Tries a list of TCP ports of a server at once and reports the first (or every) one that
// accepts a connection within the time limit.
class PortChecker final : public QObject
{
    Q_OBJECT

public:
    PortChecker(const QString &host, const QList<quint16> &ports, int timeoutSeconds);
    ~PortChecker() override;

    void check(bool stopOnFirst);

signals:
    void portIsAvailable(quint16 port);
    void timeout();

private slots:
    void onPortIsAvailable(quint16 port);
    void onTimeout();

private:
    void deleteConnections();

    QList<TcpConnection *> m_connections;
    QString m_portsText;
    QTimer m_timer;
    int m_timeoutSeconds;
    bool m_stopOnFirst = false;
    bool m_reported = false;
};

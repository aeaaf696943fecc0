#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QTimer;
class QWebSocket;

// The client's one link to the privileged service: a WebSocket on the loopback interface that
// is kept open (reconnecting every three seconds), carries text commands, buffers them while
// the link is down, and hands every report of the service to the process objects.
class ServiceController final : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 defaultPort = 6457;
    static constexpr int reconnectIntervalMs = 3000;

    // With connectNow false (the theme editor) there is no link at all. The port is fixed in
    // the product; tests run the service on a port of their own.
    explicit ServiceController(bool connectNow, QObject *parent = nullptr, quint16 port = defaultPort);
    ~ServiceController() override;

    // The link of this run, or null before one exists.
    static ServiceController *instance();

    // Sends at once when the link is up, otherwise keeps the command for the next connection.
    void sendCommand(const QString &message);
    // "init: connection" at once, never buffered: the orderly shutdown sends it.
    void sendInitCommand();
    // Gives up the link for good: the service is not there.
    void forceQuit();

    bool isConnected() const { return m_connected; }

    // For tests that play the service themselves, without a socket: commands go to the sink
    // while the test holds the link up, and are buffered while it holds it down, as over the
    // real link. Reports go in through processOutput.
    void setCommandSinkForTesting(std::function<void(const QString &)> sink);
    void setLinkUpForTesting(bool up);

signals:
    void connected();
    void disconnected();
    void initialConnectionStatusChanged();
    void processOutput(const QString &message);

private slots:
    void abortConnection();
    void checkConnectionTimer();
    void initialize();
    void onConnected();
    void onTextMessageReceived(const QString &message);
    void onWebSocketError(QAbstractSocket::SocketError error);
    void sendInitialConnectionStatus();

private:
    void onConnectionLost();
    void open();
    void sendDirectly(const QString &message);

    const quint16 m_port;
    QStringList m_outgoing;
    QTimer *m_reconnectTimer = nullptr;
    QWebSocket *m_socket = nullptr;
    bool m_initialStatusReported = false;
    bool m_initCommandSent = false;
    bool m_receiverAttached = false;
    bool m_connected = false;
    std::function<void(const QString &)> m_sink;
};

#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>

#include <functional>

class QTcpServer;
class QTcpSocket;

// The listening end of the local text channel on which an engine reports: it takes exactly one
// connection per start and hands it over line by line.
class TcpServer final : public QObject
{
    Q_OBJECT

public:
    // Decides whether a connecting peer is the engine; one that is not is refused and the
    // server keeps listening for the right one.
    using PeerFilter = std::function<bool(const QTcpSocket &peer)>;

    explicit TcpServer(QObject *parent = nullptr);
    ~TcpServer() override;

    void setPeerFilter(PeerFilter filter) { m_peerFilter = std::move(filter); }

    bool start(const QString &host, quint16 port);
    // Frees the port for the next engine; a connection already taken stays.
    void stopListening();
    // Stops listening and ends the connection, after what was written to it has left.
    void close();
    // Blocks until the peer sends a line containing `text` (the lines before it are dropped),
    // closes the connection, or `milliseconds` pass: for a command that must have been taken
    // before the connection goes, when there is no event loop to wait in.
    bool waitForLine(const QByteArray &text, int milliseconds);
    // One whole line, line end included; empty when no whole line has arrived yet.
    QString readLine();
    qint64 write(const char *data);
    bool isConnected() const;

signals:
    void readyRead();
    void serverStarted();
    void socketError(QAbstractSocket::SocketError socketError);

private slots:
    void onAcceptError(QAbstractSocket::SocketError socketError);
    void onNewConnection();
    void onReadyRead();
    void onSocketConnected();
    void onSocketDisconnected();
    void onSocketError(QAbstractSocket::SocketError socketError);

private:
    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_socket;
    PeerFilter m_peerFilter;
    bool m_error = false;
};

#pragma once

#include <QHostAddress>
#include <QPointer>
#include <QStringList>
#include <QWebSocket>
#include <QWebSocketServer>

// A scripted stand-in for the privileged service on a loopback port: records every frame the
// client sends and lets the test send reports back. For unit tests of what goes over the link;
// the real vpn-service is used where programs must really run.
class FakeService : public QObject
{
public:
    FakeService()
        : m_server(QStringLiteral("fake-service"), QWebSocketServer::NonSecureMode)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QWebSocketServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            connect(
                m_client, &QWebSocket::textMessageReceived, this, [this](const QString &frame) { m_frames << frame; });
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    bool hasClient() const { return m_client && m_client->isValid(); }
    QStringList frames() const { return m_frames; }
    void clearFrames() { m_frames.clear(); }

    // A report as the service sends it: with its terminator.
    void report(const QString &text)
    {
        if (m_client)
            m_client->sendTextMessage(text + QLatin1Char('\n'));
    }

private:
    QWebSocketServer m_server;
    QPointer<QWebSocket> m_client;
    QStringList m_frames;
};

#pragma once

#include <QHostAddress>
#include <QPointer>
#include <QRegularExpression>
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
            connect(m_client, &QWebSocket::textMessageReceived, this, [this](const QString &frame) {
                m_frames << frame;
                answer(frame);
            });
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    // Answers every start of these programs at once, as a quick service would: started, then
    // finished (the kill switch's program with 1, its success; the others with 0).
    void answerStartsOf(const QStringList &programs) { m_answered = programs; }
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
    void answer(const QString &frame)
    {
        static const QRegularExpression start(QStringLiteral("^start: \"[^\"]*/([^/\"]+)\""));
        const QString name = start.match(frame).captured(1);
        if (name.isEmpty() || !m_answered.contains(name))
            return;
        const int pid = ++m_pids + 5000;
        report(QStringLiteral("started:%1,0,%2").arg(pid).arg(name));
        report(QStringLiteral("finished:%1,%2,%3").arg(pid).arg(name == QLatin1String("killswitch") ? 1 : 0).arg(name));
    }

    QWebSocketServer m_server;
    QStringList m_answered;
    int m_pids = 0;
    QPointer<QWebSocket> m_client;
    QStringList m_frames;
};

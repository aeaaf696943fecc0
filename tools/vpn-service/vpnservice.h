#pragma once

#include <QDir>
#include <QObject>
#include <QProcess>
#include <QSet>
#include <QWebSocketServer>

class QWebSocket;
struct ServiceCommand;

// The privileged service of the client, on Linux: starts the known programs of the application
// directory for the client and reports their start and end on the client's link.
class VpnService final : public QObject
{
    Q_OBJECT

public:
    static const QSet<QString> &knownPrograms();

    VpnService(const QDir &applicationDirectory, QObject *parent = nullptr);
    ~VpnService() override;

    bool listen(quint16 port);
    quint16 port() const;

    // Why a program may not run, or empty when it may.
    QString refusal(const QString &program) const;

private:
    struct Child
    {
        QProcess *process = nullptr;
        QWebSocket *client = nullptr;
        QString name;
        qint64 pid = 0;
    };

    void onNewConnection();
    void onOriginAuthentication(QWebSocketCorsAuthenticator *authenticator);
    void onTextMessage(QWebSocket *client, const QString &frame);
    void onClientGone(QWebSocket *client);
    void start(QWebSocket *client, const QStringList &programAndArguments);
    void signalChildren(const QString &name, bool kill);
    void report(QWebSocket *client, const QString &text);
    void endChild(Child &child);

    QDir m_applicationDirectory;
    QWebSocketServer m_server;
    QList<QWebSocket *> m_clients;
    QList<Child> m_children;
};

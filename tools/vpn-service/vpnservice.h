#pragma once

#include "accesscontrol.h"
#include "argumentpolicy.h"

#include <QDir>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QWebSocketServer>

class QWebSocket;
struct ServiceCommand;

// The privileged service of the client, on Linux: starts the known programs of the application
// directory for the client and reports their start and end on the client's link. Commands come
// only from the client (AccessControl) and start only the command lines that the client
// produces (ArgumentPolicy); the files they name are opened and checked here, so that what a
// program reads as root is what was checked.
class VpnService final : public QObject
{
    Q_OBJECT

public:
    VpnService(const QDir &applicationDirectory, const AccessControl &access, QObject *parent = nullptr);
    ~VpnService() override;

    bool listen(quint16 port);
    quint16 port() const;

private:
    struct Client
    {
        AccessControl::Peer peer;
    };

    struct Child
    {
        QPointer<QProcess> process;
        QWebSocket *client = nullptr;
        QString name;
        qint64 pid = 0;
    };

    void onNewConnection();
    void onOriginAuthentication(QWebSocketCorsAuthenticator *authenticator);
    void onTextMessage(QWebSocket *client, const QString &frame);
    void onClientGone(QWebSocket *client);
    void start(QWebSocket *client, const QStringList &programAndArguments);
    // Opens and checks the files a command line names and puts descriptors of what was checked
    // in their place. Empty when all is well, else why not.
    QString
    prepareFiles(const ArgumentPolicy::Decision &decision, int uid, QStringList *arguments, QVector<int> *descriptors);
    void signalChildren(QWebSocket *client, const QString &name, bool kill);
    void report(QWebSocket *client, const QString &text);
    void onChildFinished(QProcess *process, int code);
    static void endProcess(QProcess *process);

    QDir m_applicationDirectory;
    AccessControl m_access;
    ArgumentPolicy m_policy;
    QWebSocketServer m_server;
    QHash<QWebSocket *, Client> m_clients;
    QList<Child> m_children;
};

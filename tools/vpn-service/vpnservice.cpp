#include "vpnservice.h"

#include "servicecommand.h"

#include <QDebug>
#include <QFileInfo>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>

namespace {

void log(const QString &text)
{
    qInfo().noquote() << QStringLiteral("VpnService: ") + text;
}

QString nameOf(const QString &program)
{
    return QFileInfo(program).completeBaseName();
}

// One program the dns program runs at a time restores the user's DNS servers: cut off midway,
// the machine would keep the VPN's. It is left to finish when its client goes away.
bool survivesItsClient(const QString &name)
{
    return name == QLatin1String("dns");
}

// A dns run takes a second or two; one that hangs must not hold the service's stop for long.
constexpr int dnsGraceMs = 30000;

} // namespace

const QSet<QString> &VpnService::knownPrograms()
{
    static const QSet<QString> names = {QStringLiteral("openvpn"),
                                        QStringLiteral("wireguard-service"),
                                        QStringLiteral("killswitch"),
                                        QStringLiteral("network-tool"),
                                        QStringLiteral("dns")};
    return names;
}

VpnService::VpnService(const QDir &applicationDirectory, QObject *parent)
    : QObject(parent)
    , m_applicationDirectory(applicationDirectory)
    , m_server(QStringLiteral("vpn-service"), QWebSocketServer::NonSecureMode)
{
    connect(&m_server, &QWebSocketServer::newConnection, this, &VpnService::onNewConnection);
    connect(&m_server, &QWebSocketServer::originAuthenticationRequired, this, &VpnService::onOriginAuthentication);
}

VpnService::~VpnService()
{
    for (Child &child : m_children) {
        child.process->disconnect(this);
        // A dns run is left to finish when the service stops too: its unit KILLs only what is
        // left once the service has gone.
        if (survivesItsClient(child.name))
            child.process->waitForFinished(dnsGraceMs);
        endChild(child);
    }
}

bool VpnService::listen(quint16 port)
{
    if (!m_server.listen(QHostAddress::LocalHost, port)) {
        qCritical().noquote()
            << QStringLiteral("VpnService: Cannot listen on 127.0.0.1:%1: %2").arg(port).arg(m_server.errorString());
        return false;
    }
    log(QStringLiteral("Listening on ws://127.0.0.1:%1, programs from '%2'")
            .arg(m_server.serverPort())
            .arg(m_applicationDirectory.absolutePath()));
    return true;
}

quint16 VpnService::port() const
{
    return m_server.serverPort();
}

void VpnService::onOriginAuthentication(QWebSocketCorsAuthenticator *authenticator)
{
    // A browser always sends its page's origin: a web page must never command this service.
    if (!authenticator->origin().isEmpty()) {
        log(QStringLiteral("Refused a connection from origin '%1'").arg(authenticator->origin()));
        authenticator->setAllowed(false);
    }
}

void VpnService::onNewConnection()
{
    while (QWebSocket *client = m_server.nextPendingConnection()) {
        if (!client->peerAddress().isLoopback()) {
            log(QStringLiteral("Refused a connection from %1").arg(client->peerAddress().toString()));
            client->abort();
            client->deleteLater();
            continue;
        }
        log(QStringLiteral("Client connected from port %1").arg(client->peerPort()));
        m_clients << client;
        connect(client, &QWebSocket::textMessageReceived, this, [this, client](const QString &frame) {
            onTextMessage(client, frame);
        });
        connect(client, &QWebSocket::binaryMessageReceived, this, [](const QByteArray &) {
            log(QStringLiteral("Ignored a binary frame"));
        });
        connect(client, &QWebSocket::disconnected, this, [this, client] { onClientGone(client); });
    }
}

void VpnService::onTextMessage(QWebSocket *client, const QString &frame)
{
    log(QStringLiteral("Received command: ") + frame);
    const ServiceCommand command = ServiceCommand::parse(frame);
    switch (command.kind) {
    case ServiceCommand::Init: break;
    case ServiceCommand::Start: start(client, command.programAndArguments); break;
    case ServiceCommand::Kill: signalChildren(command.name, true); break;
    case ServiceCommand::Stop: signalChildren(command.name, false); break;
    case ServiceCommand::Invalid: log(QStringLiteral("Refused the command (%1): %2").arg(command.error, frame)); break;
    }
}

void VpnService::onClientGone(QWebSocket *client)
{
    log(QStringLiteral("Client disconnected"));
    m_clients.removeAll(client);
    for (Child &child : m_children) {
        if (child.client != client)
            continue;
        child.client = nullptr;
        if (!survivesItsClient(child.name)) {
            log(QStringLiteral("Ending '%1' (pid %2): its client is gone").arg(child.name).arg(child.pid));
            endChild(child);
        }
    }
    client->deleteLater();
}

QString VpnService::refusal(const QString &program) const
{
    if (!QFileInfo(program).isAbsolute())
        return QStringLiteral("not an absolute path");
    // Lexically inside the folder: the engines there may be links to the system's programs.
    const QString cleaned = QDir::cleanPath(program);
    const QString folder = QDir::cleanPath(m_applicationDirectory.absolutePath()) + QLatin1Char('/');
    if (!cleaned.startsWith(folder))
        return QStringLiteral("outside the application directory");
    if (!knownPrograms().contains(QFileInfo(cleaned).fileName()))
        return QStringLiteral("not a known program");
    const QFileInfo file(cleaned);
    if (!file.isFile() || !file.isExecutable())
        return QStringLiteral("not an executable file");
    return QString();
}

void VpnService::start(QWebSocket *client, const QStringList &programAndArguments)
{
    const QString program = programAndArguments.first();
    const QString name = nameOf(program);
    const QString why = refusal(program);
    if (!why.isEmpty()) {
        log(QStringLiteral("Refused to start '%1': %2").arg(program, why));
        report(client, QStringLiteral("started:0,1,%1").arg(name));
        return;
    }

    auto *process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_children.append({process, client, name, 0});

    connect(process, &QProcess::started, this, [this, process] {
        for (Child &child : m_children) {
            if (child.process == process) {
                child.pid = process->processId();
                log(QStringLiteral("Started '%1' (pid %2)").arg(child.name).arg(child.pid));
                report(child.client, QStringLiteral("started:%1,0,%2").arg(child.pid).arg(child.name));
            }
        }
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        for (int i = 0; i < m_children.size(); ++i) {
            if (m_children.at(i).process == process) {
                const Child child = m_children.takeAt(i);
                log(QStringLiteral("Cannot start '%1': %2").arg(child.name, process->errorString()));
                report(child.client, QStringLiteral("started:0,2,%1").arg(child.name));
                break;
            }
        }
        process->deleteLater();
    });
    connect(
        process,
        QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
        this,
        [this, process](int exitCode, QProcess::ExitStatus status) {
            // A program ended by a signal reports as a shell would: 128 and the signal.
            const int code = status == QProcess::CrashExit ? 128 + exitCode : exitCode;
            for (int i = 0; i < m_children.size(); ++i) {
                if (m_children.at(i).process == process) {
                    const Child child = m_children.takeAt(i);
                    log(QStringLiteral("'%1' (pid %2) finished with code %3").arg(child.name).arg(child.pid).arg(code));
                    report(child.client, QStringLiteral("finished:%1,%2,%3").arg(child.pid).arg(code).arg(child.name));
                    break;
                }
            }
            process->deleteLater();
        });

    // A list of arguments, never a shell: nothing in them is interpreted.
    process->start(program, programAndArguments.mid(1));
}

void VpnService::signalChildren(const QString &name, bool kill)
{
    int count = 0;
    for (Child &child : m_children) {
        if (child.name != name || child.process->state() == QProcess::NotRunning)
            continue;
        ++count;
        if (kill)
            child.process->kill();
        else
            child.process->terminate();
    }
    log(QStringLiteral("%1 '%2': %3 process(es)")
            .arg(kill ? QStringLiteral("Kill") : QStringLiteral("Stop"), name)
            .arg(count));
}

void VpnService::report(QWebSocket *client, const QString &text)
{
    if (!client || !m_clients.contains(client)) {
        log(QStringLiteral("Report without a client: ") + text);
        return;
    }
    log(QStringLiteral("Report: ") + text);
    client->sendTextMessage(text + QLatin1Char('\n'));
}

void VpnService::endChild(Child &child)
{
    if (child.process->state() == QProcess::NotRunning)
        return;
    child.process->terminate();
    if (!child.process->waitForFinished(2000)) {
        child.process->kill();
        child.process->waitForFinished(2000);
    }
}

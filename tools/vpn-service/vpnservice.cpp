#include "vpnservice.h"

#include "addresscheck.h"

#include "openvpnconfig.h"
#include "safefolder.h"
#include "servicecommand.h"
#include "utils.h"

#include <QDebug>
#include <QFileInfo>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Commands are one short line each; a larger frame is no command of the client's.
constexpr quint64 maxFrameSize = 64 * 1024;

void log(const QString &text)
{
    qInfo().noquote() << QStringLiteral("VpnService: ") + text;
}

// One program the dns program runs at a time restores the user's DNS servers: cut off midway,
// the machine would keep the VPN's. It is left to finish when its client goes away.
bool survivesItsClient(const QString &name)
{
    return name == QLatin1String("dns");
}

// A dns run takes a second or two; one that hangs must not hold the service's stop for long.
constexpr int dnsGraceMs = 30000;

// A child that inherits the descriptors of the files the service checked for it, and no other:
// the service opens everything close-on-exec, and only the child's own copies are kept.
class CheckedProcess final : public QProcess
{
public:
    CheckedProcess(const QVector<int> &inherited, QObject *parent)
        : QProcess(parent)
        , m_inherited(inherited)
    {
    }

protected:
    void setupChildProcess() override
    {
        for (const int fd : qAsConst(m_inherited))
            ::fcntl(fd, F_SETFD, 0);
    }

private:
    QVector<int> m_inherited;
};

// The checked configuration as a sealed file in memory: nobody can change it after the check,
// and nothing of it is left on a disk.
int sealedCopy(const QByteArray &content)
{
    const int fd = ::memfd_create("openvpn-config", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return -1;
    qint64 written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + written, size_t(content.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return -1;
        }
        written += n;
    }
    ::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL);
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

QString descriptorPath(int fd)
{
    return QStringLiteral("/dev/fd/%1").arg(fd);
}

// The programs that run as root must be root's alone: anyone who may replace one is root.
QString programRefusal(const QString &executable)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(executable).constData(), &st) != 0 || !S_ISREG(st.st_mode)
        || (st.st_mode & S_IXUSR) == 0)
        return QStringLiteral("not an executable file");
    if (st.st_uid != 0 || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return QStringLiteral("the program may be changed by others than root");
    return QString();
}

} // namespace

VpnService::VpnService(const QDir &applicationDirectory, const AccessControl &access, QObject *parent)
    : QObject(parent)
    , m_applicationDirectory(applicationDirectory)
    , m_access(access)
    , m_policy(applicationDirectory.absolutePath())
    , m_server(QStringLiteral("vpn-service"), QWebSocketServer::NonSecureMode)
{
    connect(&m_server, &QWebSocketServer::newConnection, this, &VpnService::onNewConnection);
    connect(&m_server, &QWebSocketServer::originAuthenticationRequired, this, &VpnService::onOriginAuthentication);
}

VpnService::~VpnService()
{
    // The links close as the members go: their ends must not reach a service half gone.
    m_server.disconnect(this);
    for (auto it = m_clients.constBegin(); it != m_clients.constEnd(); ++it)
        it.key()->disconnect(this);
    // Taken first: each end runs the finished handler, which edits the list.
    QList<QPair<QPointer<QProcess>, bool>> processes;
    for (const Child &child : qAsConst(m_children))
        processes.append({child.process, survivesItsClient(child.name)});
    for (const auto &process : qAsConst(processes)) {
        if (process.first) {
            process.first->disconnect(this);
            // A dns run is left to finish when the service stops too: its unit KILLs only what
            // is left once the service has gone.
            if (process.second)
                process.first->waitForFinished(dnsGraceMs);
            endProcess(process.first);
        }
    }
}

bool VpnService::listen(quint16 port)
{
    if (!m_server.listen(QHostAddress::LocalHost, port)) {
        qCritical().noquote()
            << QStringLiteral("VpnService: Cannot listen on 127.0.0.1:%1: %2").arg(port).arg(m_server.errorString());
        return false;
    }
    log(QStringLiteral("Listening on ws://127.0.0.1:%1, programs from '%2', commands from %3")
            .arg(m_server.serverPort())
            .arg(m_applicationDirectory.absolutePath(), m_access.clients().join(QStringLiteral(", "))));
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
        log(QStringLiteral("Refused a connection from origin '%1'").arg(AddressCheck::forLog(authenticator->origin())));
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
        // Nothing it sent is read before it is known to be the client.
        const AccessControl::Peer peer = m_access.identify(*client);
        if (!peer.allowed) {
            log(QStringLiteral("Refused a connection from %1: %2").arg(peer.description, peer.refusal));
            connect(client, &QWebSocket::disconnected, client, &QObject::deleteLater);
            client->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("not the client"));
            // A peer that does not answer the close is cut off.
            QTimer::singleShot(1000, client, [client] {
                client->abort();
                client->deleteLater();
            });
            continue;
        }
        log(QStringLiteral("Client connected from port %1: %2").arg(client->peerPort()).arg(peer.description));
        client->setMaxAllowedIncomingFrameSize(maxFrameSize);
        client->setMaxAllowedIncomingMessageSize(maxFrameSize);
        m_clients.insert(client, Client{peer});
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
    log(QStringLiteral("Received command: ") + AddressCheck::forLog(frame));
    const ServiceCommand command = ServiceCommand::parse(frame);
    switch (command.kind) {
    case ServiceCommand::Init: break;
    case ServiceCommand::Start: start(client, command.programAndArguments); break;
    case ServiceCommand::Kill: signalChildren(client, command.name, true); break;
    case ServiceCommand::Stop: signalChildren(client, command.name, false); break;
    case ServiceCommand::Invalid:
        log(QStringLiteral("Refused the command (%1) of %2: %3")
                .arg(command.error, m_clients.value(client).peer.description, AddressCheck::forLog(frame)));
        break;
    }
}

void VpnService::onClientGone(QWebSocket *client)
{
    log(QStringLiteral("Client disconnected"));
    m_clients.remove(client);
    // The processes first, then their ends: an end runs the finished handler, which takes the
    // child out of the list being walked.
    QList<QPointer<QProcess>> ending;
    for (Child &child : m_children) {
        if (child.client != client)
            continue;
        child.client = nullptr;
        if (!survivesItsClient(child.name)) {
            log(QStringLiteral("Ending '%1' (pid %2): its client is gone").arg(child.name).arg(child.pid));
            ending << child.process;
        }
    }
    for (const QPointer<QProcess> &process : qAsConst(ending)) {
        if (process)
            endProcess(process);
    }
    client->deleteLater();
}

QString VpnService::prepareFiles(const ArgumentPolicy::Decision &decision,
                                 int uid,
                                 QStringList *arguments,
                                 QVector<int> *descriptors)
{
    const auto folderOf = [](const QString &path) { return QFileInfo(path).path(); };
    const auto nameOf = [](const QString &path) { return QFileInfo(path).fileName(); };

    if (decision.configArgument >= 0) {
        const QString path = arguments->at(decision.configArgument);
        SafeFolder folder(folderOf(path), uid_t(uid));
        QByteArray content;
        if (!folder.read(nameOf(path), OpenVpnConfig::maxSize, &content))
            return QStringLiteral("configuration: ") + folder.error();
        const QString problem = OpenVpnConfig::problem(content);
        if (!problem.isEmpty())
            return QStringLiteral("configuration, ") + problem;
        const int fd = sealedCopy(content);
        if (fd < 0)
            return QStringLiteral("configuration: cannot keep a copy");
        *descriptors << fd;
        (*arguments)[decision.configArgument] = descriptorPath(fd);
    }
    if (decision.logArgument >= 0) {
        const QString path = arguments->at(decision.logArgument);
        SafeFolder folder(folderOf(path), uid_t(uid));
        const int fd = folder.openForAppend(nameOf(path));
        if (fd < 0)
            return QStringLiteral("log: ") + folder.error();
        *descriptors << fd;
        (*arguments)[decision.logArgument] = descriptorPath(fd);
    }
    if (decision.tunnelArgument >= 0) {
        // wireguard-service opens the files itself, as safely; the folder must be one that it
        // may write in for this client.
        const QString path = arguments->at(decision.tunnelArgument);
        SafeFolder folder(folderOf(path), uid_t(uid));
        if (!folder.isOpen())
            return QStringLiteral("tunnel configuration: ") + folder.error();
        if (decision.tunnelIsRead) {
            const int fd = folder.openForReading(nameOf(path));
            if (fd < 0)
                return QStringLiteral("tunnel configuration: ") + folder.error();
            ::close(fd);
        }
    }
    return QString();
}

void VpnService::start(QWebSocket *client, const QStringList &programAndArguments)
{
    const Client owner = m_clients.value(client);
    const ArgumentPolicy::Decision decision = m_policy.check(programAndArguments);
    QString why = decision.refusal;
    if (why.isEmpty())
        why = programRefusal(decision.executable);
    QStringList arguments = programAndArguments.mid(1);
    QVector<int> descriptors;
    if (why.isEmpty())
        why = prepareFiles(decision, owner.peer.uid, &arguments, &descriptors);
    if (!why.isEmpty()) {
        for (const int fd : qAsConst(descriptors))
            ::close(fd);
        log(QStringLiteral("Refused to start '%1' for %2: %3")
                .arg(AddressCheck::forLog(programAndArguments.value(0)), owner.peer.description, why));
        report(client, QStringLiteral("started:0,1,%1").arg(decision.name));
        return;
    }

    auto *process = new CheckedProcess(descriptors, this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_children.append({process, client, decision.name, 0});

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
    connect(process,
            QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                // A program ended by a signal reports as a shell would: 128 and the signal.
                onChildFinished(process, status == QProcess::CrashExit ? 128 + exitCode : exitCode);
            });

    // A list of arguments, never a shell: nothing in them is interpreted. The fork happens
    // here, so the child holds its copies of the descriptors once this returns.
    process->start(decision.executable, arguments);
    for (const int fd : qAsConst(descriptors))
        ::close(fd);
}

void VpnService::onChildFinished(QProcess *process, int code)
{
    for (int i = 0; i < m_children.size(); ++i) {
        if (m_children.at(i).process == process) {
            const Child child = m_children.takeAt(i);
            log(QStringLiteral("'%1' (pid %2) finished with code %3").arg(child.name).arg(child.pid).arg(code));
            report(child.client, QStringLiteral("finished:%1,%2,%3").arg(child.pid).arg(code).arg(child.name));
            break;
        }
    }
    process->deleteLater();
}

void VpnService::signalChildren(QWebSocket *client, const QString &name, bool kill)
{
    // A client ends its own programs, not those of another user's client.
    int count = 0;
    for (const Child &child : qAsConst(m_children)) {
        if (child.client != client || child.name != name || !child.process
            || child.process->state() == QProcess::NotRunning)
            continue;
        ++count;
        if (kill)
            child.process->kill();
        else
            child.process->terminate();
    }
    log(QStringLiteral("%1 '%2': %3 process(es)")
            .arg(kill ? QStringLiteral("Kill") : QStringLiteral("Stop"), AddressCheck::forLog(name))
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

void VpnService::endProcess(QProcess *process)
{
    if (process->state() == QProcess::NotRunning)
        return;
    QPointer<QProcess> guard(process);
    process->terminate();
    if (guard && !process->waitForFinished(2000) && guard) {
        process->kill();
        process->waitForFinished(2000);
    }
}

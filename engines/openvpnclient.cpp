#include "openvpnclient.h"

#include "logger.h"

#include "debugmode.h"
#include "platform/engines.h"
#include "platform/paths.h"
#include "stunnel.h"
#include "tcpserver.h"
#include "utils.h"
#include "vpnprocess.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

const QString connectedMarker = QStringLiteral("CONNECTED,SUCCESS");
const QString exitingMarker = QStringLiteral("EXITING,SIGTERM");
const QString managementHost = QStringLiteral("127.0.0.1");
const QString logPrefix = QStringLiteral("Management: ");

} // namespace

OpenVpnClient::OpenVpnClient(QObject *parent)
    : VpnClient(parent)
    , m_process(new VpnProcess(QStringLiteral("openvpn"), this))
    , m_management(new TcpServer(this))
    , m_stunnel(new Stunnel(this))
{
    setObjectName(QStringLiteral("OpenVpnClient"));
    m_exitWait.setInterval(exitWaitMs);
    connect(&m_exitWait, &QTimer::timeout, this, &OpenVpnClient::openVpnStateSigTermHandlerTimerEvent);
    connect(m_process, &ServiceProcess::started, this, &OpenVpnClient::onOpenVpnProcessStarted);
    connect(m_process, &ServiceProcess::finished, this, &OpenVpnClient::onOpenVpnProcessFinished);
    connect(m_process, &ServiceProcess::error, this, &OpenVpnClient::onOpenVpnProcessError);
    connect(m_management, &TcpServer::readyRead, this, &OpenVpnClient::onReadyReadDataFromManagementInterface);
    connect(m_stunnel, &Stunnel::started, this, &OpenVpnClient::onStunnelStarted);
    // The channel carries the password: only the engine that we had started may have it.
    m_management->setPeerFilter([this](const QTcpSocket &peer) { return isEngineConnection(peer); });
}

OpenVpnClient::~OpenVpnClient()
{
    m_beingDestroyed = true;
    m_parameters.autoReconnectionOnError = false;
    // A client that has reported its end has no engine left to stop. Its process record may
    // still read running when the end came by the exit time-out (a restarted service never
    // reports on an engine it did not start), and a kill by name would hit the next engine.
    // One that was told to stop already has its stop on the way.
    if (m_process->state() != ServiceProcess::NotRunning && connectionState() != ConnectionState::Id::Disconnected
        && !m_disconnectRequested) {
        m_disconnectRequested = true;
        stopEngine();
    }
    // The engine must have taken its stop signal before the channel goes: losing the channel
    // first, it would end on that instead, and the signal would count for nothing.
    if (m_stopSignalSent)
        m_management->waitForLine("SUCCESS: signal", stopReplyWaitMs);
    m_management->close();
    m_stunnel->stop();
}

QString OpenVpnClient::name() const
{
    return QStringLiteral("openvpn");
}

QString OpenVpnClient::executablePath() const
{
    return QDir::toNativeSeparators(
        QStringLiteral("%1/%2/bin/%3")
            .arg(Utils::applicationDirectory(), name(), name() + Platform::executableSuffix()));
}

QString OpenVpnClient::configTemplatePath() const
{
    switch (m_parameters.protocol) {
    case VpnProtocol::OpenVpnUdp:
    case VpnProtocol::OpenVpnTcp: return QStringLiteral(":/resources/config/general.ovpn");
    case VpnProtocol::Stealth: return QStringLiteral(":/resources/config/stunnel.ovpn");
    default: Log::critical(this, QStringLiteral("Unknown protocol")); return QString();
    }
}

QStringList
OpenVpnClient::additionalOptions(const ConnectionParameters &parameters, bool debug, const QStringList &portability)
{
    QStringList options;
    options << QStringLiteral("verb %1").arg(debug ? 6 : 3);
    options << portability;
    options << QStringLiteral("register-dns") << QStringLiteral("dhcp-renew") << QStringLiteral("block-outside-dns");
    if (parameters.protocol == VpnProtocol::OpenVpnUdp)
        options << QStringLiteral("mute-replay-warnings") << QStringLiteral("replay-window 256");
    if (!parameters.ipv6Enabled) {
        options << QStringLiteral("pull-filter ignore ifconfig-ipv6") << QStringLiteral("pull-filter ignore route-ipv6")
                << QStringLiteral("pull-filter ignore 'redirect-gateway ipv6'");
    }
    return options;
}

void OpenVpnClient::editConfig(QString &text)
{
    if (m_parameters.protocol != VpnProtocol::Stealth) {
        text.replace(QLatin1String("<SERVER>"), m_parameters.server);
        text.replace(QLatin1String("<PROTOCOL>"),
                     m_parameters.protocol == VpnProtocol::OpenVpnUdp ? QStringLiteral("udp") : QStringLiteral("tcp"));
        text.replace(QLatin1String("<PORT>"), QString::number(m_parameters.port));
    }
    QString block;
    for (const QString &option :
         additionalOptions(m_parameters, DebugMode::isEnabled(), Platform::openVpnPortabilityOptions()))
        block += option + QStringLiteral("\r\n");
    text.replace(QLatin1String("<ADDITIONAL_DATA>"), block);
}

QString OpenVpnClient::escapedPassword(const QString &password)
{
    return QString(password)
        .replace(QLatin1String("\\"), QLatin1String("\\\\"))
        .replace(QLatin1String("\""), QLatin1String("\\\""));
}

QPair<QString, QString> OpenVpnClient::pushedDnsServers(const QString &line)
{
    const int at = line.indexOf(QLatin1String("PUSH_REPLY"));
    if (at < 0)
        return {};
    QString rest = line.mid(at + int(qstrlen("PUSH_REPLY"))).simplified();
    if (rest.endsWith(QLatin1Char('\'')))
        rest.chop(1);
    QString ipv4;
    QString ipv6;
    for (const QString &piece : rest.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        // "dhcp-option DNS6" is the prefix of IPv6 servers: taken for "DNS", it would leave a
        // stray "6" in front of the address.
        QString value;
        if (piece.startsWith(QLatin1String("dhcp-option DNS6")))
            value = piece.mid(int(qstrlen("dhcp-option DNS6"))).simplified();
        else if (piece.startsWith(QLatin1String("dhcp-option DNS")))
            value = piece.mid(int(qstrlen("dhcp-option DNS"))).simplified();
        else
            continue;
        if (Utils::isIpv4Address(value))
            ipv4 = value;
        else if (Utils::isIpv6Address(value))
            ipv6 = value;
    }
    return {ipv4, ipv6};
}

QString OpenVpnClient::assignedAddress(const QString &line)
{
    const int start = line.indexOf(QLatin1String(",,"));
    if (start < 0)
        return QString();
    const int end = line.indexOf(QLatin1String(",,,,"), start + 2);
    if (end < 0)
        return QString();
    const QString address = line.mid(start + 2, end - start - 2);
    return QHostAddress(address).isNull() ? QString() : address;
}

void OpenVpnClient::connectToVpn()
{
    m_exitWait.stop();
    m_lastError.clear();
    disconnectFromVpn();

    if (m_parameters.server.isEmpty())
        m_lastError = tr("OpenVPN server is empty!");
    else if (!Utils::isServerAddress(m_parameters.server))
        // It goes into a configuration that a root process reads: one line, one address.
        m_lastError = tr("The server address is not valid.");
    else if (!QFileInfo::exists(executablePath()))
        m_lastError = QStringLiteral("OpenVPN executable '%1' does not exists").arg(executablePath());
    else
        m_lastError = credentialsProblem();
    if (!m_lastError.isEmpty()) {
        Log::critical(this, m_lastError);
        setConnectionState(ConnectionState::Id::Error, m_lastError, false);
        return;
    }

    if (m_parameters.protocol == VpnProtocol::Stealth)
        m_stunnel->start(m_parameters.server);
    else
        startEngine();
}

void OpenVpnClient::onStunnelStarted(bool success)
{
    if (!success) {
        Log::critical(this, QStringLiteral("Critical error, can't start Stealth mode properly"));
        return;
    }
    startEngine();
}

QStringList OpenVpnClient::engineCommandLine() const
{
    QStringList command = {executablePath(),
                           QStringLiteral("--config"),
                           configFilePath(),
                           QStringLiteral("--management"),
                           managementHost,
                           QString::number(managementPort),
                           QStringLiteral("--management-query-passwords"),
                           QStringLiteral("--management-client")};
    const QString logPath = engineLogPath();
    // Without a log folder openvpn would be told to append to nothing and refuse to start.
    if (!logPath.isEmpty())
        command << QStringLiteral("--log-append") << logPath;
    return command;
}

void OpenVpnClient::startEngine()
{
    if (!prepareConfig())
        return;
    applyIpv6Setting();
    m_disconnectRequested = false;
    m_killSent = false;
    m_stopSignalSent = false;
    m_assignedIp.clear();

    const QString logPath = engineLogPath();
    if (!logPath.isEmpty()) {
        if (QFileInfo::exists(logPath))
            Utils::appendSeparatorLine(logPath);
        else
            Utils::createEmptyFile(logPath);
    }

    listenForEngine(
        m_management,
        managementPort,
        [this] {
            setConnectionState(ConnectionState::Id::Connecting, QString(), false);
            m_process->start(engineCommandLine());
        },
        [this] {
            m_lastError = tr("Cannot open the engine's management channel.");
            Log::critical(this, m_lastError);
            removeConfig();
            setConnectionState(ConnectionState::Id::Error, m_lastError, false);
        });
}

void OpenVpnClient::disconnectFromVpn()
{
    m_disconnectRequested = true;
    cancelListening();
    // Nothing more is to connect here: the port is the next engine's.
    m_management->stopListening();
    stopEngine();
}

void OpenVpnClient::stopEngine()
{
    const int processState = m_process->state();
    if (processState == ServiceProcess::Starting && !m_killSent) {
        // Asked for, but not yet visible: the kill goes to the service after the start command,
        // so it reaches this engine whenever it appears.
        m_killSent = true;
        m_process->kill();
    } else if (processState == ServiceProcess::Running && isEngineRunning()) {
        if (!sendStopSignal() && !m_killSent) {
            m_killSent = true;
            m_process->kill();
        }
    }
    if (m_parameters.protocol == VpnProtocol::Stealth)
        m_stunnel->stop();
    const ConnectionState::Id state = connectionState();
    if (state != ConnectionState::Id::Disconnecting && state != ConnectionState::Id::Disconnected
        && state != ConnectionState::Id::Reconnecting)
        setConnectionState(ConnectionState::Id::Disconnecting, QString(), false);
}

bool OpenVpnClient::sendStopSignal()
{
    if (!m_management->isConnected())
        return false;
    const bool delivered = m_management->write("signal SIGTERM\r\n") > 0;
    m_stopSignalSent = m_stopSignalSent || delivered;
    Log::info(this, logPrefix + QStringLiteral("Send TERM signal, status: ") + Utils::boolText(delivered));
    return delivered;
}

void OpenVpnClient::onOpenVpnProcessStarted()
{
}

void OpenVpnClient::onOpenVpnProcessError(int status)
{
    m_management->close();
    if (m_parameters.protocol == VpnProtocol::Stealth)
        m_stunnel->stop();
    removeConfig();
    if (m_beingDestroyed)
        return;
    reportEngineRefused(status, &m_lastError);
}

void OpenVpnClient::onReadyReadDataFromManagementInterface()
{
    for (QString line = m_management->readLine(); !line.isEmpty(); line = m_management->readLine())
        handleLine(line.simplified());
}

void OpenVpnClient::handleLine(const QString &line)
{
    if (!line.contains(QLatin1String(">BYTECOUNT")))
        Log::info(this, logPrefix + line);
    if (DebugMode::isEnabled())
        Log::info(this, QStringLiteral("[Extended log: %1]").arg(line));

    // Version 3 and every later one (OpenVPN 2.6 speaks version 5): the dialogue is the same.
    static const QRegularExpression banner(QStringLiteral(">INFO:OpenVPN Management Interface Version (\\d+)"));
    const QRegularExpressionMatch version = banner.match(line);

    bool done = false;
    if (version.hasMatch() && version.captured(1).toInt() >= 3) {
        send("state on\n");
        Log::info(this, logPrefix + QStringLiteral("Send 'state on'"));
        send("log on\n");
        Log::info(this, logPrefix + QStringLiteral("Send 'log on'"));
    } else if (m_disconnectRequested
               && (line.startsWith(QLatin1String(">PASSWORD:")) || line.contains(connectedMarker))) {
        // An engine that arrives after the user has disconnected gets no credentials and does
        // not count as connected: it is told to end.
        sendStopSignal();
    } else if (line.startsWith(QLatin1String(">PASSWORD:Need 'Auth' username/password"))
               || line.startsWith(QLatin1String("SUCCESS: 'Auth' username entered"))) {
        if (!credentialsProblem().isEmpty()) {
            refuseCredentials();
        } else if (line.startsWith(QLatin1String(">PASSWORD"))) {
            send(QStringLiteral("username 'Auth' %1\n").arg(m_parameters.userName).toUtf8().constData());
            Log::info(this, logPrefix + QStringLiteral("Sent username: ") + m_parameters.userName);
        } else {
            send(QStringLiteral("password 'Auth' \"%1\"\n")
                     .arg(escapedPassword(m_parameters.password))
                     .toUtf8()
                     .constData());
            Log::info(this, logPrefix + QStringLiteral("Sent password: ***"));
        }
    } else if (line.startsWith(QLatin1String(">PASSWORD:Verification Failed"))) {
        m_lastError = tr("Error: Wrong Username/Password");
        Log::critical(this, m_lastError);
        m_parameters.autoReconnectionOnError = false;
        setConnectionState(ConnectionState::Id::Error, m_lastError, true);
    } else if (line.contains(QLatin1String("PUSH_REPLY"))) {
        const QPair<QString, QString> dns = pushedDnsServers(line);
        if (!dns.first.isEmpty() && !dns.second.isEmpty())
            emit dnsServerAddressesPushed(dns.first, m_parameters.ipv6Enabled ? dns.second : QString());
        done = true;
    } else {
        if (m_assignedIp.isEmpty() && line.contains(QLatin1String("ASSIGN_IP"))
            && line.contains(QLatin1String(">STATE")) && !line.contains(QLatin1String("MANAGEMENT"))) {
            const QString address = assignedAddress(line);
            if (address.isEmpty()) {
                qWarning().noquote() << objectName() + QStringLiteral(": Cannot parse ASSIGN_IP line");
            } else {
                m_assignedIp = address;
                emit assignedInternalIp(address);
                done = true;
            }
        }
        if (!done && line.startsWith(QLatin1String(">STATE")) && line.contains(connectedMarker)) {
            send("bytecount 1\n");
            Log::info(this, logPrefix + QStringLiteral("Send 'bytecount'"));
            setConnectionState(ConnectionState::Id::Connected, QString(), false);
            done = true;
        } else if (!done && line.startsWith(QLatin1String(">STATE")) && line.contains(exitingMarker)) {
            Log::info(this, QStringLiteral("OpenVPN process is exiting, waiting for notification.."));
            m_exitWait.start(exitWaitMs);
            done = true;
        }
    }
    if (done)
        return;

    const int counters = line.lastIndexOf(QLatin1String(">BYTECOUNT:"));
    if (counters < 0)
        return;
    const QStringList values = line.mid(counters + int(qstrlen(">BYTECOUNT:"))).split(QLatin1Char(','));
    bool receivedOk = false;
    bool sentOk = false;
    const quint64 received = values.value(0).trimmed().toULongLong(&receivedOk);
    const quint64 sent = values.value(1).trimmed().toULongLong(&sentOk);
    if (receivedOk && sentOk)
        setStatistics(ConnectionStatistics(received, sent));
    else
        qWarning().noquote() << objectName() + QStringLiteral(": Cannot parse BYTECOUNT line");
}

void OpenVpnClient::onOpenVpnProcessFinished(int exitCode)
{
    removeConfig();
    m_exitWait.stop();
    // The engine has gone: the port is free for the next one at once.
    m_management->close();
    if (connectionState() == ConnectionState::Id::Disconnected) {
        Log::info(this, QStringLiteral("Already in disconnected state"));
        return;
    }
    if (m_beingDestroyed)
        return;
    reportEngineFinished(exitCode, m_disconnectRequested, &m_lastError);
}

void OpenVpnClient::openVpnStateSigTermHandlerTimerEvent()
{
    Log::info(this, QStringLiteral("Timeout while waiting for notification from openvpn process.."));
    const bool running = isEngineRunning();
    Log::info(this, QStringLiteral("Checking if openvpn process is running: %1").arg(Utils::boolText(running)));
    if (running)
        m_process->kill();
    onOpenVpnProcessFinished(0);
}

void OpenVpnClient::refuseCredentials()
{
    // Sent as they are, a line break would end the command and start one of its own.
    m_lastError = credentialsProblem();
    Log::critical(this, QStringLiteral("Refused to send credentials with control characters"));
    m_parameters.autoReconnectionOnError = false;
    m_disconnectRequested = true;
    stopEngine();
    setConnectionState(ConnectionState::Id::Error, m_lastError, true);
}

void OpenVpnClient::send(const char *command)
{
    m_management->write(command);
}

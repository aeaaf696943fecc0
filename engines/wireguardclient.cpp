#include "wireguardclient.h"

#include "logger.h"

#include "buildconfig.h"
#include "platform/paths.h"
#include "platform/system.h"
#include "tcpserver.h"
#include "utils.h"
#include "vpnprocess.h"
#include "wireguardlogger.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

const QString tunnelDns = QStringLiteral("172.16.0.1");

// Kept for the life of the program: numbered names already used are not tried again.
int nameCounter = 1;

} // namespace

WireGuardClient::WireGuardClient(QObject *parent)
    : VpnClient(parent)
    , m_channel(new TcpServer(this))
    , m_process(new VpnProcess(QStringLiteral("wireguard-service"), this))
    , m_logger(new WireGuardLogger)
{
    setObjectName(QStringLiteral("WireGuardClient"));
    m_logger->setParent(this);
    connect(m_process, &ServiceProcess::finished, this, &WireGuardClient::onWireGuardProcessFinished);
    connect(m_process, &ServiceProcess::started, this, &WireGuardClient::onWireGuardProcessStarted);
    connect(m_process, &ServiceProcess::error, this, &WireGuardClient::onWireGuardProcessError);
    connect(m_channel, &TcpServer::readyRead, this, &WireGuardClient::onReadyReadDataFromManagementInterface);
    connect(m_channel, &TcpServer::socketError, this, &WireGuardClient::onSocketError);
    connect(m_logger, &WireGuardLogger::lineReaded, this, &WireGuardClient::onWireGuardLoggerLineReaded);
    // Whoever reports here decides what the user is told about the tunnel: the tunnel program
    // of the application directory alone.
    m_channel->setPeerFilter([this](const QTcpSocket &peer) { return isEngineConnection(peer); });
}

WireGuardClient::~WireGuardClient()
{
    m_beingDestroyed = true;
    m_parameters.autoReconnectionOnError = false;
    if (m_process->state() != ServiceProcess::NotRunning)
        disconnectFromVpn();
}

bool WireGuardClient::isSupported(QString *reason)
{
    const Platform::WireGuardAvailability availability = Platform::wireGuardAvailability();
    if (reason)
        *reason = availability.reason;
    return availability.available;
}

bool WireGuardClient::driverListHasWireGuard(const QString &driverqueryOutput)
{
    for (const QString &line : driverqueryOutput.split(QStringLiteral("\r\n"))) {
        if (!line.contains(QLatin1String("WireGuard")))
            continue;
        for (const QString &piece : line.simplified().split(QLatin1Char(' '))) {
            if (piece.endsWith(QLatin1String("wireguard.sys")))
                return true;
        }
    }
    return false;
}

bool WireGuardClient::isDriverInstalled()
{
    if (Platform::osName() == QLatin1String("Windows"))
        return driverListHasWireGuard(Utils::runShellCommand(QStringLiteral("driverquery /V"), false));
    return isSupported();
}

bool WireGuardClient::isUsableAccount(const Account &account)
{
    // Every value lands on a line of a file that a root process reads: each must be what its
    // key expects and nothing more.
    const auto isKey = [](const QString &key) {
        static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/]{43}=$"));
        return base64.match(key).hasMatch();
    };
    return account.isActive() && isKey(account.wgPrivateKey) && isKey(account.wgPublicKey)
        && Utils::isServerAddress(account.wgIp) && Utils::isIpv4Address(account.wgIp);
}

QString WireGuardClient::configText(const Account &account, const QString &server)
{
    if (!isUsableAccount(account) || !Utils::isServerAddress(server))
        return QString();
    return QStringList{QStringLiteral("[Interface]"),
                       QStringLiteral("PrivateKey = %1").arg(account.wgPrivateKey),
                       QStringLiteral("Address = %1/32").arg(account.wgIp),
                       QStringLiteral("DNS = %1").arg(tunnelDns),
                       QString(),
                       QStringLiteral("[Peer]"),
                       QStringLiteral("PublicKey = %1").arg(account.wgPublicKey),
                       QStringLiteral("AllowedIPs = 0.0.0.0/0, ::/0"),
                       QStringLiteral("Endpoint = %1:%2").arg(server).arg(peerPort),
                       QString()}
        .join(QLatin1Char('\n'));
}

QString WireGuardClient::chooseConfigPath(const QString &folder)
{
    const QString base =
        folder + QLatin1Char('/') + (QStringLiteral("wg-") + QLatin1String(BuildConfig::brandId)).left(13);
    const QString path = base + QStringLiteral(".conf");
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return path;
    for (; nameCounter < 99; ++nameCounter) {
        const QString numbered = base + QStringLiteral("%1.conf").arg(nameCounter);
        if (!QFileInfo::exists(numbered))
            return numbered;
    }
    return QString();
}

QString WireGuardClient::name() const
{
    return QStringLiteral("wireguard-service");
}

QString WireGuardClient::configTemplatePath() const
{
    return QStringLiteral(":/resources/config/wg-vpnclient.conf");
}

bool WireGuardClient::supportsKillSwitch() const
{
    return false;
}

QString WireGuardClient::executablePath() const
{
    return QDir::toNativeSeparators(QStringLiteral("%1/wireguard/bin/%2")
                                        .arg(Utils::applicationDirectory(), name() + Platform::executableSuffix()));
}

QString WireGuardClient::configFilePath() const
{
    return m_configPath;
}

bool WireGuardClient::prepareConfig()
{
    const QString text = configText(account(), m_parameters.server);
    const QString folder = Utils::dataDirectory() + QStringLiteral("/config");
    Utils::ensureDirectory(folder);
    m_configPath = chooseConfigPath(folder);
    if (m_configPath.isEmpty()) {
        Log::critical(this, QStringLiteral("Cannot prepare WireGuard config file"));
        return false;
    }
    if (account().isActive() && text.isEmpty())
        Log::warning(this, QStringLiteral("The account's WireGuard data is not usable"));
    // It holds the private key: for its owner alone from the first byte, then read-only (on
    // Windows the read-only attribute).
    if (!Utils::writePrivateFile(m_configPath, text.toUtf8())) {
        Log::critical(this, QStringLiteral("Cannot save WireGuard config file to '%1'").arg(m_configPath));
        return false;
    }
    QFile::setPermissions(m_configPath, QFileDevice::ReadOwner);
    m_logger->close();
    m_engineLogPath = QFileInfo(m_configPath).absolutePath() + QStringLiteral("/log.bin");
    return true;
}

void WireGuardClient::connectToVpn()
{
    m_lastError.clear();
    disconnectFromVpn();

    if (m_parameters.server.isEmpty())
        m_lastError = tr("Server name is empty!");
    else if (!Utils::isServerAddress(m_parameters.server))
        m_lastError = tr("The server address is not valid.");
    else if (!QFileInfo::exists(executablePath()))
        m_lastError = QStringLiteral("Executable '%1' does not exists").arg(executablePath());
    if (!m_lastError.isEmpty()) {
        Log::critical(this, m_lastError);
        setConnectionState(ConnectionState::Id::Error, m_lastError, false);
        return;
    }
    if (!prepareConfig())
        return;
    applyIpv6Setting();
    m_disconnectRequested = false;
    m_stopSent = false;
    listenForEngine(
        m_channel,
        statePort,
        [this] {
            setConnectionState(ConnectionState::Id::Connecting, QString(), false);
            m_process->start({executablePath(),
                              QStringLiteral("--add"),
                              m_configPath,
                              QStringLiteral("--port"),
                              QString::number(statePort)});
        },
        [this] {
            m_lastError = tr("Cannot open the engine's state channel.");
            Log::critical(this, m_lastError);
            setConnectionState(ConnectionState::Id::Error, m_lastError, false);
        });
}

void WireGuardClient::disconnectFromVpn()
{
    const bool running = isEngineRunning();
    m_disconnectRequested = true;
    cancelListening();
    m_channel->stopListening();
    if (running) {
        Log::info(this,
                  QStringLiteral("Send TERM signal, server state is opened: %1")
                      .arg(Utils::boolText(m_channel->isConnected())));
        removeTunnel();
        setConnectionState(ConnectionState::Id::Disconnecting, QString(), false);
        Log::info(this, QStringLiteral("Stopping Windows service"));
    } else if (m_process->state() == ServiceProcess::Starting && !m_stopSent) {
        // The tunnel's program is asked for but not there yet: the stop follows the start
        // command to the service, and the tunnel ends as soon as it begins.
        m_stopSent = true;
        Log::info(this, QStringLiteral("Stopping the tunnel program, which is still starting"));
        m_process->stop();
        setConnectionState(ConnectionState::Id::Disconnecting, QString(), false);
    } else if (m_process->state() != ServiceProcess::Starting) {
        setConnectionState(ConnectionState::Id::Disconnected, QString(), false);
    }
}

void WireGuardClient::removeTunnel()
{
    m_process->start({executablePath(), QStringLiteral("--remove"), m_configPath});
}

void WireGuardClient::onReadyReadDataFromManagementInterface()
{
    for (QString line = m_channel->readLine(); !line.isEmpty(); line = m_channel->readLine()) {
        if (!handleLine(line.simplified()))
            break;
    }
}

bool WireGuardClient::handleLine(const QString &line)
{
    if (!line.startsWith(QLatin1String(">BYTECOUNT:")))
        Log::info(this, QLatin1Char('[') + line + QLatin1Char(']'));

    if (line.startsWith(QLatin1String(">STATE:CONNECTED")) && m_disconnectRequested) {
        // Up after the user has disconnected: taken down again, never shown as connected.
        removeTunnel();
    } else if (line.startsWith(QLatin1String(">STATE:CONNECTED"))) {
        setConnectionState(ConnectionState::Id::Connected, QString(), false);
        m_logger->setFile(m_engineLogPath);
        m_logger->readNow();
    } else if (line.startsWith(QLatin1String(">STATE:DISCONNECTED"))) {
        setConnectionState(ConnectionState::Id::Disconnected, QString(), false);
    } else if (line.startsWith(QLatin1String(">STATE:ERROR"))) {
        const QStringList pieces = line.split(QLatin1Char(':'), Qt::KeepEmptyParts);
        if (pieces.size() == 3)
            m_lastError = pieces.at(2);
        setConnectionState(ConnectionState::Id::Error, m_lastError, true);
    } else if (line.startsWith(QLatin1String(">BYTECOUNT:"))) {
        const QStringList amounts =
            line.mid(int(qstrlen(">BYTECOUNT:"))).split(QStringLiteral(", "), Qt::KeepEmptyParts);
        if (amounts.size() != 2)
            return false;
        setStatistics(ConnectionStatistics(amounts.at(0), amounts.at(1)));
    }
    return true;
}

void WireGuardClient::onSocketError(QAbstractSocket::SocketError socketError)
{
    if (socketError != QAbstractSocket::RemoteHostClosedError)
        return;
    const ConnectionState::Id state = connectionState();
    if (state == ConnectionState::Id::Disconnected || state == ConnectionState::Id::Reconnecting)
        return;
    if (m_disconnectRequested || state == ConnectionState::Id::Error) {
        setConnectionState(ConnectionState::Id::Disconnected, QString(), false);
        return;
    }
    // The tunnel program ends an orderly tunnel with ">STATE:DISCONNECTED" first. Gone without
    // it, it lost its peer or died; its channel closes before the service reports the exit,
    // so this is where the end is seen, and it is an engine crash.
    Log::warning(this, QStringLiteral("The engine closed its channel without a disconnect"));
    reportEngineFinished(1, false, &m_lastError);
}

void WireGuardClient::onWireGuardLoggerLineReaded(const QString &line)
{
    Q_UNUSED(line)
}

void WireGuardClient::onWireGuardProcessFinished(int exitCode)
{
    if (isEngineRunning()) {
        Log::info(this, QStringLiteral("Process in running state"));
        return;
    }
    Log::info(this, QStringLiteral("Process is finished"));
    // The tunnel's program has gone: the port is free for the next one at once.
    m_channel->close();
    // Reconnecting too: the end was reported already, when the channel closed.
    if (connectionState() == ConnectionState::Id::Disconnected
        || connectionState() == ConnectionState::Id::Reconnecting) {
        Log::info(this, QStringLiteral("Already in disconnected state"));
        return;
    }
    if (m_beingDestroyed)
        return;
    reportEngineFinished(exitCode, m_disconnectRequested, &m_lastError);
}

void WireGuardClient::onWireGuardProcessStarted()
{
    Log::info(this, QStringLiteral("WireGuard process started"));
}

void WireGuardClient::onWireGuardProcessError(int status)
{
    if (isEngineRunning())
        return; // the remove run was refused: the tunnel lives on and reports its own end
    m_channel->close();
    if (m_beingDestroyed)
        return;
    reportEngineRefused(status, &m_lastError);
}

#include "vpnclient.h"

#include "logger.h"
#include "platform/engines.h"
#include "platform/paths.h"
#include "serviceprocess.h"
#include "tcpserver.h"
#include "utils.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>

// Outside any namespace, as the resource registration functions are.
static void registerConfigResources()
{
    Q_INIT_RESOURCE(config);
}

namespace {

Account &sharedAccount()
{
    static Account account;
    return account;
}

} // namespace

VpnClient::VpnClient(QObject *parent)
    : QObject(parent)
    , m_networkTool(new ServiceProcess(QStringLiteral("network-tool"), this))
{
    static const bool registered = (registerConfigResources(), true);
    Q_UNUSED(registered)
}

VpnClient::~VpnClient() = default;

QString VpnClient::protocolName(int protocol, bool lowerCase)
{
    QString name;
    switch (protocol) {
    case VpnProtocol::OpenVpnUdp: name = QStringLiteral("OpenVPN (UDP)"); break;
    case VpnProtocol::OpenVpnTcp: name = QStringLiteral("OpenVPN (TCP)"); break;
    case VpnProtocol::Stealth: name = QStringLiteral("Stealth"); break;
    case VpnProtocol::WireGuard: name = QStringLiteral("WireGuard"); break;
    default: return QString();
    }
    return lowerCase ? name.toLower() : name;
}

QString VpnClient::formatBytes(qulonglong bytes, bool withUnit)
{
    static const char *const units[] = {QT_TRANSLATE_NOOP("VpnClient", "B"),
                                        QT_TRANSLATE_NOOP("VpnClient", "KiB"),
                                        QT_TRANSLATE_NOOP("VpnClient", "MiB"),
                                        QT_TRANSLATE_NOOP("VpnClient", "GiB"),
                                        QT_TRANSLATE_NOOP("VpnClient", "TiB")};
    QString number;
    int unit = 0;
    if (bytes < 1024ULL) {
        number = QString::number(bytes);
    } else {
        double value = double(bytes);
        while (unit < 4 && value >= 1024.0) {
            value /= 1024.0;
            ++unit;
        }
        number = QString::number(value, 'f', 1);
    }
    return withUnit ? number + QCoreApplication::translate("VpnClient", units[unit]) : number;
}

QString VpnClient::formatTraffic(qulonglong bytes)
{
    return bytes == 0 ? QStringLiteral("0") : formatBytes(bytes, true);
}

QString VpnClient::joinPorts(const QList<quint16> &ports)
{
    QStringList texts;
    for (quint16 port : ports)
        texts << QString::number(port);
    return texts.join(QStringLiteral(", "));
}

Account VpnClient::account()
{
    return sharedAccount();
}

void VpnClient::setAccount(const Account &account)
{
    sharedAccount() = account;
}

void VpnClient::setConnectionParameters(const ConnectionParameters &parameters)
{
    m_parameters = parameters;
}

bool VpnClient::supportsKillSwitch() const
{
    return true;
}

void VpnClient::editConfig(QString &text)
{
    Q_UNUSED(text)
}

bool VpnClient::prepareConfig()
{
    const QString templatePath = configTemplatePath();
    if (templatePath.isEmpty())
        return false;
    // One prepared file at a time: the previous one goes with its object.
    m_config.reset();
    m_config = Utils::nativeCopy(templatePath);
    if (!m_config || (!m_config->isOpen() && !m_config->open()) || !m_config->seek(0)) {
        qCritical().noquote() << objectName() + QStringLiteral(": Config does not exist or empty!");
        m_config.reset();
        return false;
    }
    QString text = QString::fromUtf8(m_config->readAll());
    editConfig(text);
    m_config->resize(0);
    m_config->seek(0);
    m_config->write(text.toLatin1());
    m_config->flush();
    return true;
}

QString VpnClient::configFilePath() const
{
    return m_config ? QFileInfo(m_config->fileName()).absoluteFilePath() : QString();
}

void VpnClient::reportEngineFinished(int exitCode, bool disconnectRequested, QString *lastError)
{
    Log::info(this, QStringLiteral("Process finished with code: %1").arg(exitCode));
    if (exitCode != 0 && !disconnectRequested)
        *lastError = QStringLiteral("CrashExit");
    setConnectionState(ConnectionState::Id::Disconnected, *lastError, false);
    if (disconnectRequested || !m_parameters.autoReconnectionOnError)
        return;
    Log::info(this, QStringLiteral("Reconnecting..."));
    setConnectionState(ConnectionState::Id::Reconnecting, QString(), true);
}

bool VpnClient::isEngineConnection(const QTcpSocket &peer) const
{
    const QString engine = QFileInfo(executablePath()).canonicalFilePath();
    const QVector<Platform::TcpPeer> holders =
        Platform::tcpPeers(peer.peerAddress(), peer.peerPort(), peer.localAddress(), peer.localPort());
    if (holders.isEmpty() || engine.isEmpty())
        return false;
    for (const Platform::TcpPeer &holder : holders) {
        // A process of another user may hide its program from us; the engine runs with the
        // service's rights, and no unprivileged program can own a socket of the administrator.
        if (holder.executable.isEmpty() ? holder.uid != 0 : holder.executable != engine)
            return false;
    }
    return true;
}

void VpnClient::listenForEngine(TcpServer *channel,
                                quint16 port,
                                std::function<void()> start,
                                std::function<void()> refuse)
{
    constexpr int attempts = 10;
    constexpr int intervalMs = 100;
    const int generation = ++m_listenGeneration;
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [this, channel, port, start, refuse, generation, attempt](int made) {
        if (generation != m_listenGeneration)
            return;
        if (channel->start(QStringLiteral("127.0.0.1"), port)) {
            start();
        } else if (made + 1 < attempts) {
            QTimer::singleShot(intervalMs, this, [attempt, made] { (*attempt)(made + 1); });
        } else {
            refuse();
        }
    };
    (*attempt)(0);
}

QString VpnClient::credentialsProblem() const
{
    if (Utils::containsControlCharacter(m_parameters.userName)
        || Utils::containsControlCharacter(m_parameters.password))
        return tr("The user name or the password contains line breaks or other control characters.");
    return QString();
}

void VpnClient::reportEngineRefused(int status, QString *lastError)
{
    *lastError = status == 1 ? tr("The service refused to start %1").arg(name())
                             : tr("The service could not start %1").arg(name());
    Log::critical(this, *lastError);
    setConnectionState(ConnectionState::Id::Error, *lastError, false);
}

void VpnClient::removeConfig()
{
    m_config.reset();
}

void VpnClient::setConnectionState(ConnectionState::Id state, const QString &text, bool critical)
{
    if (state == m_state)
        return;
    Logger::logSection(objectName(), ConnectionState::stateName(state));
    m_state = state;
    emit connectionStateChanged(state, text, critical, text);
}

void VpnClient::setStatistics(const ConnectionStatistics &statistics)
{
    m_statistics = statistics;
    emit byteCountChanged(statistics.received, statistics.sent);
}

void VpnClient::applyIpv6Setting()
{
    m_networkTool->start({Utils::executablePath(QStringLiteral("network-tool"), true),
                          QStringLiteral("--ipv6"),
                          m_parameters.ipv6Enabled ? QStringLiteral("enable") : QStringLiteral("disable")});
}

QString VpnClient::engineLogPath() const
{
    return engineLogPathFor(Logger::instance()->logFilePath());
}

QString VpnClient::engineLogPathFor(const QString &programLogPath)
{
    if (programLogPath.isEmpty())
        return QString();
    // A folder may well have "-app" in its name; only the file's own name changes.
    const QFileInfo file(programLogPath);
    const QString folder = programLogPath.left(programLogPath.size() - file.fileName().size());
    return folder + file.fileName().replace(QLatin1String("-app"), QLatin1String("-vpn"));
}

bool VpnClient::isEngineRunning() const
{
    return Utils::isProcessRunning(executablePath());
}

#include "vpncore.h"

#include "account.h"
#include "countrynames.h"
#include "logger.h"
#include "multiping.h"
#include "networkapi.h"
#include "openvpnclient.h"
#include "portchecker.h"
#include "settings.h"
#include "utils.h"
#include "vpnclient.h"
#include "wireguardclient.h"

#include <QDebug>
#include <QFileInfo>

namespace {

const QString fastDown = QStringLiteral("FastDown");
const QString cantFindPorts = QStringLiteral("CantFindPorts");
const QString crashExit = QStringLiteral("CrashExit");

// The last public address received, for the whole process: replayed on a language change.
QString lastReportedIp;
QString lastReportedCountry;
// Account requests made for the automatic connection, for the whole process.
int accountRequestCount = 0;

} // namespace

VpnCore::VpnCore(QObject *parent)
    : QObject(parent)
    , m_currentIpInfoText(tr("Updating..."))
    , m_onlineTime(QStringLiteral("00:00:00"))
    , m_dnsProcess(QStringLiteral("dns"))
    , m_networkTool(QStringLiteral("network-tool"))
    , m_settings(Settings::instance())
{
    setObjectName(QStringLiteral("VpnCore"));
    ConnectionState::registerMetaType();
    qRegisterMetaType<VpnCore::VpnError>("VpnCore::VpnError");

    m_onlineTimer.setInterval(500);
    QObject::connect(&m_onlineTimer, &QTimer::timeout, this, &VpnCore::onOnlineActivityTimerEvent);
    m_currentIpTimer.setSingleShot(true);
    QObject::connect(&m_currentIpTimer, &QTimer::timeout, this, &VpnCore::onRequestCurrentIpAddressTimerEvent);
    m_reconnectTimer.setSingleShot(true);
    QObject::connect(&m_reconnectTimer, &QTimer::timeout, this, [this] { beginConnection(false); });
    QObject::connect(&m_dnsProcess, &ServiceProcess::finished, this, &VpnCore::onDnsProcessFinished);
    QObject::connect(&m_killSwitch, &KillSwitch::killSwitchFinished, this, &VpnCore::onKillSwitchFinished);

    m_engineFactory = [](int protocol, QObject *owner) -> VpnClient * {
        if (protocol == VpnProtocol::WireGuard)
            return new WireGuardClient(owner);
        return new OpenVpnClient(owner);
    };
}

VpnCore::~VpnCore()
{
    if (m_connectionState != ConnectionState::Id::Disconnected)
        disconnectFromVpn();
    if (m_killSwitch.isEnabled())
        releaseKillSwitch();
}

QString VpnCore::onlineTimeText(qint64 seconds)
{
    if (seconds <= 0)
        return QStringLiteral("00:00:00");
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString VpnCore::currentLocationImageSource() const
{
    return m_currentCountry.isEmpty() ? QString() : Utils::flagSource(m_currentCountry);
}

QString VpnCore::downloaded() const
{
    return VpnClient::formatTraffic(m_downloadedBytes);
}

QString VpnCore::uploaded() const
{
    return VpnClient::formatTraffic(m_uploadedBytes);
}

void VpnCore::setNetworkApi(NetworkApi *networkApi)
{
    m_networkApi = networkApi;
    QObject::connect(
        networkApi, &NetworkApi::requestCurrentIpAddressFinished, this, &VpnCore::onRequestCurrentIpAddressFinished);
    QObject::connect(networkApi, &NetworkApi::requestServerListFinished, this, &VpnCore::onRequestServerListFinished);
    QObject::connect(networkApi, &NetworkApi::apiRequestAccountFinished, this, &VpnCore::onApiRequestAccountFinished);
}

bool VpnCore::isBusy() const
{
    return m_connectionState == ConnectionState::Id::Preparing || m_connectionState == ConnectionState::Id::Connecting
        || m_connectionState == ConnectionState::Id::Connected;
}

Server VpnCore::currentServer() const
{
    return serverByIp(m_servers, m_serverIp);
}

// --- connect and disconnect -------------------------------------------------------------

void VpnCore::connectToVpn()
{
    beginConnection(true);
}

void VpnCore::beginConnection(bool userRequest)
{
    m_reconnectTimer.stop();
    m_userDisconnect = false;
    // A user's connect lifts a kill switch left closed; a reconnection keeps it closed until
    // the tunnel is back.
    if (m_killSwitch.isEnabled() && (userRequest || !m_killSwitchHeld))
        releaseKillSwitch();

    m_vpnConnectionErrorText.clear();
    emit vpnConnectionErrorTextChanged(m_vpnConnectionErrorText);
    if (!checkPreconditions()) {
        if (m_killSwitchHeld) {
            // Nothing will connect: the user decides, as after the last failed attempt.
            Logger::logSection(objectName(), QStringLiteral("Kill switch event!"));
            emit killSwitchEventActivated();
        }
        return;
    }

    VpnClient *previous = m_engine;
    const bool protection = m_settings->killswitchEnabled() && previous && previous->supportsKillSwitch();
    Log::info(this,
              QStringLiteral("Connect to VPN, server '%1:%2 - %3', reconnection on error: '%4', protection: '%5'")
                  .arg(m_serverIp,
                       m_settings->portText(),
                       VpnClient::protocolName(m_settings->networkProtocol()),
                       Utils::boolText(m_autoReconnectionOnError),
                       Utils::boolText(protection)));

    m_dnsManager.refresh();
    m_userDnsServers = m_dnsManager.userDnsEntries();
    Log::info(this, QStringLiteral("User DNS: (%1)").arg(m_userDnsServers.join(QStringLiteral(", "))));

    // A held kill switch lets only the server it was armed for through: a reconnection to
    // another server arms it for that one instead of opening it.
    if (m_killSwitchHeld && m_killSwitch.isEnabled() && m_killSwitchServer != m_serverIp) {
        m_killSwitchServer = m_serverIp;
        m_killSwitch.enable(QString(), m_serverIp, m_settings->allowAccessToLocalDevices());
    }

    if (m_portChecker) {
        delete m_portChecker;
        m_portChecker = nullptr;
    }

    const quint16 port = m_settings->port();
    if (port != 0) {
        startConnection(port);
        return;
    }
    m_portChecker = new PortChecker(m_serverIp, m_settings->candidateTcpPorts(), m_portSearchSeconds);
    m_portChecker->setParent(this);
    QObject::connect(m_portChecker, &PortChecker::portIsAvailable, this, &VpnCore::onPortIsAvailable);
    QObject::connect(m_portChecker, &PortChecker::timeout, this, &VpnCore::onPortCheckerTimeout);
    m_portChecker->check(true);
    onVpnConnectionStateChanged(ConnectionState::Id::Preparing, QString(), false, QString());
}

bool VpnCore::checkPreconditions()
{
    if (m_settings->networkProtocol() == VpnProtocol::WireGuard) {
        QString reason;
        if (!WireGuardClient::isSupported(&reason)) {
            m_vpnConnectionErrorText = reason;
            emit vpnConnectionErrorChanged(WireGuardNotSupported);
            emit vpnConnectionErrorTextChanged(reason);
            return false;
        }
        if (!VpnClient::account().isActive()) {
            m_vpnConnectionErrorText = QStringLiteral("Auth data is empty");
            emit vpnConnectionErrorChanged(AuthDataEmpty);
            emit vpnConnectionErrorTextChanged(m_vpnConnectionErrorText);
            return false;
        }
    }
    if (!m_settings->vaildCredentials()) {
        reportError(CredentialsEmpty, tr("Username or password is empty!"));
        return false;
    }
    if (m_serverIp.isEmpty()) {
        reportError(ServerIpEmpty, tr("VPN server IP is empty!"));
        return false;
    }
    return true;
}

void VpnCore::reportError(VpnError error, const QString &text)
{
    m_vpnConnectionErrorText = text;
    Log::warning(this, text);
    emit vpnConnectionErrorChanged(error);
    emit vpnConnectionErrorTextChanged(text);
}

void VpnCore::onPortIsAvailable(ushort port)
{
    if (m_portChecker) {
        m_portChecker->deleteLater();
        m_portChecker = nullptr;
    }
    startConnection(port);
}

void VpnCore::onPortCheckerTimeout()
{
    if (m_portChecker) {
        m_portChecker->deleteLater();
        m_portChecker = nullptr;
    }
    onVpnConnectionStateChanged(
        ConnectionState::Id::Error, cantFindPorts, true, tr("There are no ports for this connection"));
}

void VpnCore::startConnection(quint16 port)
{
    const int protocol = m_settings->networkProtocol();
    m_usesDnsProgram = protocol != VpnProtocol::WireGuard;

    // The old engine hears nothing more: its reports would be taken for the new one's.
    if (m_engine) {
        QObject::disconnect(m_engine, nullptr, this, nullptr);
        m_engine->deleteLater();
        m_engine = nullptr;
    }
    m_engine = m_engineFactory(protocol, this);
    QObject::connect(m_engine,
                     &VpnClient::connectionStateChanged,
                     this,
                     [this](ConnectionState::Id state, const QString &data, bool critical, const QString &error) {
                         onVpnConnectionStateChanged(state, data, critical, error);
                     });
    QObject::connect(m_engine, &VpnClient::byteCountChanged, this, &VpnCore::onByteCountChanged);
    QObject::connect(m_engine, &VpnClient::assignedInternalIp, this, &VpnCore::onAssignedInternalIp);
    QObject::connect(m_engine, &VpnClient::dnsServerAddressesPushed, this, &VpnCore::onDnsServerAddressesPushed);

    ConnectionParameters parameters;
    parameters.userName = m_settings->userName();
    parameters.password = m_settings->password();
    parameters.server = m_serverIp;
    parameters.protocol = protocol;
    parameters.port = port;
    parameters.autoReconnectionOnError = m_settings->autoReconnectionOnError();
    parameters.ipv6Enabled = m_settings->ipv6Enabled();
    m_engine->setConnectionParameters(parameters);
    m_engine->connectToVpn();
}

void VpnCore::disconnectFromVpn()
{
    m_userDisconnect = true;
    if (m_connectionState == ConnectionState::Id::Preparing) {
        if (m_portChecker) {
            m_portChecker->deleteLater();
            m_portChecker = nullptr;
        }
        onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, fastDown, true, QString());
        return;
    }
    // Between a crash and its reconnection there is no session: the disconnect cancels the
    // reconnection and opens a kill switch held for it.
    if (m_connectionState == ConnectionState::Id::Disconnected
        || m_connectionState == ConnectionState::Id::Reconnecting) {
        if (m_reconnectTimer.isActive()) {
            Log::info(this, QStringLiteral("Reconnection cancelled"));
            m_reconnectTimer.stop();
        }
        m_reconnectRequested = false;
        if (m_killSwitchHeld)
            disableKillSwitch();
        // The engine has ended already: nothing of it would report the end.
        if (m_connectionState == ConnectionState::Id::Reconnecting)
            onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, fastDown, true, QString());
        return;
    }
    Log::info(this, QStringLiteral("Disconnect from VPN"));
    if (m_engine)
        m_engine->disconnectFromVpn();
}

bool VpnCore::disableKillSwitch()
{
    m_killSwitchHeld = false;
    if (!m_killSwitch.isEnabled())
        return false;
    releaseKillSwitch();
    return true;
}

void VpnCore::releaseKillSwitch()
{
    m_killSwitchHeld = false;
    m_killSwitchServer.clear();
    m_protectionStatus.setKillswitchActivated(false);
    m_killSwitch.disable();
}

// --- the engine's reports -----------------------------------------------------------------

void VpnCore::onVpnConnectionStateChanged(ConnectionState::Id state,
                                          const QString &additionalData,
                                          bool critical,
                                          const QString &errorDescription)
{
    if (state == m_connectionState)
        return;
    // An engine that counts on being restarted says so after its end; only a reconnection
    // that is really on its way is shown as one, else the session would read as reconnecting
    // forever after the last attempt.
    if (state == ConnectionState::Id::Reconnecting && m_connectionState == ConnectionState::Id::Disconnected
        && !m_reconnectTimer.isActive()) {
        Log::info(this, QStringLiteral("No reconnection follows, staying disconnected"));
        return;
    }
    m_connectionState = state;
    Log::info(
        this,
        QStringLiteral("State set to %1%2")
            .arg(ConnectionState::stateName(state, true),
                 errorDescription.isEmpty() ? QString() : QStringLiteral(", error text: '%1'").arg(errorDescription)));

    const QString caption = ConnectionState::stateText(state);
    switch (state) {
    case ConnectionState::Id::Disconnected:
        setCaption(caption);
        handleDisconnection(additionalData, critical);
        break;
    case ConnectionState::Id::Preparing: setCaption(caption); break;
    case ConnectionState::Id::Connecting:
        setCaption(caption);
        clearCurrentAddress();
        break;
    case ConnectionState::Id::Connected:
        setCaption(caption);
        handleConnected();
        break;
    case ConnectionState::Id::Disconnecting:
    case ConnectionState::Id::Reconnecting: break;
    case ConnectionState::Id::Error:
        setCaption(caption);
        handleDisconnection(additionalData, critical);
        m_vpnConnectionErrorText = errorDescription;
        emit vpnConnectionErrorTextChanged(m_vpnConnectionErrorText);
        break;
    case ConnectionState::Id::Unknown:
        setCaption(caption);
        handleDisconnection(QString(), false);
        break;
    }
    emit connectionStateChanged(m_connectionState);
}

void VpnCore::setCaption(const QString &text)
{
    m_currentIpInfoText = text;
    emit currentIpInfoTextChanged(text);
}

void VpnCore::clearCurrentAddress()
{
    m_currentCountry.clear();
    m_currentIp.clear();
    emit currentIpChanged(m_currentIp);
    emit currentLocationImageSourceChanged(currentLocationImageSource());
}

void VpnCore::handleConnected()
{
    m_reconnectAttempts = 0;
    m_vpnConnected = true;
    clearCurrentAddress();
    emit vpnConnectedChanged(true);

    m_connectedSince = QDateTime::currentDateTimeUtc();
    m_onlineTime = onlineTimeText(0);
    emit vpnOnlineTimeChanged(m_onlineTime);
    m_onlineTimer.start();

    // The tunnel is back: a kill switch held across a crash is armed for it like any other.
    m_killSwitchHeld = false;
    if (m_settings->killswitchEnabled() && m_engine && m_engine->supportsKillSwitch()) {
        m_protectionStatus.setKillswitchActivated(true);
        m_killSwitchServer = m_serverIp;
        m_killSwitch.enable(m_assignedInternalIp, m_serverIp, m_settings->allowAccessToLocalDevices());
    } else if (m_killSwitch.isEnabled()) {
        // Held for a session that does not use it (switched off meanwhile, or WireGuard).
        releaseKillSwitch();
    }
    if (m_usesDnsProgram) {
        m_protectionStatus.setDnsActivated(true);
        startDnsProgram(QStringLiteral("vpn"), m_dnsManager.vpnDnsEntries(m_pushedDnsIpv4, m_pushedDnsIpv6));
    }
    m_currentIpTimer.start(1000);
}

void VpnCore::handleDisconnection(const QString &additionalData, bool critical)
{
    if (critical && additionalData == cantFindPorts) {
        onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, fastDown, true, QString());
        return;
    }

    m_onlineTimer.stop();
    m_pushedDnsIpv4.clear();
    // Both families: a stale IPv6 server would go to the next session's DNS switch.
    m_pushedDnsIpv6.clear();
    m_assignedInternalIp.clear();
    m_vpnConnected = false;
    m_downloadedBytes = 0;
    m_uploadedBytes = 0;
    m_onlineTime = onlineTimeText(0);
    clearCurrentAddress();
    emit vpnConnectedChanged(false);
    emit downloadedChanged(downloaded());
    emit uploadedChanged(uploaded());
    emit vpnOnlineTimeChanged(m_onlineTime);
    m_connectionState = ConnectionState::Id::Disconnected;

    if (critical && additionalData == fastDown) {
        restoreIpv6();
        onRequestCurrentIpAddressFinished(m_savedIp, m_savedCountry);
        if (m_reconnectRequested) {
            m_reconnectRequested = false;
            scheduleConnect();
        } else if (m_killSwitchHeld && !m_userDisconnect) {
            // A reconnection that found no port: nothing follows, the user decides.
            Logger::logSection(objectName(), QStringLiteral("Kill switch event!"));
            emit killSwitchEventActivated();
        }
        return;
    }

    // An engine that died while the kill switch guarded the session leaves it closed (and so
    // does a failed reconnection); the user's own disconnect and every other end open it.
    const bool engineCrash = additionalData == crashExit && !critical;
    const bool hold = m_killSwitch.isEnabled() && !m_userDisconnect && (engineCrash || m_killSwitchHeld);
    if (m_killSwitch.isEnabled() && !hold)
        releaseKillSwitch();
    const bool reconnectNow = decideReconnection(additionalData, critical);
    if (hold) {
        m_killSwitchHeld = true;
        if (!reconnectNow && !m_reconnectRequested) {
            Logger::logSection(objectName(), QStringLiteral("Kill switch event!"));
            emit killSwitchEventActivated();
        }
    }

    Log::info(this, QStringLiteral("VPN connection is OFF"));
    m_protectionStatus.setDnsActivated(false);
    if (m_usesDnsProgram)
        startDnsProgram(QStringLiteral("user"), m_userDnsServers);
    restoreIpv6();
    onRequestCurrentIpAddressFinished(m_savedIp, m_savedCountry);

    if (m_reconnectRequested) {
        m_reconnectRequested = false;
        scheduleConnect();
    } else if (reconnectNow) {
        scheduleConnect();
    } else {
        m_currentIpTimer.start(1000);
    }
}

bool VpnCore::decideReconnection(const QString &additionalData, bool critical)
{
    if (additionalData != crashExit)
        return false;
    if (critical) {
        if (m_autoReconnectionOnError)
            Log::critical(this, QStringLiteral("Critical error, reconnection is not allowed now!"));
        return false;
    }
    if (!m_autoReconnectionOnError)
        return false;
    ++m_reconnectAttempts;
    if (m_reconnectAttempts >= 4) {
        Log::critical(this, QStringLiteral("Can't reconnect after 3 attempts..."));
        m_reconnectAttempts = 0;
        return false;
    }
    Log::info(this, QStringLiteral("Going to reconnection...%1").arg(m_reconnectAttempts));
    emit vpnConnectionErrorTextChanged(tr("Auto reconnection"));
    return true;
}

void VpnCore::scheduleConnect()
{
    m_reconnectTimer.start(m_reconnectDelay);
}

void VpnCore::startDnsProgram(const QString &mode, const QStringList &entries)
{
    m_dnsProcess.start(QStringList{DnsManager::dnsProgramPath(), mode} + entries);
}

void VpnCore::restoreIpv6()
{
    // The engine switched IPv6 off for the session; without a record of that, the tool changes
    // nothing.
    m_networkTool.start({Utils::executablePath(QStringLiteral("network-tool"), true),
                         QStringLiteral("--ipv6"),
                         QStringLiteral("enable")});
}

void VpnCore::onByteCountChanged(qulonglong receive, qulonglong send)
{
    if (m_connectionState != ConnectionState::Id::Connected)
        return;
    m_downloadedBytes = receive;
    m_uploadedBytes = send;
    emit downloadedChanged(downloaded());
    emit uploadedChanged(uploaded());
}

void VpnCore::onAssignedInternalIp(const QString &ip)
{
    m_assignedInternalIp = ip;
}

void VpnCore::onDnsServerAddressesPushed(const QString &ipv4, const QString &ipv6)
{
    m_pushedDnsIpv4 = ipv4;
    m_pushedDnsIpv6 = ipv6;
}

void VpnCore::onDnsProcessFinished(int)
{
}

void VpnCore::onKillSwitchFinished(bool)
{
}

void VpnCore::onOnlineActivityTimerEvent()
{
    const qint64 seconds = m_connectedSince.isValid() ? m_connectedSince.secsTo(QDateTime::currentDateTimeUtc()) : 0;
    m_onlineTime = onlineTimeText(seconds);
    emit vpnOnlineTimeChanged(m_onlineTime);
}

// --- reconnection, auto-connect and server choice -------------------------------------------

void VpnCore::setAutoReconnectionOnError(bool enabled)
{
    m_autoReconnectionOnError = enabled;
}

void VpnCore::startAutoConnection()
{
    Log::info(this, QStringLiteral("Start auto connection"));
    m_autoConnectPending = false;
    connectToVpn();
}

void VpnCore::setVpnServerIp(const QString &ip, const QString &locationText, const QString &country)
{
    Log::info(this, QStringLiteral("Set %1").arg(locationDescription(ip, locationText, true)));
    m_serverIp = ip;
    m_settings->saveCurrentServerId(nameForIp(m_servers, country.isEmpty() ? ip : country));

    if (m_autoConnectPending) {
        if (WireGuardClient::isSupported() && m_settings->networkProtocol() == VpnProtocol::WireGuard
            && !VpnClient::account().isActive()) {
            Log::info(this, QStringLiteral("Auto connection enabled, but account data is not ready yet"));
            if (accountRequestCount < 3 && m_networkApi) {
                ++accountRequestCount;
                m_networkApi->requestAccount(m_settings->userName(), m_settings->password());
            }
            return;
        }
        startAutoConnection();
        return;
    }
    if (m_connectionState != ConnectionState::Id::Disconnected) {
        m_reconnectRequested = true;
        if (m_connectionState != ConnectionState::Id::Disconnecting)
            disconnectFromVpn();
    }
}

void VpnCore::onApiRequestAccountFinished(const Account &account)
{
    if (!account.isActive()) {
        Log::warning(this, QStringLiteral("Account is not valid"));
        return;
    }
    VpnClient::setAccount(account);
    Log::info(this, QStringLiteral("Account data: OK"));
    if (m_autoConnectPending && !m_serverIp.isEmpty())
        startAutoConnection();
}

QString VpnCore::bestStringForCountry(const QString &countryCode) const
{
    if (countryCode.isEmpty())
        return QString();
    return tr("Best in") + QLatin1Char(' ') + countryCode.toUpper();
}

void VpnCore::setSearchModeForCountry(const QString &countryCode)
{
    if (countryCode.isEmpty())
        return;
    m_serverIp.clear();
    m_searchCountry = countryCode;
    m_countryPing = nullptr;
    Log::info(this, QStringLiteral("Set search mode for country: '%1'").arg(CountryNames::nameForCode(countryCode)));

    const Servers candidates = serversOfCountry(m_servers, m_searchCountry);
    if (candidates.size() == 1) {
        const Server &only = candidates.first();
        Log::info(this,
                  QStringLiteral("Only one server available, %1")
                      .arg(locationDescription(only.ip, only.locationText(), true)));
        m_searchCountry.clear();
        setVpnServerIp(only.ip, only.locationText(), only.country);
        return;
    }
    auto *ping = new MultiPing(this);
    QObject::connect(ping, &MultiPing::lastRequestFinished, this, &VpnCore::onLastPingRequestFinished);
    const QStringList addresses = serverIps(candidates);
    if (addresses.isEmpty()) {
        Log::warning(this, QStringLiteral("Something wrong.."));
        ping->deleteLater();
        return;
    }
    m_countryPing = ping;
    ping->sendRequest(addresses);
}

void VpnCore::onLastPingRequestFinished(const QStringList &list)
{
    QObject *ping = sender();
    if (ping)
        ping->deleteLater();
    // An earlier pick's probes that answer late must not undo the latest pick.
    if (ping && ping != m_countryPing)
        return;
    m_countryPing = nullptr;
    const QStringList ranked = MultiPing::byValue(list);
    for (const QString &entry : ranked) {
        const Server server = serverByIp(m_servers, entry.section(QLatin1Char(':'), 0, 0));
        if (!server.isValid())
            continue;
        Log::info(
            this,
            QStringLiteral("From ping, selected %1").arg(locationDescription(server.ip, server.locationText(), true)));
        setVpnServerIp(server.ip, server.locationText(), server.country);
        break;
    }
}

void VpnCore::updateFavorite(const QString &serverId, bool set)
{
    m_settings->setFavorite(nameForIp(m_servers, serverId), set);
}

void VpnCore::onRequestServerListFinished(const Servers &servers)
{
    m_servers = servers;
}

// --- the public address ---------------------------------------------------------------------

void VpnCore::requestCurrentIpAddress(int timeoutMSec)
{
    m_currentIpTimer.start(timeoutMSec);
}

void VpnCore::onRequestCurrentIpAddressTimerEvent()
{
    if (m_networkApi)
        m_networkApi->requestCurrentIpAddress();
}

void VpnCore::retranslate()
{
    onRequestCurrentIpAddressFinished(Utils::retranslateMarker(), Utils::retranslateMarker());
}

void VpnCore::onRequestCurrentIpAddressFinished(const QString &ip, const QString &countryCode)
{
    if (ip == Utils::retranslateMarker()) {
        onRequestCurrentIpAddressFinished(lastReportedIp, lastReportedCountry);
        return;
    }
    if (ip == Utils::zeroAddress()) {
        Log::info(this, QStringLiteral("Requesting new ip address"));
        m_currentIpTimer.start(NetworkApi::replyTimeout);
        return;
    }
    lastReportedIp = ip;
    lastReportedCountry = countryCode;

    QString country;
    if (m_connectionState == ConnectionState::Id::Connected) {
        Server server = serverByIp(m_servers, ip);
        if (!server.isValid())
            server = serverByIp(m_servers, m_serverIp);
        country = server.country;
    }
    if (country.isEmpty())
        country = countryCode;
    if (ip.isEmpty() || country.isEmpty())
        return;
    if (m_connectionState == ConnectionState::Id::Connecting
        || m_connectionState == ConnectionState::Id::Disconnecting) {
        Log::info(this, QStringLiteral("Request current IP address finished, skipping"));
        return;
    }
    if (m_connectionState == ConnectionState::Id::Disconnected) {
        m_savedIp = ip;
        m_savedCountry = country;
    }
    m_currentIp = ip;
    m_currentCountry = country;
    emit currentIpChanged(m_currentIp);
    emit currentLocationImageSourceChanged(currentLocationImageSource());
    setCaption(Utils::isIpv4Address(ip) ? tr("Your current IP") : tr("Error"));
}

// --- start-up check -------------------------------------------------------------------------

void VpnCore::runStartupCheck()
{
    // Protection: decided by what this program switched, the record and a switch
    // that "dns.dat" still holds, never by the servers in use: a router at the VPN's address is
    // not a leftover.
    if (m_protectionStatus.dnsActivated() || DnsManager::hasRecordedVpnSwitch()) {
        Log::warning(this, QStringLiteral("Detected wrong DNS status"));
        m_wrongDnsDetected = true;
        const QString dataFile = Utils::dnsDataFilePath();
        if (!dataFile.isEmpty() && QFileInfo::exists(dataFile))
            Log::warning(this, QStringLiteral("Switching to user DNS settings"));
        else
            Log::warning(this, QStringLiteral("DNS data file doesn't exist, resetting to default values"));
        if (m_usesDnsProgram) {
            m_protectionStatus.setDnsActivated(false);
            startDnsProgram(QStringLiteral("reset"), {});
        }
    }
    if (m_protectionStatus.killswitchActivated()) {
        Log::warning(this, QStringLiteral("Detected wrong killswitch status"));
        m_protectionStatus.setKillswitchActivated(false);
        m_killSwitch.disable();
    }
    m_protectionStatus.clear();
    restoreIpv6();
}

#include "vpncore.h"

#include "account.h"
#include "dnsmanager.h"
#include "logger.h"
#include "networkapi.h"
#include "openvpnclient.h"
#include "platform/paths.h"
#include "portchecker.h"
#include "publicaddress.h"
#include "serverchoice.h"
#include "sessioncounters.h"
#include "sessiondecisions.h"
#include "sessionprotection.h"
#include "settings.h"
#include "utils.h"
#include "vpnclient.h"
#include "wireguardclient.h"

#include <QFileInfo>

namespace Decisions = SessionDecisions;

namespace {

// Account requests made for the automatic connection, for the whole process.
int accountRequestCount = 0;

bool isEnd(ConnectionState::Id state)
{
    return state == ConnectionState::Id::Disconnected || state == ConnectionState::Id::Error
        || state == ConnectionState::Id::Unknown;
}

} // namespace

VpnCore::VpnCore(QObject *parent)
    : QObject(parent)
    , m_protection(new SessionProtection(this, this))
    , m_address(new PublicAddress(
          this, [this](const QString &ip) { return connectedCountry(ip); }, this))
    , m_counters(new SessionCounters(this))
    , m_serverChoice(new ServerChoice(this, this))
    , m_settings(Settings::instance())
{
    setObjectName(QStringLiteral("VpnCore"));
    ConnectionState::registerMetaType();
    qRegisterMetaType<VpnCore::VpnError>("VpnCore::VpnError");

    QObject::connect(m_address, &PublicAddress::ipChanged, this, &VpnCore::currentIpChanged);
    QObject::connect(m_address, &PublicAddress::imageSourceChanged, this, &VpnCore::currentLocationImageSourceChanged);
    QObject::connect(m_address, &PublicAddress::captionChanged, this, &VpnCore::currentIpInfoTextChanged);
    QObject::connect(m_counters, &SessionCounters::downloadedChanged, this, &VpnCore::downloadedChanged);
    QObject::connect(m_counters, &SessionCounters::uploadedChanged, this, &VpnCore::uploadedChanged);
    QObject::connect(m_counters, &SessionCounters::onlineTimeChanged, this, &VpnCore::vpnOnlineTimeChanged);
    QObject::connect(m_serverChoice,
                     &ServerChoice::chosen,
                     this,
                     [this](const QString &ip, const QString &locationText, const QString &country, bool measured) {
                         chooseServer(ip, locationText, country, measured);
                     });
    QObject::connect(m_protection, &SessionProtection::dnsProcessFinished, this, &VpnCore::onDnsProcessFinished);
    QObject::connect(m_protection, &SessionProtection::killSwitchFinished, this, &VpnCore::onKillSwitchFinished);
    // Queued: the attempt goes on from the event loop, not from inside the service's report.
    QObject::connect(
        m_protection, &SessionProtection::dnsSettledChanged, this, &VpnCore::continueConnection, Qt::QueuedConnection);

    m_reconnectTimer.setSingleShot(true);
    QObject::connect(&m_reconnectTimer, &QTimer::timeout, this, [this] { beginConnection(m_scheduledAttempt); });

    m_engineFactory = [](int protocol, QObject *owner) -> VpnClient * {
        if (protocol == VpnProtocol::WireGuard)
            return new WireGuardClient(owner);
        return new OpenVpnClient(owner);
    };
    m_portSearchFactory = [](const QString &host, const QList<quint16> &ports, int seconds) {
        return new PortChecker(host, ports, seconds);
    };
}

VpnCore::~VpnCore()
{
    m_protection->setLeaving();
    if (m_connectionState != ConnectionState::Id::Disconnected)
        disconnectFromVpn();
    if (m_protection->killSwitchOn())
        m_protection->releaseKillSwitch();
    // The engine goes with the controller and will not report its end: the user's DNS is asked
    // back now, and the next start makes sure of it.
    if (m_protection->record().dnsActivated())
        m_protection->restoreUserDns(m_userDnsServers, m_usesDnsProgram);
}

QString VpnCore::onlineTimeText(qint64 seconds)
{
    return SessionCounters::onlineTimeText(seconds);
}

QString VpnCore::currentIp() const
{
    return m_address->ip();
}

QString VpnCore::currentIpInfoText() const
{
    return m_address->caption();
}

QString VpnCore::currentLocationImageSource() const
{
    return m_address->imageSource();
}

QString VpnCore::downloaded() const
{
    return m_counters->downloaded();
}

QString VpnCore::uploaded() const
{
    return m_counters->uploaded();
}

QString VpnCore::vpnOnlineTime() const
{
    return m_counters->onlineTime();
}

bool VpnCore::killSwitchHeld() const
{
    return m_protection->killSwitchHeld();
}

void VpnCore::setLatencyProbeForTesting(LatencyProbe probe)
{
    m_serverChoice->setLatencyProbe(std::move(probe));
}

void VpnCore::setNetworkApi(NetworkApi *networkApi)
{
    m_networkApi = networkApi;
    m_address->setNetworkApi(networkApi);
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
    return serverByIp(m_serverChoice->servers(), m_serverIp);
}

QString VpnCore::connectedCountry(const QString &ip) const
{
    Server server = serverByIp(m_serverChoice->servers(), ip);
    if (!server.isValid())
        server = serverByIp(m_serverChoice->servers(), m_serverIp);
    return server.country;
}

// --- connect and disconnect -------------------------------------------------------------

void VpnCore::connectToVpn()
{
    // The user's own connect or disconnect overrides the start's automatic connection, which
    // would otherwise come with a late account reply.
    m_autoConnectPending = false;
    beginConnection(Attempt::User);
}

void VpnCore::beginConnection(Attempt attempt)
{
    const bool byUser = attempt == Attempt::User;
    // A session under way is not started twice; one that is ending is followed by this one.
    if (isBusy()) {
        Log::info(this,
                  QStringLiteral("Already %1, nothing to connect").arg(ConnectionState::stateName(m_connectionState)));
        return;
    }
    if (m_connectionState == ConnectionState::Id::Disconnecting) {
        m_reconnectRequested = true;
        m_connectRequested = m_connectRequested || byUser;
        return;
    }
    m_reconnectTimer.stop();
    m_waitingAttempt = Attempt::None;
    m_userDisconnect = false;
    // The user's own connect begins a new run of attempts.
    if (byUser)
        m_reconnectAttempts = 0;
    if (Decisions::attemptBegins(byUser,
                                 m_protection->killSwitchOn(),
                                 m_protection->killSwitchHeld(),
                                 m_protection->killSwitchServer(),
                                 m_serverIp)
        == Decisions::KillSwitchAtAttempt::Release)
        m_protection->releaseKillSwitch();

    m_vpnConnectionErrorText.clear();
    emit vpnConnectionErrorTextChanged(m_vpnConnectionErrorText);
    if (!checkPreconditions()) {
        attemptFailed(attempt);
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

    m_waitingAttempt = attempt;
    if (!m_protection->dnsSettled()) {
        // Read now, the user's DNS could still be the VPN's, and would be restored as theirs.
        Log::info(this, QStringLiteral("Waiting for the DNS program to finish"));
        return;
    }
    continueConnection();
}

void VpnCore::continueConnection()
{
    const Attempt attempt = m_waitingAttempt;
    if (attempt == Attempt::None || !m_protection->dnsSettled())
        return;
    m_waitingAttempt = Attempt::None;
    // The server may have changed while the attempt waited.
    if (!checkPreconditions()) {
        attemptFailed(attempt);
        return;
    }

    m_userDnsServers = m_protection->readUserDns();
    Log::info(this, QStringLiteral("User DNS: (%1)").arg(m_userDnsServers.join(QStringLiteral(", "))));

    if (Decisions::attemptBegins(attempt == Attempt::User,
                                 m_protection->killSwitchOn(),
                                 m_protection->killSwitchHeld(),
                                 m_protection->killSwitchServer(),
                                 m_serverIp)
        == Decisions::KillSwitchAtAttempt::Rearm)
        m_protection->rearmKillSwitch(m_serverIp, m_settings->allowAccessToLocalDevices());

    // The last attempt's engine has its say no more, also while a port is searched for.
    retireEngine();
    cancelPortSearch();
    const quint16 port = m_settings->port();
    if (port != 0) {
        startConnection(port);
        return;
    }
    PortChecker *search = m_portSearchFactory(m_serverIp, m_settings->candidateTcpPorts(), m_portSearchSeconds);
    search->setParent(this);
    m_portChecker = search;
    // A search that has been called off says nothing more, however late its sockets answer.
    QObject::connect(search, &PortChecker::portIsAvailable, this, [this, search](quint16 found) {
        if (search == m_portChecker)
            onPortIsAvailable(found);
    });
    QObject::connect(search, &PortChecker::timeout, this, [this, search] {
        if (search == m_portChecker)
            onPortCheckerTimeout();
    });
    search->check(true);
    onVpnConnectionStateChanged(ConnectionState::Id::Preparing, QString(), false, QString());
}

void VpnCore::attemptFailed(Attempt attempt)
{
    // Nothing will connect: a reconnection ends here, and the user decides about a held kill
    // switch, as after the last failed attempt.
    if (m_connectionState != ConnectionState::Id::Disconnected)
        onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, Decisions::fastDown(), true, QString());
    else if (attempt == Attempt::Automatic && m_protection->killSwitchHeld())
        killSwitchEvent();
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

void VpnCore::cancelPortSearch()
{
    if (!m_portChecker)
        return;
    m_portChecker->disconnect(this);
    m_portChecker->deleteLater();
    m_portChecker = nullptr;
}

void VpnCore::onPortIsAvailable(ushort port)
{
    if (!m_portChecker || m_connectionState != ConnectionState::Id::Preparing)
        return;
    cancelPortSearch();
    startConnection(port);
}

void VpnCore::onPortCheckerTimeout()
{
    if (!m_portChecker)
        return;
    cancelPortSearch();
    onVpnConnectionStateChanged(
        ConnectionState::Id::Error, Decisions::cantFindPorts(), true, tr("There are no ports for this connection"));
}

void VpnCore::retireEngine()
{
    VpnClient *old = m_engine;
    if (!old)
        return;
    m_engine = nullptr;
    // It hears nothing more: its reports would be taken for the next one's. One that has not
    // ended is stopped now, before the next engine is asked for, so that its stop can only
    // reach itself and its port is free.
    QObject::disconnect(old, nullptr, this, nullptr);
    if (!m_engineEnded)
        old->disconnectFromVpn();
    old->deleteLater();
}

void VpnCore::startConnection(quint16 port)
{
    const int protocol = m_settings->networkProtocol();
    m_usesDnsProgram = protocol != VpnProtocol::WireGuard;

    retireEngine();
    VpnClient *engine = m_engineFactory(protocol, this);
    m_engine = engine;
    m_engineEnded = false;
    QObject::connect(
        engine,
        &VpnClient::connectionStateChanged,
        this,
        [this, engine](ConnectionState::Id state, const QString &data, bool critical, const QString &error) {
            onEngineState(engine, state, data, critical, error);
        });
    QObject::connect(engine, &VpnClient::byteCountChanged, this, &VpnCore::onByteCountChanged);
    QObject::connect(engine, &VpnClient::assignedInternalIp, this, &VpnCore::onAssignedInternalIp);
    QObject::connect(engine, &VpnClient::dnsServerAddressesPushed, this, &VpnCore::onDnsServerAddressesPushed);

    ConnectionParameters parameters;
    parameters.userName = m_settings->userName();
    parameters.password = m_settings->password();
    parameters.server = m_serverIp;
    parameters.protocol = protocol;
    parameters.port = port;
    parameters.autoReconnectionOnError = m_settings->autoReconnectionOnError();
    parameters.ipv6Enabled = m_settings->ipv6Enabled();
    engine->setConnectionParameters(parameters);
    engine->connectToVpn();
}

void VpnCore::disconnectFromVpn()
{
    m_autoConnectPending = false;
    m_userDisconnect = true;
    m_reconnectRequested = false;
    m_connectRequested = false;
    stopSession(true);
}

void VpnCore::stopSession(bool byUser)
{
    m_waitingAttempt = Attempt::None;
    switch (m_connectionState) {
    case ConnectionState::Id::Preparing:
        cancelPortSearch();
        onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, Decisions::fastDown(), true, QString());
        return;
    case ConnectionState::Id::Disconnected:
    case ConnectionState::Id::Reconnecting:
    case ConnectionState::Id::Error:
    case ConnectionState::Id::Unknown:
        // Between a crash and its reconnection there is no session: the disconnect cancels the
        // reconnection and opens a kill switch held for it.
        if (m_reconnectTimer.isActive()) {
            Log::info(this, QStringLiteral("Reconnection cancelled"));
            m_reconnectTimer.stop();
        }
        // An attempt's engine that has not reported yet (the stealth tunnel still starting).
        if (m_engine && !m_engineEnded)
            m_engine->disconnectFromVpn();
        if (byUser && m_protection->killSwitchHeld())
            disableKillSwitch();
        // The engine has ended already: nothing of it would report the end.
        if (m_connectionState == ConnectionState::Id::Reconnecting)
            onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, Decisions::fastDown(), true, QString());
        return;
    case ConnectionState::Id::Connecting:
    case ConnectionState::Id::Connected:
    case ConnectionState::Id::Disconnecting: break;
    }
    Log::info(this, QStringLiteral("Disconnect from VPN"));
    if (m_engine)
        m_engine->disconnectFromVpn();
}

bool VpnCore::disableKillSwitch()
{
    const bool on = m_protection->killSwitchOn();
    m_protection->releaseKillSwitch();
    return on;
}

void VpnCore::killSwitchEvent()
{
    Logger::logSection(objectName(), QStringLiteral("Kill switch event!"));
    emit killSwitchEventActivated();
}

// --- the engine's reports -----------------------------------------------------------------

bool VpnCore::reconnectionPending() const
{
    return m_reconnectTimer.isActive() || m_waitingAttempt == Attempt::Automatic;
}

void VpnCore::onEngineState(VpnClient *engine,
                            ConnectionState::Id state,
                            const QString &additionalData,
                            bool critical,
                            const QString &errorDescription)
{
    if (engine != m_engine)
        return;
    if (!Decisions::takesEngineReport(
            m_connectionState, state, m_engineEnded, reconnectionPending(), m_userDisconnect)) {
        // An engine that counts on being restarted says so after its end; only a reconnection
        // that is really on its way is shown as one, else the session would read as
        // reconnecting forever after the last attempt.
        if (state == ConnectionState::Id::Reconnecting && m_connectionState == ConnectionState::Id::Disconnected)
            Log::info(this, QStringLiteral("No reconnection follows, staying disconnected"));
        else if (state != m_connectionState)
            Log::info(
                this,
                QStringLiteral("Ignored the engine's %1 while %2")
                    .arg(ConnectionState::stateName(state, true), ConnectionState::stateName(m_connectionState, true)));
        return;
    }
    if (isEnd(state))
        m_engineEnded = true;
    onVpnConnectionStateChanged(state, additionalData, critical, errorDescription);
    // An engine that reports an error may still run (a tunnel whose peer never answered): it
    // is stopped, since the session is over.
    if (state == ConnectionState::Id::Error && engine == m_engine)
        engine->disconnectFromVpn();
}

void VpnCore::onVpnConnectionStateChanged(ConnectionState::Id state,
                                          const QString &additionalData,
                                          bool critical,
                                          const QString &errorDescription)
{
    if (state == m_connectionState)
        return;
    if (state == ConnectionState::Id::Reconnecting && m_connectionState == ConnectionState::Id::Disconnected
        && !reconnectionPending()) {
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
        m_address->clear();
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
    m_address->setCaption(text);
}

void VpnCore::handleConnected()
{
    m_reconnectAttempts = 0;
    m_vpnConnected = true;
    m_address->clear();
    emit vpnConnectedChanged(true);
    m_counters->start();

    switch (Decisions::sessionConnected(
        m_settings->killswitchEnabled(), m_engine && m_engine->supportsKillSwitch(), m_protection->killSwitchOn())) {
    case Decisions::KillSwitchWhenConnected::Arm:
        m_protection->armKillSwitch(m_assignedInternalIp, m_serverIp, m_settings->allowAccessToLocalDevices());
        break;
    case Decisions::KillSwitchWhenConnected::Release: m_protection->releaseKillSwitch(); break;
    case Decisions::KillSwitchWhenConnected::Nothing: break;
    }
    if (m_usesDnsProgram)
        m_protection->switchDnsToVpn(m_pushedDnsIpv4, m_pushedDnsIpv6);
    m_address->request(1000);
}

void VpnCore::handleDisconnection(const QString &additionalData, bool critical)
{
    if (critical && additionalData == Decisions::cantFindPorts()) {
        onVpnConnectionStateChanged(ConnectionState::Id::Disconnected, Decisions::fastDown(), true, QString());
        return;
    }

    m_pushedDnsIpv4.clear();
    // Both families: a stale IPv6 server would go to the next session's DNS switch.
    m_pushedDnsIpv6.clear();
    m_assignedInternalIp.clear();
    m_vpnConnected = false;
    m_address->clear();
    emit vpnConnectedChanged(false);
    m_counters->reset();
    m_connectionState = ConnectionState::Id::Disconnected;
    // Nothing searches on behalf of a session that is over.
    cancelPortSearch();

    Decisions::SessionEnd end;
    end.marker = additionalData;
    end.critical = critical;
    end.byUser = m_userDisconnect;
    end.autoReconnect = m_autoReconnectionOnError;
    end.attempts = m_reconnectAttempts;
    end.killSwitchOn = m_protection->killSwitchOn();
    end.killSwitchHeld = m_protection->killSwitchHeld();
    end.serverSwitch = m_reconnectRequested;
    const bool attemptOnly = critical && additionalData == Decisions::fastDown();
    Decisions::EndDecision decision = Decisions::sessionEnded(end);

    if (attemptOnly) {
        // An attempt that never began: no engine ran, nothing of the DNS to restore.
        if (decision.holdKillSwitch)
            m_protection->holdKillSwitch();
        else if (m_protection->killSwitchOn())
            m_protection->releaseKillSwitch();
        m_protection->restoreIpv6();
        m_address->showSaved(m_connectionState);
        if (m_reconnectRequested) {
            m_reconnectRequested = false;
            scheduleConnect(m_connectRequested ? Attempt::User : Attempt::Automatic);
            m_connectRequested = false;
        } else if (decision.killSwitchEvent) {
            killSwitchEvent();
        }
        return;
    }

    if (m_protection->killSwitchOn() && !decision.holdKillSwitch)
        m_protection->releaseKillSwitch();
    m_reconnectAttempts = decision.attempts;
    switch (decision.note) {
    case Decisions::EndDecision::Note::None: break;
    case Decisions::EndDecision::Note::CriticalNotAllowed:
        Log::critical(this, QStringLiteral("Critical error, reconnection is not allowed now!"));
        break;
    case Decisions::EndDecision::Note::GaveUp:
        Log::critical(this, QStringLiteral("Can't reconnect after 3 attempts..."));
        break;
    case Decisions::EndDecision::Note::Reconnecting:
        Log::info(this, QStringLiteral("Going to reconnection...%1").arg(m_reconnectAttempts));
        emit vpnConnectionErrorTextChanged(tr("Auto reconnection"));
        break;
    }
    if (decision.holdKillSwitch) {
        m_protection->holdKillSwitch();
        if (decision.killSwitchEvent)
            killSwitchEvent();
    }

    Log::info(this, QStringLiteral("VPN connection is OFF"));
    m_protection->restoreUserDns(m_userDnsServers, m_usesDnsProgram);
    m_protection->restoreIpv6();
    m_address->showSaved(m_connectionState);

    if (m_reconnectRequested) {
        m_reconnectRequested = false;
        scheduleConnect(m_connectRequested ? Attempt::User : Attempt::Automatic);
        m_connectRequested = false;
    } else if (decision.reconnect) {
        scheduleConnect(Attempt::Automatic);
    } else {
        m_address->request(1000);
    }
}

void VpnCore::scheduleConnect(Attempt attempt)
{
    m_scheduledAttempt = attempt;
    m_reconnectTimer.start(m_reconnectDelay);
}

void VpnCore::onByteCountChanged(qulonglong receive, qulonglong send)
{
    if (m_connectionState != ConnectionState::Id::Connected)
        return;
    m_counters->setTraffic(receive, send);
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
    m_counters->tick();
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
    chooseServer(ip, locationText, country, false);
}

void VpnCore::chooseServer(const QString &ip, const QString &locationText, const QString &country, bool fromSearch)
{
    Log::info(this, QStringLiteral("Set %1").arg(locationDescription(ip, locationText, true)));
    // The user's own choice overtakes a country search still under way.
    if (!fromSearch)
        m_serverChoice->cancelSearch();
    m_serverIp = ip;
    m_settings->saveCurrentServerId(nameForIp(m_serverChoice->servers(), country.isEmpty() ? ip : country));

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
    // No session: the next connect uses the new address, and so does a reconnection on its
    // way, with a held kill switch armed for it.
    if (m_connectionState == ConnectionState::Id::Disconnected
        || m_connectionState == ConnectionState::Id::Reconnecting)
        return;
    // A search's answer does not bring back a session the user has asked to end.
    if (fromSearch && m_userDisconnect)
        return;
    m_reconnectRequested = true;
    if (m_connectionState != ConnectionState::Id::Disconnecting)
        stopSession(false);
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
    m_serverChoice->searchCountry(countryCode);
}

void VpnCore::onLastPingRequestFinished(const QStringList &list)
{
    m_serverChoice->takeResults(list);
}

void VpnCore::updateFavorite(const QString &serverId, bool set)
{
    m_settings->setFavorite(nameForIp(m_serverChoice->servers(), serverId), set);
}

void VpnCore::onRequestServerListFinished(const Servers &servers)
{
    m_serverChoice->setServers(servers);
}

// --- the public address ---------------------------------------------------------------------

void VpnCore::requestCurrentIpAddress(int timeoutMSec)
{
    m_address->request(timeoutMSec);
}

void VpnCore::onRequestCurrentIpAddressTimerEvent()
{
    m_address->requestNow();
}

void VpnCore::retranslate()
{
    m_address->replay(m_connectionState);
}

void VpnCore::onRequestCurrentIpAddressFinished(const QString &ip, const QString &countryCode)
{
    m_address->takeReply(ip, countryCode, m_connectionState);
}

// --- start-up check -------------------------------------------------------------------------

void VpnCore::runStartupCheck()
{
    // Decided by what this program switched, the record and a switch that "dns.dat" still
    // holds, never by the servers in use: a router at the VPN's address is not a leftover.
    if (m_protection->record().dnsActivated() || DnsManager::hasRecordedVpnSwitch()) {
        Log::warning(this, QStringLiteral("Detected wrong DNS status"));
        m_wrongDnsDetected = true;
        const QString dataFile = Utils::dnsDataFilePath();
        if (!dataFile.isEmpty() && QFileInfo::exists(dataFile))
            Log::warning(this, QStringLiteral("Switching to user DNS settings"));
        else
            Log::warning(this, QStringLiteral("DNS data file doesn't exist, resetting to default values"));
        if (m_usesDnsProgram)
            m_protection->resetDns();
    }
    if (m_protection->record().killswitchActivated()) {
        Log::warning(this, QStringLiteral("Detected wrong killswitch status"));
        m_protection->releaseLeftoverKillSwitch();
    }
    m_protection->forgetRecord();
    // Only a record of a switch-off gives the tool something to do; without one, a run would
    // only hold the next connection until a service that may not be up has answered it.
    if (QFileInfo::exists(Platform::programDataDirectory() + QStringLiteral("/ipv6.dat")))
        m_protection->restoreIpv6();
}

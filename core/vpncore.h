#pragma once

#include "connectionstate.h"
#include "server.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class Account;
class NetworkApi;
class PortChecker;
class PublicAddress;
class ServerChoice;
class SessionCounters;
class SessionProtection;
class Settings;
class VpnClient;

// Turns the user's connect request into a running VPN session and back. The controller keeps
// the session's state and decides its turns (SessionDecisions); the jobs around it are small
// objects of their own that it holds: the protection (kill switch, DNS switch and their
// record), the public address, the counters and the server choice. Published to QML as
// "vpnCore".
class VpnCore final : public QObject
{
    Q_OBJECT

    Q_PROPERTY(ConnectionState::Id connectionState READ connectionState NOTIFY connectionStateChanged)
    Q_PROPERTY(QString currentIp READ currentIp NOTIFY currentIpChanged)
    Q_PROPERTY(QString currentIpInfoText READ currentIpInfoText NOTIFY currentIpInfoTextChanged)
    Q_PROPERTY(
        QString currentLocationImageSource READ currentLocationImageSource NOTIFY currentLocationImageSourceChanged)
    Q_PROPERTY(QString downloaded READ downloaded NOTIFY downloadedChanged)
    Q_PROPERTY(QString uploaded READ uploaded NOTIFY uploadedChanged)
    Q_PROPERTY(QString vpnConnectionErrorText READ vpnConnectionErrorText NOTIFY vpnConnectionErrorTextChanged)
    Q_PROPERTY(QString vpnOnlineTime READ vpnOnlineTime NOTIFY vpnOnlineTimeChanged)
    Q_PROPERTY(bool vpnConnected READ vpnConnected NOTIFY vpnConnectedChanged)

public:
    enum VpnError {
        ServerIpEmpty = 0,
        CredentialsEmpty = 1,
        WireGuardNotSupported = 2,
        AuthDataEmpty = 3,
    };
    Q_ENUM(VpnError)

    // Makes the engine for one attempt; tests hand in scripted engines.
    using EngineFactory = std::function<VpnClient *(int protocol, QObject *parent)>;
    // Makes the search for a reachable TCP port; tests hand in searches that answer on cue.
    using PortSearchFactory =
        std::function<PortChecker *(const QString &host, const QList<quint16> &ports, int seconds)>;
    using LatencyProbe =
        std::function<QObject *(const QStringList &addresses, std::function<void(const QStringList &)> done)>;

    explicit VpnCore(QObject *parent = nullptr);
    ~VpnCore() override;

    // "%1:%2:%3": whole hours (not wrapped at a day), minutes, seconds.
    static QString onlineTimeText(qint64 seconds);

    ConnectionState::Id connectionState() const { return m_connectionState; }
    QString currentIp() const;
    QString currentIpInfoText() const;
    QString currentLocationImageSource() const;
    QString downloaded() const;
    QString uploaded() const;
    QString vpnConnectionErrorText() const { return m_vpnConnectionErrorText; }
    QString vpnOnlineTime() const;
    bool vpnConnected() const { return m_vpnConnected; }

    void setAutoConnectPending(bool pending) { m_autoConnectPending = pending; }
    void setNetworkApi(NetworkApi *networkApi);
    bool isBusy() const;
    bool isDisconnected() const { return m_connectionState == ConnectionState::Id::Disconnected; }
    Server currentServer() const;
    void retranslate();
    void runStartupCheck();
    bool wrongDnsDetected() const { return m_wrongDnsDetected; }

    // Whether the kill switch is held closed after an engine crash, awaiting a reconnection or
    // the user's confirmation.
    bool killSwitchHeld() const;
    QString serverIp() const { return m_serverIp; }
    VpnClient *engine() const { return m_engine; }

    // The jobs the controller holds, for the application's wiring and for tests.
    SessionProtection &protection() const { return *m_protection; }
    PublicAddress &publicAddress() const { return *m_address; }
    SessionCounters &counters() const { return *m_counters; }
    ServerChoice &serverChoice() const { return *m_serverChoice; }

    // For tests only: the product keeps its engines, its 20 s port search, its ICMP probes
    // and its 1000 ms reconnection delay.
    void setEngineFactoryForTesting(EngineFactory factory) { m_engineFactory = std::move(factory); }
    void setPortSearchFactoryForTesting(PortSearchFactory factory) { m_portSearchFactory = std::move(factory); }
    void setPortSearchTimeLimitForTesting(int seconds) { m_portSearchSeconds = seconds; }
    void setLatencyProbeForTesting(LatencyProbe probe);
    void setReconnectDelayForTesting(int milliseconds) { m_reconnectDelay = milliseconds; }

    Q_INVOKABLE QString bestStringForCountry(const QString &countryCode) const;
    Q_INVOKABLE void connectToVpn();
    Q_INVOKABLE bool disableKillSwitch();
    Q_INVOKABLE void disconnectFromVpn();
    Q_INVOKABLE void setAutoReconnectionOnError(bool enabled);
    Q_INVOKABLE void setSearchModeForCountry(const QString &countryCode);
    Q_INVOKABLE void setVpnServerIp(const QString &ip, const QString &locationText, const QString &country = QString());
    Q_INVOKABLE void updateFavorite(const QString &serverId, bool set);

signals:
    void connectionStateChanged(ConnectionState::Id state);
    void currentIpChanged(QString ip);
    void currentIpInfoTextChanged(QString text);
    void currentLocationImageSourceChanged(QString imageSource);
    void downloadedChanged(QString text);
    void killSwitchEventActivated();
    void uploadedChanged(QString text);
    void vpnConnectedChanged(bool connected);
    void vpnConnectionErrorChanged(VpnCore::VpnError error);
    void vpnConnectionErrorTextChanged(QString text);
    void vpnOnlineTimeChanged(QString time);

protected slots:
    void onApiRequestAccountFinished(const Account &account);
    void onAssignedInternalIp(const QString &ip);
    void onByteCountChanged(qulonglong receive, qulonglong send);
    void onDnsProcessFinished(int state);
    void onDnsServerAddressesPushed(const QString &ipv4, const QString &ipv6);
    void onKillSwitchFinished(bool ok);
    void onLastPingRequestFinished(const QStringList &list);
    void onOnlineActivityTimerEvent();
    void onPortCheckerTimeout();
    void onPortIsAvailable(ushort port);
    void onRequestCurrentIpAddressFinished(const QString &ip, const QString &countryCode);
    void onRequestCurrentIpAddressTimerEvent();
    void onRequestServerListFinished(const Servers &servers);
    void requestCurrentIpAddress(int timeoutMSec = 1000);
    void onVpnConnectionStateChanged(ConnectionState::Id state,
                                     const QString &additionalData,
                                     bool critical,
                                     const QString &errorDescription = QString());

private:
    // Who asked for a connection attempt: the user, or the controller after a crash or for a
    // server switch.
    enum class Attempt { None, User, Automatic };

    void beginConnection(Attempt attempt);
    void continueConnection();
    void attemptFailed(Attempt attempt);
    bool checkPreconditions();
    void startConnection(quint16 port);
    void retireEngine();
    void cancelPortSearch();
    void stopSession(bool byUser);
    void chooseServer(const QString &ip, const QString &locationText, const QString &country, bool fromSearch);
    void onEngineState(VpnClient *engine,
                       ConnectionState::Id state,
                       const QString &additionalData,
                       bool critical,
                       const QString &errorDescription);
    bool reconnectionPending() const;
    void handleConnected();
    void handleDisconnection(const QString &additionalData, bool critical);
    void killSwitchEvent();
    void scheduleConnect(Attempt attempt);
    void startAutoConnection();
    void setCaption(const QString &text);
    void reportError(VpnError error, const QString &text);
    QString connectedCountry(const QString &ip) const;

    int m_reconnectDelay = 1000;
    ConnectionState::Id m_connectionState = ConnectionState::Id::Disconnected;
    SessionProtection *m_protection;
    PublicAddress *m_address;
    SessionCounters *m_counters;
    ServerChoice *m_serverChoice;
    NetworkApi *m_networkApi = nullptr;
    PortChecker *m_portChecker = nullptr;
    VpnClient *m_engine = nullptr;
    QString m_pushedDnsIpv4;
    QString m_pushedDnsIpv6;
    QString m_assignedInternalIp;
    QString m_serverIp;
    QStringList m_userDnsServers;
    Settings *m_settings;
    bool m_autoConnectPending = false;
    bool m_reconnectRequested = false;
    bool m_autoReconnectionOnError = false;
    bool m_wrongDnsDetected = false;
    bool m_usesDnsProgram = true;
    bool m_vpnConnected = false;
    int m_reconnectAttempts = 0;
    QString m_vpnConnectionErrorText;

    // The scheduled connect of a reconnection or server switch, cancelled by a disconnect.
    QTimer m_reconnectTimer;
    // An attempt that waits for the DNS program's last run before it reads the user's DNS.
    Attempt m_waitingAttempt = Attempt::None;
    // Whose the scheduled attempt is: a connect asked for while the last session was ending is
    // still the user's.
    Attempt m_scheduledAttempt = Attempt::Automatic;
    bool m_connectRequested = false;
    // The user asked for the session's end; nothing may reconnect it.
    bool m_userDisconnect = false;
    // The session's engine has reported its end: it has nothing more to say but whether it
    // counts on a reconnection.
    bool m_engineEnded = false;
    EngineFactory m_engineFactory;
    PortSearchFactory m_portSearchFactory;
    int m_portSearchSeconds = 20;
};

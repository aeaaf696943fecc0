#pragma once

#include "connectionstate.h"
#include "dnsmanager.h"
#include "killswitch.h"
#include "server.h"
#include "serviceprocess.h"
#include "status.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class Account;
class NetworkApi;
class PortChecker;
class Settings;
class VpnClient;

// Turns the user's connect request into a running VPN session and back: checks the
// preconditions, picks the engine and the port, follows the engine's reports, arms the kill
// switch and switches the system DNS around the session, counts traffic and online time,
// reconnects after engine crashes, chooses the best server of a country and shows the public
// address. Published to QML as "vpnCore".
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

    explicit VpnCore(QObject *parent = nullptr);
    ~VpnCore() override;

    // "%1:%2:%3": whole hours (not wrapped at a day), minutes, seconds.
    static QString onlineTimeText(qint64 seconds);

    ConnectionState::Id connectionState() const { return m_connectionState; }
    QString currentIp() const { return m_currentIp; }
    QString currentIpInfoText() const { return m_currentIpInfoText; }
    QString currentLocationImageSource() const;
    QString downloaded() const;
    QString uploaded() const;
    QString vpnConnectionErrorText() const { return m_vpnConnectionErrorText; }
    QString vpnOnlineTime() const { return m_onlineTime; }
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
    bool killSwitchHeld() const { return m_killSwitchHeld; }
    QString serverIp() const { return m_serverIp; }
    VpnClient *engine() const { return m_engine; }

    // For tests only: the product keeps its engines, its 20 s port search and its clock.
    void setEngineFactoryForTesting(EngineFactory factory) { m_engineFactory = std::move(factory); }
    void setPortSearchTimeLimitForTesting(int seconds) { m_portSearchSeconds = seconds; }
    void setConnectedSinceForTesting(const QDateTime &since) { m_connectedSince = since; }
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
    void beginConnection(bool userRequest);
    bool checkPreconditions();
    void startConnection(quint16 port);
    void handleConnected();
    void handleDisconnection(const QString &additionalData, bool critical);
    bool decideReconnection(const QString &additionalData, bool critical);
    void holdKillSwitchOrRelease(bool hold, bool reconnecting);
    void releaseKillSwitch();
    void scheduleConnect();
    void startAutoConnection();
    void setCaption(const QString &text);
    void clearCurrentAddress();
    void reportError(VpnError error, const QString &text);
    void startDnsProgram(const QString &mode, const QStringList &entries);
    // Protection: gives the machine its own IPv6 settings back after a session.
    void restoreIpv6();

    int m_reconnectDelay = 1000;
    ConnectionState::Id m_connectionState = ConnectionState::Id::Disconnected;
    DnsManager m_dnsManager;
    KillSwitch m_killSwitch;
    NetworkApi *m_networkApi = nullptr;
    QDateTime m_connectedSince;
    PortChecker *m_portChecker = nullptr;
    VpnClient *m_engine = nullptr;
    QString m_savedCountry;
    QString m_savedIp;
    QString m_currentCountry;
    QString m_currentIp;
    QString m_pushedDnsIpv4;
    QString m_pushedDnsIpv6;
    QString m_currentIpInfoText;
    QString m_searchCountry;
    // The probes of the latest country pick; an older batch's answer is ignored.
    QObject *m_countryPing = nullptr;
    QString m_onlineTime;
    QString m_assignedInternalIp;
    QString m_serverIp;
    QStringList m_userDnsServers;
    QTimer m_onlineTimer;
    QTimer m_currentIpTimer;
    Servers m_servers;
    ServiceProcess m_dnsProcess;
    ServiceProcess m_networkTool;
    Settings *m_settings;
    Status m_protectionStatus;
    bool m_autoConnectPending = false;
    bool m_reconnectRequested = false;
    bool m_autoReconnectionOnError = false;
    bool m_wrongDnsDetected = false;
    bool m_usesDnsProgram = true;
    bool m_vpnConnected = false;
    int m_reconnectAttempts = 0;
    QString m_vpnConnectionErrorText;
    quint64 m_downloadedBytes = 0;
    quint64 m_uploadedBytes = 0;

    // The scheduled connect of a reconnection or server switch, cancelled by a disconnect.
    QTimer m_reconnectTimer;
    // The kill switch stays closed across an engine crash until the tunnel is back or the
    // user confirms; the server it was armed for decides whether a reconnection re-arms it.
    bool m_killSwitchHeld = false;
    QString m_killSwitchServer;
    bool m_userDisconnect = false;
    EngineFactory m_engineFactory;
    int m_portSearchSeconds = 20;
};

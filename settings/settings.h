#pragma once

#include "vpnprotocol.h"

#include "networkadapter.h"
#include "secretcipher.h"
#include "server.h"

#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include <functional>

// The user's choices: account, protocol and ports, protection switches, language, start
// behaviour, current location, favourites and recent servers. Setters change memory only;
// QML saves through the explicit save operations, except for the favourites and recent servers,
// which are written as they change. One process-wide instance.
class Settings final : public QObject
{
    Q_OBJECT

    Q_PROPERTY(QString language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY passwordChanged)
    Q_PROPERTY(QString userName READ userName WRITE setUserName NOTIFY userNameChanged)
    Q_PROPERTY(QStringList allowedTcpPortsList READ allowedTcpPortsList CONSTANT)
    Q_PROPERTY(QStringList allowedUdpPortsList READ allowedUdpPortsList CONSTANT)
    Q_PROPERTY(QStringList languageList READ languageList CONSTANT)
    Q_PROPERTY(bool allowAccessToLocalDevices READ allowAccessToLocalDevices WRITE setAllowAccessToLocalDevices NOTIFY
                   allowAccessToLocalDevicesChanged)
    Q_PROPERTY(bool autoReconnectionOnError READ autoReconnectionOnError WRITE setAutoReconnectionOnError NOTIFY
                   autoReconnectionOnErrorChanged)
    Q_PROPERTY(bool autoUpdateEnabled READ autoUpdateEnabled WRITE setAutoUpdateEnabled NOTIFY autoUpdateEnabledChanged)
    Q_PROPERTY(bool connectToLastLocation READ connectToLastLocation WRITE setConnectToLastLocation NOTIFY
                   connectToLastLocationChanged)
    Q_PROPERTY(bool ipv6Enabled READ ipv6Enabled WRITE setIpv6Enabled NOTIFY ipv6EnabledChanged)
    Q_PROPERTY(bool killswitchEnabled READ killswitchEnabled WRITE setKillswitchEnabled NOTIFY killswitchEnabledChanged)
    Q_PROPERTY(
        bool launchAppOnStartup READ launchAppOnStartup WRITE setLaunchAppOnStartup NOTIFY launchAppOnStartupChanged)
    Q_PROPERTY(bool showNotifications READ showNotifications WRITE setShowNotifications NOTIFY showNotificationsChanged)
    Q_PROPERTY(int languageIndex READ languageIndex WRITE setLanguageIndex NOTIFY languageIndexChanged)
    Q_PROPERTY(int mtuSize READ mtuSize WRITE setMtuSize NOTIFY mtuSizeChanged)
    Q_PROPERTY(int networkProtocol READ networkProtocol WRITE setNetworkProtocol NOTIFY networkProtocolChanged)
    Q_PROPERTY(int startMinimized READ startMinimized WRITE setStartMinimized NOTIFY startMinimizedChanged)
    Q_PROPERTY(int tcpPortIndex READ tcpPortIndex WRITE setTcpPortIndex NOTIFY tcpPortIndexChanged)
    Q_PROPERTY(int udpPortIndex READ udpPortIndex WRITE setUdpPortIndex NOTIFY udpPortIndexChanged)
    Q_PROPERTY(QUrl radizidiviLastOpenedUrl READ radizidiviLastOpenedUrl WRITE setRadizidiviLastOpenedUrl NOTIFY
                   radizidiviLastOpenedUrlChanged)

public:
    // Whether this machine can run WireGuard; decides the protocol's default and fall-back.
    using WireGuardSupport = std::function<bool()>;

    static Settings *instance();

    // A settings object on the native store. The process-wide one asks the system about
    // WireGuard; tests hand in their own answer.
    explicit Settings(WireGuardSupport wireGuardSupported = {}, QObject *parent = nullptr);

    static const QList<quint16> &tcpPorts();
    static const QList<quint16> &udpPorts();
    // Language codes and display names, in the order of the language list.
    static const QStringList &languageCodes();
    static const QStringList &languageNames();

    // Reads the store again, each value falling back to the one in memory.
    void load();

    QString language() const { return m_language; }
    QString password() const { return m_password; }
    QString userName() const { return m_userName; }
    QStringList allowedTcpPortsList() const;
    QStringList allowedUdpPortsList() const;
    QStringList languageList() const { return languageNames(); }
    bool allowAccessToLocalDevices() const { return m_allowAccessToLocalDevices; }
    bool autoReconnectionOnError() const { return m_autoReconnectionOnError; }
    bool autoUpdateEnabled() const { return m_autoUpdateEnabled; }
    bool connectToLastLocation() const { return m_connectToLastLocation; }
    bool ipv6Enabled() const { return m_ipv6Enabled; }
    bool killswitchEnabled() const { return m_killswitchEnabled; }
    bool launchAppOnStartup() const;
    bool showNotifications() const { return m_showNotifications; }
    int languageIndex() const;
    int mtuSize() const { return m_mtuSize; }
    int networkProtocol() const { return m_networkProtocol; }
    int startMinimized() const { return m_startMinimized; }
    int tcpPortIndex() const { return m_tcpPortIndex; }
    int udpPortIndex() const { return m_udpPortIndex; }
    QUrl radizidiviLastOpenedUrl() const { return m_radizidiviLastOpenedUrl; }
    QString currentServerId() const { return m_currentServerId; }
    QStringList favorites() const { return m_favorites; }

    void setLanguage(const QString &language);
    void setPassword(const QString &password);
    void setUserName(const QString &userName);
    void setAllowAccessToLocalDevices(bool allow);
    void setAutoReconnectionOnError(bool reconnect);
    void setAutoUpdateEnabled(bool enabled);
    void setConnectToLastLocation(bool connect);
    void setIpv6Enabled(bool enabled);
    void setKillswitchEnabled(bool enabled);
    void setLaunchAppOnStartup(bool launch);
    void setShowNotifications(bool show);
    void setLanguageIndex(int index);
    void setMtuSize(int size);
    void setNetworkProtocol(int protocol);
    void setStartMinimized(int mode);
    void setTcpPortIndex(int index);
    void setUdpPortIndex(int index);
    void setRadizidiviLastOpenedUrl(const QUrl &fileUrl);

    Q_INVOKABLE QString fileName() const { return m_store.fileName(); }
    Q_INVOKABLE bool isWritable() const { return m_store.isWritable(); }
    Q_INVOKABLE bool vaildCredentials() const;
    Q_INVOKABLE int defaultMtuSize() const { return 1500; }
    Q_INVOKABLE QString osName() const;
    Q_INVOKABLE QString titleName() const;
    Q_INVOKABLE void saveCurrentServerId(const QString &id);
    Q_INVOKABLE void saveGeneralSettings();
    Q_INVOKABLE void saveRadizidiviSettings();

    // The port of the current protocol; 0 asks for the automatic TCP port search.
    quint16 port() const;
    bool isAutoPort() const { return port() == 0; }
    QString portText() const;
    QList<quint16> candidateTcpPorts() const;

    void setFavorite(const QString &reference, bool set);
    Servers loadRecentServers(const Servers &servers);
    void saveRecentServers(const Servers &servers);

    void setNetworkAdapters(const NetworkAdapters &adapters) { m_networkAdapters = adapters; }
    NetworkAdapters networkAdapters() const { return m_networkAdapters; }

signals:
    void languageChanged(const QString &language);
    void passwordChanged(const QString &password);
    void userNameChanged(const QString &userName);
    // A user name or password was refused (it held control characters); the text says why,
    // for the user.
    void credentialsRefused(const QString &message);
    void allowAccessToLocalDevicesChanged(bool allow);
    void autoReconnectionOnErrorChanged(bool reconnect);
    void autoUpdateEnabledChanged(bool enabled);
    void connectToLastLocationChanged(bool connect);
    void ipv6EnabledChanged(bool enabled);
    void killswitchEnabledChanged(bool enabled);
    void launchAppOnStartupChanged(bool launch);
    void showNotificationsChanged(bool show);
    void languageIndexChanged(int index);
    void mtuSizeChanged(int size);
    void networkProtocolChanged(int protocol);
    void startMinimizedChanged(int mode);
    void tcpPortIndexChanged(bool notAuto);
    void udpPortIndexChanged(bool notFirst);
    void radizidiviLastOpenedUrlChanged(const QUrl &url);

private:
    bool readBool(const QString &key, bool fallback);
    int readInt(const QString &key, int fallback);
    QString readString(const QString &key, const QString &fallback);
    QString readSecret(const QString &key, const QString &fallback);
    bool acceptCredential(const QString &key, const QString &value);
    int defaultNetworkProtocol() const;

    QSettings m_store;
    SecretCipher m_cipher;
    bool m_wireGuardSupported = false;
    NetworkAdapters m_networkAdapters;

    bool m_allowAccessToLocalDevices = true;
    bool m_autoReconnectionOnError = true;
    bool m_autoUpdateEnabled = true;
    bool m_connectToLastLocation = false;
    QString m_currentServerId;
    bool m_ipv6Enabled = false;
    bool m_killswitchEnabled = true;
    QString m_language;
    int m_mtuSize = 0;
    int m_networkProtocol = VpnProtocol::OpenVpnUdp;
    QString m_password;
    bool m_showNotifications = true;
    int m_startMinimized = 0;
    QString m_userName;
    int m_tcpPortIndex = 0;
    int m_udpPortIndex = 0;
    QStringList m_favorites;
    QUrl m_radizidiviLastOpenedUrl;
};

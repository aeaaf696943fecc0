#pragma once

#include "vpnclient.h"

#include <QAbstractSocket>

class TcpServer;
class VpnProcess;
class WireGuardLogger;

// Drives the WireGuard engine: writes the tunnel configuration from the account, has the
// service run "wireguard-service --add/--remove", and follows the state lines that the
// program sends to 127.0.0.1:61976 and its binary log.
class WireGuardClient final : public VpnClient
{
    Q_OBJECT

public:
    static constexpr quint16 statePort = 61976;
    static constexpr quint16 peerPort = 55888;

    explicit WireGuardClient(QObject *parent = nullptr);
    ~WireGuardClient() override;

    // Whether this machine can run WireGuard, and if not, why.
    static bool isSupported(QString *reason = nullptr);
    static bool isDriverInstalled();
    // Windows form of the driver check: the "driverquery /V" output names wireguard.sys.
    static bool driverListHasWireGuard(const QString &driverqueryOutput);

    // The account's WireGuard data is fit for the configuration: active, two base64 keys of
    // 32 bytes, an IPv4 address.
    static bool isUsableAccount(const Account &account);
    // Empty for an account that is not usable or a server that is no address.
    static QString configText(const Account &account, const QString &server);
    // The configuration file in the data folder's "config": "wg-<brand>.conf", or a numbered
    // name when that one cannot be deleted; empty when no name is free.
    static QString chooseConfigPath(const QString &folder);

    QString lastError() const { return m_lastError; }
    QString engineLogFile() const { return m_engineLogPath; }

public slots:
    void connectToVpn() override;
    void disconnectFromVpn() override;
    bool supportsKillSwitch() const override;
    QString name() const override;
    QString configTemplatePath() const override;
    bool prepareConfig() override;
    QString configFilePath() const override;
    QString executablePath() const override;

private slots:
    void onReadyReadDataFromManagementInterface();
    void onSocketError(QAbstractSocket::SocketError socketError);
    void onWireGuardLoggerLineReaded(const QString &line);
    void onWireGuardProcessFinished(int exitCode);
    void onWireGuardProcessStarted();
    void onWireGuardProcessError(int status);

private:
    // False when the batch of lines must end here.
    bool handleLine(const QString &line);
    void removeTunnel();

    TcpServer *m_channel;
    VpnProcess *m_process;
    WireGuardLogger *m_logger;
    QString m_lastError;
    QString m_configPath;
    QString m_engineLogPath;
    bool m_disconnectRequested = false;
    bool m_beingDestroyed = false;
    bool m_stopSent = false;
};

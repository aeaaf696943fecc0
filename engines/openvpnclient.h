#pragma once

#include "vpnclient.h"

#include <QTimer>

class Stunnel;
class TcpServer;
class VpnProcess;

// Drives OpenVPN for UDP, TCP and Stealth: writes its configuration, has the service start it,
// and runs its management interface in client mode (we listen, OpenVPN connects), turning
// OpenVPN's notifications into states, the assigned address, the pushed DNS servers and the
// traffic counters.
class OpenVpnClient final : public VpnClient
{
    Q_OBJECT

public:
    static constexpr quint16 managementPort = 61973;
    static constexpr int exitWaitMs = 3000;
    // How long a client that goes waits for the engine to take its stop signal.
    static constexpr int stopReplyWaitMs = 2000;

    explicit OpenVpnClient(QObject *parent = nullptr);
    ~OpenVpnClient() override;

    // The options that the configuration gains for these parameters, in their order;
    // `portability` goes before the Windows-only ones.
    static QStringList
    additionalOptions(const ConnectionParameters &parameters, bool debug, const QStringList &portability);
    // The password as the management interface reads it inside double quotes.
    static QString escapedPassword(const QString &password);
    // The IPv4 and IPv6 DNS servers of a push reply; empty where it names none.
    static QPair<QString, QString> pushedDnsServers(const QString &line);
    // The address of an ASSIGN_IP state line, empty when it has none.
    static QString assignedAddress(const QString &line);

    QString lastError() const { return m_lastError; }
    QString assignedIp() const { return m_assignedIp; }

public slots:
    void connectToVpn() override;
    void disconnectFromVpn() override;
    QString name() const override;
    QString configTemplatePath() const override;
    void editConfig(QString &text) override;
    QString executablePath() const override;

private slots:
    void onOpenVpnProcessFinished(int exitCode);
    void onOpenVpnProcessStarted();
    void onOpenVpnProcessError(int status);
    void onReadyReadDataFromManagementInterface();
    void onStunnelStarted(bool success);
    void openVpnStateSigTermHandlerTimerEvent();

private:
    void refuseCredentials();
    void startEngine();
    void stopEngine();
    void handleLine(const QString &line);
    QStringList engineCommandLine() const;
    void send(const char *command);
    bool sendStopSignal();

    VpnProcess *m_process;
    QTimer m_exitWait;
    TcpServer *m_management;
    Stunnel *m_stunnel;
    QString m_lastError;
    QString m_assignedIp;
    bool m_disconnectRequested = false;
    bool m_beingDestroyed = false;
    // A kill by name reaches whichever engine runs by then: one per engine run at most.
    bool m_killSent = false;
    bool m_stopSignalSent = false;
};

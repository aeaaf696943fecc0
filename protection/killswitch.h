#pragma once

#include <QObject>

class ServiceProcess;

// Drives the "killswitch" program, which the service runs with administrator rights: blocks
// all traffic outside the tunnel while the VPN is up, and lifts the block again.
class KillSwitch final : public QObject
{
    Q_OBJECT

public:
    explicit KillSwitch(QObject *parent = nullptr);

    static QStringList enableCommandLine(const QString &vpnPublicIp, bool allowLocalDevices);
    static QStringList disableCommandLine();

    void enable(const QString &vpnInternalIp, const QString &vpnPublicIp, bool allowLocalDevices);
    void disable();
    // Follows the requests, not their outcome.
    bool isEnabled() const { return m_enabled; }

signals:
    void killSwitchFinished(bool ok);
    // The service's reports on each run, for whoever keeps the runs apart.
    void runStarted(qint64 pid);
    void runFinished(qint64 pid, bool ok);
    void runRefused();

private slots:
    void onKillSwitchProcessFinished(int exitCode, qint64 pid);
    void onKillSwitchProcessStarted(qint64 pid);
    void onKillSwitchProcessError(int status);

private:
    ServiceProcess *m_process;
    bool m_enabled = false;
};

#include "killswitch.h"

#include "logger.h"

#include "serviceprocess.h"
#include "utils.h"

#include <QDebug>

namespace {

QString programPath()
{
    return Utils::applicationDirectory() + QLatin1Char('/')
        + Utils::executablePath(QStringLiteral("killswitch"), false);
}

} // namespace

KillSwitch::KillSwitch(QObject *parent)
    : QObject(parent)
    , m_process(new ServiceProcess(QStringLiteral("killswitch"), this))
{
    setObjectName(QStringLiteral("KillSwitch"));
    connect(m_process, &ServiceProcess::started, this, &KillSwitch::onKillSwitchProcessStarted);
    connect(m_process, &ServiceProcess::finished, this, &KillSwitch::onKillSwitchProcessFinished);
    connect(m_process, &ServiceProcess::error, this, &KillSwitch::onKillSwitchProcessError);
}

QStringList KillSwitch::enableCommandLine(const QString &vpnPublicIp, bool allowLocalDevices)
{
    return {programPath(),
            QStringLiteral("enable"),
            QStringLiteral("all"),
            vpnPublicIp,
            allowLocalDevices ? QStringLiteral("local") : QString()};
}

QStringList KillSwitch::disableCommandLine()
{
    return {programPath(), QStringLiteral("disable"), QStringLiteral("all")};
}

void KillSwitch::enable(const QString &vpnInternalIp, const QString &vpnPublicIp, bool allowLocalDevices)
{
    Log::info(
        this,
        QStringLiteral("Activate protection, VPN internal IP '%1', VPN public IP: '%2', allow local devices: '%3'")
            .arg(vpnInternalIp, vpnPublicIp, Utils::boolText(allowLocalDevices)));
    m_process->start(enableCommandLine(vpnPublicIp, allowLocalDevices));
    m_enabled = true;
}

void KillSwitch::disable()
{
    Log::info(this, QStringLiteral("Disable protection"));
    m_enabled = false;
    m_process->start(disableCommandLine());
}

void KillSwitch::onKillSwitchProcessFinished(int exitCode, qint64 pid)
{
    // The program's own convention: it exits with a code other than 0 when it succeeded.
    emit killSwitchFinished(exitCode != 0);
    Log::info(this, QStringLiteral("Process finished with code: %1").arg(exitCode));
    emit runFinished(pid, exitCode != 0);
}

void KillSwitch::onKillSwitchProcessError(int status)
{
    Log::warning(this, QStringLiteral("The service did not start the program, status: %1").arg(status));
    emit runRefused();
}

void KillSwitch::onKillSwitchProcessStarted(qint64 pid)
{
    emit runStarted(pid);
}

#include "vpnprocess.h"

VpnProcess::VpnProcess(const QString &name, QObject *parent)
    : ServiceProcess(name, parent)
{
}

void VpnProcess::kill()
{
    ServiceProcess::write(QStringLiteral("start: <kill %1>").arg(name()));
}

void VpnProcess::stop()
{
    write(QString());
}

void VpnProcess::write(const QString &command)
{
    Q_UNUSED(command)
    ServiceProcess::write(QStringLiteral("stop: <%1>").arg(name()));
}

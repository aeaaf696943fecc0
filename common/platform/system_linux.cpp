#include "platform/system.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

namespace Platform {

namespace {

// Administration tools live in sbin, which a user's PATH may leave out.
QString findTool(const QString &name)
{
    const QString inPath = QStandardPaths::findExecutable(name);
    if (!inPath.isEmpty())
        return inPath;
    return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

} // namespace

QString osName()
{
    return QStringLiteral("Linux");
}

QString systemVersionText()
{
    return QSysInfo::prettyProductName();
}

WireGuardAvailability wireGuardAvailability()
{
    if (findTool(QStringLiteral("wg")).isEmpty())
        return {false, QStringLiteral("The WireGuard tools (wg) are not installed.")};
    if (!QFileInfo::exists(QStringLiteral("/sys/module/wireguard"))
        && findTool(QStringLiteral("wireguard-go")).isEmpty())
        return {false, QStringLiteral("Neither the WireGuard kernel module nor wireguard-go is available.")};
    return {true, QString()};
}

} // namespace Platform

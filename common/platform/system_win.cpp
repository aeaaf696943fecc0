#include "platform/system.h"

#include <QOperatingSystemVersion>
#include <QSettings>
#include <QSysInfo>

namespace Platform {

QString osName()
{
    return QStringLiteral("Windows");
}

QString systemVersionText()
{
    const QSettings version(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion"),
                            QSettings::NativeFormat);
    return windowsVersionText(QOperatingSystemVersion::current().microVersion(),
                              version.value(QStringLiteral("DisplayVersion")).toString(),
                              QSysInfo::prettyProductName());
}

WireGuardAvailability wireGuardAvailability()
{
    // The installer ships the WireGuard service and its driver.
    return {true, QString()};
}

} // namespace Platform

#include "platform/system.h"

namespace Platform {

QString windowsVersionText(int buildNumber, const QString &displayVersion, const QString &prettyProductName)
{
    if (buildNumber < 22000)
        return prettyProductName;
    if (displayVersion.isEmpty())
        return QStringLiteral("Windows 11 (build %1)").arg(buildNumber);
    return QStringLiteral("Windows 11 Version %1 (build %2)").arg(displayVersion).arg(buildNumber);
}

} // namespace Platform

#include "platform/paths.h"

#include "buildconfig.h"

#include <QDebug>
#include <QDir>

namespace Platform {

QString executableSuffix()
{
    return QString();
}

QString programDataDirectory()
{
    const QString overridden = qEnvironmentVariable("VELMORIX_DATA_DIR");
    if (!overridden.trimmed().isEmpty()) {
        // The dns program runs from wherever the service starts it: only a full path is the
        // same folder for both programs.
        if (QDir::isRelativePath(overridden)) {
            qWarning().noquote() << "Platform: VELMORIX_DATA_DIR is not an absolute path: " + overridden;
            return QString();
        }
        return QDir::cleanPath(overridden);
    }
    return QStringLiteral("/var/lib/") + QLatin1String(BuildConfig::brandId);
}

} // namespace Platform

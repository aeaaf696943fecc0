#include "platform/paths.h"

#include "buildconfig.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

QString clientDataDirectory()
{
    if (!qEnvironmentVariable("VELMORIX_DATA_DIR").trimmed().isEmpty() || ::geteuid() == 0)
        return programDataDirectory();
    // XDG_RUNTIME_DIR, or Qt's stand-in for it: the user's own, mode 0700, gone at logout, so
    // that the WireGuard key of a session never reaches a disk.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return QString();
    const QString folder = runtime + QLatin1Char('/') + QLatin1String(BuildConfig::brandId);
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
        qWarning().noquote() << "Platform: cannot create " + folder;
        return QString();
    }
    return folder;
}

} // namespace Platform

#include "platform/paths.h"

#include "buildconfig.h"

#include <QStandardPaths>

namespace Platform {

QString executableSuffix()
{
    return QStringLiteral(".exe");
}

QString programDataDirectory()
{
    return programDataFromLocations(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation),
                                    QLatin1String(BuildConfig::productName));
}

QString clientDataDirectory()
{
    return programDataDirectory();
}

} // namespace Platform

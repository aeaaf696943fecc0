#include "platform/paths.h"

#include <QDir>

namespace Platform {

QString programDataFromLocations(const QStringList &locations, const QString &productName)
{
    for (const QString &location : locations) {
        if (location.contains(QLatin1String("ProgramData")))
            return QStringLiteral("%1/%2").arg(location, productName).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    return QString();
}

} // namespace Platform

#include "platform/paths.h"

#include "buildconfig.h"

#include <QFile>
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

bool writeOwnerOnlyFile(const QString &path, const QByteArray &data)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        return false;
    const bool ok = file.write(data) == data.size() && file.flush();
    file.close();
    if (!ok)
        QFile::remove(path);
    return ok;
}

} // namespace Platform

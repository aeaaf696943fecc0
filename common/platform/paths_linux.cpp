#include "platform/paths.h"

#include "buildconfig.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
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

bool writeOwnerOnlyFile(const QString &path, const QByteArray &data)
{
    const QByteArray name = QFile::encodeName(path);
    // The old file or a link planted in its place goes, so that the new one is ours alone.
    if (::unlink(name.constData()) != 0 && errno != ENOENT)
        return false;
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    qint64 written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + written, size_t(data.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    const bool ok = written == data.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok)
        ::unlink(name.constData());
    return ok;
}

} // namespace Platform

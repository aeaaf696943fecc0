#include "platform/statefolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool ownedByUs(const struct stat &st)
{
    return st.st_uid == 0 || st.st_uid == ::geteuid();
}

// Every name of the path as given: a link on the way is taken only from root, since whoever
// made it may point it elsewhere at any moment.
QString checkLinksOnTheWay(const QString &folder)
{
    QString prefix;
    for (const QString &name : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        prefix += QLatin1Char('/') + name;
        struct stat st = {};
        if (::lstat(QFile::encodeName(prefix).constData(), &st) != 0)
            return QStringLiteral("'%1': %2").arg(prefix, systemError());
        if (S_ISLNK(st.st_mode) && st.st_uid != 0)
            return QStringLiteral("'%1' is a link of user %2").arg(prefix).arg(st.st_uid);
    }
    return QString();
}

// The folders of the real path: ours, and written by nobody else (one above may be sticky:
// others may add names there, but not take or replace ours).
QString checkFolders(const QString &real)
{
    const QStringList names = real.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString prefix;
    for (int i = -1; i < names.size(); ++i) {
        prefix += i < 0 ? QString() : QLatin1Char('/') + names.at(i);
        const QString shown = prefix.isEmpty() ? QStringLiteral("/") : prefix;
        const bool last = i == names.size() - 1;
        struct stat st = {};
        if (::lstat(QFile::encodeName(shown).constData(), &st) != 0)
            return QStringLiteral("'%1': %2").arg(shown, systemError());
        if (!S_ISDIR(st.st_mode))
            return QStringLiteral("'%1' is not a folder").arg(shown);
        if (!ownedByUs(st))
            return QStringLiteral("'%1' belongs to user %2").arg(shown).arg(st.st_uid);
        const bool othersWrite = (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
        if (othersWrite && (last || (st.st_mode & S_ISVTX) == 0))
            return QStringLiteral("'%1' may be written by others").arg(shown);
    }
    return QString();
}

} // namespace

QString prepareStateFolder(const QString &folder, const QStringList &files)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return QStringLiteral("'%1' is not an absolute path").arg(folder);
    const QString clean = QDir::cleanPath(folder);
    const QByteArray encoded = QFile::encodeName(clean);
    struct stat st = {};
    if (::lstat(encoded.constData(), &st) != 0) {
        if (errno != ENOENT)
            return QStringLiteral("'%1': %2").arg(clean, systemError());
        // Made for ourselves, whatever the umask says; a folder that someone made in between
        // is judged by the checks below like any other.
        if (!QDir().mkpath(clean))
            return QStringLiteral("cannot make '%1'").arg(clean);
        ::chmod(encoded.constData(), 0755);
    }
    QString why = checkLinksOnTheWay(clean);
    if (!why.isEmpty())
        return why;
    char real[PATH_MAX];
    if (::realpath(encoded.constData(), real) == nullptr)
        return QStringLiteral("'%1': %2").arg(clean, systemError());
    const QString realFolder = QFile::decodeName(real);
    why = checkFolders(realFolder);
    if (!why.isEmpty())
        return why;

    for (const QString &name : files) {
        const QString path = realFolder + QLatin1Char('/') + name;
        const QByteArray encodedFile = QFile::encodeName(path);
        struct stat file = {};
        if (::lstat(encodedFile.constData(), &file) != 0) {
            if (errno == ENOENT)
                continue;
            return QStringLiteral("'%1': %2").arg(path, systemError());
        }
        const bool plain = S_ISREG(file.st_mode) && file.st_uid == ::geteuid() && file.st_nlink == 1
            && (file.st_mode & (S_IWGRP | S_IWOTH)) == 0;
        if (plain)
            continue;
        // Nobody else can write here now, so this was left from a time when someone could.
        qWarning().noquote() << QStringLiteral("Platform: '%1' is not a plain file of ours (a link, another "
                                               "name of a file, or someone else's): removed unread")
                                    .arg(path);
        if (::unlink(encodedFile.constData()) != 0)
            return QStringLiteral("'%1' cannot be removed: %2").arg(path, systemError());
    }
    return QString();
}

struct StateLock::Held
{
    int fd = -1;
};

StateLock::StateLock(const QString &folder, const QString &name, int timeoutMs)
{
    const QString path = QDir::cleanPath(folder) + QLatin1Char('/') + name;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = QStringLiteral("'%1': %2").arg(path, errno == ELOOP ? QStringLiteral("a link") : systemError());
        return;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        m_error = QStringLiteral("'%1' is not a plain file of ours").arg(path);
        ::close(fd);
        return;
    }
    m_held = new Held{fd};
    // flock has no time limit of its own: the wait is tried again until the holder lets go.
    for (int waited = 0;; waited += 50) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_locked = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_error = QStringLiteral("'%1': %2").arg(path, systemError());
            return;
        }
        if (waited >= timeoutMs) {
            m_error = QStringLiteral("'%1' is held by another run").arg(path);
            return;
        }
        QThread::msleep(50);
    }
}

StateLock::~StateLock()
{
    if (m_held != nullptr)
        ::close(m_held->fd); // lets the lock go
    delete m_held;
}

} // namespace Platform

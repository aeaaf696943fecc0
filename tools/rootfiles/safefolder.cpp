#include "safefolder.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links that a path may pass through, as the kernel allows.
constexpr int maxLinks = 40;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SafeFolder::SafeFolder(const QString &path, uid_t owner)
    : m_owner(owner)
    , m_path(path)
{
    walk(path);
}

SafeFolder::~SafeFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SafeFolder::isPlainName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/'))
        || QFile::encodeName(name).size() > 255)
        return false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool SafeFolder::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool SafeFolder::checkFolder(int fd, const QString &shown, bool last)
{
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode))
        return fail(QStringLiteral("'%1' is not a folder").arg(shown));
    if (st.st_uid != 0 && st.st_uid != m_owner)
        return fail(QStringLiteral("'%1' belongs to user %2").arg(shown).arg(st.st_uid));
    // Others who may write a folder may rename what is in it, unless it is sticky.
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (st.st_mode & S_ISVTX) == 0)
        return fail(QStringLiteral("'%1' may be written by others").arg(shown));
    if (last)
        m_folderOwner = st.st_uid;
    return true;
}

bool SafeFolder::walk(const QString &path)
{
    if (!QDir::isAbsolutePath(path))
        return fail(QStringLiteral("'%1' is not an absolute path").arg(path));
    int fd = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || !checkFolder(fd, QStringLiteral("/"), false)) {
        if (fd >= 0)
            ::close(fd);
        return m_error.isEmpty() ? fail(systemError()) : false;
    }
    QStringList pending = QDir::cleanPath(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString shown;
    int links = 0;
    while (!pending.isEmpty()) {
        const QString name = pending.takeFirst();
        if (name == QLatin1String("."))
            continue;
        const QByteArray encoded = QFile::encodeName(name);
        shown += QLatin1Char('/') + name;
        struct stat st = {};
        if (::fstatat(fd, encoded.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            ::close(fd);
            return fail(QStringLiteral("'%1': %2").arg(shown, systemError()));
        }
        if (S_ISLNK(st.st_mode)) {
            // Only a link that root made is the system's own; any other may point anywhere.
            if (st.st_uid != 0 || ++links > maxLinks) {
                ::close(fd);
                return fail(QStringLiteral("'%1' is a link of user %2").arg(shown).arg(st.st_uid));
            }
            QByteArray target(4096, '\0');
            const ssize_t length = ::readlinkat(fd, encoded.constData(), target.data(), size_t(target.size()));
            if (length <= 0 || length >= target.size()) {
                ::close(fd);
                return fail(QStringLiteral("'%1': unreadable link").arg(shown));
            }
            target.truncate(int(length));
            const QString targetText = QFile::decodeName(target);
            pending = targetText.split(QLatin1Char('/'), Qt::SkipEmptyParts) + pending;
            if (targetText.startsWith(QLatin1Char('/'))) {
                ::close(fd);
                fd = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
                if (fd < 0)
                    return fail(systemError());
            }
            continue;
        }
        const int next = ::openat(fd, encoded.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        ::close(fd);
        if (next < 0)
            return fail(QStringLiteral("'%1': %2").arg(shown, systemError()));
        fd = next;
        if (!checkFolder(fd, shown, pending.isEmpty())) {
            ::close(fd);
            return false;
        }
    }
    // "/" itself, when nothing followed it.
    if (shown.isEmpty())
        checkFolder(fd, QStringLiteral("/"), true);
    m_fd = fd;
    return true;
}

bool SafeFolder::checkFile(int fd, const QString &name)
{
    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        return fail(QStringLiteral("'%1': %2").arg(name, systemError()));
    if (!S_ISREG(st.st_mode))
        return fail(QStringLiteral("'%1' is not a plain file").arg(name));
    if (st.st_uid != 0 && st.st_uid != m_owner)
        return fail(QStringLiteral("'%1' belongs to user %2").arg(name).arg(st.st_uid));
    // A second name could be a hard link to a file of someone else's, made where it may be.
    if (st.st_nlink != 1)
        return fail(QStringLiteral("'%1' has more than one name").arg(name));
    return true;
}

int SafeFolder::openForReading(const QString &name)
{
    if (!isOpen())
        return -1;
    if (!isPlainName(name)) {
        fail(QStringLiteral("'%1' is not a plain file name").arg(name));
        return -1;
    }
    // Non-blocking: a pipe in place of the file must not hold the caller.
    const int fd =
        ::openat(m_fd, QFile::encodeName(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        fail(QStringLiteral("'%1': %2").arg(name, errno == ELOOP ? QStringLiteral("a link") : systemError()));
        return -1;
    }
    if (!checkFile(fd, name)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool SafeFolder::read(const QString &name, qint64 limit, QByteArray *content)
{
    const int fd = openForReading(name);
    if (fd < 0)
        return false;
    content->clear();
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return fail(QStringLiteral("'%1': %2").arg(name, systemError()));
        }
        if (n == 0)
            break;
        content->append(buffer, int(n));
        if (content->size() > limit) {
            ::close(fd);
            return fail(QStringLiteral("'%1' is larger than %2 bytes").arg(name).arg(limit));
        }
    }
    ::close(fd);
    return true;
}

int SafeFolder::create(const QString &name, mode_t mode)
{
    if (!isOpen())
        return -1;
    if (!isPlainName(name)) {
        fail(QStringLiteral("'%1' is not a plain file name").arg(name));
        return -1;
    }
    const QByteArray encoded = QFile::encodeName(name);
    if (::unlinkat(m_fd, encoded.constData(), 0) != 0 && errno != ENOENT) {
        fail(QStringLiteral("'%1': %2").arg(name, systemError()));
        return -1;
    }
    const int fd = ::openat(m_fd, encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
        fail(QStringLiteral("'%1': %2").arg(name, systemError()));
        return -1;
    }
    ::fchmod(fd, mode); // whatever the umask said
    return fd;
}

int SafeFolder::openForAppend(const QString &name)
{
    if (!isOpen())
        return -1;
    if (!isPlainName(name)) {
        fail(QStringLiteral("'%1' is not a plain file name").arg(name));
        return -1;
    }
    const QByteArray encoded = QFile::encodeName(name);
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd =
            ::openat(m_fd, encoded.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            // A new file of the owner's, as if the owner had made it.
            if (::fchown(fd, m_owner, gid_t(-1)) != 0) {
                ::close(fd);
                fail(QStringLiteral("'%1': %2").arg(name, systemError()));
                return -1;
            }
            return fd;
        }
        if (errno != EEXIST) {
            fail(QStringLiteral("'%1': %2").arg(name, systemError()));
            return -1;
        }
        fd = ::openat(m_fd, encoded.constData(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            if (!checkFile(fd, name)) {
                ::close(fd);
                return -1;
            }
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        if (errno != ELOOP) {
            fail(QStringLiteral("'%1': %2").arg(name, systemError()));
            return -1;
        }
        // A link where the file belongs: it goes, and the file is made anew.
        if (::unlinkat(m_fd, encoded.constData(), 0) != 0) {
            fail(QStringLiteral("'%1' is a link: %2").arg(name, systemError()));
            return -1;
        }
    }
    fail(QStringLiteral("'%1' keeps changing").arg(name));
    return -1;
}

bool SafeFolder::remove(const QString &name)
{
    if (!isOpen() || !isPlainName(name))
        return false;
    return ::unlinkat(m_fd, QFile::encodeName(name).constData(), 0) == 0 || errno == ENOENT;
}

#include "platform/statefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace Platform {

QString prepareStateFolder(const QString &folder, const QStringList &files)
{
    // The installer gives the data folder its access list; a link (a junction) in a file's
    // place still goes unread.
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QStringLiteral("cannot make '%1'").arg(folder);
    for (const QString &name : files) {
        const QFileInfo file(QDir(folder).filePath(name));
        if ((file.isSymLink() || file.isJunction() || (file.exists() && !file.isFile()))
            && !QFile::remove(file.filePath()) && !QDir().rmdir(file.filePath()))
            return QStringLiteral("'%1' cannot be removed").arg(file.filePath());
    }
    return QString();
}

struct StateLock::Held
{
    explicit Held(const QString &path)
        : file(path)
    {
    }
    QLockFile file;
};

StateLock::StateLock(const QString &folder, const QString &name, int timeoutMs)
    : m_held(new Held(QDir(folder).filePath(name)))
{
    m_held->file.setStaleLockTime(0);
    m_locked = m_held->file.tryLock(timeoutMs);
    if (!m_locked)
        m_error = QStringLiteral("'%1' is held by another run").arg(QDir(folder).filePath(name));
}

StateLock::~StateLock()
{
    delete m_held;
}

} // namespace Platform

#include "singleapplication.h"

#include "logger.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A message is a 32-bit length and that many bytes of UTF-8; the receiver answers one byte
// once it has the whole message. Nothing larger is taken from the socket.
constexpr quint32 maxMessageBytes = 64 * 1024;
constexpr char acknowledgement = '\x06';
constexpr qint64 brokenLockAgeMs = 2000;

QString fileSafe(const QString &id)
{
    QString safe;
    for (const QChar c : id)
        safe += c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') ? c : QLatin1Char('_');
    return safe.isEmpty() ? QStringLiteral("app") : safe;
}

#ifndef Q_OS_WIN
// A folder that only this user can reach: a lock or socket in a folder that others may write
// could be planted by them and hold this program off.
bool isPrivateFolder(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// The folder beside the user's data when the session has no runtime folder of its own.
QString privateFallbackFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data))
        return QString();
    const QString folder = QDir(data).filePath(QStringLiteral(".velmorix-instance"));
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    // Ours but too open (made by hand, or by an older umask): close it. A link or a folder of
    // someone else is never followed or changed.
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return QString();
    if ((info.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return QString();
    return isPrivateFolder(folder) ? folder : QString();
}
#endif

} // namespace

SingleApplication::SingleApplication(const QString &id, int &argc, char **argv)
    : QApplication(argc, argv)
    , m_id(id)
{
    setObjectName(QStringLiteral("SingleApplication"));
    if (instanceFolder().isEmpty()) {
        Log::warning(this, QStringLiteral("No private folder for the instance lock, running without one"));
        m_primary = true;
        return;
    }
    if (removeForeignLock(lockFilePath(id)))
        Log::warning(this, QStringLiteral("Removed '%1', which was not a lock of this user").arg(lockFilePath(id)));
    m_lock = std::make_unique<QLockFile>(lockFilePath(id));
    // Only a lock whose process is gone is stale: an instance that runs for days keeps its lock.
    m_lock->setStaleLockTime(0);
    takeLock();
}

bool SingleApplication::takeLock()
{
    m_primary = m_lock->tryLock(0);
    if (!m_primary && m_lock->error() == QLockFile::LockFailedError && lockIsBroken()) {
        Log::warning(this, QStringLiteral("Taking over the unreadable lock '%1'").arg(lockFilePath(m_id)));
        m_lock->removeStaleLockFile();
        m_primary = m_lock->tryLock(0);
    } else if (!m_primary && m_lock->error() != QLockFile::LockFailedError) {
        // Better a second instance than none at all.
        Log::warning(this, QStringLiteral("Cannot create the lock '%1', running without one").arg(lockFilePath(m_id)));
        m_primary = true;
    }
    if (m_primary)
        listen();
    return m_primary;
}

bool SingleApplication::retakeLock()
{
    if (m_primary)
        return true;
    if (removeForeignLock(lockFilePath(m_id)))
        Log::warning(this, QStringLiteral("Removed '%1', which was not a lock of this user").arg(lockFilePath(m_id)));
    return takeLock();
}

bool SingleApplication::removeForeignLock(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path)
    return false;
#else
    // Only a plain file of this user can be a lock of ours. Anything else in its place (a link,
    // dangling or not, a folder, a file of someone else) would hold every start off for good;
    // a link goes itself, never what it points to.
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0)
        return false;
    if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
        return false;
    if (S_ISDIR(info.st_mode))
        return QDir(path).removeRecursively();
    return ::unlink(native.constData()) == 0;
#endif
}

bool SingleApplication::lockIsBroken() const
{
    // A lock names the process that holds it. One that names nothing (cut short by a crash or
    // a full disk) is broken once it has stayed so for a while (a lock being written right
    // now is not) and no instance answers on the socket.
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->getLockInfo(&pid, &host, &application))
        return false;
    const QFileInfo file(lockFilePath(m_id));
    if (file.lastModified().msecsTo(QDateTime::currentDateTime()) < brokenLockAgeMs)
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName(m_id));
    return !socket.waitForConnected(1000);
}

SingleApplication::~SingleApplication()
{
    if (m_server)
        m_server->close();
}

QString SingleApplication::instanceFolder()
{
#ifdef Q_OS_WIN
    // The user's own temporary folder; named pipes need no folder.
    return QDir::tempPath();
#else
    // XDG_RUNTIME_DIR (or Qt's private stand-in): owned by the user, mode 0700, so nobody else
    // can squat the socket or the lock.
    // Never a folder that others may write: without a private one, no single instance.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && isPrivateFolder(runtime))
        return runtime;
    return privateFallbackFolder();
#endif
}

QString SingleApplication::lockFilePath(const QString &id)
{
    return QDir(instanceFolder()).filePath(fileSafe(id) + QStringLiteral(".lock"));
}

QString SingleApplication::serverName(const QString &id)
{
#ifdef Q_OS_WIN
    // Pipe names are machine-wide: the user's name keeps the instances of two users apart.
    const QByteArray user = qgetenv("USERDOMAIN") + '\\' + qgetenv("USERNAME");
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(user, QCryptographicHash::Sha1).toHex().left(16));
    return fileSafe(id) + QLatin1Char('-') + hash;
#else
    return QDir(instanceFolder()).filePath(fileSafe(id) + QStringLiteral(".socket"));
#endif
}

void SingleApplication::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName(m_id);
    // We hold the lock, so a socket of that name is left from an instance that was killed.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name)) {
        Log::warning(this, QStringLiteral("Cannot listen on '%1': %2").arg(name, m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::onNewConnection);
}

void SingleApplication::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->property("done").toBool())
                return;
            if (socket->bytesAvailable() < qint64(sizeof(quint32)))
                return;
            QDataStream peek(socket->peek(sizeof(quint32)));
            quint32 length = 0;
            peek >> length;
            if (length > maxMessageBytes) {
                Log::warning(this, QStringLiteral("Refused a message of %1 bytes").arg(length));
                socket->setProperty("done", true);
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < qint64(sizeof(quint32) + length))
                return;
            socket->read(sizeof(quint32));
            const QString message = QString::fromUtf8(socket->read(length));
            socket->setProperty("done", true);
            socket->write(&acknowledgement, 1);
            socket->flush();
            emit messageReceived(message);
        });
        // A client that connects and says nothing is dropped after a while.
        QTimer::singleShot(10000, socket, [socket] { socket->abort(); });
    }
}

bool SingleApplication::sendMessage(const QString &message, int timeoutMs)
{
    if (m_primary)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may have taken the lock a moment ago and not be listening yet.
    for (;;) {
        socket.connectToServer(serverName(m_id));
        if (socket.waitForConnected(int(std::max<qint64>(0, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }

    const QByteArray payload = message.toUtf8().left(maxMessageBytes);
    QByteArray frame;
    QDataStream stream(&frame, QIODevice::WriteOnly);
    stream << quint32(payload.size());
    frame += payload;
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(std::max<qint64>(0, deadline.remainingTime()))))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(std::max<qint64>(0, deadline.remainingTime()))))
            return false;
    }
    return socket.read(1) == QByteArray(1, acknowledgement);
}

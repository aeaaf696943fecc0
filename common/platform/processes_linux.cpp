#include "platform/processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Platform {

namespace {

QByteArray readProcFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// A zombie has exited and only waits for its parent to reap it: it is no longer running.
bool isZombie(const QString &pidDir)
{
    const QByteArray stat = readProcFile(pidDir + QLatin1String("/stat"));
    // The command name sits in parentheses and may itself hold blanks or ")": the state
    // letter follows the last ")".
    const int close = stat.lastIndexOf(')');
    return close >= 0 && stat.size() > close + 2 && stat.at(close + 2) == 'Z';
}

QString fileNamePart(QString path)
{
    // The kernel marks the executable of a process whose file was replaced or removed.
    static const QString deleted = QStringLiteral(" (deleted)");
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    return QFileInfo(path).fileName();
}

// The full file name of the program a process runs: the executable link is exact but readable
// only for our own processes (or as root); argv[0] covers the rest, such as scripts run through
// an interpreter.
bool fullNameMatches(const QString &pidDir, const QString &fileName)
{
    if (fileNamePart(QFile::symLinkTarget(pidDir + QLatin1String("/exe"))) == fileName)
        return true;
    const QByteArray cmdline = readProcFile(pidDir + QLatin1String("/cmdline"));
    return fileNamePart(QString::fromUtf8(cmdline.left(cmdline.indexOf('\0')))) == fileName;
}

bool processMatches(const QString &pidDir, const QString &fileName)
{
    // "comm" is readable for every process, but the kernel cuts it to 15 bytes.
    const QByteArray comm = readProcFile(pidDir + QLatin1String("/comm")).trimmed();
    if (comm.isEmpty())
        return false; // gone in the meantime
    const QByteArray wanted = fileName.toUtf8();
    const bool named = (wanted.size() <= 15 && comm == wanted) || fullNameMatches(pidDir, fileName);
    return named && !isZombie(pidDir);
}

} // namespace

bool isProcessRunning(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        entry.toLongLong(&isPid);
        if (isPid && processMatches(proc.filePath(entry), fileName))
            return true;
    }
    return false;
}

Command shellCommand(const QString &commandLine)
{
    return {QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine}};
}

} // namespace Platform

#include "tunnels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <unistd.h>

namespace {

// The link's text as the kernel gives it: "net:[4026531840]" is no path to make absolute.
QString readLink(const QString &path)
{
    char target[4096];
    const ssize_t size = ::readlink(QFile::encodeName(path).constData(), target, sizeof target - 1);
    return size > 0 ? QFile::decodeName(QByteArray(target, int(size))) : QString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The interface a tun file descriptor is attached to: "iff:\tNAME" in its fdinfo.
QString attachedInterface(const QString &fdinfoPath)
{
    for (const QByteArray &line : readFile(fdinfoPath).split('\n')) {
        if (line.startsWith("iff:"))
            return QString::fromUtf8(line.mid(4)).trimmed();
    }
    return QString();
}

} // namespace

QVector<KillSwitchRules::Tunnel> engineTunnels(const QString &engineExecutable)
{
    QVector<KillSwitchRules::Tunnel> tunnels;
    const QString engine = QFileInfo(engineExecutable).canonicalFilePath();
    // /proc/self/ns/net reads back as "net:[inode]": equal texts, equal namespaces.
    const QString namespaceOfOurs = readLink(QStringLiteral("/proc/self/ns/net"));
    if (engine.isEmpty() || namespaceOfOurs.isEmpty())
        return tunnels;

    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        bool numeric = false;
        pid.toUInt(&numeric);
        const QString process = QStringLiteral("/proc/") + pid;
        if (!numeric || readLink(process + QStringLiteral("/exe")) != engine
            || readLink(process + QStringLiteral("/ns/net")) != namespaceOfOurs)
            continue;
        const QStringList fds = QDir(process + QStringLiteral("/fd")).entryList(QDir::Files | QDir::System);
        for (const QString &fd : fds) {
            if (readLink(process + QStringLiteral("/fd/") + fd) != QLatin1String("/dev/net/tun"))
                continue;
            const QString name = attachedInterface(process + QStringLiteral("/fdinfo/") + fd);
            const QString device = QStringLiteral("/sys/class/net/") + name;
            if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))
                || !QFileInfo::exists(device + QStringLiteral("/tun_flags")))
                continue;
            bool ok = false;
            const int index = readFile(device + QStringLiteral("/ifindex")).trimmed().toInt(&ok);
            const bool known = std::any_of(tunnels.cbegin(), tunnels.cend(), [index](const KillSwitchRules::Tunnel &t) {
                return t.index == index;
            });
            if (ok && index > 0 && !known)
                tunnels.append({index, name});
        }
    }
    return tunnels;
}

// killswitch: the firewall behind the client's "Network lock", on nftables.
//     killswitch enable all SERVER local|''   block everything but loopback, the engine's tunnel,
//                                             the VPN server, what keeps the link up (and with
//                                             "local" the local networks), forwarding included
//     killswitch disable all                  lift the block
// The client reads an exit code other than 0 as success: this program exits with 1 when the
// rules are in place and with 0 when it failed, and says why on its output.
#include "rules.h"
#include "tunnels.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int succeeded = 1;
constexpr int failed = 0;

int fail(const QString &why)
{
    std::printf("killswitch: %s\n", qPrintable(why));
    return failed;
}

// Runs one at a time, in the order they come: an enable and a disable that overlap would
// otherwise leave whichever nft transaction finished last, whatever the client asked last.
// The lock lives where only root creates files, and a planted link there is never followed.
const char lockPath[] = "/run/velmorix-killswitch.lock";

int takeLock(QString *error)
{
    const int fd = ::open(lockPath, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat status = {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        *error = QStringLiteral("cannot use the lock file %1: %2")
                     .arg(QLatin1String(lockPath),
                          fd < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                 : QStringLiteral("not a regular file of ours"));
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    // Another run holds it for one nft transaction: seconds at most, unless it hangs.
    const QDeadlineTimer deadline(60000);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            *error = QStringLiteral("cannot lock %1: %2")
                         .arg(QLatin1String(lockPath), QString::fromLocal8Bit(std::strerror(errno)));
            ::close(fd);
            return -1;
        }
        if (deadline.hasExpired()) {
            *error = QStringLiteral("another run keeps %1 locked").arg(QLatin1String(lockPath));
            ::close(fd);
            return -1;
        }
        QThread::msleep(20);
    }
    return fd; // held until the process ends
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    KillSwitchRules::Request request = KillSwitchRules::parse(app.arguments().mid(1));
    if (!request.error.isEmpty())
        return fail(request.error);
    QString lockError;
    if (takeLock(&lockError) < 0)
        return fail(lockError);
    // The tunnel of this session's engine, as it stands now: the client arms the switch again
    // for every new tunnel.
    if (request.enable)
        request.tunnels = engineTunnels(app.applicationDirPath() + QStringLiteral("/openvpn/bin/openvpn"));

    QString nft = QStandardPaths::findExecutable(QStringLiteral("nft"));
    if (nft.isEmpty())
        nft = QStandardPaths::findExecutable(QStringLiteral("nft"),
                                             {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (nft.isEmpty())
        return fail(QStringLiteral("nft not found (install nftables)"));

    // One transaction: the old table goes and the new one comes at once, or nothing changes.
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(nft, {QStringLiteral("-f"), QStringLiteral("-")});
    process.write(KillSwitchRules::script(request).toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return fail(QStringLiteral("nft refused the rules: ") + QString::fromUtf8(process.readAll()).simplified());
    if (!request.enable) {
        std::printf("killswitch: protection off\n");
        return succeeded;
    }
    QStringList tunnels;
    for (const KillSwitchRules::Tunnel &tunnel : qAsConst(request.tunnels))
        tunnels << QStringLiteral("%1 (index %2)").arg(tunnel.name).arg(tunnel.index);
    std::printf("killswitch: protection on, %s\n",
                tunnels.isEmpty() ? "no tunnel of the engine: only the VPN server is reachable"
                                  : qPrintable(QStringLiteral("through ") + tunnels.join(QStringLiteral(", "))));
    return succeeded;
}

#include "platform/engines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Platform {

QStringList openVpnPortabilityOptions()
{
    return {QStringLiteral("ignore-unknown-option register-dns dhcp-renew block-outside-dns")};
}

QString stunnelAdvancedOptions()
{
    return QStringLiteral("foreground = yes\r\npid =");
}

void acknowledgeQuickly(qintptr socketDescriptor)
{
    // The kernel falls back to delayed acknowledgements by itself: set again at every read.
    const int on = 1;
    ::setsockopt(int(socketDescriptor), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

namespace {

// Finds the socket in /proc/net/tcp and tcp6 whose local port is `peerPort` and whose remote
// port is `localPort`, both on a loopback address: its inode and owner.
bool findSocket(quint16 peerPort, quint16 localPort, QByteArray *inode, int *uid)
{
    for (const QString &table : {QStringLiteral("/proc/net/tcp"), QStringLiteral("/proc/net/tcp6")}) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine(); // header
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().simplified().split(' ');
            if (fields.size() < 10)
                continue;
            const QList<QByteArray> local = fields.at(1).split(':');
            const QList<QByteArray> remote = fields.at(2).split(':');
            if (local.size() != 2 || remote.size() != 2)
                continue;
            if (local.at(1).toUInt(nullptr, 16) == peerPort && remote.at(1).toUInt(nullptr, 16) == localPort) {
                *uid = fields.at(7).toInt();
                *inode = fields.at(9);
                return true;
            }
        }
    }
    return false;
}

} // namespace

TcpPeer tcpPeer(quint16 peerPort, quint16 localPort)
{
    TcpPeer peer;
    QByteArray inode;
    if (!findSocket(peerPort, localPort, &inode, &peer.uid) || inode == "0")
        return peer;

    const QString wanted = QStringLiteral("socket:[%1]").arg(QString::fromLatin1(inode));
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        // Readable only for our own processes, or for all as root.
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        for (const QString &fd : fds.entryList(QDir::Files | QDir::System)) {
            // The raw link text: "socket:[inode]" names no file to resolve.
            char buffer[64];
            const QByteArray path = QFile::encodeName(fds.filePath(fd));
            const ssize_t length = ::readlink(path.constData(), buffer, sizeof buffer - 1);
            if (length > 0 && QLatin1String(buffer, int(length)) == wanted) {
                peer.pid = pid;
                peer.executable =
                    QFileInfo(QFile::symLinkTarget(proc.filePath(entry + QStringLiteral("/exe")))).canonicalFilePath();
                return peer;
            }
        }
    }
    return peer;
}

} // namespace Platform

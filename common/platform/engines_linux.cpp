#include "platform/engines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

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

// An address of /proc/net/tcp or tcp6: the kernel prints the address's bytes as native 32-bit
// words, so copying the words back yields them in network order.
QHostAddress procAddress(const QByteArray &hex)
{
    if (hex.size() != 8 && hex.size() != 32)
        return QHostAddress();
    quint8 bytes[16] = {};
    for (int word = 0; word < hex.size() / 8; ++word) {
        bool ok = false;
        const quint32 value = hex.mid(word * 8, 8).toUInt(&ok, 16);
        if (!ok)
            return QHostAddress();
        std::memcpy(bytes + word * 4, &value, 4);
    }
    if (hex.size() == 8) {
        quint32 ipv4 = 0;
        std::memcpy(&ipv4, bytes, 4);
        return QHostAddress(qFromBigEndian(ipv4));
    }
    return QHostAddress(bytes);
}

bool sameAddress(const QHostAddress &a, const QHostAddress &b)
{
    return a.isEqual(b, QHostAddress::ConvertV4MappedToIPv4);
}

// The inode and owner of the socket whose own end is `peer` and whose far end is `local`.
bool findSocket(const QHostAddress &peerAddress,
                quint16 peerPort,
                const QHostAddress &localAddress,
                quint16 localPort,
                QByteArray *inode,
                int *uid)
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
            const QList<QByteArray> own = fields.at(1).split(':');
            const QList<QByteArray> far = fields.at(2).split(':');
            if (own.size() != 2 || far.size() != 2)
                continue;
            // Ports alone could name a second socket bound to the same port on another
            // loopback address: both ends must match.
            if (own.at(1).toUInt(nullptr, 16) == peerPort && far.at(1).toUInt(nullptr, 16) == localPort
                && sameAddress(procAddress(own.at(0)), peerAddress)
                && sameAddress(procAddress(far.at(0)), localAddress)) {
                *uid = fields.at(7).toInt();
                *inode = fields.at(9);
                return true;
            }
        }
    }
    return false;
}

} // namespace

QVector<TcpPeer>
tcpPeers(const QHostAddress &peerAddress, quint16 peerPort, const QHostAddress &localAddress, quint16 localPort)
{
    QVector<TcpPeer> peers;
    QByteArray inode;
    int uid = -1;
    if (!findSocket(peerAddress, peerPort, localAddress, localPort, &inode, &uid) || inode == "0")
        return peers;

    const QString wanted = QStringLiteral("socket:[%1]").arg(QString::fromLatin1(inode));
    const QDir proc(QStringLiteral("/proc"));
    bool hidden = false;
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        // Readable only for our own processes, or for all as root.
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        if (!fds.isReadable()) {
            hidden = true;
            continue;
        }
        for (const QString &fd : fds.entryList(QDir::Files | QDir::System)) {
            // The raw link text: "socket:[inode]" names no file to resolve.
            char buffer[64];
            const QByteArray path = QFile::encodeName(fds.filePath(fd));
            const ssize_t length = ::readlink(path.constData(), buffer, sizeof buffer - 1);
            if (length > 0 && QLatin1String(buffer, int(length)) == wanted) {
                TcpPeer peer;
                peer.pid = pid;
                peer.uid = uid;
                peer.executable =
                    QFileInfo(QFile::symLinkTarget(proc.filePath(entry + QStringLiteral("/exe")))).canonicalFilePath();
                peers << peer;
                break;
            }
        }
    }
    // Held by nobody we may see: the owner is all there is to know.
    if (peers.isEmpty() && hidden) {
        TcpPeer owner;
        owner.uid = uid;
        peers << owner;
    }
    return peers;
}

} // namespace Platform

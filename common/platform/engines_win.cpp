#include "platform/engines.h"

#include <QFileInfo>
#include <QVector>

#include <windows.h>
// After windows.h:
#include <iphlpapi.h>
#include <tcpmib.h>

namespace Platform {

QStringList openVpnPortabilityOptions()
{
    return {};
}

QString stunnelAdvancedOptions()
{
    return QString();
}

void acknowledgeQuickly(qintptr socketDescriptor)
{
    Q_UNUSED(socketDescriptor)
}

QVector<TcpPeer>
tcpPeers(const QHostAddress &peerAddress, quint16 peerPort, const QHostAddress &localAddress, quint16 localPort)
{
    QVector<TcpPeer> peers;
    DWORD size = 0;
    GetExtendedTcpTable(nullptr, &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0);
    QVector<char> buffer(static_cast<int>(size));
    if (GetExtendedTcpTable(buffer.data(), &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0) != NO_ERROR)
        return peers;
    const auto *table = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID *>(buffer.constData());
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_TCPROW_OWNER_PID &row = table->table[i];
        // Ports alone could name a second socket bound to the same port on another loopback
        // address: both ends must match.
        if (ntohs(u_short(row.dwLocalPort)) != peerPort || ntohs(u_short(row.dwRemotePort)) != localPort
            || QHostAddress(ntohl(row.dwLocalAddr)) != peerAddress
            || QHostAddress(ntohl(row.dwRemoteAddr)) != localAddress)
            continue;
        TcpPeer peer;
        peer.pid = row.dwOwningPid;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, row.dwOwningPid);
        if (process) {
            wchar_t path[MAX_PATH];
            DWORD length = MAX_PATH;
            if (QueryFullProcessImageNameW(process, 0, path, &length))
                peer.executable = QFileInfo(QString::fromWCharArray(path, int(length))).canonicalFilePath();
            CloseHandle(process);
        }
        peers << peer;
        break;
    }
    return peers;
}

} // namespace Platform

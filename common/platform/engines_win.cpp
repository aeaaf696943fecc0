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

TcpPeer tcpPeer(quint16 peerPort, quint16 localPort)
{
    TcpPeer peer;
    DWORD size = 0;
    GetExtendedTcpTable(nullptr, &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0);
    QVector<char> buffer(static_cast<int>(size));
    if (GetExtendedTcpTable(buffer.data(), &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0) != NO_ERROR)
        return peer;
    const auto *table = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID *>(buffer.constData());
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_TCPROW_OWNER_PID &row = table->table[i];
        if (ntohs(u_short(row.dwLocalPort)) != peerPort || ntohs(u_short(row.dwRemotePort)) != localPort)
            continue;
        peer.pid = row.dwOwningPid;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, row.dwOwningPid);
        if (process) {
            wchar_t path[MAX_PATH];
            DWORD length = MAX_PATH;
            if (QueryFullProcessImageNameW(process, 0, path, &length))
                peer.executable = QFileInfo(QString::fromWCharArray(path, int(length))).canonicalFilePath();
            CloseHandle(process);
        }
        break;
    }
    return peer;
}

} // namespace Platform

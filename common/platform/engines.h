#pragma once

#include <QString>
#include <QStringList>

// What the external engines need to be told differently on each system.
namespace Platform {

// Options written before the Windows-only ones of an OpenVPN configuration, so that the
// system's openvpn accepts the file. Nothing on Windows; on Linux, where openvpn refuses
// "register-dns", "dhcp-renew" and "block-outside-dns", OpenVPN's own ignore-unknown-option.
QStringList openVpnPortabilityOptions();

// Options in place of stunnel's "<ADVANCED_OPTIONS>": nothing on Windows; on Linux stunnel
// stays in the foreground, so that it remains our child and prints to its output, and writes
// no pid file.
QString stunnelAdvancedOptions();

// Acknowledges what arrives on a local TCP connection at once. The engines answer a command in
// several small writes; with delayed acknowledgements each of them waits some 40 ms for the one
// before. Does nothing where the system offers no such switch.
void acknowledgeQuickly(qintptr socketDescriptor);

// The process at the other end of a TCP connection on this machine: the connection's peer
// port and our local port. Empty fields where the system does not tell.
struct TcpPeer
{
    qint64 pid = -1;
    int uid = -1;
    QString executable; // the program's file, links resolved
};
TcpPeer tcpPeer(quint16 peerPort, quint16 localPort);

} // namespace Platform

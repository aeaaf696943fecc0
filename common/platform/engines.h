#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <QVector>

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

// A process at the other end of a TCP connection on this machine.
struct TcpPeer
{
    qint64 pid = -1;
    int uid = -1; // the owner of the peer's socket
    QString executable; // the program's file, links resolved; empty where the system does not tell
};
// Every process that holds the peer's socket of a connection, found by both ends' addresses
// and ports: a socket passes to children and over local sockets, so one connection may be
// held by several processes, and each of them can write on it. Empty when nobody does, or
// where the system does not tell; one entry with an empty executable where only the owner is
// known.
QVector<TcpPeer>
tcpPeers(const QHostAddress &peerAddress, quint16 peerPort, const QHostAddress &localAddress, quint16 localPort);

} // namespace Platform

#pragma once

#include <QByteArray>
#include <QString>

// The check of an OpenVPN configuration before a root openvpn reads it. openvpn runs programs
// (script hooks), loads plug-ins and reads and writes files wherever its configuration says;
// only the options that the client's own configurations use are taken, each with the values
// that they take there, and the key material only as inline blocks.
namespace OpenVpnConfig {

// The largest configuration taken: the client's are a few kilobytes.
constexpr int maxSize = 256 * 1024;

// Why the configuration may not reach openvpn ("line 12: 'up' runs a program"), or empty
// when it may.
QString problem(const QByteArray &text);

} // namespace OpenVpnConfig

#pragma once

#include "networkadapter.h"

#include <QStringList>

namespace Platform {

// The network adapters that the VPN engine can use (all usable adapters when `vpnOnly` is
// false). Windows: the TAP-Windows adapters of "route print". Linux: the kernel's TUN/TAP
// driver, listed first with index 0 (its interfaces come and go with the tunnels), and the
// tun/tap links that exist now; nothing without the driver.
NetworkAdapters detectAdapters(bool vpnOnly);

// Windows form: the interface list of "route print" output, one line per element ("\r" may end
// a line), loopback skipped, only TAP-Windows adapters unless `vpnOnly` is false.
NetworkAdapters parseRoutePrint(const QStringList &lines, bool vpnOnly);

// Linux form over a sysfs network-class folder and the TUN/TAP device node, so that tests can
// hand in a tree of their own.
NetworkAdapters linuxAdapters(bool vpnOnly, const QString &tunDevice, const QString &sysClassNet);

} // namespace Platform

#pragma once

#include "platform/command.h"

namespace Platform {

// The command that sets the MTU of the interface with the given system index. Empty when the
// index names no interface on this machine.
Command interfaceMtuCommand(int interfaceIndex, int mtu);

// Windows form: netsh's arguments for a persistent IPv4 MTU of one sub-interface.
QStringList netshMtuArguments(int interfaceIndex, int mtu);

// Linux form: ip's arguments for the MTU of the named link.
QStringList ipLinkMtuArguments(const QString &interfaceName, int mtu);

} // namespace Platform

#pragma once

#include <QString>

namespace ChildRights {

// Keeps the right to inspect other processes (how the service knows its client) to the service
// alone: the programs it starts (openvpn reads whatever the VPN server sends) lose it for good,
// as does the right to change that. Without such rights to give away, nothing changes. False
// with `error` when the rights are there and cannot be withheld: the service must not start
// programs then. A service that is not root has none to give.
bool withholdInspection(QString *error);

} // namespace ChildRights

#pragma once

#include "rules.h"

#include <QString>
#include <QVector>

// The tunnels of the VPN engine in this network namespace: the tun devices held open by a
// process that runs `engineExecutable` (links resolved) and lives in this namespace. Any other
// tunnel (another VPN's, a container's, one made after this call) is not among them.
QVector<KillSwitchRules::Tunnel> engineTunnels(const QString &engineExecutable);

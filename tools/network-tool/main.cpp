// network-tool: switches IPv6 off for the whole machine while the VPN runs, so that no traffic
// leaves beside an IPv4-only tunnel, and gives the machine its own settings back afterwards.
// Started by vpn-service with root rights:
//     network-tool --ipv6 disable   records every interface's setting, then switches IPv6 off
//     network-tool --ipv6 enable    puts back what the record holds and removes it; without a
//                                   record IPv6 stays as it is
// The client runs "enable" when a session ends and when it starts, so a crash in between
// leaves IPv6 off only until the next start.
#include "ipv6settings.h"

#include "platform/paths.h"
#include "platform/statefolder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const QString mode =
        arguments.size() == 2 && arguments.at(0) == QLatin1String("--ipv6") ? arguments.at(1) : QString();
    if (mode != QLatin1String("enable") && mode != QLatin1String("disable")) {
        std::fprintf(stderr, "usage: network-tool --ipv6 enable|disable\n");
        return 2;
    }
    // The machine-wide folder, root's own: the record decides what root writes into the
    // kernel's settings, so a folder that others may write is refused, not used.
    const QString folder = Platform::programDataDirectory();
    if (folder.isEmpty()) {
        std::fprintf(stderr, "network-tool: no data folder for the record of the IPv6 settings\n");
        return 1;
    }
    const QString refused = Platform::prepareStateFolder(
        folder, {QStringLiteral("ipv6.dat"), QStringLiteral("ipv6.dat.new"), QStringLiteral("network-tool.lock")});
    if (!refused.isEmpty()) {
        std::fprintf(stderr,
                     "network-tool: refusing the data folder %s: %s; IPv6 left as it is\n",
                     qPrintable(folder),
                     qPrintable(refused));
        return 1;
    }
    // One run at a time: a "disable" beside an "enable" would record the settings that the
    // other is halfway through changing, and both write the same record.
    const Platform::StateLock lock(folder, QStringLiteral("network-tool.lock"), 60000);
    if (!lock.isLocked()) {
        std::fprintf(stderr, "network-tool: %s; IPv6 left as it is\n", qPrintable(lock.error()));
        return 1;
    }
    Ipv6Settings settings(QStringLiteral("/proc/sys/net/ipv6/conf"), folder + QStringLiteral("/ipv6.dat"));
    const bool ok = mode == QLatin1String("disable") ? settings.disable() : settings.restore();
    std::printf("network-tool: %s\n", qPrintable(settings.report()));
    return ok ? 0 : 1;
}

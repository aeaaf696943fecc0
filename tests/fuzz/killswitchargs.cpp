// The kill switch's arguments come over the service link: any texts may reach its parse, and
// what it accepts lands in the text of nftables rules run as root.
#include "rules.h"

#include <QStringList>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Arguments separated by zero bytes, as on a command line.
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QStringList arguments = text.split(QLatin1Char('\0'));
    KillSwitchRules::Request request = KillSwitchRules::parse(arguments);
    if (!request.error.isEmpty()) {
        // One line of its own, whatever the arguments held.
        if (request.error.contains(QLatin1Char('\n')) || request.error.contains(QLatin1Char('\r')))
            std::abort();
        return 0;
    }
    if (!request.enable)
        return 0;
    for (const QChar c : request.server) {
        const ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F') || u == '.' || u == ':'))
            std::abort();
    }
    request.tunnels = {{3, QStringLiteral("tun0")}};
    const QString script = KillSwitchRules::script(request);
    // One table, its three chains, nothing the arguments could add.
    if (script.count(QStringLiteral("table inet velmorix_killswitch {")) != 1
        || script.count(QStringLiteral("chain ")) != 3
        || script.count(QLatin1Char('{')) != script.count(QLatin1Char('}')) || script.contains(QLatin1String("flush")))
        std::abort();
    return 0;
}

// network-tool: switches IPv6 on or off for the whole machine while the VPN runs, so that no
// traffic leaves beside an IPv4-only tunnel. Started by vpn-service with root rights:
//     network-tool --ipv6 enable|disable
#include <QFile>
#include <QString>

#include <cstdio>

namespace {

bool writeSetting(const char *path, const char *value)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "network-tool: cannot write %s: %s\n", path, qPrintable(file.errorString()));
        return false;
    }
    return file.write(value) > 0 && file.flush();
}

} // namespace

int main(int argc, char **argv)
{
    const QString option = argc == 3 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString mode = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (option != QLatin1String("--ipv6") || (mode != QLatin1String("enable") && mode != QLatin1String("disable"))) {
        std::fprintf(stderr, "usage: network-tool --ipv6 enable|disable\n");
        return 2;
    }
    const char *value = mode == QLatin1String("disable") ? "1\n" : "0\n";
    // "default" covers the interfaces that the tunnel creates afterwards.
    const bool all = writeSetting("/proc/sys/net/ipv6/conf/all/disable_ipv6", value);
    const bool fresh = writeSetting("/proc/sys/net/ipv6/conf/default/disable_ipv6", value);
    std::printf("network-tool: IPv6 %s\n", mode == QLatin1String("disable") ? "disabled" : "enabled");
    return all && fresh ? 0 : 1;
}

// The kill switch's arguments come over the service link: any texts may reach its parse, and
// what it accepts lands in the text of nftables rules run as root.
#include "rules.h"

#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <sched.h>
#include <unistd.h>

namespace {

// nft's own reading of every accepted request: a script it refuses is a switch that fails
// open. Checked in a network namespace of this process's own, so that nothing can reach the
// machine's firewall; without root the check is left out.
QString nft;

bool nftAccepts(const QString &script)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(nft, {QStringLiteral("-c"), QStringLiteral("-f"), QStringLiteral("-")});
    process.write(script.toUtf8());
    process.closeWriteChannel();
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (::geteuid() == 0 && ::unshare(CLONE_NEWNET) == 0)
        nft = QStandardPaths::findExecutable(QStringLiteral("nft"),
                                             {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return 0;
}

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
    // Once for each address form and each choice of "local": the same text again proves nothing.
    static QSet<QString> checked;
    const QString key = request.server + (request.allowLocal ? QStringLiteral(" local") : QString());
    if (!nft.isEmpty() && !checked.contains(key)) {
        checked.insert(key);
        if (!nftAccepts(script)) {
            std::fprintf(stderr, "nft refuses the rules for '%s'\n", qPrintable(request.server));
            std::abort();
        }
    }
    return 0;
}

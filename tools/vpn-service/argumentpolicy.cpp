#include "argumentpolicy.h"

#include "addresscheck.h"

#include "rules.h"
#include "safefolder.h"
#include "utils.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

using Program = ArgumentPolicy::Program;

struct Known
{
    const char *path; // below the application directory
    Program program;
};

const Known knownPrograms[] = {
    {"openvpn/bin/openvpn", Program::OpenVpn},
    {"wireguard/bin/wireguard-service", Program::WireGuard},
    {"killswitch", Program::KillSwitch},
    {"network-tool", Program::NetworkTool},
    {"dns", Program::Dns},
};

// openvpn's options that hand it a program, a plug-in or a file of root's: named in the log,
// since a client that sends one is not behaving as the client.
const QSet<QString> &hookOptions()
{
    static const QSet<QString> options = {QStringLiteral("--up"),
                                          QStringLiteral("--down"),
                                          QStringLiteral("--down-pre"),
                                          QStringLiteral("--route-up"),
                                          QStringLiteral("--route-pre-down"),
                                          QStringLiteral("--ipchange"),
                                          QStringLiteral("--tls-verify"),
                                          QStringLiteral("--auth-user-pass-verify"),
                                          QStringLiteral("--client-connect"),
                                          QStringLiteral("--client-disconnect"),
                                          QStringLiteral("--learn-address"),
                                          QStringLiteral("--iproute"),
                                          QStringLiteral("--plugin"),
                                          QStringLiteral("--script-security"),
                                          QStringLiteral("--dns-updown")};
    return options;
}

QString openVpnRefusal(const QStringList &arguments, ArgumentPolicy::Decision *decision)
{
    for (const QString &argument : arguments) {
        if (hookOptions().contains(argument))
            return QStringLiteral("'%1' would run a program or a plug-in as root").arg(argument);
    }
    const QStringList fixed = {QStringLiteral("--management"),
                               QStringLiteral("127.0.0.1"),
                               QString::number(ArgumentPolicy::managementPort),
                               QStringLiteral("--management-query-passwords"),
                               QStringLiteral("--management-client")};
    const bool withLog = arguments.size() == 9;
    if ((arguments.size() != 7 && !withLog) || arguments.at(0) != QLatin1String("--config")
        || arguments.mid(2, 5) != fixed || (withLog && arguments.at(7) != QLatin1String("--log-append")))
        return QStringLiteral("not the command line of the client's openvpn");
    if (!ArgumentPolicy::isClientFilePath(arguments.at(1)))
        return QStringLiteral("the configuration is not a file of the client's");
    if (withLog && !ArgumentPolicy::isClientFilePath(arguments.at(8)))
        return QStringLiteral("the log is not a file of the client's");
    decision->configArgument = 1;
    decision->logArgument = withLog ? 8 : -1;
    return QString();
}

QString wireGuardRefusal(const QStringList &arguments, ArgumentPolicy::Decision *decision)
{
    const bool add = arguments.size() == 4 && arguments.at(0) == QLatin1String("--add")
        && arguments.at(2) == QLatin1String("--port")
        && arguments.at(3) == QString::number(ArgumentPolicy::wireGuardStatePort);
    const bool remove = arguments.size() == 2 && arguments.at(0) == QLatin1String("--remove");
    if (!add && !remove)
        return QStringLiteral("not a command line of the client's wireguard-service");
    // The file's base name becomes the interface's: "eth0.conf" would name the machine's own.
    static const QRegularExpression name(QStringLiteral("^wg-[A-Za-z0-9_-]{1,12}\\.conf$"));
    if (!ArgumentPolicy::isClientFilePath(arguments.at(1))
        || !name.match(QFileInfo(arguments.at(1)).fileName()).hasMatch())
        return QStringLiteral("the tunnel configuration is not a wg-NAME.conf of the client's");
    decision->tunnelArgument = 1;
    decision->tunnelIsRead = add;
    return QString();
}

QString killSwitchRefusal(const QStringList &arguments)
{
    // The kill switch's own reading: a plain address, no scope id or anything after it.
    return KillSwitchRules::parse(arguments).error;
}

QString networkToolRefusal(const QStringList &arguments)
{
    if (arguments.size() != 2 || arguments.at(0) != QLatin1String("--ipv6")
        || (arguments.at(1) != QLatin1String("enable") && arguments.at(1) != QLatin1String("disable")))
        return QStringLiteral("not --ipv6 enable|disable");
    return QString();
}

QString dnsRefusal(const QStringList &arguments)
{
    const QString mode = arguments.value(0);
    if (mode == QLatin1String("reset"))
        return arguments.size() == 1 ? QString() : QStringLiteral("reset takes no entries");
    if (mode != QLatin1String("vpn") && mode != QLatin1String("user"))
        return QStringLiteral("the mode is not reset, vpn or user");
    if (arguments.size() < 2 || arguments.size() > ArgumentPolicy::maxDnsEntries + 1)
        return QStringLiteral("%1 takes 1 to %2 entries").arg(mode).arg(ArgumentPolicy::maxDnsEntries);
    for (const QString &entry : arguments.mid(1)) {
        if (!ArgumentPolicy::isDnsEntry(entry))
            return QStringLiteral("'%1' is not an entry ID@SERVER,...").arg(AddressCheck::forLog(entry));
    }
    return QString();
}

} // namespace

ArgumentPolicy::ArgumentPolicy(const QString &applicationDirectory)
    : m_applicationDirectory(QDir::cleanPath(applicationDirectory))
{
}

bool ArgumentPolicy::isClientFilePath(const QString &path)
{
    return QDir::isAbsolutePath(path) && QDir::cleanPath(path) == path && !Utils::containsControlCharacter(path)
        && SafeFolder::isPlainName(QFileInfo(path).fileName());
}

bool ArgumentPolicy::isDnsEntry(const QString &entry)
{
    // Interface ids (the system's link names, "resolv.conf", a braced GUID) and servers as the
    // dns program reads them; never an id that a program could take for an option.
    const QStringList parts = entry.split(QLatin1Char('@'));
    if (parts.size() != 2 || parts.at(0).isEmpty() || parts.at(0).size() > 64
        || parts.at(0).startsWith(QLatin1Char('-')) || !AddressCheck::nameRefusal(parts.at(0)).isEmpty()
        || parts.at(0).contains(QLatin1Char('/')))
        return false;
    const QStringList servers = parts.at(1).split(QLatin1Char(','));
    if (servers.size() > 16)
        return false;
    for (const QString &server : servers) {
        // Empty pieces are what the client writes for a family without a server.
        if (!server.isEmpty() && AddressCheck::dnsServer(server).family == AddressCheck::Family::None)
            return false;
    }
    return true;
}

ArgumentPolicy::Decision ArgumentPolicy::check(const QStringList &programAndArguments) const
{
    Decision decision;
    const QString program = programAndArguments.value(0);
    decision.name = QFileInfo(program).completeBaseName();
    const auto refuse = [&decision](const QString &why) {
        decision.refusal = why;
        return decision;
    };
    if (!QDir::isAbsolutePath(program))
        return refuse(QStringLiteral("not an absolute path"));
    for (const QString &argument : programAndArguments) {
        if (argument.size() > maxArgumentLength || Utils::containsControlCharacter(argument))
            return refuse(
                QStringLiteral("an argument with control characters or beyond %1 characters").arg(maxArgumentLength));
    }
    // The cleaned path is what runs: "dir/../x" must not mean one thing here and another to
    // the system, which resolves a link before its "..".
    const QString cleaned = QDir::cleanPath(program);
    for (const Known &known : knownPrograms) {
        if (cleaned == m_applicationDirectory + QLatin1Char('/') + QLatin1String(known.path)) {
            decision.program = known.program;
            decision.executable = cleaned;
        }
    }
    if (decision.program == Program::None) {
        const QString folder = m_applicationDirectory + QLatin1Char('/');
        return refuse(cleaned.startsWith(folder) ? QStringLiteral("not a known program")
                                                 : QStringLiteral("outside the application directory"));
    }

    const QStringList arguments = programAndArguments.mid(1);
    switch (decision.program) {
    case Program::OpenVpn: decision.refusal = openVpnRefusal(arguments, &decision); break;
    case Program::WireGuard: decision.refusal = wireGuardRefusal(arguments, &decision); break;
    case Program::KillSwitch: decision.refusal = killSwitchRefusal(arguments); break;
    case Program::NetworkTool: decision.refusal = networkToolRefusal(arguments); break;
    case Program::Dns: decision.refusal = dnsRefusal(arguments); break;
    case Program::None: break;
    }
    if (!decision.allowed()) {
        decision.configArgument = decision.logArgument = decision.tunnelArgument = -1;
        decision.program = Program::None;
    }
    return decision;
}

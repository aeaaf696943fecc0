// The privileged service's reading of its client: the command frames, the argument policy and
// the check of an OpenVPN configuration that a root openvpn would read. Whatever passes must
// hold nothing that runs a program, loads a plug-in or names a file of root's.
#include "argumentpolicy.h"
#include "openvpnconfig.h"
#include "servicecommand.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <cstdlib>

namespace {

const QString app = QStringLiteral("/opt/velmorix");

const QStringList programs = {app + QStringLiteral("/openvpn/bin/openvpn"),
                              app + QStringLiteral("/wireguard/bin/wireguard-service"),
                              app + QStringLiteral("/killswitch"),
                              app + QStringLiteral("/network-tool"),
                              app + QStringLiteral("/dns")};

// An oracle of its own: the options of openvpn that act as root beyond the tunnel.
const QSet<QString> &dangerous()
{
    static const QSet<QString> options = {"up",
                                          "down",
                                          "down-pre",
                                          "route-up",
                                          "route-pre-down",
                                          "ipchange",
                                          "tls-verify",
                                          "auth-user-pass-verify",
                                          "client-connect",
                                          "client-disconnect",
                                          "learn-address",
                                          "iproute",
                                          "plugin",
                                          "config",
                                          "log",
                                          "log-append",
                                          "status",
                                          "writepid",
                                          "cd",
                                          "chroot",
                                          "daemon",
                                          "setenv",
                                          "ca",
                                          "cert",
                                          "key",
                                          "dh",
                                          "secret",
                                          "tls-auth",
                                          "tls-crypt",
                                          "crl-verify",
                                          "askpass",
                                          "management-client-user",
                                          "tmp-dir"};
    return options;
}

void checkDecision(const QStringList &command, const ArgumentPolicy::Decision &decision)
{
    if (!decision.allowed()) {
        if (decision.program != ArgumentPolicy::Program::None || decision.configArgument >= 0)
            std::abort();
        return;
    }
    if (!programs.contains(decision.executable) || decision.refusal.size() != 0)
        std::abort();
    for (const QString &argument : command) {
        for (const QChar c : argument) {
            if (c.category() == QChar::Other_Control)
                std::abort();
        }
        if (argument.startsWith(QLatin1String("--")) && dangerous().contains(argument.mid(2))
            && argument != QLatin1String("--config") && argument != QLatin1String("--log-append"))
            std::abort();
    }
    if (decision.program == ArgumentPolicy::Program::OpenVpn) {
        // The configuration and the log are replaced by what the service opened; nothing else
        // names a file.
        if (command.value(1) != QLatin1String("--config") || decision.configArgument != 1
            || command.count(QStringLiteral("--config")) != 1 || command.count(QStringLiteral("--log-append")) > 1)
            std::abort();
    }
}

void checkConfig(const QByteArray &bytes)
{
    if (!OpenVpnConfig::problem(bytes).isEmpty())
        return;
    bool inBlock = false;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > 255)
            std::abort();
        for (const char c : line) {
            if ((c < 0x20 && c != '\t') || c > 0x7e)
                std::abort();
        }
        const QString trimmed = QString::fromLatin1(line).trimmed();
        if (trimmed.startsWith(QLatin1Char('<'))) {
            inBlock = !trimmed.startsWith(QLatin1String("</"));
            continue;
        }
        if (inBlock || trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))
            || trimmed.startsWith(QLatin1Char(';')))
            continue;
        static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
        const QStringList words = trimmed.split(blanks);
        QString option = words.first();
        if (option.startsWith(QLatin1String("--")))
            option.remove(0, 2);
        if (dangerous().contains(option))
            std::abort();
        if (option == QLatin1String("script-security") && words.value(1).toInt() > 1)
            std::abort();
        if (option == QLatin1String("auth-user-pass") && trimmed != QLatin1String("auth-user-pass"))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text = QString::fromUtf8(bytes);
    static const ArgumentPolicy policy(app);

    // As a frame of the link.
    const ServiceCommand command = ServiceCommand::parse(text);
    if (command.kind == ServiceCommand::Start)
        checkDecision(command.programAndArguments, policy.check(command.programAndArguments));

    // As the arguments of one of the programs, one a line: the first byte picks the program.
    if (size > 0) {
        QStringList arguments = QString::fromUtf8(bytes.mid(1)).split(QLatin1Char('\n'));
        arguments.prepend(programs.at(data[0] % programs.size()));
        checkDecision(arguments, policy.check(arguments));
    }

    // As a configuration for openvpn.
    checkConfig(bytes);
    return 0;
}

// demo-settings: enters the demo account and the chosen protocol into the settings of the user
// who runs it (XDG_CONFIG_HOME decides where), through the same Settings class as the program,
// so that the stored password reads back with the build's key. The password comes on stdin.
//
//   demo-settings --user NAME --protocol udp|tcp|stealth|wireguard < password
#include "settings.h"
#include "vpnprotocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Enters the demo account into the program's settings."));
    parser.addHelpOption();
    const QCommandLineOption userOption(
        QStringLiteral("user"), QStringLiteral("Account name."), QStringLiteral("name"));
    const QCommandLineOption protocolOption(QStringLiteral("protocol"),
                                            QStringLiteral("udp, tcp, stealth or wireguard."),
                                            QStringLiteral("protocol"),
                                            QStringLiteral("udp"));
    parser.addOptions({userOption, protocolOption});
    parser.process(app);

    const QHash<QString, int> protocols{{QStringLiteral("udp"), VpnProtocol::OpenVpnUdp},
                                        {QStringLiteral("tcp"), VpnProtocol::OpenVpnTcp},
                                        {QStringLiteral("stealth"), VpnProtocol::Stealth},
                                        {QStringLiteral("wireguard"), VpnProtocol::WireGuard}};
    const QString protocol = parser.value(protocolOption);
    if (!protocols.contains(protocol) || parser.value(userOption).isEmpty()) {
        std::fprintf(stderr, "demo-settings: --user NAME and --protocol udp|tcp|stealth|wireguard\n");
        return 2;
    }
    const QString password = QTextStream(stdin).readLine();
    if (password.isEmpty()) {
        std::fprintf(stderr, "demo-settings: no password on stdin\n");
        return 2;
    }

    Settings *settings = Settings::instance();
    settings->setUserName(parser.value(userOption));
    settings->setPassword(password);
    settings->setNetworkProtocol(protocols.value(protocol));
    // The demo servers take every UDP candidate port, and only some TCP ones: the automatic
    // search finds them.
    settings->setUdpPortIndex(Settings::udpPorts().indexOf(1194));
    settings->setTcpPortIndex(0);
    // This build ships no maintenance tool to update with.
    settings->setAutoUpdateEnabled(false);
    settings->saveGeneralSettings();
    return 0;
}

// The engine's own time to its tunnel, without the client around it: the part of
// bench_connect_click that the client's time is set beside. Run as root in the client
// namespace of the demo provider (scripts/run --bench does).
//
//   bench_engine_alone udp|tcp|stealth|wireguard SERVER ROUNDS
//
// OpenVPN (also inside the stealth tunnel) with the configuration the client writes, up to
// "Initialization Sequence Completed"; WireGuard with the client's configuration through
// wireguard-service, up to its first handshake. Prints one time in milliseconds a line.
#include "account.h"
#include "openvpnclient.h"
#include "providerlayout.h"
#include "stunnel.h"
#include "vpnprotocol.h"
#include "wireguardclient.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return file.write(content) == content.size();
}

// The client's own configuration for this server (its management interface comes on the
// command line, which the bench does not give).
QString openVpnConfig(int protocol, const QString &server)
{
    ConnectionParameters parameters;
    parameters.userName = QStringLiteral("demo");
    parameters.password = QStringLiteral("demo-pass");
    parameters.server = server;
    parameters.protocol = protocol;
    parameters.port = protocol == VpnProtocol::Stealth ? 443 : 1194;
    OpenVpnClient client;
    client.setConnectionParameters(parameters);
    if (!client.prepareConfig())
        return QString();
    QFile file(client.configFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readAll());
}

double openVpnRound(const QString &appDir, const QString &config, const QString &credentials, const QString &server,
                    bool stealth)
{
    QElapsedTimer timer;
    timer.start();
    Stunnel tunnel;
    if (stealth) {
        bool up = false;
        QObject::connect(&tunnel, &Stunnel::started, [&up](bool success) { up = success; });
        if (!tunnel.start(server) || !waitFor([&] { return up; }, 15000))
            return -1;
    }
    QProcess openvpn;
    openvpn.setProcessChannelMode(QProcess::MergedChannels);
    openvpn.start(appDir + QStringLiteral("/openvpn/bin/openvpn"),
                  {QStringLiteral("--config"), config, QStringLiteral("--auth-user-pass"), credentials});
    QByteArray output;
    const bool up = waitFor(
        [&] {
            output += openvpn.readAll();
            return output.contains("Initialization Sequence Completed");
        },
        60000);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    openvpn.terminate();
    openvpn.waitForFinished(10000);
    if (stealth)
        tunnel.stop();
    if (!up)
        std::fprintf(stderr, "bench_engine_alone: openvpn did not connect:\n%s\n", output.right(2000).constData());
    return up ? elapsed : -1;
}

double wireGuardRound(const QString &appDir, const QString &config)
{
    const QString program = appDir + QStringLiteral("/wireguard/bin/wireguard-service");
    QTcpServer states;
    states.listen(QHostAddress::LocalHost, 0);
    QByteArray reported;
    QObject::connect(&states, &QTcpServer::newConnection, [&] {
        QTcpSocket *socket = states.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, [&reported, socket] { reported += socket->readAll(); });
    });
    QElapsedTimer timer;
    timer.start();
    QProcess service;
    service.setProcessChannelMode(QProcess::ForwardedChannels);
    service.start(program, {QStringLiteral("--add"), config, QStringLiteral("--port"), QString::number(states.serverPort())});
    const bool up = waitFor([&] { return reported.contains(">STATE:CONNECTED"); }, 30000);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    QProcess::execute(program, {QStringLiteral("--remove"), config});
    service.waitForFinished(15000);
    return up ? elapsed : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const QHash<QString, int> protocols{{QStringLiteral("udp"), VpnProtocol::OpenVpnUdp},
                                        {QStringLiteral("tcp"), VpnProtocol::OpenVpnTcp},
                                        {QStringLiteral("stealth"), VpnProtocol::Stealth},
                                        {QStringLiteral("wireguard"), VpnProtocol::WireGuard}};
    bool roundsOk = false;
    const int rounds = arguments.value(2).toInt(&roundsOk);
    if (arguments.size() != 3 || !protocols.contains(arguments.at(0)) || !roundsOk || rounds < 1) {
        std::fprintf(stderr, "usage: bench_engine_alone udp|tcp|stealth|wireguard SERVER ROUNDS\n");
        return 2;
    }
    const int protocol = protocols.value(arguments.at(0));
    const QString server = arguments.at(1);
    const QString appDir =
        qEnvironmentVariable("VELMORIX_APP_DIR", QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    qputenv("VELMORIX_APP_DIR", appDir.toLocal8Bit());
    QTemporaryDir work;

    QString config;
    const QString credentials = work.filePath(QStringLiteral("auth.txt"));
    if (protocol == VpnProtocol::WireGuard) {
        QString error;
        const ProviderLayout layout = ProviderLayout::read(qEnvironmentVariable("VELMORIX_PROVIDER_LAYOUT"), &error);
        if (!layout.isValid()) {
            std::fprintf(stderr, "bench_engine_alone: %s\n", qPrintable(error));
            return 1;
        }
        if (layout.accounts().isEmpty()) {
            std::fprintf(stderr, "bench_engine_alone: the layout has no account\n");
            return 1;
        }
        const ProviderLayout::Account demo = layout.accounts().first();
        const Account account(1, demo.user, QStringLiteral("Active"), QString(), QString(), demo.wgAddress, demo.wgPrivateKey, QString());
        config = work.filePath(QStringLiteral("wg-bench.conf"));
        if (!writeFile(config, WireGuardClient::configText(account, server).toLatin1()))
            return 1;
    } else {
        config = work.filePath(QStringLiteral("bench.ovpn"));
        const QString text = openVpnConfig(protocol, server);
        if (text.isEmpty()) {
            std::fprintf(stderr, "bench_engine_alone: the client made no configuration for %s\n", qPrintable(server));
            return 1;
        }
        if (!writeFile(config, text.toLatin1()) || !writeFile(credentials, "demo\ndemo-pass\n"))
            return 1;
    }

    for (int i = 0; i < rounds; ++i) {
        const double ms = protocol == VpnProtocol::WireGuard
            ? wireGuardRound(appDir, config)
            : openVpnRound(appDir, config, credentials, server, protocol == VpnProtocol::Stealth);
        if (ms < 0)
            return 1;
        std::printf("%.1f\n", ms);
        std::fflush(stdout);
    }
    return 0;
}

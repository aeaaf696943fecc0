// From connectToVpn() to Connected through the service, against the real openvpn in the
// namespaces of tests/support/openvpn-lab, beside the time the same openvpn client takes on its
// own, with the same configuration, to print "Initialization Sequence Completed".
#include "logger.h"
#include "openvpnclient.h"
#include "servicecontroller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <functional>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int rounds = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

ConnectionParameters labParameters(const QString &server)
{
    ConnectionParameters p;
    p.userName = QStringLiteral("demo");
    p.password = QStringLiteral("demo-pass");
    p.server = server;
    p.protocol = 0;
    p.port = 1194;
    p.ipv6Enabled = true;
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    if (server.isEmpty()) {
        std::printf("openvpn_connect: run inside tests/support/openvpn-lab (root); nothing measured\n");
        return 0;
    }
    QTemporaryDir home;
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", data.path().toLocal8Bit());
    const QString appDir = qEnvironmentVariable("VELMORIX_APP_DIR", QCoreApplication::applicationDirPath() + "/../bin");
    qputenv("VELMORIX_APP_DIR", appDir.toLocal8Bit());
    Logger::instance();

    QProcess service;
    service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The benchmark plays the client: the service is told to take its commands.
    service.start(appDir + QStringLiteral("/vpn-service"),
                  {QStringLiteral("--port"),
                   QStringLiteral("16457"),
                   QStringLiteral("--allow-client"),
                   QCoreApplication::applicationFilePath()});
    QThread::msleep(300);
    ServiceController link(true, nullptr, 16457);
    if (!waitFor([&] { return link.isConnected(); }, 10000)) {
        std::printf("openvpn_connect: no service link\n");
        return 1;
    }

    std::vector<double> client;
    QString config;
    for (int i = 0; i < rounds; ++i) {
        OpenVpnClient vpn;
        vpn.setConnectionParameters(labParameters(server));
        QElapsedTimer timer;
        timer.start();
        vpn.connectToVpn();
        if (!waitFor([&] { return vpn.connectionState() == ConnectionState::Id::Connected; }, 30000)) {
            std::printf("openvpn_connect: no connection\n");
            return 1;
        }
        client.push_back(timer.nsecsElapsed() / 1e6);
        if (config.isEmpty()) {
            QFile file(vpn.configFilePath());
            file.open(QIODevice::ReadOnly);
            config = QString::fromLatin1(file.readAll());
        }
        vpn.disconnectFromVpn();
        waitFor([&] { return vpn.connectionState() == ConnectionState::Id::Disconnected; }, 15000);
    }

    // The same configuration without the management interface, credentials from a file.
    config.remove(QStringLiteral("management 127.0.0.1 61973\r\n"));
    QFile bare(data.filePath(QStringLiteral("bare.ovpn")));
    bare.open(QIODevice::WriteOnly);
    bare.write(config.toLatin1());
    bare.close();
    QFile credentials(data.filePath(QStringLiteral("auth.txt")));
    credentials.open(QIODevice::WriteOnly);
    credentials.write("demo\ndemo-pass\n");
    credentials.close();

    std::vector<double> alone;
    for (int i = 0; i < rounds; ++i) {
        QProcess openvpn;
        openvpn.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer timer;
        timer.start();
        openvpn.start(
            appDir + QStringLiteral("/openvpn/bin/openvpn"),
            {QStringLiteral("--config"), bare.fileName(), QStringLiteral("--auth-user-pass"), credentials.fileName()});
        QByteArray output;
        const bool up = waitFor(
            [&] {
                output += openvpn.readAll();
                return output.contains("Initialization Sequence Completed");
            },
            30000);
        alone.push_back(timer.nsecsElapsed() / 1e6);
        openvpn.terminate();
        openvpn.waitForFinished(5000);
        if (!up) {
            std::printf("openvpn_connect: openvpn alone did not connect\n%s\n", output.constData());
            return 1;
        }
    }

    const double withClient = median(client);
    const double withoutClient = median(alone);
    std::printf("openvpn_connect: UDP, median of %d runs\n", rounds);
    std::printf("connectToVpn() to Connected (service, management): %8.1f ms\n", withClient);
    std::printf("openvpn alone to Initialization Sequence Completed: %8.1f ms\n", withoutClient);
    std::printf("overhead ratio: %.2f\n", withClient / withoutClient);
    service.terminate();
    service.waitForFinished(5000);
    return 0;
}

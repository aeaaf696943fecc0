// vpn-service: runs the client's privileged programs on Linux. Run it as root; the client
// reaches it on ws://127.0.0.1:6457. Only the application directory's client may command it
// (and the programs named with --allow-client), only with the client's own command lines.
#include "buildconfig.h"
#include "childrights.h"
#include "platform/quitsignals.h"
#include "safefolder.h"
#include "vpnservice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vpn-service"));
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd hh:mm:ss}\t%{type}\t%{message}"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Starts the VPN client's privileged programs (openvpn, wireguard-service, killswitch, "
                       "network-tool, dns) from the application directory and reports on their start and end."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("WebSocket port on 127.0.0.1 (default 6457)."),
                                        QStringLiteral("port"),
                                        QStringLiteral("6457"));
    const QCommandLineOption appDirOption(
        QStringLiteral("app-dir"),
        QStringLiteral("Folder of the programs it may start (default: the folder of this program)."),
        QStringLiteral("folder"),
        QCoreApplication::applicationDirPath());
    const QCommandLineOption allowClientOption(
        QStringLiteral("allow-client"),
        QStringLiteral("A further program that may command the service, besides the application directory's "
                       "client (repeatable; for tests and tools that drive the service as the client)."),
        QStringLiteral("program"));
    parser.addOption(portOption);
    parser.addOption(appDirOption);
    parser.addOption(allowClientOption);
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        qCritical("vpn-service: --port takes a number from 0 to 65535");
        return 2;
    }
    const QFileInfo appDir(parser.value(appDirOption));
    if (!appDir.isDir()) {
        qCritical("vpn-service: --app-dir '%s' is not a folder", qPrintable(appDir.filePath()));
        return 2;
    }
    // Whoever may change a program of the folder would have it run as root.
    const SafeFolder programs(appDir.absoluteFilePath(), 0);
    if (!programs.isOpen()) {
        qCritical("vpn-service: --app-dir '%s' is not root's alone: %s",
                  qPrintable(appDir.filePath()),
                  qPrintable(programs.error()));
        return 2;
    }

    // The client of the application directory, and whatever root named besides: only root
    // starts this service, so only root widens who may command it.
    const QString directory = QDir::cleanPath(appDir.absoluteFilePath());
    QStringList clients{directory + QLatin1Char('/') + QLatin1String(BuildConfig::brandId)};
    for (const QString &client : parser.values(allowClientOption)) {
        if (!QFileInfo(client).isAbsolute() || QFileInfo(client).canonicalFilePath().isEmpty()) {
            qCritical("vpn-service: --allow-client '%s' is not the full path of a program", qPrintable(client));
            return 2;
        }
        clients << client;
    }

    QString rightsError;
    if (!ChildRights::withholdInspection(&rightsError)) {
        qCritical("vpn-service: %s", qPrintable(rightsError));
        return 1;
    }
    // Ends the event loop on the system's quit signals, so that the service ends what it started.
    Platform::watchQuitSignals(&app, [&app] {
        qInfo("VpnService: Signal received, ending");
        app.quit();
    });
    const AccessControl access(clients);
    VpnService service(QDir(directory), access);
    if (!service.listen(quint16(port)))
        return 1;
    return app.exec();
}

// demo-provider: the backend of the demo provider. Serves the server catalogue, the caller's
// address as it sees it (with the country of the VPN server when the call comes through one)
// and the accounts with their WireGuard data, over HTTPS with the demo PKI.
#include "backendserver.h"
#include "platform/quitsignals.h"
#include "providerlayout.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QByteArray readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    return file.readAll();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("demo-provider"));
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd hh:mm:ss.zzz}\t%{type}\t%{message}"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The demo provider's backend: the catalogue, the caller's address and the accounts of a layout file."));
    parser.addHelpOption();
    const QCommandLineOption layoutOption(
        QStringLiteral("layout"), QStringLiteral("The provider's layout file."), QStringLiteral("file"));
    const QCommandLineOption describeOption(QStringLiteral("describe"),
                                            QStringLiteral("Check the layout, print it in plain words and exit."));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Address and port to serve on (default: the layout's)."),
                                          QStringLiteral("address:port"));
    const QCommandLineOption pkiOption(QStringLiteral("pki"),
                                       QStringLiteral("Folder with backend.crt, backend.key and wireguard-server.pub."),
                                       QStringLiteral("folder"),
                                       QStringLiteral(VELMORIX_DEMO_PKI_DIR));
    const QCommandLineOption plainOption(QStringLiteral("plain-http"), QStringLiteral("Serve HTTP instead of HTTPS."));
    parser.addOptions({layoutOption, describeOption, listenOption, pkiOption, plainOption});
    parser.process(app);

    if (!parser.isSet(layoutOption)) {
        std::fprintf(stderr, "demo-provider: --layout is required\n");
        return 2;
    }
    QString error;
    const ProviderLayout layout = ProviderLayout::read(parser.value(layoutOption), &error);
    if (!layout.isValid()) {
        std::fprintf(stderr, "demo-provider: %s\n", qPrintable(error));
        return 2;
    }
    if (parser.isSet(describeOption)) {
        std::fputs(layout.describe().constData(), stdout);
        return 0;
    }

    QHostAddress address = layout.backendAddress();
    quint16 port = layout.backendPort();
    if (parser.isSet(listenOption)) {
        const QString value = parser.value(listenOption);
        const int colon = value.lastIndexOf(QLatin1Char(':'));
        bool portOk = false;
        const uint number = value.mid(colon + 1).toUInt(&portOk);
        address = QHostAddress(value.left(colon));
        if (colon <= 0 || !portOk || number > 65535 || address.isNull()) {
            std::fprintf(stderr, "demo-provider: --listen takes an address and a port, such as 127.0.0.1:8443\n");
            return 2;
        }
        port = quint16(number);
    }

    const QDir pki(parser.value(pkiOption));
    const QByteArray serverKey = readFile(pki.filePath(QStringLiteral("wireguard-server.pub")), &error).trimmed();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "demo-provider: %s\n", qPrintable(error));
        return 1;
    }

    BackendServer server;
    if (!parser.isSet(plainOption)) {
        const QByteArray certificate = readFile(pki.filePath(QStringLiteral("backend.crt")), &error);
        const QByteArray key = readFile(pki.filePath(QStringLiteral("backend.key")), &error);
        const QSslKey privateKey(key, QSsl::Ec);
        if (!error.isEmpty() || privateKey.isNull() || QSslCertificate(certificate).isNull()) {
            std::fprintf(stderr, "demo-provider: no certificate and key in %s\n", qPrintable(pki.path()));
            return 1;
        }
        server.setTls(QSslCertificate(certificate), privateKey);
    }
    server.setCatalogue(layout.catalogue());
    server.setCountries(layout.countryOfAddress(), layout.clientCountry());
    quint64 id = 1000;
    for (const ProviderLayout::Account &account : layout.accounts()) {
        BackendServer::AccountRecord record;
        record.password = account.password;
        record.id = ++id;
        record.status = QStringLiteral("Active");
        record.created = QStringLiteral("2026-01-01");
        record.updated = QStringLiteral("2026-06-01");
        record.wgIp = account.wgAddress;
        record.wgPrivateKey = account.wgPrivateKey;
        record.wgPublicKey = QString::fromLatin1(serverKey);
        server.addAccount(account.user, record);
    }
    QObject::connect(&server,
                     &BackendServer::served,
                     [](const QString &peer, const QByteArray &method, const QByteArray &target, int status) {
                         qInfo("demo-provider: %s %s from %s: %d",
                               method.constData(),
                               // The target is the caller's text: only its printable part is logged.
                               target.left(200).constData(),
                               qPrintable(peer),
                               status);
                     });
    if (!server.listen(address, port)) {
        std::fprintf(stderr,
                     "demo-provider: cannot listen on %s:%u: %s\n",
                     qPrintable(address.toString()),
                     port,
                     qPrintable(server.errorString()));
        return 1;
    }
    Platform::watchQuitSignals(&app, [&app] { app.quit(); });
    qInfo("demo-provider: serving %s, %lld servers in the catalogue",
          qPrintable(server.base()),
          static_cast<long long>(layout.servers().size()));
    return app.exec();
}

#include "messagerecorder.h"
#include "networkapi.h"
#include "testbackend.h"

#include <QSignalSpy>
#include <QSslConfiguration>
#include <QtTest>

// NetworkApi against the test backend on loopback, over HTTP and over HTTPS with the demo CA.
class TestNetworkApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void urls();
    void catalogueAndAddress_data();
    void catalogueAndAddress();
    void account();
    void errorsKeepTheLastValues();
    void badReplies_data();
    void badReplies();
    void accountIds_data();
    void accountIds();
    void stopSendsNothing();
    void heldBackReplyIsCancelled();
    void catalogueThatIsNotXml();

private:
    void useBackend(const TestBackend &backend) { qputenv("VELMORIX_API_BASE", backend.base().toLocal8Bit()); }
};

void TestNetworkApi::initTestCase()
{
    // The demo CA signs the backend's certificate.
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(TestSupport::supportPath(QStringLiteral("pki/ca.crt")));
    QSslConfiguration::setDefaultConfiguration(configuration);
}

void TestNetworkApi::urls()
{
    qunsetenv("VELMORIX_API_BASE");
    QCOMPARE(NetworkApi::geoIpUrl(), QStringLiteral("https://api.velmorix.invalid/v3/geoip"));
    QCOMPARE(NetworkApi::accountsUrl(), QStringLiteral("https://api.velmorix.invalid/v3_1/private/accounts"));
    QCOMPARE(NetworkApi::accountsUrl(QStringLiteral("a+b@c d")),
             QStringLiteral("https://api.velmorix.invalid/v3_1/private/accounts/a+b@c d"));
    QCOMPARE(NetworkApi::catalogueUrl(), QStringLiteral("https://api.velmorix.invalid/feeds/serverinfo.xml"));
    QCOMPARE(NetworkApi::geoIpUrl(QStringLiteral("pawex")), QStringLiteral("https://api.pawex.invalid/v3/geoip"));
    QCOMPARE(NetworkApi::urlLabel(NetworkApi::catalogueUrl(QStringLiteral("darvelo"))), QStringLiteral("API *** URL"));
    QCOMPARE(NetworkApi::urlLabel(NetworkApi::catalogueUrl(QStringLiteral("siltrum"))), QStringLiteral("API *** URL"));
    QCOMPARE(NetworkApi::urlLabel(NetworkApi::geoIpUrl()), QStringLiteral("API GEO IP URL"));
    QCOMPARE(NetworkApi::urlLabel(NetworkApi::catalogueUrl()), QStringLiteral("API Serverlist URL"));
    QCOMPARE(NetworkApi::urlLabel(NetworkApi::accountsUrl(QStringLiteral("ann"))), QStringLiteral("API Accounts URL"));
    QCOMPARE(NetworkApi::urlLabel(QStringLiteral("https://x/v3_1/accounts/1")), QStringLiteral("API Account URL"));
}

void TestNetworkApi::catalogueAndAddress_data()
{
    QTest::addColumn<bool>("tls");
    QTest::newRow("http") << false;
    QTest::newRow("https") << true;
}

void TestNetworkApi::catalogueAndAddress()
{
    QFETCH(bool, tls);
    TestBackend backend(tls);
    backend.catalogue = "<vorrinserverList><server visible=\"1\" ip=\"10.0.0.1\" name=\"nl1\" city=\"Amsterdam\" "
                        "country=\"NL\"/><server visible=\"1\" ip=\"10.0.0.2\" name=\"de1\" city=\"K\xf6ln\" "
                        "country=\"DE\"/></vorrinserverList>";
    useBackend(backend);
    NetworkApi api;
    QSignalSpy servers(&api, &NetworkApi::requestServerListFinished);
    QSignalSpy address(&api, &NetworkApi::requestCurrentIpAddressFinished);
    MessageRecorder recorder;
    api.doRequests();
    QTRY_COMPARE(servers.count(), 1);
    QTRY_COMPARE(address.count(), 1);
    QCOMPARE(servers.at(0).at(0).value<Servers>().size(), 2);
    QCOMPARE(api.servers().size(), 2);
    // A Latin-1 byte in a UTF-8 catalogue costs one character, not the catalogue.
    QCOMPARE(api.servers().first().city, QStringLiteral("K\uFFFDln"));
    QCOMPARE(address.at(0).at(0).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(address.at(0).at(1).toString(), QStringLiteral("nl"));
    QCOMPARE(api.currentIp(), QStringLiteral("127.0.0.1"));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("NetworkApi: Request 'API GEO IP URL' finished, location in 'nl' (127.0.0.1), valid: true")));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("NetworkApi: Request 'API Serverlist URL' finished, 2 servers in 2 countries")));
    // Labels, never the URLs.
    for (const QString &line : recorder.texts(QtInfoMsg))
        QVERIFY2(!line.contains(QLatin1String("127.0.0.1:")), qPrintable(line));
    for (const TestBackend::Request &request : qAsConst(backend.requests)) {
        const QByteArray accept = request.path == "/v3/geoip" ? QByteArray("application/json") : QByteArray();
        QCOMPARE(request.headers.value("accept"), accept);
    }
}

void TestNetworkApi::account()
{
    TestBackend backend;
    backend.passwords.insert(QStringLiteral("ann"), QStringLiteral("pässwörd:1"));
    useBackend(backend);
    NetworkApi api;
    QSignalSpy account(&api, &NetworkApi::apiRequestAccountFinished);
    api.requestAccount(QStringLiteral("ann"), QStringLiteral("pässwörd:1"));
    QTRY_COMPARE(account.count(), 1);
    const Account received = account.at(0).at(0).value<Account>();
    QCOMPARE(received.id, 42ULL);
    QCOMPARE(received.wgIp, QStringLiteral("10.66.0.2"));
    QVERIFY(received.isActive());
    QCOMPARE(received.wgPublicKey, Account::serverPublicKey()); // the reply's key is never taken
    QCOMPARE(backend.requests.last().headers.value("authorization"),
             "Basic " + QByteArray("ann:p\xc3\xa4ssw\xc3\xb6rd:1").toBase64());

    // A wrong password: the backend refuses, the result is an empty account.
    MessageRecorder recorder;
    api.requestAccount(QStringLiteral("ann"), QStringLiteral("wrong"));
    QTRY_COMPARE(account.count(), 2);
    QCOMPARE(account.at(1).at(0).value<Account>().id, 0ULL);
    QVERIFY(recorder.warnings().first().startsWith(QLatin1String("NetworkApi: 'API Accounts URL' finished, error: ")));
}

void TestNetworkApi::errorsKeepTheLastValues()
{
    TestBackend backend;
    useBackend(backend);
    NetworkApi api;
    QSignalSpy address(&api, &NetworkApi::requestCurrentIpAddressFinished);
    QSignalSpy servers(&api, &NetworkApi::requestServerListFinished);
    backend.catalogue = "<vorrinserverList><server visible=\"1\" ip=\"10.0.0.1\" country=\"NL\"/></vorrinserverList>";
    api.doRequests();
    QTRY_COMPARE(address.count(), 1);
    QTRY_COMPARE(servers.count(), 1);

    backend.statusOf.insert("/v3/geoip", 502);
    backend.statusOf.insert("/feeds/serverinfo.xml", 500);
    MessageRecorder recorder;
    api.doRequests();
    QTRY_COMPARE(address.count(), 2);
    QTRY_COMPARE(servers.count(), 2);
    QCOMPARE(address.at(1).at(0).toString(), QStringLiteral("0.0.0.0"));
    QCOMPARE(address.at(1).at(1).toString(), QString());
    QCOMPARE(servers.at(1).at(0).value<Servers>().size(), 0);
    QCOMPARE(api.currentIp(), QStringLiteral("127.0.0.1"));
    QCOMPARE(api.servers().size(), 1);
    QCOMPARE(recorder.warnings().size(), 2);
}

void TestNetworkApi::badReplies_data()
{
    QTest::addColumn<QByteArray>("geoIp");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("critical");

    QTest::newRow("not json") << QByteArray("<html>oops</html>") << "" << true;
    QTest::newRow("no data") << QByteArray("{\"ip\":\"1.2.3.4\"}") << "" << false;
    QTest::newRow("data not an object") << QByteArray("{\"data\":[1,2]}") << "" << false;
    QTest::newRow("wrong types") << QByteArray("{\"data\":{\"ip\":true,\"iso_code\":[]}}") << "" << false;
    QTest::newRow("huge") << ("{\"data\":{\"ip\":\"" + QByteArray(2 * 1024 * 1024, 'x') + "\"}}")
                          << QString(2 * 1024 * 1024, 'x') << false;
}

void TestNetworkApi::badReplies()
{
    QFETCH(QByteArray, geoIp);
    QFETCH(QString, ip);
    QFETCH(bool, critical);
    TestBackend backend;
    backend.geoIp = geoIp;
    useBackend(backend);
    NetworkApi api;
    QSignalSpy address(&api, &NetworkApi::requestCurrentIpAddressFinished);
    MessageRecorder recorder;
    api.requestCurrentIpAddress();
    QTRY_COMPARE(address.count(), 1);
    QCOMPARE(address.at(0).at(0).toString(), ip);
    QCOMPARE(!recorder.texts(QtCriticalMsg).isEmpty(), critical);
    if (ip.size() < 100)
        QVERIFY(recorder.texts(QtInfoMsg).last().endsWith(QLatin1String("valid: false")));

    // The account parse of the same bodies: a default account, or the fields that are there.
    const Account parsed = NetworkApi::parseAccountReply(geoIp, QStringLiteral("Test"));
    QCOMPARE(parsed.id, 0ULL);
}

void TestNetworkApi::accountIds_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<quint64>("parsed");

    QTest::newRow("number") << QByteArray("42") << quint64(42);
    QTest::newRow("text") << QByteArray("\"18446744073709551615\"") << quint64(18446744073709551615ULL);
    QTest::newRow("negative") << QByteArray("-5") << quint64(0);
    QTest::newRow("beyond 64 bits") << QByteArray("4.5e64") << quint64(0);
    QTest::newRow("not a number") << QByteArray("\"abc\"") << quint64(0);
    QTest::newRow("missing") << QByteArray("null") << quint64(0);
}

void TestNetworkApi::accountIds()
{
    QFETCH(QByteArray, id);
    QFETCH(quint64, parsed);
    const Account account =
        NetworkApi::parseAccountReply("{\"data\":{\"id\":" + id + ",\"status\":\"Active\"}}", QStringLiteral("Test"));
    QCOMPARE(account.id, parsed);
}

void TestNetworkApi::stopSendsNothing()
{
    TestBackend backend;
    useBackend(backend);
    NetworkApi api;
    api.stop();
    MessageRecorder recorder;
    api.doRequests();
    api.requestCurrentIpAddress();
    api.requestServerList();
    api.requestAccount(QStringLiteral("ann"), QStringLiteral("x"));
    QTest::qWait(300);
    QCOMPARE(backend.requests.size(), 0);
    QVERIFY(recorder.messages().isEmpty());
}

void TestNetworkApi::heldBackReplyIsCancelled()
{
    TestBackend backend;
    backend.heldBack.insert("/v3/geoip");
    useBackend(backend);
    NetworkApi api;
    api.setReplyTimeoutForTesting(500);
    QSignalSpy address(&api, &NetworkApi::requestCurrentIpAddressFinished);
    MessageRecorder recorder;
    api.requestCurrentIpAddress();
    QTRY_COMPARE_WITH_TIMEOUT(address.count(), 1, 5000);
    QCOMPARE(address.at(0).at(0).toString(), QStringLiteral("0.0.0.0"));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("ReplyTimeout: Request '%1', cancelled by timer").arg(NetworkApi::geoIpUrl())));
    QCOMPARE(NetworkApi::replyTimeout, 20000);

    // Late, but within the limit: an answer like any other.
    backend.heldBack.clear();
    backend.delayOf.insert("/v3/geoip", 200);
    api.requestCurrentIpAddress();
    QTRY_COMPARE_WITH_TIMEOUT(address.count(), 2, 5000);
    QCOMPARE(address.at(1).at(0).toString(), QStringLiteral("127.0.0.1"));
}

void TestNetworkApi::catalogueThatIsNotXml()
{
    TestBackend backend;
    backend.catalogue = "{\"servers\": []}";
    useBackend(backend);
    NetworkApi api;
    QSignalSpy servers(&api, &NetworkApi::requestServerListFinished);
    MessageRecorder recorder;
    api.requestServerList();
    QTRY_COMPARE(servers.count(), 1);
    QCOMPARE(servers.at(0).at(0).value<Servers>().size(), 0);
    QCOMPARE(recorder.texts(QtCriticalMsg).size(), 1);
    QVERIFY(recorder.texts(QtCriticalMsg).first().startsWith(QLatin1String("NetworkApi: Cannot parse XML: ")));
}

QTEST_GUILESS_MAIN(TestNetworkApi)
#include "tst_networkapi.moc"

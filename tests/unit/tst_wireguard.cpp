#include "attacker.h"
#include "fakeservice.h"
#include "logger.h"
#include "messagerecorder.h"
#include "servicecontroller.h"
#include "testsupport.h"
#include "tunnelconfig.h"
#include "wireguardclient.h"
#include "wireguardlogger.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray header(qint32 count)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint32>(WireGuardLogger::magic, bytes.data());
    qToLittleEndian<qint32>(count, bytes.data() + 4);
    return bytes;
}

QByteArray record(qint64 seconds, const QByteArray &text)
{
    QByteArray bytes(WireGuardLogger::recordSize, '\0');
    qToLittleEndian<qint64>(seconds * 1000000000LL + 123, bytes.data());
    bytes.replace(8, qMin(text.size(), WireGuardLogger::textSize), text.left(WireGuardLogger::textSize));
    return bytes;
}

Account activeAccount()
{
    return Account(7,
                   QStringLiteral("demo"),
                   QStringLiteral("Active"),
                   QString(),
                   QString(),
                   QStringLiteral("10.66.0.2"),
                   QStringLiteral("cHJpdmF0ZS1rZXktb2YtdGhlLWNsaWVudC0wMDAwMDA="));
}

} // namespace

class TestWireGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void configText();
    void configNames();
    void prepareConfig();
    void logDecoding_data();
    void logDecoding();
    void logFollowsTheFile();
    void driverQuery();
    void stateLines();
    void hostileAccounts_data();
    void hostileAccounts();
    void privateKeyNeverReadableByOthers();
    void strangerOnTheStatePort();
    void tunnelProgramReadsOnlyTheClientsForm_data();
    void tunnelProgramReadsOnlyTheClientsForm();
    void tunnelEnds();

private:
    QTemporaryDir m_home;
    QTemporaryDir m_data;
    QTemporaryDir m_appDir;
};

void TestWireGuard::initTestCase()
{
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    qputenv("VELMORIX_APP_DIR", m_appDir.path().toLocal8Bit());
    QVERIFY(Logger::instance()->isInitialized());
    // The tunnel program of these tests is this very program: the state lines it sends come
    // from the engine that the client trusts.
    QVERIFY(QDir().mkpath(m_appDir.filePath(QStringLiteral("wireguard/bin"))));
    QVERIFY(QFile::link(QCoreApplication::applicationFilePath(),
                        m_appDir.filePath(QStringLiteral("wireguard/bin/wireguard-service"))));
}

void TestWireGuard::configText()
{
    QCOMPARE(WireGuardClient::configText(activeAccount(), QStringLiteral("10.99.0.1")),
             QStringLiteral("[Interface]\nPrivateKey = cHJpdmF0ZS1rZXktb2YtdGhlLWNsaWVudC0wMDAwMDA=\nAddress = "
                            "10.66.0.2/32\nDNS = 172.16.0.1\n\n[Peer]\nPublicKey = %1\nAllowedIPs = 0.0.0.0/0, "
                            "::/0\nEndpoint = 10.99.0.1:55888\n")
                 .arg(Account::serverPublicKey()));
    Account disabled = activeAccount();
    disabled.status = QStringLiteral("Disabled");
    QCOMPARE(WireGuardClient::configText(disabled, QStringLiteral("10.99.0.1")), QString());
    QCOMPARE(WireGuardClient::configText(Account(), QStringLiteral("10.99.0.1")), QString());
}

void TestWireGuard::configNames()
{
    QTemporaryDir folder;
    QCOMPARE(WireGuardClient::chooseConfigPath(folder.path()), folder.filePath(QStringLiteral("wg-velmorix.conf")));
    // A name that cannot be deleted (here a folder) moves on to numbered names, one per attempt.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("wg-velmorix.conf")));
    const QString first = WireGuardClient::chooseConfigPath(folder.path());
    QCOMPARE(first, folder.filePath(QStringLiteral("wg-velmorix1.conf")));
    QFile(first).open(QIODevice::WriteOnly);
    QCOMPARE(WireGuardClient::chooseConfigPath(folder.path()), folder.filePath(QStringLiteral("wg-velmorix2.conf")));
    for (int i = 2; i <= 98; ++i)
        QFile(folder.filePath(QStringLiteral("wg-velmorix%1.conf").arg(i))).open(QIODevice::WriteOnly);
    QCOMPARE(WireGuardClient::chooseConfigPath(folder.path()), QString());

    WireGuardClient client;
    ConnectionParameters p;
    p.server = QStringLiteral("10.99.0.1");
    client.setConnectionParameters(p);
    QVERIFY(QDir().mkpath(m_data.filePath(QStringLiteral("config/wg-velmorix.conf"))));
    MessageRecorder recorder;
    QVERIFY(!client.prepareConfig());
    QCOMPARE(recorder.texts(QtCriticalMsg), QStringList{"WireGuardClient: Cannot prepare WireGuard config file"});
    QVERIFY(QDir(m_data.filePath(QStringLiteral("config/wg-velmorix.conf"))).removeRecursively());
}

void TestWireGuard::prepareConfig()
{
    WireGuardClient client;
    ConnectionParameters p;
    p.server = QStringLiteral("10.99.0.1");
    client.setConnectionParameters(p);

    VpnClient::setAccount(activeAccount());
    QVERIFY(client.prepareConfig());
    const QString path = m_data.filePath(QStringLiteral("config/wg-velmorix.conf"));
    QCOMPARE(client.configFilePath(), path);
    QCOMPARE(client.engineLogFile(), m_data.filePath(QStringLiteral("config/log.bin")));
    // The private key is in it: read-only, and for its owner alone.
    QCOMPARE(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner);
    QCOMPARE(QFileInfo(path).size(), WireGuardClient::configText(activeAccount(), p.server).toUtf8().size());

    // An account that may not connect: an empty file, still written.
    VpnClient::setAccount(Account());
    QVERIFY(client.prepareConfig());
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestWireGuard::logDecoding_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("texts");

    const QByteArray full(600, 'x');
    QTest::newRow("count 0") << header(0) << true << 0 << QStringList();
    QTest::newRow("two records") << header(2) + record(1, "Starting") + record(2, "Handshake done") << true << 2
                                 << QStringList{"Starting", "Handshake done"};
    QTest::newRow("text without zero") << header(1) + record(1, full) << true << 1 << QStringList{QString(512, 'x')};
    QTest::newRow("more count than records") << header(5) + record(1, "only") << true << 5 << QStringList{"only"};
    QTest::newRow("fewer than counted: truncated record")
        << header(2) + record(1, "a") + record(2, "b").left(100) << true << 2 << QStringList{"a"};
    QTest::newRow("non-utf-8") << header(1) + record(1, "caf\xe9") << true << 1
                               << QStringList{QStringLiteral("caf\uFFFD")};
    QTest::newRow("short header") << header(1).left(6) << false << 0 << QStringList();
    QTest::newRow("negative count") << header(-1) << false << 0 << QStringList();
    QTest::newRow("no magic") << QByteArray(8, '\x01') + record(1, "x") << false << 0 << QStringList();
}

void TestWireGuard::logDecoding()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, valid);
    QFETCH(int, count);
    QFETCH(QStringList, texts);

    int decodedCount = -1;
    QStringList lines;
    QCOMPARE(WireGuardLogger::decode(block, &decodedCount, &lines), valid);
    if (!valid)
        return;
    QCOMPARE(decodedCount, count);
    QCOMPARE(lines.size(), texts.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString time = QDateTime::fromSecsSinceEpoch(i + 1).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QCOMPARE(lines.at(i), time + QLatin1Char(' ') + texts.at(i));
    }
}

void TestWireGuard::logFollowsTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.bin"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray big = header(2048);
    for (int i = 0; i < 2048; ++i)
        big += record(i, "line " + QByteArray::number(i));
    file.write(big);
    file.flush();

    WireGuardLogger logger;
    QSignalSpy lines(&logger, &WireGuardLogger::lineReaded);
    QSignalSpy counts(&logger, &WireGuardLogger::lineCount);
    MessageRecorder recorder;
    logger.setFile(path);
    logger.readNow();
    QCOMPARE(counts.count(), 1);
    QCOMPARE(counts.at(0).at(0).toInt(), 2048);
    QCOMPARE(lines.count(), 2048);
    QVERIFY(lines.last().at(0).toString().endsWith(QLatin1String(" line 2047")));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("WireGuardLogger: Using filename '%1', total lines: 2048").arg(path)));

    // Data appended after the first read does not start with a header.
    recorder.clear();
    file.write(record(5000, "appended"));
    file.flush();
    QTRY_VERIFY(recorder.texts(QtCriticalMsg).contains(QStringLiteral("WireGuardLogger: Cannot read header!")));
    QCOMPARE(lines.count(), 2048);

    recorder.clear();
    logger.setFile(dir.filePath(QStringLiteral("missing.bin")));
    QCOMPARE(recorder.texts(QtCriticalMsg),
             QStringList{QStringLiteral("WireGuardLogger: Can't open file '%1'!").arg(dir.filePath("missing.bin"))});
}

void TestWireGuard::driverQuery()
{
    const QString output = QString::fromUtf8(TestSupport::readSupportFile(QStringLiteral("windows/driverquery-v.txt")));
    QVERIFY(output.contains(QLatin1String("\r\n")));
    QVERIFY(WireGuardClient::driverListHasWireGuard(output));
    QString withoutDriver = output;
    withoutDriver.replace(QLatin1String("wireguard.sys"), QLatin1String("wireguard.old"));
    QVERIFY(!WireGuardClient::driverListHasWireGuard(withoutDriver));
    QVERIFY(!WireGuardClient::driverListHasWireGuard(QString()));
}

void TestWireGuard::stateLines()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    VpnClient::setAccount(activeAccount());
    WireGuardClient client;
    QVERIFY(!client.supportsKillSwitch());
    ConnectionParameters p;
    p.server = QStringLiteral("10.99.0.1");
    p.autoReconnectionOnError = true;
    client.setConnectionParameters(p);
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);

    client.connectToVpn();
    QCOMPARE(client.connectionState(), ConnectionState::Id::Connecting);
    const QString program = m_appDir.filePath(QStringLiteral("wireguard/bin/wireguard-service"));
    QTRY_VERIFY(service.frames().contains(
        QStringLiteral("start: \"%1\" \"--add\" \"%2\" \"--port\" \"61976\"").arg(program, client.configFilePath())));

    // The engine's log as it will find it when connected.
    QFile log(client.engineLogFile());
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write(header(1) + record(1, "Interface up"));
    log.close();

    QTcpSocket engine;
    engine.connectToHost(QHostAddress::LocalHost, WireGuardClient::statePort);
    QVERIFY(engine.waitForConnected(2000));
    engine.write(">STATE:CONNECTED\n");
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connected);

    engine.write(">BYTECOUNT:1.5 KiB, 2 MiB\n");
    QTRY_COMPARE(bytes.count(), 1);
    QCOMPARE(bytes.at(0).at(0).toULongLong(), 1536ULL);
    QCOMPARE(bytes.at(0).at(1).toULongLong(), 2097152ULL);
    // A malformed count ends the batch: the line after it waits for the next one.
    engine.write(">BYTECOUNT:1 KiB\n>BYTECOUNT:1 B, 1 B\n");
    QTest::qWait(300);
    QCOMPARE(bytes.count(), 1);
    engine.write(">BYTECOUNT:2 B, 2 B\n");
    QTRY_COMPARE(bytes.count(), 3);

    engine.write(">STATE:ERROR:Handshake failed\n");
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Error);
    QCOMPARE(changed.last().at(1).toString(), QStringLiteral("Handshake failed"));
    QCOMPARE(changed.last().at(2).toBool(), true);
    engine.write(">STATE:CONNECTED\n>STATE:ERROR\n");
    QTRY_COMPARE(changed.last().at(0).value<ConnectionState::Id>(), ConnectionState::Id::Error);
    QCOMPARE(changed.last().at(1).toString(), QStringLiteral("Handshake failed")); // the earlier text
    engine.write(">STATE:ERROR:a:b\n>STATE:CONNECTED\n");
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connected);

    // The engine closes the channel without a word: it died or lost its peer, a crash that
    // the controller may answer with a reconnection. The service's exit report that follows
    // counts no second time.
    engine.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Reconnecting);
    QCOMPARE(changed.at(changed.count() - 2).at(0).value<ConnectionState::Id>(), ConnectionState::Id::Disconnected);
    QCOMPARE(changed.at(changed.count() - 2).at(1).toString(), QStringLiteral("CrashExit"));
    const int reports = changed.count();
    service.report(QStringLiteral("finished:1,1,wireguard-service"));
    QTest::qWait(200);
    QCOMPARE(changed.count(), reports);

    // An orderly end says so before the channel closes: disconnected, no crash.
    client.connectToVpn();
    QTcpSocket orderly;
    orderly.connectToHost(QHostAddress::LocalHost, WireGuardClient::statePort);
    QVERIFY(orderly.waitForConnected(2000));
    orderly.write(">STATE:CONNECTED\n");
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connected);
    orderly.write(">STATE:DISCONNECTED\n");
    orderly.flush();
    orderly.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Disconnected);
    QTest::qWait(200);
    QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnected);

    // A finished report while no tunnel program runs: crash, then reconnection.
    client.connectToVpn();
    service.report(QStringLiteral("started:1,0,wireguard-service"));
    service.report(QStringLiteral("finished:1,3,wireguard-service"));
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Reconnecting);
    QCOMPARE(changed.at(changed.count() - 2).at(1).toString(), QStringLiteral("CrashExit"));
}

void TestWireGuard::hostileAccounts_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("address with a line of its own") << "wgIp"
                                                    << "10.66.0.2/32\nPostUp = /bin/sh";
    QTest::newRow("address with a scope") << "wgIp"
                                          << "fe80::1%eth0";
    QTest::newRow("address of blanks") << "wgIp"
                                       << "10.66.0.2 10.66.0.3";
    QTest::newRow("private key with a line of its own")
        << "wgPrivateKey"
        << "cHJpdmF0ZS1rZXktb2YtdGhlLWNsaWVudC0wMDAwMDA=\nDNS = 1.1.1.1";
    QTest::newRow("private key of another length") << "wgPrivateKey"
                                                   << "c2hvcnQ=";
    QTest::newRow("server with a line of its own") << "server"
                                                   << "10.99.0.1:55888\nEndpoint = 10.0.0.9";
    QTest::newRow("server with a scope") << "server"
                                         << "10.99.0.1%eth0";
}

void TestWireGuard::hostileAccounts()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    Account account = activeAccount();
    QString server = QStringLiteral("10.99.0.1");
    if (field == QLatin1String("wgIp"))
        account.wgIp = value;
    else if (field == QLatin1String("wgPrivateKey"))
        account.wgPrivateKey = value;
    else
        server = value;
    // Not usable: nothing is written that a root process would read as a line of its own.
    QCOMPARE(WireGuardClient::configText(account, server), QString());
}

void TestWireGuard::privateKeyNeverReadableByOthers()
{
    // A write that fails half-way (here the size limit a full disk would set) must leave no
    // part of the key readable by others: the file is the owner's from its first byte.
    WireGuardClient client;
    ConnectionParameters p;
    p.server = QStringLiteral("10.99.0.1");
    client.setConnectionParameters(p);
    VpnClient::setAccount(activeAccount());
    const mode_t oldMask = ::umask(022);
    struct rlimit oldLimit = {};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    struct rlimit limit = oldLimit;
    limit.rlim_cur = 20;
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool prepared = client.prepareConfig();
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, SIG_DFL);
    ::umask(oldMask);

    QVERIFY(!prepared);
    const QString path = m_data.filePath(QStringLiteral("config/wg-velmorix.conf"));
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        QVERIFY2((st.st_mode & 077) == 0, qPrintable(QString::number(st.st_mode, 8)));

    // And a whole write is read-only for its owner.
    QVERIFY(client.prepareConfig());
    QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0400));
}

void TestWireGuard::strangerOnTheStatePort()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    VpnClient::setAccount(activeAccount());
    WireGuardClient client;
    ConnectionParameters p;
    p.server = QStringLiteral("10.99.0.1");
    client.setConnectionParameters(p);
    client.connectToVpn();
    QCOMPARE(client.connectionState(), ConnectionState::Id::Connecting);

    // A process that is not the tunnel program reports first: it is hung up on, unheard.
    Attacker attacker;
    MessageRecorder recorder;
    QProcess stranger;
    attacker.start(stranger,
                   Attacker::Root,
                   {QStringLiteral("connect"),
                    QString::number(WireGuardClient::statePort),
                    QStringLiteral("3"),
                    QStringLiteral(">STATE:CONNECTED")});
    QByteArray seen;
    QTRY_VERIFY_WITH_TIMEOUT((seen += stranger.readAll()).contains("closed"), 5000);
    QCOMPARE(client.connectionState(), ConnectionState::Id::Connecting);
    QCOMPARE(recorder.warnings().filter(QStringLiteral("it is not the engine")).size(), 1);
    stranger.waitForFinished();

    // The tunnel program still gets the channel.
    QTcpSocket engine;
    engine.connectToHost(QHostAddress::LocalHost, WireGuardClient::statePort);
    QVERIFY(engine.waitForConnected(2000));
    engine.write(">STATE:CONNECTED\n");
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connected);
}

void TestWireGuard::tunnelProgramReadsOnlyTheClientsForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("usable");
    const QString own = WireGuardClient::configText(activeAccount(), QStringLiteral("10.99.0.1"));
    QTest::newRow("the client's") << own << true;
    QTest::newRow("a program to run") << own + QStringLiteral("PostUp = /bin/sh\n") << false;
    QTest::newRow("a key twice") << own + QStringLiteral("Endpoint = 10.0.0.9:1\n") << false;
    QTest::newRow("a route with more") << QString(own).replace(QStringLiteral("0.0.0.0/0"),
                                                               QStringLiteral("0.0.0.0/0 table 7"))
                                       << false;
    QTest::newRow("a scoped endpoint") << QString(own).replace(QStringLiteral("10.99.0.1:"),
                                                               QStringLiteral("[fe80::1%eth0]:"))
                                       << false;
    QTest::newRow("a third section") << own + QStringLiteral("[Peer]\n") << false;
    QTest::newRow("a control character") << QString(own).insert(0, QChar(0x1b)) << false;
}

void TestWireGuard::tunnelProgramReadsOnlyTheClientsForm()
{
    QFETCH(QString, text);
    QFETCH(bool, usable);
    const TunnelConfig config = TunnelConfig::parse(text);
    QVERIFY2(config.error.isEmpty() == usable, qPrintable(config.error));
}

void TestWireGuard::tunnelEnds()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    VpnClient::setAccount(activeAccount());
    ConnectionParameters p;
    p.server = QStringLiteral("10.99.0.1");
    p.autoReconnectionOnError = true;
    {
        WireGuardClient client;
        client.setConnectionParameters(p);
        client.connectToVpn();
        QTcpSocket engine;
        engine.connectToHost(QHostAddress::LocalHost, WireGuardClient::statePort);
        QVERIFY(engine.waitForConnected(2000));
        QTRY_VERIFY(service.frames().last().contains(QLatin1String("--add")));

        // The user disconnects before the service has reported the tunnel's program: the stop
        // follows the start command to the service.
        service.clearFrames();
        client.disconnectFromVpn();
        QTRY_COMPARE(service.frames(), QStringList{"stop: <wireguard-service>"});
        QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnecting);
        // A tunnel that comes up all the same is taken down and never shown as connected.
        service.report(QStringLiteral("started:31,0,wireguard-service"));
        engine.write(">STATE:CONNECTED\n");
        QTRY_VERIFY(!service.frames().filter(QStringLiteral("--remove")).isEmpty());
        QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnecting);
        service.report(QStringLiteral("started:32,0,wireguard-service"));
        service.report(QStringLiteral("finished:32,0,wireguard-service"));
        service.report(QStringLiteral("finished:31,143,wireguard-service"));
        QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Disconnected);
        // The port is the next client's, while this one still exists.
        QTcpServer next;
        QVERIFY(next.listen(QHostAddress::LocalHost, WireGuardClient::statePort));
    }
    {
        // A start the service refuses is an error to show, and frees the port too.
        WireGuardClient client;
        client.setConnectionParameters(p);
        client.connectToVpn();
        service.report(QStringLiteral("started:0,1,wireguard-service"));
        QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Error);
        QCOMPARE(client.lastError(), QStringLiteral("The service refused to start wireguard-service"));
        QTcpServer next;
        QVERIFY(next.listen(QHostAddress::LocalHost, WireGuardClient::statePort));
    }
}

QTEST_GUILESS_MAIN(TestWireGuard)
#include "tst_wireguard.moc"

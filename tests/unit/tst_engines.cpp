#include "connectionstatistics.h"
#include "fakeservice.h"
#include "logger.h"
#include "messagerecorder.h"
#include "openvpnclient.h"
#include "platform/engines.h"
#include "portchecker.h"
#include "serverlistparser.h"
#include "servicecontroller.h"
#include "stunnel.h"
#include "tcpserver.h"
#include "testsupport.h"
#include "wireguardclient.h"

#include <QElapsedTimer>

#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The smallest engine client: the base's bookkeeping on its own.
class PlainClient final : public VpnClient
{
public:
    using VpnClient::applyIpv6Setting;
    using VpnClient::setConnectionState;
    void connectToVpn() override { }
    void disconnectFromVpn() override { }
    QString name() const override { return QStringLiteral("plain"); }
    QString configTemplatePath() const override { return m_template; }
    QString executablePath() const override { return QString(); }
    QString m_template = QStringLiteral(":/resources/config/general.ovpn");
};

ConnectionParameters parameters(int protocol, bool ipv6)
{
    ConnectionParameters p;
    p.userName = QStringLiteral("ann");
    p.password = QStringLiteral("secret");
    p.server = QStringLiteral("10.0.0.1");
    p.protocol = protocol;
    p.port = 1194;
    p.ipv6Enabled = ipv6;
    return p;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeExecutable(const QString &path, const QByteArray &script)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + script + "\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// The management peer, as OpenVPN plays it: connects to the client and exchanges lines.
class ManagementPeer
{
public:
    bool connect()
    {
        m_socket.connectToHost(QHostAddress::LocalHost, OpenVpnClient::managementPort);
        return m_socket.waitForConnected(3000);
    }
    void send(const QByteArray &line)
    {
        m_socket.write(line + "\r\n");
        m_socket.flush();
    }
    // What the client wrote until `expected` bytes came or the wait ended.
    QByteArray received(int expected, int ms = 3000)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_buffer.size() < expected && timer.elapsed() < ms) {
            QTest::qWait(10);
            m_buffer += m_socket.readAll();
        }
        const QByteArray data = m_buffer;
        m_buffer.clear();
        return data;
    }
    QByteArray drain(int ms = 200)
    {
        QTest::qWait(ms);
        m_buffer += m_socket.readAll();
        return received(0, 0);
    }
    void close() { m_socket.disconnectFromHost(); }
    QTcpSocket &socket() { return m_socket; }

private:
    QTcpSocket m_socket;
    QByteArray m_buffer;
};

} // namespace

class TestEngines : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void configuration_data();
    void configuration();
    void optionBlockForms();
    void prepareConfigKeepsOneFile();
    void unknownProtocol();
    void trafficTexts_data();
    void trafficTexts();
    void formatBytes_data();
    void formatBytes();
    void namesAndPorts();
    void engineLogPath_data();
    void engineLogPath();
    void stateChangesOnce();
    void networkToolThroughTheService();

    void tcpServerTakesOneClient();
    void tcpServerReadsWholeLines();
    void tcpServerRefusesStrangers();
    void portCheckerStopsOnFirst();
    void portCheckerReportsEvery();
    void portCheckerTimesOut();

    void stunnelConfiguration();
    void stunnelSplitPhrase();
    void stunnelAnnouncesItself();
    void stunnelStopIsBounded();

    void managementDialogue();
    void managementExitAndKill();
    void managementWrongPassword();
    void engineEnds_data();
    void engineEnds();
    void stopBeforeTheEngineIsVisible();
    void stopSignalLeavesOnDestruction();
    void engineMissing();
    void hostileServersWriteNoLines();
    void credentialsWithControlCharacters_data();
    void credentialsWithControlCharacters();
    void credentialsCheckedWhereSent();

private:
    void startClient(OpenVpnClient &client, FakeService &service, const ConnectionParameters &p);

    QTemporaryDir m_home;
    QTemporaryDir m_appDir;
    QTemporaryDir m_data;
    QString m_sleeper;
};

void TestEngines::initTestCase()
{
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    QVERIFY(Logger::instance()->isInitialized());
    // The "engine" of these tests is this very program: the management peer it plays is then
    // the engine that the client trusts.
    qputenv("VELMORIX_APP_DIR", m_appDir.path().toLocal8Bit());
    QVERIFY(QDir().mkpath(m_appDir.filePath(QStringLiteral("openvpn/bin"))));
    QVERIFY(
        QFile::link(QCoreApplication::applicationFilePath(), m_appDir.filePath(QStringLiteral("openvpn/bin/openvpn"))));
    writeExecutable(m_appDir.filePath(QStringLiteral("network-tool")), "exit 0");
    // A process named like the engine, for the checks of whether it runs.
    m_sleeper = m_data.filePath(QStringLiteral("openvpn"));
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), m_sleeper));
    QVERIFY(QFile::setPermissions(m_sleeper, QFile::ReadOwner | QFile::ExeOwner));
}

void TestEngines::configuration_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("ipv6");
    QTest::addColumn<QString>("remote");
    QTest::addColumn<bool>("management");
    QTest::addColumn<bool>("replay");

    QTest::newRow("udp, ipv6") << 0 << true << "remote 10.0.0.1 1194 udp" << true << true;
    QTest::newRow("udp, no ipv6") << 0 << false << "remote 10.0.0.1 1194 udp" << true << true;
    QTest::newRow("tcp") << 1 << false << "remote 10.0.0.1 1194 tcp" << true << false;
    QTest::newRow("stealth") << 2 << true << "remote 127.0.0.1 1194 tcp" << false << false;
}

void TestEngines::configuration()
{
    QFETCH(int, protocol);
    QFETCH(bool, ipv6);
    QFETCH(QString, remote);
    QFETCH(bool, management);
    QFETCH(bool, replay);

    OpenVpnClient client;
    client.setConnectionParameters(parameters(protocol, ipv6));
    QVERIFY(client.prepareConfig());
    const QByteArray file = readFile(client.configFilePath());
    QVERIFY(!file.isEmpty());
    // CR LF throughout, the inserted block too.
    QCOMPARE(file.count('\n'), file.count("\r\n"));

    const QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
    QVERIFY(lines.contains(remote));
    QCOMPARE(lines.contains(QStringLiteral("management 127.0.0.1 61973")), management);
    QCOMPARE(lines.contains(QStringLiteral("replay-window 256")), replay);
    QCOMPARE(lines.contains(QStringLiteral("pull-filter ignore 'redirect-gateway ipv6'")), !ipv6);
    QVERIFY(lines.contains(QStringLiteral("verb 3")));
    QVERIFY(!file.contains("<SERVER>") && !file.contains("<ADDITIONAL_DATA>") && !file.contains("@VELMORIX"));
    QVERIFY(file.contains("-----BEGIN OpenVPN Static key V1-----"));
    QVERIFY(file.contains("<ca>\r\n-----BEGIN CERTIFICATE-----"));
    // The Windows-only options stay, behind OpenVPN's own permission to skip them here.
    const int ignore = lines.indexOf(QStringLiteral("ignore-unknown-option register-dns dhcp-renew block-outside-dns"));
    QVERIFY(ignore > 0);
    QCOMPARE(lines.at(ignore + 1), QStringLiteral("register-dns"));
}

void TestEngines::optionBlockForms()
{
    // The Windows form, exactly; the Linux form with its one line in front of the Windows-only ones.
    QCOMPARE(
        OpenVpnClient::additionalOptions(parameters(0, true), false, {}),
        (QStringList{
            "verb 3", "register-dns", "dhcp-renew", "block-outside-dns", "mute-replay-warnings", "replay-window 256"}));
    QCOMPARE(OpenVpnClient::additionalOptions(parameters(0, false), false, {}).size(), 9);
    QCOMPARE(OpenVpnClient::additionalOptions(parameters(1, true), true, {}),
             (QStringList{"verb 6", "register-dns", "dhcp-renew", "block-outside-dns"}));
    QCOMPARE(OpenVpnClient::additionalOptions(parameters(2, false), false, {}),
             (QStringList{"verb 3",
                          "register-dns",
                          "dhcp-renew",
                          "block-outside-dns",
                          "pull-filter ignore ifconfig-ipv6",
                          "pull-filter ignore route-ipv6",
                          "pull-filter ignore 'redirect-gateway ipv6'"}));
    QCOMPARE(OpenVpnClient::additionalOptions(parameters(1, true), false, Platform::openVpnPortabilityOptions()),
             (QStringList{"verb 3",
                          "ignore-unknown-option register-dns dhcp-renew block-outside-dns",
                          "register-dns",
                          "dhcp-renew",
                          "block-outside-dns"}));
}

void TestEngines::prepareConfigKeepsOneFile()
{
    OpenVpnClient client;
    client.setConnectionParameters(parameters(0, true));
    QVERIFY(client.prepareConfig());
    const QString first = client.configFilePath();
    QVERIFY(QFileInfo::exists(first));
    QVERIFY(client.prepareConfig());
    QVERIFY(!QFileInfo::exists(first));
    QVERIFY(QFileInfo::exists(client.configFilePath()));
}

void TestEngines::unknownProtocol()
{
    OpenVpnClient client;
    client.setConnectionParameters(parameters(3, true));
    MessageRecorder recorder;
    QVERIFY(!client.prepareConfig());
    QCOMPARE(recorder.texts(QtCriticalMsg), QStringList{"OpenVpnClient: Unknown protocol"});
    QCOMPARE(client.configFilePath(), QString());

    PlainClient missing;
    missing.m_template = QStringLiteral(":/no/such.ovpn");
    recorder.clear();
    QVERIFY(!missing.prepareConfig());
    QVERIFY(recorder.texts(QtCriticalMsg).contains(QStringLiteral(": Config does not exist or empty!")));
}

void TestEngines::trafficTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<bool>("error");

    QTest::newRow("KiB") << "1.5 KiB" << quint64(1536) << false;
    QTest::newRow("B") << "12 B" << quint64(12) << false;
    QTest::newRow("MiB") << "2 MiB" << quint64(2097152) << false;
    QTest::newRow("GiB") << "1.25 GiB" << quint64(1342177280) << false;
    QTest::newRow("TiB") << "1 TiB" << quint64(1099511627776ULL) << false;
    QTest::newRow("kB") << "3 kB" << quint64(0) << true;
    QTest::newRow("no blank") << "12B" << quint64(0) << true;
    QTest::newRow("empty") << "" << quint64(0) << true;
    QTest::newRow("not a number") << "many B" << quint64(0) << true;
    QTest::newRow("negative") << "-1 KiB" << quint64(0) << true;
}

void TestEngines::trafficTexts()
{
    QFETCH(QString, text);
    QFETCH(quint64, bytes);
    QFETCH(bool, error);
    MessageRecorder recorder;
    const ConnectionStatistics statistics(text, text);
    QCOMPARE(statistics.received, bytes);
    QCOMPARE(statistics.sent, bytes);
    QCOMPARE(recorder.texts(QtCriticalMsg).size(), error ? 2 : 0);
    if (error)
        QCOMPARE(recorder.texts(QtCriticalMsg).first(), QStringLiteral("ConnectionStatistics: Parse error, ") + text);
}

void TestEngines::formatBytes_data()
{
    QTest::addColumn<qulonglong>("bytes");
    QTest::addColumn<bool>("unit");
    QTest::addColumn<QString>("text");

    QTest::newRow("1023") << qulonglong(1023) << true << "1023B";
    QTest::newRow("1536") << qulonglong(1536) << true << "1.5KiB";
    QTest::newRow("1 MiB, no unit") << qulonglong(1048576) << false << "1.0";
    QTest::newRow("zero") << qulonglong(0) << true << "0B";
    QTest::newRow("GiB") << qulonglong(3221225472ULL) << true << "3.0GiB";
    QTest::newRow("TiB") << qulonglong(1649267441664ULL) << true << "1.5TiB";
    QTest::newRow("beyond TiB") << qulonglong(1125899906842624ULL) << true << "1024.0TiB";
}

void TestEngines::formatBytes()
{
    QFETCH(qulonglong, bytes);
    QFETCH(bool, unit);
    QFETCH(QString, text);
    QCOMPARE(VpnClient::formatBytes(bytes, unit), text);
}

void TestEngines::namesAndPorts()
{
    QCOMPARE(VpnClient::formatTraffic(0), QStringLiteral("0"));
    QCOMPARE(VpnClient::formatTraffic(2048), QStringLiteral("2.0KiB"));
    QCOMPARE(VpnClient::joinPorts({1194, 443}), QStringLiteral("1194, 443"));
    QCOMPARE(VpnClient::joinPorts({}), QString());
    QCOMPARE(VpnClient::protocolName(0), QStringLiteral("OpenVPN (UDP)"));
    QCOMPARE(VpnClient::protocolName(1, true), QStringLiteral("openvpn (tcp)"));
    QCOMPARE(VpnClient::protocolName(2), QStringLiteral("Stealth"));
    QCOMPARE(VpnClient::protocolName(3), QStringLiteral("WireGuard"));
    QCOMPARE(VpnClient::protocolName(4), QString());

    OpenVpnClient client;
    QCOMPARE(client.executablePath(), m_appDir.filePath(QStringLiteral("openvpn/bin/openvpn")));
    QCOMPARE(client.name(), QStringLiteral("openvpn"));
    QVERIFY(client.supportsKillSwitch());
    QVERIFY(client.engineLogPath().endsWith(QLatin1String("-vpn.log")));
    QCOMPARE(QString(client.engineLogPath()).replace(QLatin1String("-vpn"), QLatin1String("-app")),
             Logger::instance()->logFilePath());
}

void TestEngines::engineLogPath_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("engine");
    QTest::newRow("plain") << "/home/ann/.local/share/Velmorix/logs/2026-01-01_10-00-00-app.log"
                           << "/home/ann/.local/share/Velmorix/logs/2026-01-01_10-00-00-vpn.log";
    QTest::newRow("folder named -app") << "/srv/my-app/logs/x-app.log"
                                       << "/srv/my-app/logs/x-vpn.log";
    QTest::newRow("Windows folder") << "C:/Users/web-app/AppData/Roaming/Velmorix/logs/t-app.log"
                                    << "C:/Users/web-app/AppData/Roaming/Velmorix/logs/t-vpn.log";
    QTest::newRow("no folder") << "t-app.log"
                               << "t-vpn.log";
    QTest::newRow("none") << ""
                          << "";
}

void TestEngines::engineLogPath()
{
    QFETCH(QString, program);
    QFETCH(QString, engine);
    QCOMPARE(VpnClient::engineLogPathFor(program), engine);
}

void TestEngines::stateChangesOnce()
{
    PlainClient client;
    client.setObjectName(QStringLiteral("PlainClient"));
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    MessageRecorder recorder;
    client.setConnectionState(ConnectionState::Id::Connecting, QStringLiteral("text"), true);
    client.setConnectionState(ConnectionState::Id::Connecting, QStringLiteral("other"), false);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("text"));
    QCOMPARE(changed.at(0).at(2).toBool(), true);
    QCOMPARE(changed.at(0).at(3).toString(), QStringLiteral("text"));
    QCOMPARE(recorder.texts(QtInfoMsg), QStringList{"PlainClient: ========== CONNECTING =========="});
}

void TestEngines::networkToolThroughTheService()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    PlainClient client;
    ConnectionParameters p = parameters(0, false);
    client.setConnectionParameters(p);
    client.applyIpv6Setting();
    p.ipv6Enabled = true;
    client.setConnectionParameters(p);
    client.applyIpv6Setting();
    const QString tool = m_appDir.filePath(QStringLiteral("network-tool"));
    QTRY_COMPARE(service.frames(),
                 (QStringList{"init: connection",
                              QStringLiteral("start: \"%1\" \"--ipv6\" \"disable\"").arg(tool),
                              QStringLiteral("start: \"%1\" \"--ipv6\" \"enable\"").arg(tool)}));
}

void TestEngines::tcpServerTakesOneClient()
{
    TcpServer server;
    QSignalSpy started(&server, &TcpServer::serverStarted);
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    QVERIFY(server.start(QStringLiteral("127.0.0.1"), port));
    QCOMPARE(started.count(), 1);
    QCOMPARE(server.write("x"), 0);

    QTcpSocket first;
    first.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(first.waitForConnected(2000));
    QTRY_VERIFY(server.isConnected());

    // Listening stopped at the first connection: a second client is refused.
    QTcpSocket second;
    second.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!second.waitForConnected(1000));
    QCOMPARE(second.error(), QAbstractSocket::ConnectionRefusedError);

    QCOMPARE(server.write("state on\n"), 9);
    QTRY_COMPARE(first.bytesAvailable(), 9);
    QCOMPARE(first.readAll(), QByteArray("state on\n"));

    first.disconnectFromHost();
    QTRY_VERIFY(!server.isConnected());
    QCOMPARE(server.write("lost"), 0);
    MessageRecorder recorder;
    QCOMPARE(server.readLine(), QString());
    QCOMPARE(recorder.warnings(), QStringList{"TcpServer: Socket is not opened"});

    // The port in use by another listener: a warning with the error, no start.
    QTcpServer holder;
    QVERIFY(holder.listen(QHostAddress::LocalHost, 0));
    TcpServer blocked;
    recorder.clear();
    QVERIFY(!blocked.start(QStringLiteral("127.0.0.1"), holder.serverPort()));
    QVERIFY(recorder.warnings().first().startsWith(QLatin1String("TcpServer: Can't start TCP server, ")));
}

void TestEngines::tcpServerReadsWholeLines()
{
    TcpServer server;
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    QVERIFY(server.start(QStringLiteral("127.0.0.1"), port));
    QStringList lines;
    connect(&server, &TcpServer::readyRead, this, [&] {
        for (QString line = server.readLine(); !line.isEmpty(); line = server.readLine())
            lines << line;
    });
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(peer.waitForConnected(2000));
    // A line cut in two: nothing until its end arrives.
    peer.write(">PASSWORD:Need 'Auth' user");
    peer.flush();
    QTest::qWait(200);
    QCOMPARE(lines, QStringList());
    peer.write("name/password\r\n>STATE:1,WAIT,,,,,,\r\n");
    peer.flush();
    QTRY_COMPARE(lines, (QStringList{">PASSWORD:Need 'Auth' username/password\r\n", ">STATE:1,WAIT,,,,,,\r\n"}));
}

void TestEngines::tcpServerRefusesStrangers()
{
    TcpServer server;
    int asked = 0;
    server.setPeerFilter([&asked](const QTcpSocket &) { return ++asked > 1; });
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    QVERIFY(server.start(QStringLiteral("127.0.0.1"), port));

    MessageRecorder recorder;
    QTcpSocket stranger;
    QSignalSpy strangerGone(&stranger, &QTcpSocket::disconnected);
    stranger.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(stranger.waitForConnected(2000));
    QTRY_COMPARE(strangerGone.count(), 1);
    QVERIFY(!server.isConnected());
    QVERIFY(recorder.warnings().first().contains(QLatin1String("it is not the engine")));

    // Still listening for the right peer.
    QTcpSocket engine;
    engine.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(engine.waitForConnected(2000));
    QTRY_VERIFY(server.isConnected());
}

void TestEngines::portCheckerStopsOnFirst()
{
    QTcpServer a;
    QTcpServer b;
    QVERIFY(a.listen(QHostAddress::LocalHost, 0) && b.listen(QHostAddress::LocalHost, 0));
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 closedPort = closed.serverPort();
    closed.close();

    MessageRecorder recorder;
    PortChecker checker(QStringLiteral("127.0.0.1"), {closedPort, a.serverPort(), b.serverPort()}, 5);
    QSignalSpy available(&checker, &PortChecker::portIsAvailable);
    QSignalSpy timedOut(&checker, &PortChecker::timeout);
    checker.check(true);
    QTRY_COMPARE(available.count(), 1);
    QTest::qWait(300);
    QCOMPARE(available.count(), 1);
    const quint16 port = available.at(0).at(0).value<quint16>();
    QVERIFY(port == a.serverPort() || port == b.serverPort());
    QCOMPARE(timedOut.count(), 0);
    QCOMPARE(
        recorder.texts(QtInfoMsg).first(),
        QStringLiteral("PortChecker: Checking: %1, %2, %3").arg(closedPort).arg(a.serverPort()).arg(b.serverPort()));
}

void TestEngines::portCheckerReportsEvery()
{
    QTcpServer a;
    QTcpServer b;
    QVERIFY(a.listen(QHostAddress::LocalHost, 0) && b.listen(QHostAddress::LocalHost, 0));
    PortChecker checker(QStringLiteral("127.0.0.1"), {a.serverPort(), b.serverPort()}, 1);
    QSignalSpy available(&checker, &PortChecker::portIsAvailable);
    QSignalSpy timedOut(&checker, &PortChecker::timeout);
    checker.check(false);
    QTRY_COMPARE(available.count(), 2);
    QTest::qWait(1300);
    QCOMPARE(timedOut.count(), 0);
}

void TestEngines::portCheckerTimesOut()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    MessageRecorder recorder;
    PortChecker checker(QStringLiteral("127.0.0.1"), {port}, 1);
    QSignalSpy timedOut(&checker, &PortChecker::timeout);
    checker.check(true);
    QTRY_COMPARE_WITH_TIMEOUT(timedOut.count(), 1, 3000);
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("PortChecker: Timeout")));
}

void TestEngines::stunnelConfiguration()
{
    QFile source(QStringLiteral(":/resources/config/stunnel.conf"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString templateText = QString::fromUtf8(source.readAll());
    QVERIFY(templateText.contains(QLatin1String("\r\n")));

    const QStringList windows = Stunnel::configText(templateText, QStringLiteral("10.0.0.7"), QString()).split("\r\n");
    QCOMPARE(windows.at(4), QString());
    QVERIFY(windows.contains(QStringLiteral("connect = 10.0.0.7:443")));
    QVERIFY(windows.contains(QStringLiteral("accept = 127.0.0.1:1194")));
    const QString linux =
        Stunnel::configText(templateText, QStringLiteral("10.0.0.7"), Platform::stunnelAdvancedOptions());
    QVERIFY(!linux.contains(QLatin1Char('<')));
    QCOMPARE(linux.split("\r\n").at(4), QStringLiteral("foreground = yes"));
    QCOMPARE(Stunnel::configFilePath(), m_data.filePath(QStringLiteral("stunnel.conf")));
}

void TestEngines::stunnelSplitPhrase()
{
    writeExecutable(m_appDir.filePath(QStringLiteral("stunnel/bin/stunnel")),
                    "printf 'Configuration succ'; sleep 0.3; printf 'essful\\n'; exec sleep 30");
    Stunnel stunnel;
    QSignalSpy started(&stunnel, &Stunnel::started);
    QVERIFY(stunnel.start(QStringLiteral("10.0.0.7")));
    QVERIFY(QFileInfo::exists(Stunnel::configFilePath()));
    QTest::qWait(800);
    QCOMPARE(started.count(), 0);
    QVERIFY(QFileInfo::exists(Stunnel::configFilePath()));
    stunnel.stop();
}

void TestEngines::stunnelAnnouncesItself()
{
    // The real stunnel writes its notice on one line; the script checks that it got the file.
    writeExecutable(
        m_appDir.filePath(QStringLiteral("stunnel/bin/stunnel")),
        "grep -q 'connect = 10.0.0.7:443' \"$1\" && echo 'LOG5[ui]: Configuration successful'; exec sleep 30");
    Stunnel stunnel;
    QSignalSpy started(&stunnel, &Stunnel::started);
    MessageRecorder recorder;
    QVERIFY(stunnel.start(QStringLiteral("10.0.0.7")));
    QTRY_COMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toBool(), true);
    QVERIFY(!QFileInfo::exists(Stunnel::configFilePath()));

    // A second start ends the first tunnel before the next begins.
    QVERIFY(stunnel.start(QStringLiteral("10.0.0.7")));
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("Stunnel: Stop process")));
    QTRY_COMPARE(started.count(), 2);
    stunnel.stop();
}

void TestEngines::stunnelStopIsBounded()
{
    // Asked to end, the tunnel ends as it likes to.
    const QString marker = m_data.filePath(QStringLiteral("stunnel-ended"));
    writeExecutable(m_appDir.filePath(QStringLiteral("stunnel/bin/stunnel")),
                    QStringLiteral("trap 'echo ended > %1; exit 0' TERM; echo 'Configuration successful'; "
                                   "while :; do sleep 0.05; done")
                        .arg(marker)
                        .toUtf8());
    Stunnel stunnel;
    QSignalSpy started(&stunnel, &Stunnel::started);
    QVERIFY(stunnel.start(QStringLiteral("10.0.0.7")));
    QTRY_COMPARE(started.count(), 1);
    stunnel.stop();
    QCOMPARE(readFile(marker), QByteArray("ended\n"));

    // One that will not end is killed after the wait, and the wait has its limit.
    writeExecutable(m_appDir.filePath(QStringLiteral("stunnel/bin/stunnel")),
                    "trap '' TERM; echo 'Configuration successful'; exec sleep 30");
    QVERIFY(stunnel.start(QStringLiteral("10.0.0.7")));
    QTRY_COMPARE(started.count(), 2);
    stunnel.setStopWaitForTesting(400);
    QElapsedTimer timer;
    timer.start();
    stunnel.stop();
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    MessageRecorder recorder;
    QVERIFY(stunnel.start(QStringLiteral("10.0.0.7"))); // nothing of the old one left to stop
    QVERIFY(!recorder.texts(QtInfoMsg).contains(QStringLiteral("Stunnel: Stop process")));
    stunnel.setStopWaitForTesting(400);
    stunnel.stop();
}

void TestEngines::startClient(OpenVpnClient &client, FakeService &service, const ConnectionParameters &p)
{
    client.setConnectionParameters(p);
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    client.connectToVpn();
    QCOMPARE(client.connectionState(), ConnectionState::Id::Connecting);
    QTRY_VERIFY(service.frames().size() >= 2);
    const QString command = service.frames().last();
    QVERIFY2(command.startsWith(QStringLiteral("start: \"%1\" \"--config\" \"").arg(client.executablePath())),
             qPrintable(command));
    QVERIFY(
        command.contains(QLatin1String("\"--management\" \"127.0.0.1\" \"61973\" "
                                       "\"--management-query-passwords\" \"--management-client\" \"--log-append\"")));
    QVERIFY(command.endsWith(QLatin1String("-vpn.log\"")));
    // Until the report is in, the client stops a starting engine by the kill alone.
    QSignalSpy reports(ServiceController::instance(), &ServiceController::processOutput);
    service.report(QStringLiteral("started:4242,0,openvpn"));
    QTRY_COMPARE(reports.count(), 1);
}

void TestEngines::managementDialogue()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    OpenVpnClient client;
    QSignalSpy address(&client, &VpnClient::assignedInternalIp);
    QSignalSpy dns(&client, &VpnClient::dnsServerAddressesPushed);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    MessageRecorder recorder;

    ConnectionParameters p = parameters(0, true);
    p.password = QStringLiteral("a\\b\"c");
    startClient(client, service, p);

    ManagementPeer peer;
    QVERIFY(peer.connect());
    peer.send(">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info");
    peer.send(">PASSWORD:Need 'Auth' username/password");
    QCOMPARE(peer.received(35), QByteArray("state on\nlog on\nusername 'Auth' ann\n"));
    peer.send("SUCCESS: 'Auth' username entered, now enter password");
    QCOMPARE(peer.received(25), QByteArray("password 'Auth' \"a\\\\b\\\"c\"\n"));

    peer.send(">STATE:1700000000,ASSIGN_IP,,10.8.0.2,,,,,");
    peer.send(">STATE:1700000001,ASSIGN_IP,,10.8.0.3,,,,,");
    QTRY_COMPARE(address.count(), 1);
    QCOMPARE(address.at(0).at(0).toString(), QStringLiteral("10.8.0.2"));

    peer.send(">LOG:1700000002,,PUSH: Received control message: 'PUSH_REPLY,dhcp-option DNS 172.16.0.1,ping 10'");
    peer.send(">LOG:1700000003,,PUSH: Received control message: 'PUSH_REPLY,route-gateway 10.8.0.1,dhcp-option DNS "
              "172.16.0.1,dhcp-option DNS6 fd00:dead:beef:cafe::1,ifconfig 10.8.0.2 255.255.255.0'");
    QTRY_COMPARE(dns.count(), 1);
    QCOMPARE(dns.at(0).at(0).toString(), QStringLiteral("172.16.0.1"));
    QCOMPARE(dns.at(0).at(1).toString(), QStringLiteral("fd00:dead:beef:cafe::1"));

    peer.send(">STATE:1700000004,CONNECTED,SUCCESS,10.8.0.2,10.99.0.1,1194,,,");
    QCOMPARE(peer.received(12), QByteArray("bytecount 1\n"));
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connected);

    peer.send(">BYTECOUNT:1024,2048");
    QTRY_COMPARE(bytes.count(), 1);
    QCOMPARE(bytes.at(0).at(0).toULongLong(), 1024ULL);
    QCOMPARE(bytes.at(0).at(1).toULongLong(), 2048ULL);

    for (const QString &line : recorder.texts(QtInfoMsg)) {
        QVERIFY2(!line.contains(QLatin1String("BYTECOUNT")), qPrintable(line));
        QVERIFY2(!line.contains(QLatin1String("a\\b")), "the password reached the log");
    }
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("OpenVpnClient: Management: Sent password: ***")));
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("OpenVpnClient: Management: Sent username: ann")));

    // A disconnect goes over the channel while the engine runs.
    QProcess engine;
    engine.start(m_sleeper, {QStringLiteral("30")});
    QVERIFY(engine.waitForStarted());
    client.disconnectFromVpn();
    QCOMPARE(peer.received(16), QByteArray("signal SIGTERM\r\n"));
    QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnecting);

    // The engine announces its exit and ends within the wait: no kill.
    peer.send(">STATE:1700000005,EXITING,SIGTERM,,,,,");
    QTest::qWait(500);
    engine.kill();
    engine.waitForFinished();
    service.report(QStringLiteral("finished:4242,0,openvpn"));
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Disconnected);
    QTest::qWait(OpenVpnClient::exitWaitMs + 300);
    QVERIFY(!service.frames().contains(QStringLiteral("start: <kill openvpn>")));
    QVERIFY(client.configFilePath().isEmpty());
}

void TestEngines::managementExitAndKill()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    QProcess engine;
    engine.start(m_sleeper, {QStringLiteral("30")});
    QVERIFY(engine.waitForStarted());

    {
        // Channel down: the kill command stands in for the signal.
        OpenVpnClient client;
        startClient(client, service, parameters(1, false));
        QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connecting);
        service.clearFrames();
        client.disconnectFromVpn();
        QTRY_COMPARE(service.frames(), QStringList{"start: <kill openvpn>"});
        service.report(QStringLiteral("finished:4242,0,openvpn"));
        QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Disconnected);
    }
    {
        // Announced exit without an end: killed after the wait, then taken as finished.
        OpenVpnClient client;
        startClient(client, service, parameters(1, false));
        ManagementPeer peer;
        QVERIFY(peer.connect());
        QTest::qWait(100);
        service.clearFrames();
        MessageRecorder recorder;
        QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
        peer.send(">STATE:1700000005,EXITING,SIGTERM,,,,,");
        QTest::qWait(OpenVpnClient::exitWaitMs - 500);
        QCOMPARE(changed.count(), 0);
        // Not asked to disconnect, reconnection on: disconnected, then the controller is told to reconnect.
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 3000);
        QCOMPARE(changed.at(0).at(0).value<ConnectionState::Id>(), ConnectionState::Id::Disconnected);
        QCOMPARE(changed.at(1).at(0).value<ConnectionState::Id>(), ConnectionState::Id::Reconnecting);
        QVERIFY(recorder.texts(QtInfoMsg).contains(
            QStringLiteral("OpenVpnClient: Timeout while waiting for notification from openvpn process..")));
        QVERIFY(recorder.texts(QtInfoMsg).contains(
            QStringLiteral("OpenVpnClient: Checking if openvpn process is running: true")));
        QTRY_COMPARE(service.frames(), QStringList{"start: <kill openvpn>"});
    }
    engine.kill();
    engine.waitForFinished();
}

void TestEngines::managementWrongPassword()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    OpenVpnClient client;
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    startClient(client, service, parameters(0, true));
    ManagementPeer peer;
    QVERIFY(peer.connect());
    MessageRecorder recorder;
    peer.send(">PASSWORD:Verification Failed: 'Auth'");
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Error);
    const QList<QVariant> error = changed.last();
    QCOMPARE(error.at(1).toString(), QStringLiteral("Error: Wrong Username/Password"));
    QCOMPARE(error.at(2).toBool(), true);
    QVERIFY(recorder.texts(QtCriticalMsg).contains(QStringLiteral("OpenVpnClient: Error: Wrong Username/Password")));

    service.report(QStringLiteral("finished:4242,1,openvpn"));
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Disconnected);
    QTest::qWait(200);
    QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnected); // no reconnection
}

void TestEngines::engineEnds_data()
{
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<ConnectionState::Id>("state");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reconnects");

    using S = ConnectionState::Id;
    QTest::newRow("crash") << false << QStringList{"started:4242,0,openvpn", "finished:4242,137,openvpn"}
                           << S::Disconnected << "CrashExit" << true;
    QTest::newRow("asked to stop, then killed")
        << true << QStringList{"started:4242,0,openvpn", "finished:4242,137,openvpn"} << S::Disconnected << "" << false;
    QTest::newRow("refused") << false << QStringList{"started:0,1,openvpn"} << S::Error
                             << "The service refused to start openvpn" << false;
    QTest::newRow("failed to start") << false << QStringList{"started:0,2,openvpn"} << S::Error
                                     << "The service could not start openvpn" << false;
    QTest::newRow("an earlier engine's end")
        << false << QStringList{"started:4242,0,openvpn", "finished:4100,0,openvpn"} << S::Connecting << "" << false;
}

// However the engine ends, the client says so, reconnects only from a crash it did not ask
// for, and frees the management port for the next client at once.
void TestEngines::engineEnds()
{
    QFETCH(bool, stopFirst);
    QFETCH(QStringList, reports);
    QFETCH(ConnectionState::Id, state);
    QFETCH(QString, text);
    QFETCH(bool, reconnects);

    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    OpenVpnClient client;
    client.setConnectionParameters(parameters(0, true));
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    client.connectToVpn();
    QCOMPARE(client.connectionState(), ConnectionState::Id::Connecting);
    if (stopFirst)
        client.disconnectFromVpn();
    for (const QString &report : reports)
        service.report(report);
    QTRY_COMPARE(changed.last().at(0).value<ConnectionState::Id>(),
                 reconnects ? ConnectionState::Id::Reconnecting : state);
    QTest::qWait(100);
    QCOMPARE(client.connectionState(), reconnects ? ConnectionState::Id::Reconnecting : state);
    const QList<QVariant> end = reconnects ? changed.at(changed.count() - 2) : changed.last();
    QCOMPARE(end.at(0).value<ConnectionState::Id>(), state);
    QCOMPARE(end.at(1).toString(), text);

    QTcpServer next;
    QCOMPARE(next.listen(QHostAddress::LocalHost, OpenVpnClient::managementPort),
             state != ConnectionState::Id::Connecting);
}

void TestEngines::stopBeforeTheEngineIsVisible()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    OpenVpnClient client;
    client.setConnectionParameters(parameters(0, true));
    client.connectToVpn();
    QTRY_VERIFY(!service.frames().filter(QStringLiteral("--management")).isEmpty());
    // The engine is quick to reach its channel; the service has not reported it yet.
    ManagementPeer early;
    QVERIFY(early.connect());
    QTest::qWait(100);

    // The user disconnects now: the kill follows the start command to the service, so it
    // reaches the engine whenever that appears.
    service.clearFrames();
    client.disconnectFromVpn();
    QTRY_COMPARE(service.frames(), QStringList{"start: <kill openvpn>"});
    QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnecting);

    // Asking for credentials, it is told to end instead, and never counts as connected.
    early.send(">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info");
    early.send(">PASSWORD:Need 'Auth' username/password");
    const QByteArray heard = early.received(32);
    QVERIFY2(!heard.contains("username"), heard.constData());
    QVERIFY2(heard.endsWith("signal SIGTERM\r\n"), heard.constData());
    early.send(">STATE:1700000004,CONNECTED,SUCCESS,10.8.0.2,10.99.0.1,1194,,,");
    QTest::qWait(200);
    QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnecting);

    // A later one finds nobody at the port.
    ManagementPeer late;
    QVERIFY(!late.connect());
    service.report(QStringLiteral("started:4242,0,openvpn"));
    service.report(QStringLiteral("finished:4242,137,openvpn"));
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Disconnected);
}

void TestEngines::stopSignalLeavesOnDestruction()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    QProcess engine;
    engine.start(m_sleeper, {QStringLiteral("30")});
    QVERIFY(engine.waitForStarted());
    ManagementPeer peer;
    {
        OpenVpnClient client;
        startClient(client, service, parameters(0, true));
        QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Connecting);
        QVERIFY(peer.connect());
        QTRY_VERIFY(peer.socket().state() == QAbstractSocket::ConnectedState);
        QTest::qWait(100);
        // The program quits while connected: the client goes without the event loop's help.
        // The engine is still busy talking: its lines wait unread.
        peer.send(">LOG:1700000002,,still talking");
    }
    QCOMPARE(peer.received(16), QByteArray("signal SIGTERM\r\n"));
    engine.kill();
    engine.waitForFinished();
}

void TestEngines::engineMissing()
{
    OpenVpnClient client;
    ConnectionParameters p = parameters(0, true);
    p.server.clear();
    client.setConnectionParameters(p);
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    MessageRecorder recorder;
    client.connectToVpn();
    QCOMPARE(client.connectionState(), ConnectionState::Id::Error);
    QCOMPARE(changed.last().at(1).toString(), QStringLiteral("OpenVPN server is empty!"));
    QCOMPARE(changed.last().at(2).toBool(), false);

    qputenv("VELMORIX_APP_DIR", m_data.path().toLocal8Bit());
    OpenVpnClient elsewhere;
    elsewhere.setConnectionParameters(parameters(0, true));
    elsewhere.connectToVpn();
    QCOMPARE(elsewhere.lastError(),
             QStringLiteral("OpenVPN executable '%1' does not exists").arg(m_data.filePath("openvpn/bin/openvpn")));
    QCOMPARE(elsewhere.connectionState(), ConnectionState::Id::Error);
    qputenv("VELMORIX_APP_DIR", m_appDir.path().toLocal8Bit());
}

void TestEngines::hostileServersWriteNoLines()
{
    // What survives the catalogue writes configurations of exactly the template's lines.
    const auto lineCount = [](const QString &text) { return text.count(QLatin1Char('\n')); };
    QFile source(QStringLiteral(":/resources/config/stunnel.conf"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString stunnelTemplate = QString::fromUtf8(source.readAll());
    const auto openVpnConfig = [](const QString &server) {
        OpenVpnClient client;
        ConnectionParameters p = parameters(0, true);
        p.server = server;
        client.setConnectionParameters(p);
        return client.prepareConfig() ? QString::fromLatin1(readFile(client.configFilePath())) : QString();
    };
    const int openVpnLines = lineCount(openVpnConfig(QStringLiteral("10.0.0.1")));
    const int stunnelLines = lineCount(Stunnel::configText(stunnelTemplate, QStringLiteral("10.0.0.1"), QString()));
    Account account(7, "demo", "Active", {}, {}, "10.66.0.2", "cHJpdmF0ZS1rZXktb2YtdGhlLWNsaWVudC0wMDAwMDA=");
    const int wireGuardLines = lineCount(WireGuardClient::configText(account, QStringLiteral("10.0.0.1")));
    QVERIFY(openVpnLines > 20 && stunnelLines >= 8 && wireGuardLines == 9);

    const Servers servers =
        parseServerList(QString::fromUtf8(TestSupport::readSupportFile(QStringLiteral("hostile-catalogue.xml"))));
    QVERIFY(!servers.isEmpty());
    for (const Server &server : servers) {
        QCOMPARE(lineCount(openVpnConfig(server.ip)), openVpnLines);
        QCOMPARE(lineCount(Stunnel::configText(stunnelTemplate, server.ip, QString())), stunnelLines);
        QCOMPARE(lineCount(WireGuardClient::configText(account, server.ip)), wireGuardLines);
    }

    // And where an address comes from elsewhere, the writers refuse it themselves.
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    QTest::qWait(100);
    service.clearFrames();
    for (const QString &hostile : {QStringLiteral("10.0.0.1\nscript-security 2"),
                                   QStringLiteral("10.0.0.1\r\nup /bin/sh"),
                                   QStringLiteral("fe80::1%eth0"),
                                   QStringLiteral("10.0.0.1 443 tcp")}) {
        OpenVpnClient client;
        ConnectionParameters p = parameters(0, true);
        p.server = hostile;
        client.setConnectionParameters(p);
        client.connectToVpn();
        QCOMPARE(client.connectionState(), ConnectionState::Id::Error);
        Stunnel stunnel;
        QVERIFY(!stunnel.start(hostile));
        QCOMPARE(WireGuardClient::configText(account, hostile), QString());
    }
    QTest::qWait(200);
    QCOMPARE(service.frames(), QStringList());
}

void TestEngines::credentialsWithControlCharacters_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::newRow("a second command after the user name") << "ann\nsignal SIGHUP"
                                                          << "secret";
    QTest::newRow("a second command after the password") << "ann"
                                                         << "secret\r\nsignal SIGHUP";
    QTest::newRow("NUL in the user name") << QString::fromUtf8("ann\0x", 5) << "secret";
    QTest::newRow("escape in the password") << "ann"
                                            << "se\x1b"
                                               "cret";
}

void TestEngines::credentialsWithControlCharacters()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    QTest::qWait(100);
    service.clearFrames();
    OpenVpnClient client;
    ConnectionParameters p = parameters(0, true);
    p.userName = userName;
    p.password = password;
    client.setConnectionParameters(p);
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    client.connectToVpn();
    // Refused before anything starts, with a text for the user.
    QCOMPARE(client.connectionState(), ConnectionState::Id::Error);
    QVERIFY2(changed.last().at(1).toString().contains(QLatin1String("control characters")),
             qPrintable(changed.last().at(1).toString()));
    QTest::qWait(200);
    QCOMPARE(service.frames(), QStringList());
}

void TestEngines::credentialsCheckedWhereSent()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    OpenVpnClient client;
    startClient(client, service, parameters(0, true));
    ManagementPeer peer;
    QVERIFY(peer.connect());
    // The credentials change under way, as a bug elsewhere could make them.
    ConnectionParameters p = parameters(0, true);
    p.userName = QStringLiteral("ann\nsignal SIGHUP");
    client.setConnectionParameters(p);
    peer.send(">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info");
    peer.send(">PASSWORD:Need 'Auth' username/password");
    const QByteArray sent = peer.drain(500);
    QVERIFY2(!sent.contains("username") && !sent.contains("SIGHUP"), sent.constData());
    QTRY_COMPARE(client.connectionState(), ConnectionState::Id::Error);
}

QTEST_GUILESS_MAIN(TestEngines)
#include "tst_engines.moc"

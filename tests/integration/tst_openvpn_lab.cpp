#include "logger.h"
#include "openvpnclient.h"
#include "servicecontroller.h"
#include "testsupport.h"
#include "vpnservicerunner.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <memory>

// OpenVpnClient against the real openvpn, started by the real vpn-service, towards real
// OpenVPN servers in the namespace pair of tests/support/openvpn-lab.
class TestOpenVpnLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void connectsAndCarriesTraffic_data();
    void connectsAndCarriesTraffic();
    void wrongPassword();
    void engineKilled();
    void foreignProcessGetsNoPassword();

private:
    ConnectionParameters parameters(int protocol, quint16 port) const;
    bool ping(const QString &address) const;
    static bool processAlive(qint64 pid) { return pid > 0 && ::kill(pid_t(pid), 0) == 0; }

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    QString m_server;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
};

void TestOpenVpnLab::initTestCase()
{
    m_server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_server.isEmpty(),
                     QStringLiteral("needs root, openvpn, stunnel and the namespaces of tests/support/openvpn-lab"));
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    qputenv("VELMORIX_APP_DIR", VELMORIX_APP_DIR_PATH);
    QVERIFY(Logger::instance()->isInitialized());

    const quint16 port = TestSupport::freePort();
    m_service = std::make_unique<VpnServiceRunner>(QStringLiteral(VELMORIX_APP_DIR_PATH), port);
    QVERIFY(m_service->waitListening());
    m_link = std::make_unique<ServiceController>(true, nullptr, port);
    QTRY_VERIFY(m_link->isConnected());
}

void TestOpenVpnLab::cleanupTestCase()
{
    m_link.reset();
    m_service.reset();
}

void TestOpenVpnLab::cleanup()
{
    // The client's log holds the management dialogue: shown when a test fails.
    if (!QTest::currentTestFailed())
        return;
    QFile log(Logger::instance()->logFilePath());
    if (log.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = log.readAll().split('\n');
        for (const QByteArray &line : lines.mid(qMax(0, lines.size() - 80)))
            std::fprintf(stderr, "log: %s\n", line.constData());
    }
}

ConnectionParameters TestOpenVpnLab::parameters(int protocol, quint16 port) const
{
    ConnectionParameters p;
    p.userName = QStringLiteral("demo");
    p.password = QStringLiteral("demo-pass");
    p.server = m_server;
    p.protocol = protocol;
    p.port = port;
    p.autoReconnectionOnError = true;
    p.ipv6Enabled = true;
    return p;
}

bool TestOpenVpnLab::ping(const QString &address) const
{
    return QProcess::execute(QStringLiteral("ping"),
                             {QStringLiteral("-c"),
                              QStringLiteral("5"),
                              QStringLiteral("-i"),
                              QStringLiteral("0.2"),
                              QStringLiteral("-W"),
                              QStringLiteral("2"),
                              address})
        == 0;
}

void TestOpenVpnLab::connectsAndCarriesTraffic_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("subnet");
    QTest::addColumn<QString>("gateway");

    QTest::newRow("udp") << 0 << 1194 << "10.8.0."
                         << "10.8.0.1";
    QTest::newRow("tcp") << 1 << 1194 << "10.9.0."
                         << "10.9.0.1";
    QTest::newRow("stealth") << 2 << 443 << "10.9.0."
                             << "10.9.0.1";
}

void TestOpenVpnLab::connectsAndCarriesTraffic()
{
    QFETCH(int, protocol);
    QFETCH(int, port);
    QFETCH(QString, subnet);
    QFETCH(QString, gateway);

    OpenVpnClient client;
    QSignalSpy address(&client, &VpnClient::assignedInternalIp);
    QSignalSpy dns(&client, &VpnClient::dnsServerAddressesPushed);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    client.setConnectionParameters(parameters(protocol, quint16(port)));
    client.connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Connected, 30000);

    QCOMPARE(address.count(), 1);
    QVERIFY2(address.at(0).at(0).toString().startsWith(subnet), qPrintable(address.at(0).at(0).toString()));
    QCOMPARE(dns.count(), 1);
    QCOMPARE(dns.at(0).at(0).toString(), QStringLiteral("172.16.0.1"));
    QCOMPARE(dns.at(0).at(1).toString(), QStringLiteral("fd00:dead:beef:cafe::1"));
    const qint64 pid = m_service->lastPid(QStringLiteral("openvpn"));
    QVERIFY(processAlive(pid));

    // Traffic through the tunnel shows in the counters. OpenVPN reports them on its coarse
    // timer: up to ten seconds apart on a quiet link.
    QVERIFY(ping(gateway));
    QTRY_VERIFY_WITH_TIMEOUT(bytes.count() >= 1, 15000);
    QVERIFY(ping(gateway));
    const int reports = bytes.count();
    QTRY_VERIFY_WITH_TIMEOUT(bytes.count() > reports, 15000);
    QVERIFY(bytes.last().at(0).toULongLong() >= 5 * 84 && bytes.last().at(1).toULongLong() >= 5 * 84);

    client.disconnectFromVpn();
    QCOMPARE(client.connectionState(), ConnectionState::Id::Disconnecting);
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Disconnected, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!processAlive(pid), 5000);
}

void TestOpenVpnLab::wrongPassword()
{
    OpenVpnClient client;
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    ConnectionParameters p = parameters(0, 1194);
    p.password = QStringLiteral("not-the-password");
    client.setConnectionParameters(p);
    client.connectToVpn();

    // The engine gives up by itself after the refusal: Error, then Disconnected, and no
    // reconnection.
    const auto states = [&changed] {
        QList<ConnectionState::Id> ids;
        for (const QList<QVariant> &change : changed)
            ids << change.at(0).value<ConnectionState::Id>();
        return ids;
    };
    QTRY_VERIFY_WITH_TIMEOUT(states().contains(ConnectionState::Id::Disconnected), 30000);
    QTest::qWait(1000);
    QCOMPARE(states(),
             (QList<ConnectionState::Id>{
                 ConnectionState::Id::Connecting, ConnectionState::Id::Error, ConnectionState::Id::Disconnected}));
    QCOMPARE(changed.at(1).at(1).toString(), QStringLiteral("Error: Wrong Username/Password"));
    QCOMPARE(changed.at(1).at(2).toBool(), true);
}

void TestOpenVpnLab::engineKilled()
{
    OpenVpnClient client;
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0, 1194));
    client.connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Connected, 30000);
    const qint64 pid = m_service->lastPid(QStringLiteral("openvpn"));
    QVERIFY(processAlive(pid));
    changed.clear();

    QVERIFY(::kill(pid_t(pid), SIGKILL) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Reconnecting, 10000);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(0).at(0).value<ConnectionState::Id>(), ConnectionState::Id::Disconnected);
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("CrashExit"));
    QCOMPARE(changed.at(1).at(2).toBool(), true);
}

void TestOpenVpnLab::foreignProcessGetsNoPassword()
{
    OpenVpnClient client;
    client.setConnectionParameters(parameters(0, 1194));
    client.connectToVpn();
    // Listening began inside connectToVpn: this process is at the door before the engine.
    QTcpSocket intruder;
    intruder.connectToHost(QHostAddress::LocalHost, OpenVpnClient::managementPort);
    QVERIFY(intruder.waitForConnected(2000));
    intruder.write(">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info\r\n"
                   ">PASSWORD:Need 'Auth' username/password\r\n");
    QByteArray heard;
    connect(&intruder, &QTcpSocket::readyRead, this, [&] { heard += intruder.readAll(); });

    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Connected, 30000);
    heard += intruder.readAll();
    QCOMPARE(heard, QByteArray());
    QVERIFY(intruder.state() != QAbstractSocket::ConnectedState);

    client.disconnectFromVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Disconnected, 15000);
}

QTEST_GUILESS_MAIN(TestOpenVpnLab)
#include "tst_openvpn_lab.moc"

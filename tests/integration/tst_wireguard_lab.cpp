#include "dnsmanager.h"
#include "logger.h"
#include "servicecontroller.h"
#include "testsupport.h"
#include "vpnservicerunner.h"
#include "wireguardclient.h"
#include "wireguardlogger.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

// WireGuardClient through the real vpn-service and the wireguard-service stand-in on
// wireguard-go, towards the WireGuard server of tests/support/openvpn-lab.
class TestWireGuardLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void connectsAndCarriesTraffic();
    void killedTunnelGivesTheDnsBack();
    void wrongServerKey();

private:
    static Account labAccount();
    static bool ping(const QString &address);
    static QByteArray resolvConf();
    bool connectClient(WireGuardClient &client);

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    QString m_server;
    QByteArray m_userResolvConf;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
};

Account TestWireGuardLab::labAccount()
{
    QFile key(TestSupport::supportPath(QStringLiteral("pki/wireguard-client.key")));
    key.open(QIODevice::ReadOnly);
    return Account(7,
                   QStringLiteral("demo"),
                   QStringLiteral("Active"),
                   QString(),
                   QString(),
                   QStringLiteral("10.66.0.2"),
                   QString::fromLatin1(key.readAll().trimmed()));
}

bool TestWireGuardLab::ping(const QString &address)
{
    return QProcess::execute(QStringLiteral("ping"),
                             {QStringLiteral("-c"),
                              QStringLiteral("3"),
                              QStringLiteral("-i"),
                              QStringLiteral("0.2"),
                              QStringLiteral("-W"),
                              QStringLiteral("2"),
                              address})
        == 0;
}

QByteArray TestWireGuardLab::resolvConf()
{
    QFile file(QStringLiteral("/etc/resolv.conf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestWireGuardLab::initTestCase()
{
    m_server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_server.isEmpty(),
                     QStringLiteral("needs root, wireguard-go and the namespaces of tests/support/openvpn-lab"));
    VELMORIX_REQUIRE(WireGuardClient::isSupported(), QStringLiteral("needs wireguard-go and wg"));
    // The tunnel switches the DNS: only the lab's own resolver file may be there.
    m_userResolvConf = resolvConf();
    QVERIFY2(m_userResolvConf.startsWith("# resolver of the lab client"), "not the lab's resolver file");
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

void TestWireGuardLab::cleanupTestCase()
{
    m_link.reset();
    m_service.reset();
}

void TestWireGuardLab::cleanup()
{
    if (QTest::currentTestFailed())
        std::fprintf(stderr, "service log:\n%s\n", qPrintable(m_service->log().right(4000)));
}

void TestWireGuardLab::connectsAndCarriesTraffic()
{
    VpnClient::setAccount(labAccount());
    WireGuardClient client;
    ConnectionParameters p;
    p.server = m_server;
    p.protocol = 3;
    p.port = 55888;
    p.autoReconnectionOnError = true;
    client.setConnectionParameters(p);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    QSignalSpy logLines(client.findChild<WireGuardLogger *>(), &WireGuardLogger::lineReaded);

    client.connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Connected, 30000);
    QVERIFY(QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")));
    QTRY_VERIFY(logLines.count() >= 1);
    // The configuration's DNS server for the tunnel's life.
    QVERIFY2(resolvConf().contains("nameserver 172.16.0.1\n"), resolvConf().constData());
    QVERIFY(!resolvConf().contains("192.0.2.53"));

    QVERIFY(ping(QStringLiteral("10.66.0.1")));
    QTRY_VERIFY_WITH_TIMEOUT(bytes.count() >= 1, 5000);
    const quint64 before = bytes.last().at(0).toULongLong();
    QVERIFY(ping(QStringLiteral("10.66.0.1")));
    QTRY_VERIFY_WITH_TIMEOUT(bytes.last().at(0).toULongLong() > before, 5000);

    client.disconnectFromVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Disconnected, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")), 10000);
    QCOMPARE(resolvConf(), m_userResolvConf);
}

bool TestWireGuardLab::connectClient(WireGuardClient &client)
{
    VpnClient::setAccount(labAccount());
    ConnectionParameters p;
    p.server = m_server;
    p.protocol = 3;
    p.port = 55888;
    client.setConnectionParameters(p);
    client.connectToVpn();
    QElapsedTimer timer;
    timer.start();
    while (client.connectionState() != ConnectionState::Id::Connected && timer.elapsed() < 30000)
        QTest::qWait(20);
    return client.connectionState() == ConnectionState::Id::Connected;
}

void TestWireGuardLab::killedTunnelGivesTheDnsBack()
{
    const QString config = m_data.filePath(QStringLiteral("config/wg-velmorix.conf"));
    const auto killTunnel = [this] {
        WireGuardClient client;
        if (!connectClient(client) || !resolvConf().contains("nameserver 172.16.0.1\n"))
            return false;
        QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
        const qint64 pid = m_service->lastPid(QStringLiteral("wireguard-service"));
        if (pid <= 0 || ::kill(pid_t(pid), SIGKILL) != 0)
            return false;
        // The client sees a crash (and, reconnecting on errors, says it counts on another try).
        const auto crashSeen = [&changed] {
            for (const QList<QVariant> &change : qAsConst(changed)) {
                if (change.at(0).value<ConnectionState::Id>() == ConnectionState::Id::Disconnected
                    && change.at(1).toString() == QLatin1String("CrashExit"))
                    return true;
            }
            return false;
        };
        // Nothing of the killed tunnel is left running: with no kernel module, wireguard-go held
        // the interface, and a survivor would keep the next tunnel from being made.
        const QString interface = QStringLiteral("/sys/class/net/wg-velmorix");
        const bool userspace = !QFileInfo::exists(QStringLiteral("/sys/module/wireguard"));
        QElapsedTimer timer;
        timer.start();
        while ((!crashSeen() || (userspace && QFileInfo::exists(interface))) && timer.elapsed() < 10000)
            QTest::qWait(20);
        return crashSeen() && !(userspace && QFileInfo::exists(interface));
    };
    const auto remove = [&config] {
        return QProcess::execute(QStringLiteral(VELMORIX_APP_DIR_PATH "/wireguard/bin/wireguard-service"),
                                 {QStringLiteral("--remove"), config});
    };

    // The next removal gives the user's servers back.
    QVERIFY(killTunnel());
    QVERIFY(resolvConf().contains("nameserver 172.16.0.1\n"));
    QCOMPARE(remove(), 0);
    QCOMPARE(resolvConf(), m_userResolvConf);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")));

    // So does the client's next start: the data file holds the switch, its reset undoes it.
    QVERIFY(killTunnel());
    QVERIFY(DnsManager::hasRecordedVpnSwitch());
    QCOMPARE(QProcess::execute(QStringLiteral(VELMORIX_APP_DIR_PATH "/dns"), {QStringLiteral("reset")}), 0);
    QCOMPARE(resolvConf(), m_userResolvConf);
    QVERIFY(!DnsManager::hasRecordedVpnSwitch());
    // And a removal after that changes nothing more.
    QCOMPARE(remove(), 0);
    QCOMPARE(resolvConf(), m_userResolvConf);
}

void TestWireGuardLab::wrongServerKey()
{
    Account account = labAccount();
    account.wgPublicKey = QStringLiteral("Zqm7YSuneIw/lhG1JN6Jdf7D0m1rob9OCvW3sXa3CFs="); // not the server's
    VpnClient::setAccount(account);
    WireGuardClient client;
    ConnectionParameters p;
    p.server = m_server;
    p.protocol = 3;
    client.setConnectionParameters(p);
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    client.connectToVpn();
    // The stand-in gives up after its handshake wait, reports, and closes the channel.
    const auto error = [&changed] {
        for (const QList<QVariant> &change : changed) {
            if (change.at(0).value<ConnectionState::Id>() == ConnectionState::Id::Error)
                return change;
        }
        return QList<QVariant>();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!error().isEmpty(), 30000);
    QCOMPARE(error().at(1).toString(), QStringLiteral("Handshake failed"));
    QCOMPARE(error().at(2).toBool(), true);
    client.disconnectFromVpn();
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")), 10000);
}

QTEST_GUILESS_MAIN(TestWireGuardLab)
#include "tst_wireguard_lab.moc"

#include "attacker.h"
#include "logger.h"
#include "openvpnclient.h"
#include "servicecontroller.h"
#include "serviceprocess.h"
#include "testsupport.h"
#include "utils.h"
#include "vpnservicerunner.h"
#include "wireguardclient.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

// The privileged side as a local attacker meets it, in the lab of tests/support/openvpn-lab:
// the engines' local ports taken first, links planted where root writes, a pid file naming
// another process, and a peer that stops answering.
class TestBoundaryLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void squattedManagementPort();
    void squattedStatePort();
    void plantedLinksAreNotFollowed();
    void pidFileOfAnotherProcess();
    void lostPeerIsReported();

private:
    static Account labAccount();
    static ConnectionParameters labParameters(int protocol);
    static bool ping(const QString &address);
    static bool serverNft(const QStringList &arguments);
    QString configFolder() const { return m_data.filePath(QStringLiteral("config")); }
    bool connectWireGuard(WireGuardClient &client);
    void disconnectWireGuard(WireGuardClient &client);

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    QTemporaryDir m_elsewhere;
    QString m_server;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
};

Account TestBoundaryLab::labAccount()
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

ConnectionParameters TestBoundaryLab::labParameters(int protocol)
{
    ConnectionParameters p;
    p.userName = QStringLiteral("demo");
    p.password = QStringLiteral("demo-pass");
    p.server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    p.protocol = protocol;
    p.port = protocol == 3 ? 55888 : 1194;
    p.ipv6Enabled = true;
    p.autoReconnectionOnError = true;
    return p;
}

bool TestBoundaryLab::ping(const QString &address)
{
    return QProcess::execute(
               QStringLiteral("ping"),
               {QStringLiteral("-c"), QStringLiteral("2"), QStringLiteral("-W"), QStringLiteral("2"), address})
        == 0;
}

// `nft` in the lab's server namespace. The server's wireguard-go keeps its control socket in a
// mount namespace of its own, so the peer is silenced from outside, by the firewall.
bool TestBoundaryLab::serverNft(const QStringList &arguments)
{
    const QString server =
        qEnvironmentVariable("VELMORIX_NETNS").replace(QLatin1String("vmx-cli-"), QLatin1String("vmx-srv-"));
    return QProcess::execute(QStringLiteral("ip"),
                             QStringList{QStringLiteral("netns"), QStringLiteral("exec"), server, QStringLiteral("nft")}
                                 + arguments)
        == 0;
}

void TestBoundaryLab::initTestCase()
{
    m_server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_server.isEmpty(),
                     QStringLiteral("needs root and the namespaces of tests/support/openvpn-lab"));
    VELMORIX_REQUIRE(WireGuardClient::isSupported(), QStringLiteral("needs wireguard-go and wg"));
    VELMORIX_REQUIRE(Attacker::canChangeUser(), QStringLiteral("needs setpriv"));
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    qputenv("VELMORIX_APP_DIR", VELMORIX_APP_DIR_PATH);
    QVERIFY(Logger::instance()->isInitialized());
    QVERIFY(QDir().mkpath(configFolder()));
    const quint16 port = TestSupport::freePort();
    m_service = std::make_unique<VpnServiceRunner>(QStringLiteral(VELMORIX_APP_DIR_PATH), port);
    QVERIFY(m_service->waitListening());
    m_link = std::make_unique<ServiceController>(true, nullptr, port);
    QTRY_VERIFY(m_link->isConnected());
    VpnClient::setAccount(labAccount());
}

void TestBoundaryLab::cleanupTestCase()
{
    m_link.reset();
    m_service.reset();
}

void TestBoundaryLab::cleanup()
{
    if (QTest::currentTestFailed() && m_service)
        std::fprintf(stderr, "service log:\n%s\n", qPrintable(m_service->log().right(6000)));
}

bool TestBoundaryLab::connectWireGuard(WireGuardClient &client)
{
    client.setConnectionParameters(labParameters(3));
    client.connectToVpn();
    QElapsedTimer timer;
    timer.start();
    while (client.connectionState() != ConnectionState::Id::Connected && timer.elapsed() < 30000)
        QTest::qWait(50);
    return client.connectionState() == ConnectionState::Id::Connected;
}

void TestBoundaryLab::disconnectWireGuard(WireGuardClient &client)
{
    client.disconnectFromVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Disconnected, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")), 10000);
}

void TestBoundaryLab::squattedManagementPort()
{
    // Another user takes the management port before the client: openvpn would hand it the
    // session.
    Attacker attacker;
    QProcess squatter;
    attacker.start(squatter,
                   Attacker::Nobody,
                   {QStringLiteral("listen"), QString::number(OpenVpnClient::managementPort), QStringLiteral("20")});
    QVERIFY(squatter.waitForReadyRead(5000));
    QVERIFY2(squatter.readAll().contains("listening"), "the squatter could not take the port");

    const int before = m_service->receivedCommands().size();
    {
        OpenVpnClient client;
        client.setConnectionParameters(labParameters(0));
        client.connectToVpn();
        QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Error, 5000);
        QCOMPARE(client.lastError(), QStringLiteral("Cannot open the engine's management channel."));
        for (const QString &command : m_service->receivedCommands().mid(before))
            QVERIFY2(!command.contains(QLatin1String("openvpn/bin/openvpn")), qPrintable(command));
    }
    squatter.kill();
    squatter.waitForFinished();
    QVERIFY2(!squatter.readAll().contains("accepted"), "the engine reached the squatter");

    // The port is free again: the client connects.
    OpenVpnClient client;
    client.setConnectionParameters(labParameters(0));
    client.connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Connected, 30000);
    client.disconnectFromVpn();
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Disconnected, 15000);
}

void TestBoundaryLab::squattedStatePort()
{
    // Another user waits for the state port to open and reports first.
    Attacker attacker;
    QProcess squatter;
    attacker.start(squatter,
                   Attacker::Nobody,
                   {QStringLiteral("connect"),
                    QString::number(WireGuardClient::statePort),
                    QStringLiteral("20"),
                    QStringLiteral(">STATE:CONNECTED"),
                    QStringLiteral(">BYTECOUNT:1 TiB, 1 TiB")});
    QTest::qWait(300);

    WireGuardClient client;
    QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    client.setConnectionParameters(labParameters(3));
    client.connectToVpn();
    QByteArray seen;
    const auto saw = [&](const char *text) {
        seen += squatter.readAll();
        return seen.contains(text);
    };
    QTRY_VERIFY_WITH_TIMEOUT(saw("connected"), 5000);
    // Refused: the client hangs up on it and waits for the real tunnel, which still reports.
    QTRY_VERIFY_WITH_TIMEOUT(saw("closed"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Connected, 30000);
    QVERIFY(m_service->log().contains(QLatin1String("Handshake completed")));
    for (const QList<QVariant> &report : bytes)
        QVERIFY(report.at(0).toULongLong() < 1099511627776ULL);
    QVERIFY(ping(QStringLiteral("10.66.0.1")));
    disconnectWireGuard(client);
    squatter.kill();
    squatter.waitForFinished();
}

void TestBoundaryLab::plantedLinksAreNotFollowed()
{
    // Links where root writes the tunnel's log and pid file, to files that must stay as they are.
    const QString victim = m_elsewhere.filePath(QStringLiteral("victim"));
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("precious\n");
    file.close();
    for (const QString &name : {QStringLiteral("log.bin"), QStringLiteral("wg-velmorix.conf.pid")}) {
        QFile::remove(QDir(configFolder()).filePath(name));
        QVERIFY(QFile::link(victim, QDir(configFolder()).filePath(name)));
    }
    // Every file made in the folder is seen, also one that lives for a moment.
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(inotify_add_watch(watch, QFile::encodeName(configFolder()).constData(), IN_CREATE) >= 0);

    WireGuardClient client;
    QVERIFY(connectWireGuard(client));
    QVERIFY(ping(QStringLiteral("10.66.0.1")));
    disconnectWireGuard(client);

    QFile check(victim);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("precious\n"));
    QVERIFY(!QFileInfo(QDir(configFolder()).filePath(QStringLiteral("log.bin"))).isSymLink());

    QStringList created;
    char buffer[8192];
    for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(static_cast<void *>(at));
            if (event->len > 0)
                created << QString::fromUtf8(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    // The private key is in the client's configuration only: the tunnel program writes it to
    // no file of its own, not even for a moment.
    for (const QString &name : qAsConst(created)) {
        QVERIFY2(name == QLatin1String("wg-velmorix.conf") || name == QLatin1String("log.bin")
                     || name == QLatin1String("wg-velmorix.conf.pid") || name == QLatin1String("wg-velmorix.conf.dns"),
                 qPrintable(name));
    }
}

void TestBoundaryLab::pidFileOfAnotherProcess()
{
    QProcess bystander;
    bystander.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(bystander.waitForStarted());
    const QString config = QDir(configFolder()).filePath(QStringLiteral("wg-velmorix.conf"));
    QFile pid(config + QStringLiteral(".pid"));
    QFile::remove(pid.fileName());
    QVERIFY(pid.open(QIODevice::WriteOnly));
    pid.write(QByteArray::number(bystander.processId()));
    pid.close();

    ServiceProcess remove(QStringLiteral("wireguard-service"));
    QSignalSpy finished(&remove, &ServiceProcess::finished);
    remove.start(
        {QStringLiteral(VELMORIX_APP_DIR_PATH "/wireguard/bin/wireguard-service"), QStringLiteral("--remove"), config});
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QTest::qWait(200);
    QCOMPARE(bystander.state(), QProcess::Running);
    QVERIFY(m_service->log().contains(QLatin1String("which is not the tunnel of")));
    bystander.kill();
    bystander.waitForFinished();
}

void TestBoundaryLab::lostPeerIsReported()
{
    // A service of its own, whose tunnels count a peer lost after a few seconds without a
    // handshake (else it takes minutes).
    m_link.reset();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_WG_PEER_TIMEOUT"), QStringLiteral("6"));
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(QStringLiteral(VELMORIX_APP_DIR_PATH), port, environment);
    QVERIFY(service.waitListening());
    auto link = std::make_unique<ServiceController>(true, nullptr, port);
    QTRY_VERIFY(link->isConnected());

    {
        WireGuardClient client;
        QSignalSpy changed(&client, &VpnClient::connectionStateChanged);
        QVERIFY(connectWireGuard(client));
        // The server goes silent: no handshake answers any more.
        QVERIFY(serverNft({QStringLiteral("add table inet vmxsilent")}));
        QVERIFY(serverNft({QStringLiteral("add chain inet vmxsilent input { type filter hook input priority 0 ; }")}));
        QVERIFY(serverNft({QStringLiteral("add rule inet vmxsilent input udp dport 55888 drop")}));
        QTRY_COMPARE_WITH_TIMEOUT(client.connectionState(), ConnectionState::Id::Reconnecting, 30000);
        const QList<QVariant> end = changed.at(changed.count() - 2);
        QCOMPARE(end.at(0).value<ConnectionState::Id>(), ConnectionState::Id::Disconnected);
        QCOMPARE(end.at(1).toString(), QStringLiteral("CrashExit"));
        QCOMPARE(end.at(2).toBool(), false);
        QVERIFY(service.log().contains(QLatin1String("the peer is lost")));
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")), 10000);
    }
    QVERIFY(serverNft({QStringLiteral("delete table inet vmxsilent")}));
    link.reset();
    m_link = std::make_unique<ServiceController>(true, nullptr, m_service->port());
    QTRY_VERIFY(m_link->isConnected());
}

QTEST_GUILESS_MAIN(TestBoundaryLab)
#include "tst_boundary_lab.moc"

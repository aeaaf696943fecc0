#include "logger.h"
#include "messagerecorder.h"
#include "networkapi.h"
#include "platform/paths.h"
#include "serverchoice.h"
#include "servicecontroller.h"
#include "sessionprotection.h"
#include "settings.h"
#include "status.h"
#include "testbackend.h"
#include "testsupport.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "vpnservicerunner.h"
#include "wireguardclient.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <memory>

// VpnCore end to end, headless: the real service stand-in starts the real engines, the kill
// switch and the dns program towards the servers of tests/support/openvpn-lab; the backend
// answers the public address and the account. Everything runs in the lab's client namespace.
// With VELMORIX_INSTALLED_APP_DIR (tests/package/check-installed) the service and the engines
// are those of an installed package, and the data folders are the installed system's own.
class TestVpnCoreLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void connectsEachProtocol_data();
    void connectsEachProtocol();
    void noOpenPortEndsTheSearch();
    void killSwitchHoldsThroughReconnections();
    void wrongPasswordDoesNotReconnect();
    void serviceRestartMidSession();
    void connectAfterAnEngineThatNeverConnected();
    void disconnectWhileTheEngineStarts();
    void quitWhileConnected();
    void crashRecovery();
    void routerAtTheVpnAddressIsNotALeftover();

private:
    std::unique_ptr<VpnCore> makeCore();
    bool connectAndWait(VpnCore &core, int timeoutMs = 30000);
    bool disconnectAndWait(VpnCore &core);
    QByteArray resolvConf() const;
    static bool reachable(const QString &address);
    static bool tableExists(const QString &table);
    static int run(const QString &program, const QStringList &arguments);
    static QByteArray ipv6Disabled();
    QStringList startsOf(const QString &program);

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    QString m_dataDir;
    QString m_server;
    QByteArray m_userResolvConf;
    quint16 m_port = 0;
    std::unique_ptr<TestBackend> m_backend;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
    std::unique_ptr<NetworkApi> m_api;
};

namespace {

const QByteArray userAddress = "{\"data\":{\"ip\":\"203.0.113.20\",\"iso_code\":\"de\"}}";
const QByteArray vpnAddress = "{\"data\":{\"ip\":\"10.99.0.1\",\"iso_code\":\"nl\"}}";

int portIndex(const QList<quint16> &ports, quint16 port)
{
    return ports.indexOf(port);
}

// OpenVPN over UDP to the lab server's port.
void useUdp()
{
    Settings::instance()->setNetworkProtocol(VpnProtocol::OpenVpnUdp);
    Settings::instance()->setUdpPortIndex(portIndex(Settings::udpPorts(), 1194));
}

} // namespace

void TestVpnCoreLab::initTestCase()
{
    m_server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    VELMORIX_REQUIRE(
        !qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_server.isEmpty(),
        QStringLiteral("needs root, openvpn, stunnel, nftables and the namespaces of tests/support/openvpn-lab"));
    // The DNS switch rewrites /etc/resolv.conf: only the lab's own copy may be there.
    m_userResolvConf = resolvConf();
    QVERIFY2(m_userResolvConf.startsWith("# resolver of the lab client"), "not the lab's resolver file");

    m_backend = std::make_unique<TestBackend>();
    m_backend->geoIp = userAddress;
    m_backend->passwords.insert(QStringLiteral("demo"), QStringLiteral("demo-pass"));
    QFile key(TestSupport::supportPath(QStringLiteral("pki/wireguard-client.key")));
    QVERIFY(key.open(QIODevice::ReadOnly));
    m_backend->accountBody =
        "{\"data\":{\"id\":7,\"username\":\"demo\",\"status\":\"Active\",\"updated\":\"2026-12-01\","
        "\"created\":\"2026-01-01\",\"wg_ip\":\"10.66.0.2\",\"wg_private_key\":\""
        + key.readAll().trimmed() + "\"}}";
    m_backend->catalogue = "<vorrinserverList><server visible=\"1\" status=\"1\" ip=\"10.99.0.1\" "
                           "name=\"lab.example.net\" city=\"Amsterdam\" country=\"NL\"/></vorrinserverList>";

    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    if (VpnServiceRunner::installed()) {
        qunsetenv("VELMORIX_DATA_DIR");
        m_dataDir = Platform::programDataDirectory();
    } else {
        m_dataDir = m_data.path();
        qputenv("VELMORIX_DATA_DIR", m_dataDir.toLocal8Bit());
    }
    qputenv("VELMORIX_APP_DIR", VpnServiceRunner::programsDir().toLocal8Bit());
    qputenv("VELMORIX_API_BASE", m_backend->base().toLocal8Bit());
    QVERIFY(Logger::instance()->isInitialized());

    m_port = TestSupport::freePort();
    m_service = std::make_unique<VpnServiceRunner>(VpnServiceRunner::programsDir(), m_port);
    QVERIFY(m_service->waitListening());
    m_link = std::make_unique<ServiceController>(true, nullptr, m_port);
    QTRY_VERIFY(m_link->isConnected());

    m_api = std::make_unique<NetworkApi>();
    QSignalSpy catalogue(m_api.get(), &NetworkApi::requestServerListFinished);
    m_api->requestServerList();
    QTRY_COMPARE(catalogue.count(), 1);
}

void TestVpnCoreLab::init()
{
    Settings *settings = Settings::instance();
    settings->setUserName(QStringLiteral("demo"));
    settings->setPassword(QStringLiteral("demo-pass"));
    settings->setKillswitchEnabled(true);
    settings->setAllowAccessToLocalDevices(false);
    settings->setAutoReconnectionOnError(true);
    settings->setIpv6Enabled(false);
    m_backend->geoIp = userAddress;
}

void TestVpnCoreLab::cleanup()
{
    if (QTest::currentTestFailed()) {
        std::fprintf(stderr, "service log:\n%s\n", qPrintable(m_service->log().right(6000)));
        QFile log(Logger::instance()->logFilePath());
        if (log.open(QIODevice::ReadOnly))
            std::fprintf(stderr, "client log:\n%s\n", log.readAll().right(6000).constData());
    }
    run(QStringLiteral("nft"),
        {QStringLiteral("delete"), QStringLiteral("table"), QStringLiteral("inet"), QStringLiteral("vmxtest_block")});
}

void TestVpnCoreLab::cleanupTestCase()
{
    m_api.reset();
    m_link.reset();
    m_service.reset();
}

std::unique_ptr<VpnCore> TestVpnCoreLab::makeCore()
{
    auto core = std::make_unique<VpnCore>();
    core->setNetworkApi(m_api.get());
    core->serverChoice().setServers(m_api->servers());
    core->setAutoReconnectionOnError(Settings::instance()->autoReconnectionOnError());
    return core;
}

bool TestVpnCoreLab::connectAndWait(VpnCore &core, int timeoutMs)
{
    core.connectToVpn();
    QElapsedTimer timer;
    timer.start();
    while (core.connectionState() != ConnectionState::Id::Connected && timer.elapsed() < timeoutMs)
        QTest::qWait(20);
    return core.connectionState() == ConnectionState::Id::Connected;
}

bool TestVpnCoreLab::disconnectAndWait(VpnCore &core)
{
    core.disconnectFromVpn();
    QElapsedTimer timer;
    timer.start();
    // Disconnected, and the kill switch's and the DNS program's runs through.
    while ((core.connectionState() != ConnectionState::Id::Disconnected || !core.protection().isSettled())
           && timer.elapsed() < 15000)
        QTest::qWait(20);
    return core.connectionState() == ConnectionState::Id::Disconnected;
}

QByteArray TestVpnCoreLab::resolvConf() const
{
    QFile file(QStringLiteral("/etc/resolv.conf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int TestVpnCoreLab::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(15000))
        return -1;
    return process.exitCode();
}

bool TestVpnCoreLab::reachable(const QString &address)
{
    return run(QStringLiteral("ping"),
               {QStringLiteral("-c"),
                QStringLiteral("1"),
                QStringLiteral("-W"),
                QStringLiteral("1"),
                QStringLiteral("-q"),
                address})
        == 0;
}

bool TestVpnCoreLab::tableExists(const QString &table)
{
    return run(QStringLiteral("nft"), {QStringLiteral("list"), QStringLiteral("table"), QStringLiteral("inet"), table})
        == 0;
}

QByteArray TestVpnCoreLab::ipv6Disabled()
{
    QFile file(QStringLiteral("/proc/sys/net/ipv6/conf/all/disable_ipv6"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

QStringList TestVpnCoreLab::startsOf(const QString &program)
{
    return m_service->receivedCommands().filter(QStringLiteral("/%1\"").arg(program));
}

void TestVpnCoreLab::connectsEachProtocol_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("port"); // 0: the automatic TCP port
    QTest::addColumn<QString>("gateway");
    QTest::newRow("udp") << 0 << 1194 << "10.8.0.1";
    QTest::newRow("tcp") << 1 << 1194 << "10.9.0.1";
    QTest::newRow("tcp auto") << 1 << 0 << "10.9.0.1";
    QTest::newRow("stealth") << 2 << 443 << "10.9.0.1";
    QTest::newRow("wireguard") << 3 << 55888 << "10.66.0.1";
}

void TestVpnCoreLab::connectsEachProtocol()
{
    QFETCH(int, protocol);
    QFETCH(int, port);
    QFETCH(QString, gateway);
    Settings *settings = Settings::instance();
    settings->setNetworkProtocol(protocol);
    if (protocol == 0)
        settings->setUdpPortIndex(portIndex(Settings::udpPorts(), quint16(port)));
    if (protocol == 1)
        settings->setTcpPortIndex(portIndex(Settings::tcpPorts(), quint16(port)));
    const bool wireGuard = protocol == 3;
    if (wireGuard) {
        VELMORIX_REQUIRE(WireGuardClient::isSupported(), QStringLiteral("needs wireguard-go and wg"));
        VpnClient::setAccount(Account());
    }

    std::unique_ptr<VpnCore> core = makeCore();

    // The public address before: the user's own.
    QSignalSpy addresses(core.get(), &VpnCore::currentIpChanged);
    m_api->requestCurrentIpAddress();
    QTRY_COMPARE(core->currentIp(), QStringLiteral("203.0.113.20"));

    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    m_backend->geoIp = vpnAddress;
    if (wireGuard) {
        // An automatic connection waits for the account, which carries the tunnel's key.
        core->setAutoConnectPending(true);
        core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
        QTRY_VERIFY(VpnClient::account().isActive());
        QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), ConnectionState::Id::Connected, 30000);
    } else {
        core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
        QVERIFY(connectAndWait(*core));
    }
    QStringList seen;
    for (const QList<QVariant> &arguments : states)
        seen << ConnectionState::stateName(arguments.first().value<ConnectionState::Id>());
    QCOMPARE(seen,
             port == 0 ? QStringList({"Preparing", "Connecting", "Connected"})
                       : QStringList({"Connecting", "Connected"}));
    if (port == 0)
        QCOMPARE(core->engine()->connectionParameters().port, quint16(1194));
    QCOMPARE(core->vpnConnected(), true);
    // A server chosen in a list is remembered by its name.
    QCOMPARE(Settings::instance()->currentServerId(), QStringLiteral("lab.example.net"));

    // The address the backend now sees, a second after Connected; traffic and time run.
    QTRY_COMPARE_WITH_TIMEOUT(core->currentIp(), QStringLiteral("10.99.0.1"), 5000);
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Your current IP"));
    QVERIFY(reachable(gateway));
    QTRY_VERIFY_WITH_TIMEOUT(core->downloaded() != QStringLiteral("0"), 15000);
    QVERIFY(core->uploaded() != QStringLiteral("0"));
    QTRY_VERIFY_WITH_TIMEOUT(core->vpnOnlineTime() != QStringLiteral("00:00:00"), 3000);
    QVERIFY(core->vpnOnlineTime().startsWith(QLatin1String("00:00:")));

    if (wireGuard) {
        // No kill switch for WireGuard, and no dns run of the client's: the tunnel itself
        // applies its configuration's DNS server.
        QVERIFY(reachable(QStringLiteral("10.99.0.3")));
        QVERIFY(resolvConf().contains("nameserver 172.16.0.1\n"));
        QVERIFY(!Status().dnsActivated());
    } else {
        // Only the tunnel and the VPN server carry traffic; the DNS is the VPN's.
        QTRY_VERIFY(tableExists(QStringLiteral("velmorix_killswitch")));
        QVERIFY(!reachable(QStringLiteral("10.99.0.3")));
        QVERIFY(!reachable(QStringLiteral("198.51.100.7")));
        QVERIFY(reachable(gateway));
        QTRY_VERIFY_WITH_TIMEOUT(resolvConf().contains("nameserver 172.16.0.1"), 10000);
        QVERIFY(Status().killswitchActivated());
        QVERIFY(Status().dnsActivated());
    }

    states.clear();
    QVERIFY(disconnectAndWait(*core));
    QCOMPARE(states.count(), 2);
    QCOMPARE(states.at(0).first().value<ConnectionState::Id>(), ConnectionState::Id::Disconnecting);
    QCOMPARE(core->vpnConnected(), false);
    QCOMPARE(core->downloaded(), QStringLiteral("0"));
    QCOMPARE(core->vpnOnlineTime(), QStringLiteral("00:00:00"));
    // The address seen before the session is back at once.
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.20"));
    QTRY_VERIFY_WITH_TIMEOUT(!tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
    QVERIFY(reachable(QStringLiteral("198.51.100.7")));
    QTRY_COMPARE_WITH_TIMEOUT(resolvConf(), m_userResolvConf, 10000);
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!Status().dnsActivated());
    if (wireGuard) {
        QVERIFY(!QFileInfo::exists(QStringLiteral("/sys/class/net/wg-velmorix")));
        QTest::qWait(300);
        const QStringList commands = m_service->receivedCommands();
        int tunnel = commands.size() - 1;
        while (tunnel >= 0 && !commands.at(tunnel).contains(QLatin1String("wireguard-service\" \"--add")))
            --tunnel;
        QVERIFY(tunnel >= 0);
        const QStringList session = commands.mid(tunnel);
        QCOMPARE(session.filter(QStringLiteral("/dns\"")), QStringList());
        QCOMPARE(session.filter(QStringLiteral("/killswitch\"")), QStringList());
    }
}

void TestVpnCoreLab::noOpenPortEndsTheSearch()
{
    Settings::instance()->setNetworkProtocol(VpnProtocol::OpenVpnTcp);
    Settings::instance()->setTcpPortIndex(0);
    std::unique_ptr<VpnCore> core = makeCore();
    core->setPortSearchTimeLimitForTesting(2);
    // An address on the lab's network that no host answers.
    core->setVpnServerIp(QStringLiteral("10.99.0.77"), QStringLiteral("NL, Amsterdam"));
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    const int starts = startsOf(QStringLiteral("openvpn")).size();
    core->connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 3, 10000);
    QCOMPARE(states.at(0).first().value<ConnectionState::Id>(), ConnectionState::Id::Preparing);
    QCOMPARE(states.at(1).first().value<ConnectionState::Id>(), ConnectionState::Id::Disconnected);
    QCOMPARE(states.at(2).first().value<ConnectionState::Id>(), ConnectionState::Id::Disconnected);
    QCOMPARE(core->vpnConnectionErrorText(), QStringLiteral("There are no ports for this connection"));
    QCOMPARE(core->engine(), nullptr);
    QCOMPARE(startsOf(QStringLiteral("openvpn")).size(), starts);
}

void TestVpnCoreLab::killSwitchHoldsThroughReconnections()
{
    useUdp();
    std::unique_ptr<VpnCore> core = makeCore();
    core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
    QVERIFY(connectAndWait(*core));
    QTRY_VERIFY(tableExists(QStringLiteral("velmorix_killswitch")));
    QSignalSpy event(core.get(), &VpnCore::killSwitchEventActivated);
    MessageRecorder recorder;

    // From here on the server cannot be reached: every reconnection stays in Connecting.
    QProcess nft;
    nft.start(QStringLiteral("nft"), {QStringLiteral("-f"), QStringLiteral("-")});
    nft.write("table inet vmxtest_block {\n chain out {\n  type filter hook output priority -10;\n"
              "  udp dport 1194 drop\n }\n}\n");
    nft.closeWriteChannel();
    QVERIFY(nft.waitForFinished(10000));
    QCOMPARE(nft.exitCode(), 0);

    // A probe outside the tunnel for the whole window: not one answer may come back.
    QProcess probe;
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QStringLiteral("ping"),
                {QStringLiteral("-i"),
                 QStringLiteral("0.2"),
                 QStringLiteral("-W"),
                 QStringLiteral("1"),
                 QStringLiteral("10.99.0.3")});
    QVERIFY(probe.waitForStarted());

    for (int crash = 1; crash <= 4; ++crash) {
        const qint64 pid = m_service->lastPid(QStringLiteral("openvpn"));
        QVERIFY(pid > 0);
        QTRY_COMPARE_WITH_TIMEOUT(core->engine()->isEngineRunning(), true, 10000);
        QVERIFY(::kill(pid_t(pid), SIGKILL) == 0);
        if (crash < 4) {
            QTRY_VERIFY_WITH_TIMEOUT(m_service->lastPid(QStringLiteral("openvpn")) != pid, 10000);
            QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), ConnectionState::Id::Connecting, 10000);
            QVERIFY(tableExists(QStringLiteral("velmorix_killswitch")));
        }
    }
    QTRY_COMPARE_WITH_TIMEOUT(event.count(), 1, 10000);
    QTest::qWait(1500);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    QCOMPARE(recorder.texts(QtInfoMsg).filter(QStringLiteral("Going to reconnection")),
             QStringList({"VpnCore: Going to reconnection...1",
                          "VpnCore: Going to reconnection...2",
                          "VpnCore: Going to reconnection...3"}));
    QVERIFY(recorder.texts(QtCriticalMsg).contains(QStringLiteral("VpnCore: Can't reconnect after 3 attempts...")));

    // Still closed after giving up, until the user confirms.
    QVERIFY(tableExists(QStringLiteral("velmorix_killswitch")));
    QVERIFY(Status().killswitchActivated());
    ::kill(pid_t(probe.processId()), SIGINT); // ping counts on SIGINT only
    QVERIFY(probe.waitForFinished(5000));
    const QByteArray output = probe.readAll();
    const QRegularExpression sent(QStringLiteral("(\\d+) packets transmitted, (\\d+) received"));
    const QRegularExpressionMatch counted = sent.match(QString::fromLatin1(output));
    QVERIFY2(counted.hasMatch(), output.constData());
    QVERIFY(counted.captured(1).toInt() >= 10);
    QCOMPARE(counted.captured(2).toInt(), 0);

    QVERIFY(core->disableKillSwitch());
    QTRY_VERIFY_WITH_TIMEOUT(!tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
    QVERIFY(!Status().killswitchActivated());
    QTRY_COMPARE_WITH_TIMEOUT(resolvConf(), m_userResolvConf, 10000);
}

void TestVpnCoreLab::wrongPasswordDoesNotReconnect()
{
    useUdp();
    Settings::instance()->setPassword(QStringLiteral("wrong"));
    std::unique_ptr<VpnCore> core = makeCore();
    core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    const int starts = startsOf(QStringLiteral("openvpn")).size();
    core->connectToVpn();
    QTRY_VERIFY_WITH_TIMEOUT(!core->vpnConnectionErrorText().isEmpty(), 20000);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    QCOMPARE(core->vpnConnectionErrorText(), QStringLiteral("Error: Wrong Username/Password"));
    QTest::qWait(2500);
    QCOMPARE(startsOf(QStringLiteral("openvpn")).size(), starts + 1);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    QVERIFY(!tableExists(QStringLiteral("velmorix_killswitch")));
}

void TestVpnCoreLab::serviceRestartMidSession()
{
    useUdp();
    std::unique_ptr<VpnCore> core = makeCore();
    core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
    QVERIFY(connectAndWait(*core));
    const qint64 pid = m_service->lastPid(QStringLiteral("openvpn"));
    // Mid-session, once the session's protection programs have run: the service dies with no
    // program of its halfway started.
    QTRY_VERIFY_WITH_TIMEOUT(core->protection().isSettled(), 10000);

    // The service dies and comes back; the engine it started lives on without it.
    m_service->crash();
    QTRY_VERIFY_WITH_TIMEOUT(!m_link->isConnected(), 10000);
    m_service = std::make_unique<VpnServiceRunner>(VpnServiceRunner::programsDir(), m_port);
    QVERIFY(m_service->waitListening());
    QTRY_VERIFY_WITH_TIMEOUT(m_link->isConnected(), 15000);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Connected);
    QVERIFY(reachable(QStringLiteral("10.8.0.1")));

    // The user's disconnect still ends the session: the engine hears it on its own channel.
    QVERIFY(disconnectAndWait(*core));
    QTRY_VERIFY_WITH_TIMEOUT(::kill(pid_t(pid), 0) != 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(resolvConf(), m_userResolvConf, 10000);

    // The next session runs as usual: nothing of the old engine reaches the new one.
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    QVERIFY(connectAndWait(*core));
    QTest::qWait(1500);
    QCOMPARE(states.count(), 2);
    QCOMPARE(states.at(0).first().value<ConnectionState::Id>(), ConnectionState::Id::Connecting);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Connected);
    QVERIFY(disconnectAndWait(*core));
    // Disconnected is shown before the release has reached the service; the next test must
    // not find its own rules removed by this one's late release.
    QTRY_VERIFY_WITH_TIMEOUT(!tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(resolvConf(), m_userResolvConf, 10000);
}

void TestVpnCoreLab::crashRecovery()
{
    useUdp();
    Settings::instance()->saveGeneralSettings();

    // A program of its own connects with the kill switch and the VPN's DNS, and is killed.
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_CHILD_SERVICE_PORT"), QString::number(m_port));
    environment.insert(QStringLiteral("VELMORIX_CHILD_SERVER"), m_server);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--connected-child")});
    QVERIFY(child.waitForStarted());
    QElapsedTimer timer;
    timer.start();
    while (!child.readAllStandardOutput().contains("CONNECTED") && timer.elapsed() < 30000)
        child.waitForReadyRead(200);
    QTRY_VERIFY_WITH_TIMEOUT(tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(resolvConf().contains("nameserver 172.16.0.1"), 10000);
    QCOMPARE(ipv6Disabled(), QByteArray("1"));
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(5000));
    QTest::qWait(500);
    QVERIFY(tableExists(QStringLiteral("velmorix_killswitch")));
    QVERIFY(resolvConf().contains("nameserver 172.16.0.1"));
    QVERIFY(QFileInfo::exists(QDir(m_dataDir).filePath(QStringLiteral("dns.dat"))));
    QVERIFY(Status().killswitchActivated());
    QVERIFY(Status().dnsActivated());

    // The next start repairs it all.
    std::unique_ptr<VpnCore> fresh = makeCore();
    MessageRecorder recorder;
    fresh->runStartupCheck();
    QVERIFY(fresh->wrongDnsDetected());
    QCOMPARE(recorder.warnings(),
             QStringList({"VpnCore: Detected wrong DNS status",
                          "VpnCore: Switching to user DNS settings",
                          "VpnCore: Detected wrong killswitch status"}));
    QTRY_VERIFY_WITH_TIMEOUT(!tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(resolvConf(), m_userResolvConf, 10000);
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!Status().dnsActivated());
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
    // The session switched IPv6 off; the start-up check gives it back as it was.
    QTRY_COMPARE_WITH_TIMEOUT(ipv6Disabled(), QByteArray("0"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(fresh->protection().isSettled(), 10000);
}

void TestVpnCoreLab::routerAtTheVpnAddressIsNotALeftover()
{
    // A network whose router serves DNS at the VPN's address, and nothing left by a session.
    QFile::remove(QDir(m_dataDir).filePath(QStringLiteral("dns.dat")));
    Status().clear();
    const QByteArray router = "# resolver of the lab client\nnameserver 172.16.0.1\noptions edns0\n";
    QFile file(QStringLiteral("/etc/resolv.conf"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(router);
    file.close();

    QVERIFY(!QFileInfo::exists(QDir(m_dataDir).filePath(QStringLiteral("ipv6.dat"))));
    const int dnsRuns = startsOf(QStringLiteral("dns")).size();
    std::unique_ptr<VpnCore> core = makeCore();
    MessageRecorder recorder;
    core->runStartupCheck();
    QVERIFY(!core->wrongDnsDetected());
    QVERIFY(!recorder.warnings().contains(QStringLiteral("VpnCore: Detected wrong DNS status")));
    // Nothing to give back: no run went out, and none waits to go.
    QVERIFY(core->protection().isSettled());
    QCOMPARE(startsOf(QStringLiteral("dns")).size(), dnsRuns);
    QCOMPARE(resolvConf(), router);

    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(m_userResolvConf);
}

void TestVpnCoreLab::connectAfterAnEngineThatNeverConnected()
{
    useUdp();
    Settings::instance()->setAutoReconnectionOnError(false);
    std::unique_ptr<VpnCore> core = makeCore();
    core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));

    // The engine cannot reach its management port: it ends before it ever talked to us.
    QProcess nft;
    nft.start(QStringLiteral("nft"), {QStringLiteral("-f"), QStringLiteral("-")});
    nft.write("table inet vmxtest_block {\n chain out {\n  type filter hook output priority -10;\n"
              "  ip daddr 127.0.0.1 tcp dport 61973 reject with tcp reset\n }\n}\n");
    nft.closeWriteChannel();
    QVERIFY(nft.waitForFinished(10000));
    QCOMPARE(nft.exitCode(), 0);
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->connectToVpn();
    QTRY_VERIFY_WITH_TIMEOUT(states.count() >= 2, 15000);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    QCOMPARE(run(QStringLiteral("nft"),
                 {QStringLiteral("delete"),
                  QStringLiteral("table"),
                  QStringLiteral("inet"),
                  QStringLiteral("vmxtest_block")}),
             0);

    // The next session, at once: the port is free for its engine.
    QVERIFY(connectAndWait(*core));
    QVERIFY(reachable(QStringLiteral("10.8.0.1")));
    QVERIFY(disconnectAndWait(*core));
}

void TestVpnCoreLab::disconnectWhileTheEngineStarts()
{
    useUdp();
    std::unique_ptr<VpnCore> core = makeCore();
    core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    const int starts = startsOf(QStringLiteral("openvpn")).size();

    // The start command is on its way; the service has not started the engine yet.
    core->connectToVpn();
    QCOMPARE(core->connectionState(), ConnectionState::Id::Connecting);
    core->disconnectFromVpn();
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), ConnectionState::Id::Disconnected, 15000);
    QCOMPARE(startsOf(QStringLiteral("openvpn")).size(), starts + 1);
    const qint64 pid = m_service->lastPid(QStringLiteral("openvpn"));
    if (pid > 0)
        QTRY_VERIFY_WITH_TIMEOUT(::kill(pid_t(pid), 0) != 0, 10000);
    // Long enough for an engine that went on to have connected.
    QTest::qWait(3000);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    for (const QList<QVariant> &arguments : states)
        QVERIFY(arguments.first().value<ConnectionState::Id>() != ConnectionState::Id::Connected);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/sys/class/net/tun0")));
    QVERIFY(!tableExists(QStringLiteral("velmorix_killswitch")));
    QCOMPARE(resolvConf(), m_userResolvConf);
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
}

void TestVpnCoreLab::quitWhileConnected()
{
    useUdp();
    std::unique_ptr<VpnCore> core = makeCore();
    core->setVpnServerIp(m_server, QStringLiteral("NL, Amsterdam"));
    QVERIFY(connectAndWait(*core));
    QTRY_VERIFY(tableExists(QStringLiteral("velmorix_killswitch")));
    QTRY_VERIFY_WITH_TIMEOUT(resolvConf().contains("nameserver 172.16.0.1"), 10000);
    const qint64 pid = m_service->lastPid(QStringLiteral("openvpn"));
    const QString engineLog = core->engine()->engineLogPath();
    QFile log(engineLog);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const qint64 before = log.size();

    // The program quits while connected: the controller goes without waiting for the engine.
    core.reset();
    QTRY_VERIFY_WITH_TIMEOUT(::kill(pid_t(pid), 0) != 0, 10000);
    QVERIFY(log.seek(before));
    const QByteArray ending = log.readAll();
    // It ended on the stop signal it was sent, not on losing its management channel (which it
    // does lose on its way out).
    const int signalled = ending.indexOf("SIGTERM[hard,] received");
    const int dropped = ending.indexOf("management-exit");
    QVERIFY2(signalled >= 0 && (dropped < 0 || dropped > signalled), ending.right(3000).constData());
    QTRY_VERIFY_WITH_TIMEOUT(!tableExists(QStringLiteral("velmorix_killswitch")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(resolvConf(), m_userResolvConf, 10000);
    // What a program that goes asks for may not reach the service: the record leaves it to the
    // next start to make sure.
    QVERIFY(Status().killswitchActivated());
    QVERIFY(Status().dnsActivated());
    std::unique_ptr<VpnCore> next = makeCore();
    next->runStartupCheck();
    QTRY_VERIFY_WITH_TIMEOUT(next->protection().isSettled(), 10000);
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!Status().dnsActivated());
    QVERIFY(!tableExists(QStringLiteral("velmorix_killswitch")));
    QCOMPARE(resolvConf(), m_userResolvConf);
}

// The program that crashRecovery kills: connects and says so, then waits for its end.
static int runConnectedChild(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    Logger::instance();
    ServiceController link(true, nullptr, quint16(qEnvironmentVariableIntValue("VELMORIX_CHILD_SERVICE_PORT")));
    VpnCore core;
    core.setVpnServerIp(qEnvironmentVariable("VELMORIX_CHILD_SERVER"), QStringLiteral("NL, Amsterdam"));
    QObject::connect(&core, &VpnCore::connectionStateChanged, [](ConnectionState::Id state) {
        if (state == ConnectionState::Id::Connected) {
            std::printf("CONNECTED\n");
            std::fflush(stdout);
        }
    });
    QObject::connect(&link, &ServiceController::connected, &core, &VpnCore::connectToVpn);
    return application.exec();
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--connected-child") == 0)
        return runConnectedChild(argc, argv);
    QCoreApplication application(argc, argv);
    TestVpnCoreLab test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vpncore_lab.moc"

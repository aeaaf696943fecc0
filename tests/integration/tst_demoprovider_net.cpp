#include "logger.h"
#include "multiping.h"
#include "networkapi.h"
#include "providerlayout.h"
#include "servicecontroller.h"
#include "settings.h"
#include "testsupport.h"
#include "utils.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "vpnservicerunner.h"
#include "wireguardclient.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The demo provider of tools/demo-provider/provider-net, seen from its client namespace by the
// client's own parts: latencies that order the countries, the fastest server of each country,
// the address the backend sees before and through each kind of tunnel, and the TCP ports.
class TestDemoProviderNet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fastestFirst();
    void countryPick_data();
    void countryPick();
    void candidatePorts();
    void sessions_data();
    void sessions();

private:
    ProviderLayout::Server fastestOf(const QString &country) const;
    static bool reachable(const QString &address);

    ProviderLayout m_layout;
    QTemporaryDir m_home;
    QTemporaryDir m_data;
    Servers m_catalogue;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
    std::unique_ptr<NetworkApi> m_api;
};

void TestDemoProviderNet::initTestCase()
{
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty()
                         && !qEnvironmentVariable("VELMORIX_PROVIDER_API").isEmpty(),
                     QStringLiteral("needs root and the namespaces of tools/demo-provider/provider-net"));
    QString error;
    m_layout = ProviderLayout::read(qEnvironmentVariable("VELMORIX_PROVIDER_LAYOUT"), &error);
    QVERIFY2(m_layout.isValid(), qPrintable(error));

    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    qputenv("VELMORIX_APP_DIR", VELMORIX_APP_DIR_PATH);
    qputenv("VELMORIX_API_BASE", qgetenv("VELMORIX_PROVIDER_API"));
    qputenv("VELMORIX_API_CA_FILE", TestSupport::supportPath(QStringLiteral("pki/ca.crt")).toLocal8Bit());
    QVERIFY(Logger::instance()->isInitialized());

    const quint16 port = TestSupport::freePort();
    m_service = std::make_unique<VpnServiceRunner>(QStringLiteral(VELMORIX_APP_DIR_PATH), port);
    QVERIFY(m_service->waitListening());
    m_link = std::make_unique<ServiceController>(true, nullptr, port);
    QTRY_VERIFY(m_link->isConnected());

    m_api = std::make_unique<NetworkApi>();
    QSignalSpy catalogue(m_api.get(), &NetworkApi::requestServerListFinished);
    m_api->requestServerList();
    QTRY_COMPARE(catalogue.count(), 1);
    m_catalogue = m_api->servers();
    QCOMPARE(m_catalogue.size(), m_layout.servers().size());

    Settings *settings = Settings::instance();
    const ProviderLayout::Account account = m_layout.accounts().first();
    settings->setUserName(account.user);
    settings->setPassword(account.password);
    settings->setKillswitchEnabled(true);
    settings->setIpv6Enabled(false);
}

void TestDemoProviderNet::cleanupTestCase()
{
    m_api.reset();
    m_link.reset();
    m_service.reset();
}

ProviderLayout::Server TestDemoProviderNet::fastestOf(const QString &country) const
{
    ProviderLayout::Server fastest;
    fastest.latencyMs = INT_MAX;
    for (const ProviderLayout::Server &server : m_layout.servers()) {
        if (server.country == country && server.latencyMs < fastest.latencyMs)
            fastest = server;
    }
    return fastest;
}

bool TestDemoProviderNet::reachable(const QString &address)
{
    QProcess ping;
    ping.start(QStringLiteral("ping"),
               {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("2"), address});
    return ping.waitForFinished(5000) && ping.exitStatus() == QProcess::NormalExit && ping.exitCode() == 0;
}

void TestDemoProviderNet::fastestFirst()
{
    // The probes of the whole catalogue finish in the order of the emulated round trips, so one
    // server per country, first come first taken, lists the countries from near to far, each by
    // its fastest server.
    MultiPing ping;
    QSignalSpy finished(&ping, &MultiPing::lastRequestFinished);
    ping.sendRequest(serverIps(m_catalogue));
    QVERIFY(finished.wait(5000));
    QStringList recommended;
    QStringList countries;
    for (const QString &entry : finished.first().first().toStringList()) {
        const Server server = serverByIp(m_catalogue, entry.section(QLatin1Char(':'), 0, 0));
        QVERIFY2(entry.section(QLatin1Char(':'), 1).toInt() < 1000, qPrintable(entry));
        if (!countries.contains(server.country.toLower())) {
            countries << server.country.toLower();
            recommended << server.ip;
        }
    }
    QList<ProviderLayout::Server> expected;
    for (const QString &country : countries)
        expected << fastestOf(country);
    std::sort(expected.begin(), expected.end(), [](const auto &a, const auto &b) { return a.latencyMs < b.latencyMs; });
    QStringList expectedIps;
    for (const ProviderLayout::Server &server : expected)
        expectedIps << server.address.toString();
    QCOMPARE(recommended, expectedIps);
    QCOMPARE(countries.size(), 6);
}

void TestDemoProviderNet::countryPick_data()
{
    QTest::addColumn<QString>("country");
    for (const QString &country : countryCodes(Servers(m_catalogue)))
        QTest::newRow(qPrintable(country)) << country;
}

void TestDemoProviderNet::countryPick()
{
    QFETCH(QString, country);
    VpnCore core;
    core.setNetworkApi(m_api.get());
    QMetaObject::invokeMethod(&core, "onRequestServerListFinished", Q_ARG(Servers, m_catalogue));
    core.setSearchModeForCountry(country);
    QTRY_VERIFY_WITH_TIMEOUT(!core.serverIp().isEmpty(), 5000);
    QCOMPARE(core.serverIp(), fastestOf(country).address.toString());
    // The choice is remembered as the country, not as the server.
    QCOMPARE(Settings::instance()->currentServerId(), country.toUpper());
}

void TestDemoProviderNet::candidatePorts()
{
    // Exactly the layout's TCP ports answer among the client's candidates; the rest refuse, so
    // that the automatic search has to look.
    const QString server = m_layout.servers().first().address.toString();
    QList<quint16> open;
    for (quint16 port : Settings::tcpPorts()) {
        if (port == 0)
            continue;
        QTcpSocket socket;
        socket.connectToHost(server, port);
        if (socket.waitForConnected(3000))
            open << port;
    }
    QList<quint16> expected;
    for (quint16 port : Settings::tcpPorts()) {
        if (m_layout.tcpPorts().contains(port))
            expected << port;
    }
    QCOMPARE(open, expected);
    QVERIFY(open.size() < Settings::tcpPorts().size() - 1);
}

void TestDemoProviderNet::sessions_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("server"); // index in the layout
    // UDP on the first candidate port, which the servers redirect to their listener.
    QTest::newRow("udp") << int(VpnProtocol::OpenVpnUdp) << 2;
    QTest::newRow("tcp, automatic port") << int(VpnProtocol::OpenVpnTcp) << 5;
    QTest::newRow("stealth") << int(VpnProtocol::Stealth) << 7;
    QTest::newRow("wireguard") << int(VpnProtocol::WireGuard) << 11;
}

void TestDemoProviderNet::sessions()
{
    QFETCH(int, protocol);
    QFETCH(int, server);
    if (protocol == VpnProtocol::WireGuard)
        VELMORIX_REQUIRE(WireGuardClient::isSupported(), QStringLiteral("needs wireguard-go and wg"));
    const ProviderLayout::Server target = m_layout.servers().at(server);
    const QString tunnelOnly = m_layout.tunnelOnlyAddress().toString();
    Settings *settings = Settings::instance();
    settings->setNetworkProtocol(protocol);
    settings->setUdpPortIndex(0);
    settings->setTcpPortIndex(0);

    VpnCore core;
    core.setNetworkApi(m_api.get());
    QMetaObject::invokeMethod(&core, "onRequestServerListFinished", Q_ARG(Servers, m_catalogue));

    // Before: the client's own address, in the client's own country; the tunnel-only host
    // does not answer.
    m_api->requestCurrentIpAddress();
    QTRY_COMPARE(core.currentIp(), m_layout.clientAddress().toString());
    QCOMPARE(core.currentLocationImageSource(), Utils::flagSource(m_layout.clientCountry()));
    QVERIFY(!reachable(tunnelOnly));

    if (protocol == VpnProtocol::WireGuard) {
        VpnClient::setAccount(Account());
        core.setAutoConnectPending(true);
        core.setVpnServerIp(target.address.toString(), target.city);
        QTRY_VERIFY_WITH_TIMEOUT(VpnClient::account().isActive(), 10000);
    } else {
        core.setVpnServerIp(target.address.toString(), target.city);
        core.connectToVpn();
    }
    QTRY_COMPARE_WITH_TIMEOUT(core.connectionState(), ConnectionState::Id::Connected, 40000);

    // Through the tunnel: the server's address in the server's country, and the host that only
    // tunnels reach.
    QTRY_COMPARE_WITH_TIMEOUT(core.currentIp(), target.address.toString(), 10000);
    QCOMPARE(core.currentLocationImageSource(), Utils::flagSource(target.country));
    QVERIFY(reachable(tunnelOnly));
    if (protocol == VpnProtocol::OpenVpnTcp)
        QVERIFY(m_layout.tcpPorts().contains(core.engine()->connectionParameters().port));

    core.disconnectFromVpn();
    QTRY_COMPARE_WITH_TIMEOUT(core.connectionState(), ConnectionState::Id::Disconnected, 15000);
    QCOMPARE(core.currentIp(), m_layout.clientAddress().toString());
    QTRY_VERIFY_WITH_TIMEOUT(!reachable(tunnelOnly), 10000);
}

QTEST_GUILESS_MAIN(TestDemoProviderNet)
#include "tst_demoprovider_net.moc"

#include "killswitch.h"
#include "logger.h"
#include "netns.h"
#include "openvpnclient.h"
#include "servicecontroller.h"
#include "testsupport.h"
#include "vpnservicerunner.h"

#include <QNetworkInterface>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/if_tun.h>
#include <memory>
#include <net/if.h>
#include <sys/ioctl.h>
#include <unistd.h>

using TestSupport::InNamespace;
using TestSupport::nftCounter;
using TestSupport::run;

// The kill switch as an attacker tries it: a real OpenVPN tunnel of the lab
// (tests/support/openvpn-lab), the real vpn-service and the nftables stand-in, and every way
// out beside the tunnel. What gets through is counted where it arrives: by nftables counters
// in the server namespace for what leaves this one, and by counters behind the kill switch
// here for what comes in. Each leak must count 0, the tunnel (and, with "local", the local
// network) must count more.
class TestKillSwitchLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void everyProbeLeaksWithoutTheSwitch();
    void nothingLeaks_data();
    void nothingLeaks();
    void linkStaysUp_data();
    void linkStaysUp();

private:
    // A new TCP connection to the outside host, open and used before the switch.
    struct Established
    {
        std::unique_ptr<QTcpSocket> client;
        QTcpSocket *server = nullptr;
    };
    Established openEstablished();
    void switchTo(bool enable, bool allowLocal);
    void resetCounters();
    // Sends one of every kind of traffic; `established` carries data both ways.
    void sendProbes(Established &established);
    bool tcpConnects(const QHostAddress &address, quint16 port);
    qint64 bytes(const QString &counter, bool serverSide = true) const;

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    QString m_serverNs;
    QString m_thirdNs;
    QString m_clientLink;
    QString m_serverLink;
    QString m_tunnelName;
    QList<int> m_foreignTunnels;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
    std::unique_ptr<KillSwitch> m_killSwitch;
    std::unique_ptr<OpenVpnClient> m_tunnel;
    // The far ends, made in the server namespace.
    QTcpServer m_outside;
    QTcpServer m_outside6;
    QTcpServer m_lan;
    QTcpServer m_tunnelPeer;
    QTcpServer m_resolverTcp;
    QTcpServer m_lanResolverTcp;
    QUdpSocket m_resolverUdp;
    QUdpSocket m_lanResolverUdp;
    QUdpSocket m_dhcpServer;
};

namespace {

const QHostAddress outside(QStringLiteral("198.51.100.7"));
const QHostAddress outside6(QStringLiteral("2001:db8:100::7"));
const QHostAddress resolver(QStringLiteral("198.51.100.53"));
const QHostAddress lanHost(QStringLiteral("10.99.0.3"));
const QHostAddress tunnelPeer(QStringLiteral("10.8.0.1"));
// Beyond the local networks, so that "local" does not let them through either.
const QHostAddress foreignTunnelPeer(QStringLiteral("198.18.1.2"));
const QHostAddress foreignWgPeer(QStringLiteral("198.18.2.2"));
const QHostAddress globalGroup(QStringLiteral("233.252.0.1"));
const QHostAddress localGroup(QStringLiteral("224.0.0.251"));
const QString probeTable = QStringLiteral("vmx_probe");

} // namespace

void TestKillSwitchLab::initTestCase()
{
    m_serverNs = qEnvironmentVariable("VELMORIX_LAB_SERVER_NETNS");
    m_thirdNs = qEnvironmentVariable("VELMORIX_LAB_THIRD_NETNS");
    m_clientLink = qEnvironmentVariable("VELMORIX_LAB_CLIENT_LINK");
    m_serverLink = qEnvironmentVariable("VELMORIX_LAB_SERVER_LINK");
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_serverNs.isEmpty(),
                     QStringLiteral("needs root and the namespaces of tests/support/openvpn-lab"));
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    qputenv("VELMORIX_APP_DIR", VELMORIX_APP_DIR_PATH);
    QVERIFY(Logger::instance()->isInitialized());

    // IPv6 on the link and beyond it, a resolver beyond it, and two tunnels that are not the
    // engine's (a name of each kind that the switch once trusted by pattern).
    const QString srv = m_serverNs;
    for (const QStringList &command :
         QList<QStringList>{{"-6", "addr", "add", "2001:db8:99::2/64", "dev", m_clientLink, "nodad"},
                            {"-6", "route", "add", "2001:db8:100::/64", "via", "2001:db8:99::1"},
                            {"-n", srv, "-6", "addr", "add", "2001:db8:99::1/64", "dev", m_serverLink, "nodad"},
                            {"-n", srv, "-6", "addr", "add", "2001:db8:100::7/128", "dev", "lo"},
                            {"-n", srv, "addr", "add", "198.51.100.53/32", "dev", "lo"}})
        QCOMPARE(run(QStringLiteral("ip"), command), 0);
    for (const char *name : {"tun9", "wg9"}) {
        // Held open by this process, as another program's tunnel would be.
        const int fd = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
        QVERIFY(fd >= 0);
        ifreq request = {};
        request.ifr_flags = IFF_TUN | IFF_NO_PI;
        std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
        QVERIFY(::ioctl(fd, TUNSETIFF, &request) == 0);
        m_foreignTunnels << fd;
    }
    for (const QStringList &command : QList<QStringList>{{"addr", "add", "198.18.1.1/24", "dev", "tun9"},
                                                         {"link", "set", "tun9", "up"},
                                                         {"addr", "add", "198.18.2.1/24", "dev", "wg9"},
                                                         {"link", "set", "wg9", "up"}})
        QCOMPARE(run(QStringLiteral("ip"), command), 0);

    // A third namespace whose traffic this one routes: a container, a virtual machine.
    QVERIFY(!m_thirdNs.isEmpty());
    const QString veth = QStringLiteral("vmxfwd%1").arg(QCoreApplication::applicationPid() % 100000);
    for (const QStringList &command :
         QList<QStringList>{{"netns", "add", m_thirdNs},
                            {"link", "add", veth, "type", "veth", "peer", "name", "vmxfwdpeer", "netns", m_thirdNs},
                            {"addr", "add", "10.97.0.1/24", "dev", veth},
                            {"link", "set", veth, "up"},
                            {"-n", m_thirdNs, "addr", "add", "10.97.0.2/24", "dev", "vmxfwdpeer"},
                            {"-n", m_thirdNs, "link", "set", "vmxfwdpeer", "up"},
                            {"-n", m_thirdNs, "route", "add", "default", "via", "10.97.0.1"},
                            {"-n", srv, "route", "add", "10.97.0.0/24", "via", "10.99.0.2"}})
        QCOMPARE(run(QStringLiteral("ip"), command), 0);
    QFile forwarding(QStringLiteral("/proc/sys/net/ipv4/ip_forward"));
    QVERIFY(forwarding.open(QIODevice::WriteOnly));
    QVERIFY(forwarding.write("1\n") == 2);
    forwarding.close();

    const quint16 port = TestSupport::freePort();
    m_service = std::make_unique<VpnServiceRunner>(QStringLiteral(VELMORIX_APP_DIR_PATH), port);
    QVERIFY(m_service->waitListening());
    m_link = std::make_unique<ServiceController>(true, nullptr, port);
    QTRY_VERIFY(m_link->isConnected());
    m_killSwitch = std::make_unique<KillSwitch>();

    // The session's tunnel, by the product's engine.
    m_tunnel = std::make_unique<OpenVpnClient>();
    ConnectionParameters parameters;
    parameters.userName = QStringLiteral("demo");
    parameters.password = QStringLiteral("demo-pass");
    parameters.server = qEnvironmentVariable("VELMORIX_LAB_SERVER");
    parameters.protocol = 0;
    parameters.port = 1194;
    parameters.ipv6Enabled = true;
    m_tunnel->setConnectionParameters(parameters);
    m_tunnel->connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(m_tunnel->connectionState(), ConnectionState::Id::Connected, 30000);
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().isInSubnet(tunnelPeer, 24))
                m_tunnelName = interface.name();
        }
    }
    QVERIFY(!m_tunnelName.isEmpty());

    {
        InNamespace server(m_serverNs);
        QVERIFY(server.entered());
        QVERIFY(m_outside.listen(outside));
        QVERIFY(m_outside6.listen(outside6));
        QVERIFY(m_lan.listen(lanHost));
        QVERIFY(m_tunnelPeer.listen(tunnelPeer));
        QVERIFY(m_resolverTcp.listen(resolver, 53));
        QVERIFY(m_lanResolverTcp.listen(lanHost, 53));
        QVERIFY(m_resolverUdp.bind(resolver, 53));
        QVERIFY(m_lanResolverUdp.bind(lanHost, 53));
        QVERIFY(m_dhcpServer.bind(QHostAddress::AnyIPv4, 67));
    }
    // The DHCP server answers every request from its own port to the client's.
    connect(&m_dhcpServer, &QUdpSocket::readyRead, this, [this] {
        while (m_dhcpServer.hasPendingDatagrams()) {
            QHostAddress from;
            quint16 fromPort = 0;
            QByteArray request(int(m_dhcpServer.pendingDatagramSize()), '\0');
            m_dhcpServer.readDatagram(request.data(), request.size(), &from, &fromPort);
            m_dhcpServer.writeDatagram("offer", from, fromPort);
        }
    });
}

void TestKillSwitchLab::cleanup()
{
    if (QTest::currentTestFailed() && m_service)
        std::fprintf(stderr, "service log:\n%s\n", qPrintable(m_service->log().right(6000)));
    if (m_killSwitch && m_killSwitch->isEnabled())
        switchTo(false, false);
}

void TestKillSwitchLab::cleanupTestCase()
{
    if (m_killSwitch && m_killSwitch->isEnabled())
        switchTo(false, false);
    if (m_tunnel) {
        m_tunnel->disconnectFromVpn();
        QTRY_COMPARE_WITH_TIMEOUT(m_tunnel->connectionState(), ConnectionState::Id::Disconnected, 15000);
    }
    m_tunnel.reset();
    m_killSwitch.reset();
    m_link.reset();
    m_service.reset();
    for (const int fd : qAsConst(m_foreignTunnels))
        ::close(fd);
    if (!m_thirdNs.isEmpty())
        run(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("delete"), m_thirdNs});
}

void TestKillSwitchLab::switchTo(bool enable, bool allowLocal)
{
    QSignalSpy finished(m_killSwitch.get(), &KillSwitch::killSwitchFinished);
    if (enable)
        m_killSwitch->enable(QStringLiteral("10.8.0.2"), qEnvironmentVariable("VELMORIX_LAB_SERVER"), allowLocal);
    else
        m_killSwitch->disable();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
}

void TestKillSwitchLab::resetCounters()
{
    // The far side counts what arrives from this namespace, before anything there filters it.
    const QString server = QStringLiteral(R"(table inet %1 {
    counter outside {}
    counter outside6 {}
    counter resolver {}
    counter lanresolver {}
    counter lan {}
    counter forwarded {}
    counter tunnel {}
    counter mcglobal {}
    counter mclocal {}
    chain arrivals {
        type filter hook prerouting priority -400; policy accept;
        iifname "%2" ip daddr 198.51.100.7 counter name outside
        iifname "%2" ip6 daddr 2001:db8:100::7 counter name outside6
        iifname "%2" ip daddr 198.51.100.53 counter name resolver
        iifname "%2" ip daddr 10.99.0.3 meta l4proto { tcp, udp } th dport 53 counter name lanresolver
        iifname "%2" ip daddr 10.99.0.3 meta l4proto tcp th dport != 53 counter name lan
        iifname "%2" ip saddr 10.97.0.0/24 counter name forwarded
        iifname "tun*" ip saddr 10.8.0.0/24 counter name tunnel
        iifname "%2" ip daddr 233.252.0.1 counter name mcglobal
        iifname "%2" ip daddr 224.0.0.251 counter name mclocal
    }
}
)")
                               .arg(probeTable, m_serverLink);
    // Here: a host firewall that tracks connections (so conntrack runs before the switch),
    // and counters behind the switch for what it let in, forwarded or sent.
    const QString client = QStringLiteral(R"(table inet %1 {
    counter fromoutside {}
    counter fromoutside6 {}
    counter forwardedtunnel {}
    counter foreigntunnels {}
    chain trackin {
        type filter hook input priority -10; policy accept;
        ct state established,related counter
    }
    chain trackout {
        type filter hook output priority -10; policy accept;
        ct state established,related counter
    }
    chain passedin {
        type filter hook input priority 100; policy accept;
        ip saddr 198.51.100.7 counter name fromoutside
        ip6 saddr 2001:db8:100::7 counter name fromoutside6
    }
    chain passedforward {
        type filter hook forward priority 100; policy accept;
        oifname "%2" ip saddr 10.97.0.0/24 counter name forwardedtunnel
    }
    chain passedout {
        type filter hook output priority 100; policy accept;
        oifname { "tun9", "wg9" } meta l4proto udp counter name foreigntunnels
    }
}
)")
                               .arg(probeTable, m_tunnelName);
    const QByteArray reset = QStringLiteral("add table inet %1\ndelete table inet %1\n").arg(probeTable).toUtf8();
    QCOMPARE(run(QStringLiteral("nft"),
                 {QStringLiteral("-f"), QStringLiteral("-")},
                 m_serverNs,
                 nullptr,
                 reset + server.toUtf8()),
             0);
    QCOMPARE(run(QStringLiteral("nft"),
                 {QStringLiteral("-f"), QStringLiteral("-")},
                 QString(),
                 nullptr,
                 reset + client.toUtf8()),
             0);
}

qint64 TestKillSwitchLab::bytes(const QString &counter, bool serverSide) const
{
    return nftCounter(probeTable, counter, serverSide ? m_serverNs : QString()).bytes;
}

TestKillSwitchLab::Established TestKillSwitchLab::openEstablished()
{
    Established established;
    established.client = std::make_unique<QTcpSocket>();
    established.client->connectToHost(outside, m_outside.serverPort());
    if (!established.client->waitForConnected(5000))
        return established;
    // The probes' connections wait in the same queue: this one is known by its port.
    for (int i = 0; i < 100 && !established.server; ++i) {
        while (QTcpSocket *pending = m_outside.nextPendingConnection()) {
            if (pending->peerPort() == established.client->localPort())
                established.server = pending;
            else
                pending->deleteLater();
        }
        if (!established.server)
            m_outside.waitForNewConnection(50);
    }
    if (!established.server)
        return established;
    // Used before the switch, so that it is an established, tracked flow.
    established.client->write("hello");
    established.client->waitForBytesWritten(1000);
    for (int i = 0; i < 100 && established.server->bytesAvailable() < 5; ++i)
        established.server->waitForReadyRead(50);
    if (established.server->readAll() != "hello")
        established.server = nullptr;
    return established;
}

bool TestKillSwitchLab::tcpConnects(const QHostAddress &address, quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(address, port);
    return socket.waitForConnected(3000);
}

void TestKillSwitchLab::sendProbes(Established &established)
{
    // The connection that was open before: data both ways.
    established.client->write(QByteArray(1000, 'c'));
    established.server->write(QByteArray(1000, 's'));

    // New connections to the outside, IPv4 and IPv6.
    QTcpSocket outsideTcp;
    outsideTcp.connectToHost(outside, m_outside.serverPort());
    QTcpSocket outside6Tcp;
    outside6Tcp.connectToHost(outside6, m_outside6.serverPort());
    QUdpSocket datagrams;
    datagrams.writeDatagram("v6", outside6, 9);

    // Name lookups at resolvers that are not the VPN's: beyond the link and on it. And the
    // DHCP server port from a port anyone may use.
    datagrams.writeDatagram("query", resolver, 53);
    datagrams.writeDatagram("query", lanHost, 53);
    datagrams.writeDatagram("request", resolver, 67);
    QTcpSocket resolverTcp;
    resolverTcp.connectToHost(resolver, 53);
    QTcpSocket lanResolverTcp;
    lanResolverTcp.connectToHost(lanHost, 53);

    // Tunnels that are not the engine's.
    datagrams.writeDatagram("foreign", foreignTunnelPeer, 9);
    datagrams.writeDatagram("foreign", foreignWgPeer, 9);

    // Multicast out of the physical link: a globally routed group and a link-local one.
    QUdpSocket multicast;
    multicast.bind(QHostAddress::AnyIPv4, 0);
    multicast.setMulticastInterface(QNetworkInterface::interfaceFromName(m_clientLink));
    multicast.writeDatagram("global", globalGroup, 5000);
    multicast.writeDatagram("mdns", localGroup, 5353);

    // Traffic that this namespace routes for the third one: outside and into the tunnel.
    {
        InNamespace third(m_thirdNs);
        QVERIFY(third.entered());
        QUdpSocket routed;
        routed.writeDatagram("routed", outside, 9);
        routed.writeDatagram("routed", tunnelPeer, 9);
    }

    // The LAN host (only "local" lets it through) and the tunnel (always): by the time the
    // tunnel's connection is up, the rest has had its chance on the same link.
    tcpConnects(lanHost, m_lan.serverPort());
    QVERIFY(tcpConnects(tunnelPeer, m_tunnelPeer.serverPort()));
    QTest::qWait(500);
}

void TestKillSwitchLab::everyProbeLeaksWithoutTheSwitch()
{
    // The probes reach their counters when nothing blocks them: a 0 later means blocked.
    resetCounters();
    Established established = openEstablished();
    QVERIFY(established.server);
    sendProbes(established);
    QTRY_COMPARE(established.server->bytesAvailable(), 1000);
    QTRY_COMPARE(established.client->bytesAvailable(), 1000);
    for (const char *counter :
         {"outside", "outside6", "resolver", "lanresolver", "lan", "forwarded", "tunnel", "mcglobal", "mclocal"})
        QVERIFY2(bytes(QLatin1String(counter)) > 0, counter);
    for (const char *counter : {"fromoutside", "forwardedtunnel", "foreigntunnels"})
        QVERIFY2(bytes(QLatin1String(counter), false) > 0, counter);
}

void TestKillSwitchLab::nothingLeaks_data()
{
    QTest::addColumn<bool>("allowLocal");
    QTest::newRow("without local") << false;
    QTest::newRow("with local") << true;
}

void TestKillSwitchLab::nothingLeaks()
{
    QFETCH(bool, allowLocal);

    Established established = openEstablished();
    QVERIFY(established.server);
    switchTo(true, allowLocal);
    // Twice on: still one table.
    switchTo(true, allowLocal);
    QByteArray tables;
    run(QStringLiteral("nft"), {QStringLiteral("list"), QStringLiteral("tables")}, QString(), &tables);
    QCOMPARE(tables.count("velmorix_killswitch"), 1);

    resetCounters();
    sendProbes(established);
    // Every leak at once, counted in packets and bytes.
    QStringList leaks;
    for (const char *counter : {"outside",
                                "outside6",
                                "resolver",
                                "lanresolver",
                                "forwarded",
                                "mcglobal",
                                "fromoutside",
                                "fromoutside6",
                                "foreigntunnels"}) {
        const bool here = QByteArray(counter).startsWith("from") || QByteArray(counter) == "foreigntunnels";
        const TestSupport::Count count = nftCounter(probeTable, QLatin1String(counter), here ? QString() : m_serverNs);
        if (count.packets != 0 || count.bytes != 0)
            leaks << QStringLiteral("%1: %2 packets, %3 bytes")
                         .arg(QLatin1String(counter))
                         .arg(count.packets)
                         .arg(count.bytes);
    }
    if (established.server->bytesAvailable() > 0 || established.client->bytesAvailable() > 0)
        leaks << QStringLiteral("the connection opened before: %1 and %2 bytes")
                     .arg(established.server->bytesAvailable())
                     .arg(established.client->bytesAvailable());
    QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(QStringLiteral("; "))));

    // What must still pass.
    QVERIFY(bytes(QStringLiteral("tunnel")) > 0);
    QVERIFY(bytes(QStringLiteral("forwardedtunnel"), false) > 0);
    QCOMPARE(bytes(QStringLiteral("lan")) > 0, allowLocal);
    QCOMPARE(bytes(QStringLiteral("mclocal")) > 0, allowLocal);
    QCOMPARE(tcpConnects(lanHost, m_lan.serverPort()), allowLocal);

    switchTo(false, false);
    // Off: the old connection carries data again.
    QTRY_VERIFY_WITH_TIMEOUT(established.server->bytesAvailable() > 0, 10000);
    QVERIFY(tcpConnects(outside, m_outside.serverPort()));
}

void TestKillSwitchLab::linkStaysUp_data()
{
    nothingLeaks_data();
}

void TestKillSwitchLab::linkStaysUp()
{
    QFETCH(bool, allowLocal);
    switchTo(true, allowLocal);

    // A DHCP renewal: from the client's port to a server on the link, and its answer.
    QUdpSocket dhcpClient;
    QVERIFY(dhcpClient.bind(QHostAddress::AnyIPv4, 68));
    dhcpClient.writeDatagram("request", lanHost, 67);
    QTRY_VERIFY_WITH_TIMEOUT(dhcpClient.hasPendingDatagrams(), 5000);

    // Neighbour discovery: the router on the link finds this machine's IPv6 address (the
    // echo itself is refused; the answer to the solicitation is not).
    QCOMPARE(run(QStringLiteral("ip"), {"-n", m_serverNs, "-6", "neigh", "flush", "dev", m_serverLink}), 0);
    run(QStringLiteral("ping"), {"-6", "-c", "1", "-W", "1", "2001:db8:99::2"}, m_serverNs);
    QByteArray neighbour;
    run(QStringLiteral("ip"), {"-n", m_serverNs, "-6", "neigh", "show", "2001:db8:99::2"}, QString(), &neighbour);
    QVERIFY2(neighbour.contains("lladdr"), neighbour.constData());

    switchTo(false, false);
}

QTEST_GUILESS_MAIN(TestKillSwitchLab)
#include "tst_killswitch_lab.moc"

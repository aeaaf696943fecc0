#include "killswitch.h"
#include "logger.h"
#include "netns.h"
#include "openvpnclient.h"
#include "servicecontroller.h"
#include "testsupport.h"
#include "vpnservicerunner.h"

#include <QDir>
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
#include <sys/syscall.h>
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
    void runsOneAtATime();

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
    // Writes an IPv4 UDP packet into the engine's tunnel device, as if the server had sent it.
    bool injectFromTunnel(const QHostAddress &from, const QHostAddress &to);
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
    counter dhcpport {}
    counter fromtunnel {}
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
        iifname "%2" ip daddr 198.51.100.53 udp sport 68 counter name dhcpport
        iifname "%2" ip saddr 10.8.0.1 counter name fromtunnel
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
    counter tunnelout {}
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
        iifname "%2" oifname != "%2" ct direction original counter name tunnelout
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

    // The DHCP client's port, to a host beyond the link: a root process's way out.
    QUdpSocket dhcpPort;
    if (dhcpPort.bind(QHostAddress::AnyIPv4, 68))
        dhcpPort.writeDatagram("exfiltrate", resolver, 67);

    // From the tunnel on to the local network and to the routed namespace: the tunnel's far
    // end may not reach past this machine.
    QVERIFY(injectFromTunnel(tunnelPeer, lanHost));
    QVERIFY(injectFromTunnel(tunnelPeer, QHostAddress(QStringLiteral("10.97.0.2"))));

    // The LAN host (only "local" lets it through) and the tunnel (always): by the time the
    // tunnel's connection is up, the rest has had its chance on the same link.
    tcpConnects(lanHost, m_lan.serverPort());
    QVERIFY(tcpConnects(tunnelPeer, m_tunnelPeer.serverPort()));
    QTest::qWait(500);
}

bool TestKillSwitchLab::injectFromTunnel(const QHostAddress &from, const QHostAddress &to)
{
    // The engine's own descriptor of the device, borrowed: only its writes count as arriving
    // through the tunnel.
    // The kernel's own text of a link: "net:[inode]" is no path.
    const auto readLink = [](const QString &path) {
        char target[256];
        const ssize_t size = ::readlink(QFile::encodeName(path).constData(), target, sizeof target - 1);
        return size > 0 ? QByteArray(target, int(size)) : QByteArray();
    };
    const QByteArray ours = readLink(QStringLiteral("/proc/self/ns/net"));
    int tunFd = -1;
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        bool numeric = false;
        const int number = pid.toInt(&numeric);
        if (!numeric || number == QCoreApplication::applicationPid())
            continue;
        const QString process = QStringLiteral("/proc/") + pid;
        if (readLink(process + QStringLiteral("/ns/net")) != ours)
            continue;
        for (const QString &fd : QDir(process + QStringLiteral("/fd")).entryList(QDir::Files | QDir::System)) {
            if (readLink(process + QStringLiteral("/fd/") + fd) != "/dev/net/tun")
                continue;
            QFile info(process + QStringLiteral("/fdinfo/") + fd);
            if (!info.open(QIODevice::ReadOnly)
                || !info.readAll().split('\n').contains("iff:\t" + m_tunnelName.toUtf8()))
                continue;
            const int pidFd = int(::syscall(SYS_pidfd_open, number, 0));
            if (pidFd >= 0) {
                tunFd = int(::syscall(SYS_pidfd_getfd, pidFd, fd.toInt(), 0));
                ::close(pidFd);
            }
        }
        if (tunFd >= 0)
            break;
    }
    if (tunFd < 0)
        return false;
    uchar p[20 + 8 + 6] = {};
    const auto put16 = [&p](int at, quint32 value) {
        p[at] = uchar(value >> 8);
        p[at + 1] = uchar(value);
    };
    const auto put32 = [&put16](int at, quint32 value) {
        put16(at, value >> 16);
        put16(at + 2, value & 0xffff);
    };
    p[0] = 0x45;
    put16(2, sizeof p);
    p[8] = 64;
    p[9] = 17; // UDP
    put32(12, from.toIPv4Address());
    put32(16, to.toIPv4Address());
    quint32 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum += quint32(p[i] << 8 | p[i + 1]);
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    put16(10, ~sum & 0xffff);
    put16(20, 40000);
    put16(22, 9);
    put16(24, 8 + 6);
    std::memcpy(p + 28, "tunnel", 6);
    const bool written = ::write(tunFd, p, sizeof p) == ssize_t(sizeof p);
    ::close(tunFd);
    return written;
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
    for (const char *counter : {"outside",
                                "outside6",
                                "resolver",
                                "lanresolver",
                                "lan",
                                "forwarded",
                                "tunnel",
                                "mcglobal",
                                "mclocal",
                                "dhcpport",
                                "fromtunnel"})
        QVERIFY2(bytes(QLatin1String(counter)) > 0, counter);
    for (const char *counter : {"fromoutside", "forwardedtunnel", "foreigntunnels", "tunnelout"})
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
                                "foreigntunnels",
                                "dhcpport",
                                "fromtunnel",
                                "tunnelout"}) {
        const bool here = QByteArray(counter).startsWith("fromoutside") || QByteArray(counter) == "foreigntunnels"
            || QByteArray(counter) == "tunnelout";
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

void TestKillSwitchLab::runsOneAtATime()
{
    // In a namespace of its own with a /run of its own: the lock of the machine's switch and
    // its firewall stay out of it.
    const QString script = QStringLiteral(R"(
mount -t tmpfs tmpfs /run || exit 10
lock=/run/velmorix-killswitch.lock
planted=$(mktemp -u /tmp/velmorix-planted.XXXXXX)
# A link planted where the lock goes is never followed: the run fails, the target stays unmade.
ln -s "$planted" "$lock"
"$1" enable all 10.99.0.1 '' >/dev/null; [ $? -eq 0 ] || exit 11
[ ! -e "$planted" ] || { rm -f "$planted"; exit 12; }
nft list table inet velmorix_killswitch >/dev/null 2>&1 && exit 13
rm "$lock"
# While another run holds the lock, a run waits for it and changes nothing.
exec 9>"$lock"
flock 9
"$1" enable all 10.99.0.1 '' >/dev/null & pid=$!
until readlink /proc/$pid/fd/* 2>/dev/null | grep -q velmorix-killswitch.lock; do
    kill -0 $pid 2>/dev/null || exit 14
done
nft list table inet velmorix_killswitch >/dev/null 2>&1 && exit 15
kill -0 $pid || exit 16
exec 9>&-
wait $pid; [ $? -eq 1 ] || exit 17
nft list table inet velmorix_killswitch >/dev/null 2>&1 || exit 18
exit 0
)");
    QByteArray output;
    const int code = run(QStringLiteral("unshare"),
                         {"--mount",
                          "--net",
                          "--propagation",
                          "private",
                          "sh",
                          "-c",
                          script,
                          "sh",
                          QStringLiteral(VELMORIX_APP_DIR_PATH "/killswitch")},
                         QString(),
                         &output);
    QVERIFY2(code == 0, qPrintable(QStringLiteral("step %1: %2").arg(code).arg(QString::fromUtf8(output))));
}

QTEST_GUILESS_MAIN(TestKillSwitchLab)
#include "tst_killswitch_lab.moc"

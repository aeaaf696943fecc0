#include "addresscheck.h"
#include "dns.h"
#include "dnsmanager.h"
#include "fakeservice.h"
#include "killswitch.h"
#include "messagerecorder.h"
#include "netns.h"
#include "platform/dns.h"
#include "rules.h"
#include "servicecontroller.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using Platform::DnsFamily;

class TestDns : public QObject
{
    Q_OBJECT

private slots:
    void userEntries_data();
    void userEntries();
    void vpnEntries();
    void containsVpnDns_data();
    void containsVpnDns();
    void mergeByExactId();
    void netshCommandLines();
    void wmicGuids();
    void resolvConf_data();
    void resolvConf();
    void heldNameservers();
    void resolvedForms();
    void writeFileSafely();
    void entryParse_data();
    void entryParse();
    void hostileEntries_data();
    void hostileEntries();
    void argumentValidity_data();
    void argumentValidity();
    void killSwitchRules_data();
    void killSwitchRules();
    void killSwitchThroughTheService();
};

void TestDns::userEntries_data()
{
    QTest::addColumn<QStringList>("ipv4");
    QTest::addColumn<QStringList>("ipv6");
    QTest::addColumn<QString>("entry");

    QTest::newRow("empty middle kept") << QStringList{"1.1.1.1", "", "8.8.8.8"} << QStringList()
                                       << "{ID}@1.1.1.1,,8.8.8.8";
    QTest::newRow("no servers") << QStringList() << QStringList() << "{ID}@";
    QTest::newRow("ipv4 only") << QStringList{"192.168.1.1", "8.8.8.8"} << QStringList() << "{ID}@192.168.1.1,8.8.8.8";
    QTest::newRow("ipv6 only") << QStringList() << QStringList{"fe80::1"} << "{ID}@fe80::1";
    QTest::newRow("both") << QStringList{"192.168.1.1"} << QStringList{"fe80::1"} << "{ID}@192.168.1.1,fe80::1";
}

void TestDns::userEntries()
{
    QFETCH(QStringList, ipv4);
    QFETCH(QStringList, ipv6);
    QFETCH(QString, entry);
    QCOMPARE(DnsManager::userEntry(DnsInterface(QStringLiteral("{ID}"), QStringLiteral("Ethernet"), ipv4, ipv6)),
             entry);
}

void TestDns::vpnEntries()
{
    DnsManager manager;
    manager.interfaces() = {DnsInterface(QStringLiteral("{A}"), QStringLiteral("a"), {}, {}),
                            DnsInterface(QStringLiteral("{B}"), QStringLiteral("b"), {"1.1.1.1"}, {})};
    QCOMPARE(manager.vpnDnsEntries(QStringLiteral("172.16.0.1"), QStringLiteral("fd00:dead:beef:cafe::1")),
             (QStringList{"{A}@172.16.0.1,fd00:dead:beef:cafe::1", "{B}@172.16.0.1,fd00:dead:beef:cafe::1"}));
    // An engine that pushed no IPv6 server leaves the trailing comma.
    QCOMPARE(manager.vpnDnsEntries(QStringLiteral("172.16.0.1"), QString()).first(), QStringLiteral("{A}@172.16.0.1,"));
    QCOMPARE(manager.userDnsEntries(), (QStringList{"{A}@", "{B}@1.1.1.1"}));
    QVERIFY(DnsManager::dnsProgramPath().endsWith(QLatin1String("/dns")));
}

void TestDns::containsVpnDns_data()
{
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<bool>("contains");

    QTest::newRow("ipv4") << QStringList{"8.8.8.8", "172.16.0.1"} << true;
    QTest::newRow("ipv6") << QStringList{"fd00:dead:beef:cafe::1"} << true;
    QTest::newRow("longer address") << QStringList{"172.16.0.10"} << false;
    QTest::newRow("leading blank") << QStringList{" 172.16.0.1"} << false;
    QTest::newRow("none") << QStringList() << false;
}

void TestDns::containsVpnDns()
{
    QFETCH(QStringList, servers);
    QFETCH(bool, contains);
    QCOMPARE(DnsManager::containsVpnDns(servers), contains);
}

void TestDns::mergeByExactId()
{
    DnsManager manager;
    manager.interfaces() = {DnsInterface(QStringLiteral("{AA}"), QStringLiteral("Ethernet"), {"1.1.1.1"}, {}),
                            DnsInterface(QStringLiteral("{BB}"), QStringLiteral("Wi-Fi"), {"2.2.2.2"}, {"fe80::2"})};
    manager.mergeInterfaces({DnsInterface(QStringLiteral("{aa}"), QStringLiteral("x"), {"9.9.9.9"}, {}),
                             DnsInterface(QStringLiteral("{BB}"), QStringLiteral("x"), {"3.3.3.3"}, {}),
                             DnsInterface(QStringLiteral("{BB}"), QStringLiteral("x"), {"4.4.4.4"}, {}),
                             DnsInterface(QStringLiteral("{CC}"), QStringLiteral("x"), {"5.5.5.5"}, {})});
    QCOMPARE(manager.interfaces().at(0).ipv4Dns, QStringList{"1.1.1.1"}); // ids compare case-sensitively
    QCOMPARE(manager.interfaces().at(1).ipv4Dns, QStringList{"3.3.3.3"}); // the first match
    QCOMPARE(manager.interfaces().at(1).ipv6Dns, QStringList());
    QCOMPARE(manager.interfaces().at(1).interfaceName, QStringLiteral("Wi-Fi"));
}

void TestDns::netshCommandLines()
{
    const QVector<QStringList> three =
        Platform::netshDnsArguments(DnsFamily::Ipv4, QStringLiteral("Ethernet 2"), {"1.1.1.1", "8.8.8.8", "9.9.9.9"});
    QCOMPARE(three.size(), 3);
    QCOMPARE(
        three.at(0),
        (QStringList{
            "interface", "ipv4", "set", "dns", "name=", "Ethernet 2", "static", "1.1.1.1", "primary", "validate=no"}));
    QCOMPARE(three.at(1),
             (QStringList{"interface", "ipv4", "add", "dns", "name=", "Ethernet 2", "8.8.8.8", "index=2"}));
    QCOMPARE(three.at(2),
             (QStringList{"interface", "ipv4", "add", "dns", "name=", "Ethernet 2", "9.9.9.9", "index=3"}));

    // An empty target: one "set" with an empty server.
    const QVector<QStringList> empty = Platform::netshDnsArguments(DnsFamily::Ipv6, QStringLiteral("Wi-Fi"), {""});
    QCOMPARE(empty.size(), 1);
    QCOMPARE(
        empty.at(0),
        (QStringList{"interface", "ipv6", "set", "dns", "name=", "Wi-Fi", "static", "", "primary", "validate=no"}));
}

void TestDns::wmicGuids()
{
    QByteArray output = TestSupport::readSupportFile(QStringLiteral("windows/wmic-nic-guid.txt"));
    const QSet<QString> guids = Platform::parseWmicGuids(output);
    QVERIFY(!guids.isEmpty());
    for (const QString &guid : guids) {
        QVERIFY2(guid.startsWith(QLatin1Char('{')) && guid == guid.toUpper(), qPrintable(guid));
        QVERIFY(!guid.contains(QLatin1Char('\r')));
    }
    QVERIFY(!guids.contains(QStringLiteral("GUID")));
    QCOMPARE(Platform::parseWmicGuids("GUID\r\r\n{abc-def}\r\r\n\r\r\n"), QSet<QString>{"{ABC-DEF}"});
    QCOMPARE(Platform::wmicGuidArguments(), (QStringList{"nic", "where", "GUID is not null", "get", "GUID"}));
}

void TestDns::resolvConf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QString>("rewritten");

    const QString conf = QStringLiteral("# generated\nsearch example.test\nnameserver 192.0.2.53\nnameserver "
                                        "2001:db8::53\nnameserver 192.0.2.54\noptions edns0\n");
    QTest::newRow("replace ipv4 in place")
        << conf << 4 << QStringList{"172.16.0.1"}
        << "# generated\nsearch example.test\nnameserver 172.16.0.1\nnameserver 2001:db8::53\noptions edns0\n";
    QTest::newRow("replace ipv6")
        << conf << 6 << QStringList{"fd00:dead:beef:cafe::1"}
        << "# generated\nsearch example.test\nnameserver 192.0.2.53\nnameserver fd00:dead:beef:cafe::1\nnameserver "
           "192.0.2.54\noptions edns0\n";
    QTest::newRow("clear ipv4") << conf << 4 << QStringList{""}
                                << "# generated\nsearch example.test\nnameserver 2001:db8::53\noptions edns0\n";
    QTest::newRow("add to a file without servers")
        << QStringLiteral("search example.test\n") << 4 << QStringList{"172.16.0.1", "172.16.0.2"}
        << "search example.test\nnameserver 172.16.0.1\nnameserver 172.16.0.2\n";
    QTest::newRow("empty file") << QString() << 6 << QStringList{"fd00::1"} << "nameserver fd00::1\n";
    QTest::newRow("no final line end") << QStringLiteral("nameserver 192.0.2.53") << 4 << QStringList{"10.0.0.1"}
                                       << "nameserver 10.0.0.1";
    // Lines this program would never write are someone else's: kept, never counted as ours.
    QTest::newRow("scoped server kept") << QStringLiteral("nameserver fe80::1%eth0\nnameserver 192.0.2.53\n") << 6
                                        << QStringList{"fd00::1"}
                                        << "nameserver fe80::1%eth0\nnameserver 192.0.2.53\nnameserver fd00::1\n";
    // Whatever reaches the writer, only addresses become lines.
    QTest::newRow("line breaks in a server")
        << QStringLiteral("search example.test\nnameserver 192.0.2.53\n") << 4
        << QStringList{"10.0.0.1\nsearch evil.example\noptions ndots:15"} << "search example.test\n";
    QTest::newRow("scope in a server") << conf << 6 << QStringList{"fe80::1%eth0\nsearch evil.example"}
                                       << "# generated\nsearch example.test\nnameserver 192.0.2.53\nnameserver "
                                          "192.0.2.54\noptions edns0\n";
}

void TestDns::resolvConf()
{
    QFETCH(QString, text);
    QFETCH(int, family);
    QFETCH(QStringList, servers);
    QFETCH(QString, rewritten);
    const DnsFamily f = family == 4 ? DnsFamily::Ipv4 : DnsFamily::Ipv6;
    const QString result = Platform::rewriteResolvConf(text, f, servers);
    QCOMPARE(result, rewritten);
    // Read back, the family holds what was written.
    QStringList wanted;
    for (const QString &server : servers) {
        if (AddressCheck::plainAddress(server).family != AddressCheck::Family::None)
            wanted << server;
    }
    const Platform::ResolvConf parsed = Platform::parseResolvConf(result);
    QCOMPARE(f == DnsFamily::Ipv4 ? parsed.ipv4 : parsed.ipv6, wanted);
}

void TestDns::heldNameservers()
{
    // The C library would ask these before (or beside) the VPN's servers; this program cannot
    // write them back as entries, so they are held aside under a mark and given back as they were.
    const QString conf = QStringLiteral("nameserver fe80::1%eth0\nsearch lan\nnameserver 010.1.1.1\nnameserver "
                                        "192.0.2.53\n# nameserver fe80::2%eth0\nnameserver\n");
    const QString held = Platform::holdForeignNameservers(conf, true);
    QCOMPARE(held,
             QStringLiteral("#velmorix-held: nameserver fe80::1%eth0\nsearch lan\n#velmorix-held: nameserver "
                            "010.1.1.1\nnameserver 192.0.2.53\n# nameserver fe80::2%eth0\nnameserver\n"));
    QCOMPARE(Platform::holdForeignNameservers(held, true), held);
    // During the session the VPN's servers are the only ones the file gives.
    QString session = Platform::rewriteResolvConf(held, DnsFamily::Ipv4, {"172.16.0.1"});
    session = Platform::rewriteResolvConf(session, DnsFamily::Ipv6, {"fd00:dead:beef:cafe::1"});
    QStringList active;
    for (const QString &line : session.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("nameserver ")))
            active << line.mid(11);
    }
    QCOMPARE(active, (QStringList{"172.16.0.1", "fd00:dead:beef:cafe::1"}));
    QCOMPARE(Platform::holdForeignNameservers(held, false), conf);
}

void TestDns::resolvedForms()
{
    QVERIFY(Platform::pointsAtResolvedStub(QString(), QStringLiteral("/run/systemd/resolve/stub-resolv.conf")));
    QVERIFY(
        Platform::pointsAtResolvedStub(QStringLiteral("nameserver 127.0.0.53\noptions edns0 trust-ad\n"), QString()));
    QVERIFY(!Platform::pointsAtResolvedStub(QStringLiteral("nameserver 192.0.2.53\n"), QString()));

    const QVector<Platform::ResolvedLink> links = Platform::parseResolvectlDns(
        QStringLiteral("Global:\nLink 1 (lo):\nLink 2 (eth0): 192.168.1.1 fe80::1%eth0\nLink 5 (tun0): 172.16.0.1\n"));
    QCOMPARE(links.size(), 3);
    QCOMPARE(links.at(1).name, QStringLiteral("eth0"));
    QCOMPARE(links.at(1).servers, (QStringList{"192.168.1.1", "fe80::1%eth0"}));
    QCOMPARE(links.at(0).servers, QStringList());

    // Encrypted DNS as resolvectl prints it, a list wrapped onto the next line, and the
    // global servers that follow a link (not the link's).
    const QVector<Platform::ResolvedLink> wrapped = Platform::parseResolvectlDns(
        QStringLiteral("Link 3 (vt0): 1.1.1.1 1.0.0.1#one.one.one.one 2606:4700::1111\n        "
                       "9.9.9.9#dns.quad9.net 8.8.8.8:853\nGlobal: 10.0.0.53\n        10.0.0.54\n"));
    QCOMPARE(wrapped.size(), 1);
    QCOMPARE(
        wrapped.at(0).servers,
        (QStringList{"1.1.1.1", "1.0.0.1#one.one.one.one", "2606:4700::1111", "9.9.9.9#dns.quad9.net", "8.8.8.8:853"}));
}

void TestDns::writeFileSafely()
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.conf"));
    const QString link = dir.filePath(QStringLiteral("resolv.conf"));
    QFile file(real);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("nameserver 192.0.2.53\n");
    file.close();
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    QVERIFY(QFile::link(real, link));

    QString error;
    QVERIFY(Platform::writeFileSafely(link, "nameserver 172.16.0.1\n", &error));
    // The link stays a link; its target has the new text and its permissions.
    QVERIFY(QFileInfo(link).isSymLink());
    QFile back(real);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), QByteArray("nameserver 172.16.0.1\n"));
    // The owner, group and other bits (the "user" bits only mirror them for us).
    QCOMPARE(QFile::permissions(real) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);

    // Nothing to write to: a failure, reported, the missing file not created.
    QVERIFY(!Platform::writeFileSafely(dir.filePath(QStringLiteral("none/x.conf")), "x", &error));
    QVERIFY(!error.isEmpty());
}

void TestDns::entryParse_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("ipv4");
    QTest::addColumn<QStringList>("ipv6");
    QTest::addColumn<QString>("lastIpv4");
    QTest::addColumn<QString>("lastIpv6");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("vpn entry") << QStringList{"{A}@172.16.0.1,fd00:dead:beef:cafe::1"} << QStringList{"172.16.0.1"}
                               << QStringList{"fd00:dead:beef:cafe::1"} << "172.16.0.1"
                               << "fd00:dead:beef:cafe::1" << QStringList();
    QTest::newRow("empty ipv6 part") << QStringList{"{A}@172.16.0.1,"} << QStringList{"172.16.0.1"} << QStringList()
                                     << "172.16.0.1"
                                     << "" << QStringList{"Dns: Cannot parse DNS data ()"};
    QTest::newRow("single server with blanks")
        << QStringList{"{A}@ 8.8.8.8 "} << QStringList{"8.8.8.8"} << QStringList() << "8.8.8.8"
        << "" << QStringList();
    QTest::newRow("single non-address, silent")
        << QStringList{"{A}@dns.example"} << QStringList() << QStringList() << ""
        << "" << QStringList();
    QTest::newRow("no @") << QStringList{"{A}"} << QStringList() << QStringList() << ""
                          << "" << QStringList();
    QTest::newRow("two @") << QStringList{"{A}@1.1.1.1@2.2.2.2"} << QStringList() << QStringList() << ""
                           << "" << QStringList();
    QTest::newRow("no servers") << QStringList{"{A}@"} << QStringList() << QStringList() << ""
                                << "" << QStringList();
    QTest::newRow("bad piece") << QStringList{"{A}@1.1.1.1,999.1.1.1,fe80::1"} << QStringList{"1.1.1.1"}
                               << QStringList{"fe80::1"} << "1.1.1.1"
                               << "fe80::1" << QStringList{"Dns: Cannot parse DNS data (999.1.1.1)"};
    // Encrypted-DNS forms of systemd-resolved are servers like any other.
    QTest::newRow("encrypted forms")
        << QStringList{"{A}@1.1.1.1#one.one.one.one,[2606:4700::1111]:853#cloudflare-dns.com,9.9.9.9:853"}
        << QStringList{"1.1.1.1#one.one.one.one", "9.9.9.9:853"}
        << QStringList{"[2606:4700::1111]:853#cloudflare-dns.com"} << "9.9.9.9:853"
        << "[2606:4700::1111]:853#cloudflare-dns.com" << QStringList();
    QTest::newRow("single encrypted form")
        << QStringList{"{A}@1.1.1.1#one.one.one.one"} << QStringList{"1.1.1.1#one.one.one.one"} << QStringList()
        << "1.1.1.1#one.one.one.one"
        << "" << QStringList();
    // Names as resolvectl prints them: underscores, digits-only labels, a final dot.
    QTest::newRow("server names of every valid kind")
        << QStringList{"{A}@192.0.2.1#dns_1.example,192.0.2.2:853#a-b.9.example.,[2001:db8::1]:853#_dns.example,"
                       "2001:db8::2#x"}
        << QStringList{"192.0.2.1#dns_1.example", "192.0.2.2:853#a-b.9.example."}
        << QStringList{"[2001:db8::1]:853#_dns.example", "2001:db8::2#x"} << "192.0.2.2:853#a-b.9.example."
        << "2001:db8::2#x" << QStringList();
    QTest::newRow("server names out of shape")
        << QStringList{"{A}@1.1.1.1#a..b,1.1.1.1#a-.b,1.1.1.1#a/b,1.1.1.1#" + QString(64, 'a') + ",1.1.1.1#,8.8.8.8"}
        << QStringList{"8.8.8.8"} << QStringList() << "8.8.8.8"
        << ""
        << QStringList{"Dns: Cannot parse DNS data (1.1.1.1#a..b)",
                       "Dns: Cannot parse DNS data (1.1.1.1#a-.b)",
                       "Dns: Cannot parse DNS data (1.1.1.1#a/b)",
                       "Dns: Cannot parse DNS data (1.1.1.1#" + QString(64, 'a') + ")",
                       "Dns: Cannot parse DNS data (1.1.1.1#)"};
    QTest::newRow("bad forms") << QStringList{"{A}@1.1.1.1:0,1.1.1.1:65536,1.1.1.1#-x,[1.1.1.1]:53,010.1.1.1,8.8.8.8"}
                               << QStringList{"8.8.8.8"} << QStringList() << "8.8.8.8"
                               << ""
                               << QStringList{"Dns: Cannot parse DNS data (1.1.1.1:0)",
                                              "Dns: Cannot parse DNS data (1.1.1.1:65536)",
                                              "Dns: Cannot parse DNS data (1.1.1.1#-x)",
                                              "Dns: Cannot parse DNS data ([1.1.1.1]:53)",
                                              "Dns: Cannot parse DNS data (010.1.1.1)"};
    QTest::newRow("last across entries") << QStringList{"{A}@1.1.1.1,fe80::1", "{B}@2.2.2.2,"} << QStringList{"1.1.1.1"}
                                         << QStringList{"fe80::1"} << "2.2.2.2"
                                         << "fe80::1" << QStringList{"Dns: Cannot parse DNS data ()"};
}

void TestDns::entryParse()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, ipv4);
    QFETCH(QStringList, ipv6);
    QFETCH(QString, lastIpv4);
    QFETCH(QString, lastIpv6);
    QFETCH(QStringList, warnings);

    MessageRecorder recorder;
    const Dns::Parsed parsed = Dns::parseEntries(entries);
    QCOMPARE(parsed.interfaces.size(), entries.size());
    QCOMPARE(parsed.interfaces.first().interfaceId, entries.first().section(QLatin1Char('@'), 0, 0));
    QCOMPARE(parsed.interfaces.first().ipv4Dns, ipv4);
    QCOMPARE(parsed.interfaces.first().ipv6Dns, ipv6);
    QCOMPARE(parsed.lastIpv4, lastIpv4);
    QCOMPARE(parsed.lastIpv6, lastIpv6);
    QCOMPARE(recorder.warnings(), warnings);
}

void TestDns::hostileEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("reason");

    // Each would have reached /etc/resolv.conf as root, or resolvectl's command line.
    QTest::newRow("scope and line breaks, one server")
        << QStringLiteral("resolv.conf@fe80::1%x\nsearch evil.example\noptions ndots:15") << "contains a blank";
    QTest::newRow("scope among servers") << QStringLiteral("resolv.conf@1.1.1.1,fe80::1%eth0") << "carries a scope id";
    QTest::newRow("line break among servers")
        << QStringLiteral("resolv.conf@1.1.1.1\nsearch evil.example,8.8.8.8") << "contains a control character";
    QTest::newRow("blank among servers") << QStringLiteral("resolv.conf@1.1.1.1, 8.8.8.8") << "contains a blank";
    QTest::newRow("hidden direction mark")
        << QStringLiteral("resolv.conf@1.1.1.1,\u202e8.8.8.8") << "contains a control character";
    QTest::newRow("blank in a server name") << QStringLiteral("eth0@1.1.1.1#a b,8.8.8.8") << "contains a blank";
    QTest::newRow("escape in the id") << QStringLiteral("eth0\x1b[2J@1.1.1.1") << "contains a control character";
}

void TestDns::hostileEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, reason);

    // A forged entry changes nothing for its interface, and nothing of it is taken; the other
    // entries of the run still count.
    MessageRecorder recorder;
    const Dns::Parsed parsed = Dns::parseEntries({QStringLiteral("wlan0@9.9.9.9,2001:db8::9"), entry});
    QCOMPARE(parsed.interfaces.size(), 1);
    QCOMPARE(parsed.interfaces.first().interfaceId, QStringLiteral("wlan0"));
    QCOMPARE(parsed.lastIpv4, QStringLiteral("9.9.9.9"));
    QCOMPARE(parsed.lastIpv6, QStringLiteral("2001:db8::9"));
    QCOMPARE(recorder.warnings().size(), 1);
    const QString warning = recorder.warnings().first();
    QVERIFY2(warning.contains(reason) && warning.contains(QLatin1String("nothing is changed")), qPrintable(warning));
    // One line, whatever the entry held.
    QVERIFY(!warning.contains(QLatin1Char('\n')) && !warning.contains(QChar(0x1b)) && !warning.contains(QChar(0x202e)));

    // A good entry for the same interface, before or after the forged one, changes nothing
    // either.
    const QString id = entry.section(QLatin1Char('@'), 0, 0);
    for (const QStringList &entries : {QStringList{id + QStringLiteral("@8.8.4.4"), entry},
                                       QStringList{entry, id + QStringLiteral("@8.8.4.4,2001:db8::4")}}) {
        const Dns::Parsed both = Dns::parseEntries(entries);
        QCOMPARE(both.interfaces.size(), 0);
        QVERIFY(both.lastIpv4.isEmpty() && both.lastIpv6.isEmpty());
    }
}

void TestDns::argumentValidity_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("invalid");
    QTest::addColumn<int>("mode");

    QTest::newRow("nothing") << QStringList() << true << int(Dns::None);
    QTest::newRow("unknown mode") << QStringList{"VPN", "{A}@1.1.1.1"} << true << int(Dns::None);
    QTest::newRow("vpn without entries") << QStringList{"vpn"} << true << int(Dns::Vpn);
    QTest::newRow("user without entries") << QStringList{"user"} << true << int(Dns::User);
    QTest::newRow("reset with extras") << QStringList{"reset", "{A}@1.1.1.1"} << false << int(Dns::Reset);
    QTest::newRow("vpn") << QStringList{"vpn", "{A}@172.16.0.1,"} << false << int(Dns::Vpn);
}

void TestDns::argumentValidity()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, invalid);
    QFETCH(int, mode);

    MessageRecorder recorder;
    Dns dns(arguments);
    QCOMPARE(dns.mode(), mode);
    QCOMPARE(dns.isInvalid(), invalid);
    QCOMPARE(dns.isInvalid(), invalid);
    if (invalid) {
        QVERIFY(!dns.run());
        QCOMPARE(recorder.warnings(), QStringList{"Dns: Invalid command line arguments"});
    } else {
        QCOMPARE(recorder.warnings(), QStringList());
        if (mode == Dns::Reset)
            QCOMPARE(dns.entries(), QStringList());
    }
}

void TestDns::killSwitchRules_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    // Trusting every tracked flow would let a connection opened before the switch go on, and a
    // name pattern would trust another program's tunnel: neither may come back.
    QTest::newRow("enable") << QStringList{"enable", "all", "10.99.0.1", ""} << true
                            << QStringList{"policy drop",
                                           "ip daddr 10.99.0.1 accept",
                                           "ip saddr 10.99.0.1 accept",
                                           "oif lo accept",
                                           "hook forward",
                                           "oif { 7 } accept",
                                           "iif { 7 } ct direction reply accept"}
                            << QStringList{"ip saddr { 10.0.0.0/8",
                                           "ip daddr { 10.0.0.0/8",
                                           "established",
                                           "tun*",
                                           "wg*",
                                           "iifname",
                                           "oifname",
                                           "oif { 7 } accept\n        iif { 7 } accept",
                                           "meta l4proto udp udp sport 68",
                                           "\n        udp sport 68"};
    QTest::newRow("enable local") << QStringList{"enable", "all", "10.99.0.1", "local"} << true
                                  << QStringList{"192.168.0.0/16", "fe80::/10", "224.0.0.0/24"}
                                  << QStringList{"224.0.0.0/4", "ff00::/8", "established"};
    QTest::newRow("ipv6 server") << QStringList{"enable", "all", "2001:db8::1", ""} << true
                                 << QStringList{"ip6 daddr 2001:db8::1 accept"} << QStringList{"ip daddr 2001"};
    // Valid forms that nft reads differently or refuses: the rules carry the parsed address.
    QTest::newRow("ipv6 with a dotted tail")
        << QStringList{"enable", "all", "1:2:3:4:5:6:1.2.3.4", ""} << true
        << QStringList{"ip6 daddr 1:2:3:4:5:6:102:304 accept"} << QStringList{"1.2.3.4"};
    QTest::newRow("ipv6 long and upper case")
        << QStringList{"enable", "all", "2001:DB8:0:0:0:0:0:1", ""} << true
        << QStringList{"ip6 saddr 2001:db8::1 accept"} << QStringList{"DB8", "0:0:0"};
    QTest::newRow("ipv4 mapped") << QStringList{"enable", "all", "::FFFF:10.99.0.1", "local"} << true
                                 << QStringList{"ip6 daddr ::ffff:10.99.0.1 accept"} << QStringList{"FFFF"};
    QTest::newRow("disable") << QStringList{"disable", "all"} << true
                             << QStringList{"delete table inet velmorix_killswitch"} << QStringList{"policy drop"};
    QTest::newRow("not an address") << QStringList{"enable", "all", "10.99.0.1; flush ruleset", ""} << false
                                    << QStringList() << QStringList();
    // The address lands in the rules' text: a scope would carry rules of its own along.
    QTest::newRow("scope id") << QStringList{"enable", "all", "fe80::1%eth0", ""} << false << QStringList()
                              << QStringList();
    QTest::newRow("rules in a scope") << QStringList{"enable", "all", "fe80::1%x accept\n}\ntable inet evil {", ""}
                                      << false << QStringList() << QStringList();
    QTest::newRow("line break") << QStringList{"enable", "all", "10.99.0.1\n", ""} << false << QStringList()
                                << QStringList();
    QTest::newRow("blank") << QStringList{"enable", "all", " 10.99.0.1", ""} << false << QStringList() << QStringList();
    QTest::newRow("octal form") << QStringList{"enable", "all", "010.99.0.1", ""} << false << QStringList()
                                << QStringList();
    QTest::newRow("odd fourth") << QStringList{"enable", "all", "10.99.0.1", "everything"} << false << QStringList()
                                << QStringList();
    QTest::newRow("too few") << QStringList{"enable", "all"} << false << QStringList() << QStringList();
}

void TestDns::killSwitchRules()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);

    KillSwitchRules::Request request = KillSwitchRules::parse(arguments);
    QCOMPARE(request.error.isEmpty(), ok);
    if (!ok) {
        QVERIFY(!request.error.contains(QLatin1Char('\n')));
        return;
    }
    request.tunnels = {{7, QStringLiteral("tun0")}};
    const QString script = KillSwitchRules::script(request);
    // Replacing, never adding a second table: one transaction that deletes the old one first.
    QVERIFY(script.startsWith(
        QLatin1String("add table inet velmorix_killswitch\ndelete table inet velmorix_killswitch\n")));
    for (const QString &text : present)
        QVERIFY2(script.contains(text), qPrintable(text));
    for (const QString &text : absent)
        QVERIFY2(!script.contains(text), qPrintable(text));
    // A script nft refuses leaves no switch at all. Its check mode changes nothing, but needs
    // the rights of the real run.
    const QString nft = QStandardPaths::findExecutable(QStringLiteral("nft"), {"/usr/sbin", "/sbin"});
    if (::geteuid() == 0 && !nft.isEmpty()) {
        QByteArray output;
        const int code = TestSupport::run(nft, {"-c", "-f", "-"}, QString(), &output, script.toUtf8());
        QVERIFY2(code == 0, output.constData());
    }
}

void TestDns::killSwitchThroughTheService()
{
    FakeService service;
    ServiceController controller(true, nullptr, service.port());
    QTRY_VERIFY(controller.isConnected());
    KillSwitch killSwitch;
    QSignalSpy finished(&killSwitch, &KillSwitch::killSwitchFinished);
    MessageRecorder recorder;

    killSwitch.enable(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), false);
    QVERIFY(killSwitch.isEnabled());
    killSwitch.disable();
    QVERIFY(!killSwitch.isEnabled());
    killSwitch.disable(); // still sent: the start-up check relies on the record, not on this flag
    const QString path = DnsManager::dnsProgramPath().replace(QLatin1String("/dns"), QLatin1String("/killswitch"));
    QTRY_COMPARE(service.frames().size(), 4);
    QCOMPARE(service.frames().at(1), QStringLiteral("start: \"%1\" \"enable\" \"all\" \"10.99.0.1\" \"\"").arg(path));
    QCOMPARE(service.frames().at(2), QStringLiteral("start: \"%1\" \"disable\" \"all\"").arg(path));
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral(
        "KillSwitch: Activate protection, VPN internal IP '10.8.0.2', VPN public IP: '10.99.0.1', allow local devices: "
        "'false'")));

    // The program's convention: an exit code other than 0 is success.
    service.report(QStringLiteral("started:1,0,killswitch"));
    service.report(QStringLiteral("started:2,0,killswitch"));
    service.report(QStringLiteral("finished:1,0,killswitch"));
    service.report(QStringLiteral("finished:2,1,killswitch"));
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QCOMPARE(finished.at(1).at(0).toBool(), true);
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("KillSwitch: Process finished with code: 1")));
}

QTEST_GUILESS_MAIN(TestDns)
#include "tst_dns.moc"

#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// The dns program for real, on the resolver file of a namespace of its own
// (tests/support/netns-run): /etc/resolv.conf there is a file mounted over the machine's.
class TestDnsNetns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void vpnThenUserRestoresTheFile();
    void resetRestoresFromTheDataFile();
    void resetWithoutDataFile_data();
    void resetWithoutDataFile();
    void onlyWhatWasSwitchedComesBack();
    void userRunWithoutSwitchChangesNothing();
    void secondSwitchKeepsTheUsersServers();
    void forgedEntriesWriteNothing_data();
    void forgedEntriesWriteNothing();
    void invalidArguments();
    void plantedFilesInTheDataFolder_data();
    void plantedFilesInTheDataFolder();
    void lockLeftBehindDoesNotHoldARun();
    void scopedServerIsHeldDuringTheSession_data();
    void scopedServerIsHeldDuringTheSession();
    void damagedDataFile_data();
    void damagedDataFile();

private:
    int dns(const QStringList &arguments, const QString &folder = QString());
    QByteArray resolvConf() const;
    // The servers the C library would ask, in its order.
    QStringList activeServers() const;
    void setResolvConf(const QByteArray &text);

    QTemporaryDir m_data;
    QByteArray m_original;
    QStringList m_etcBefore;
};

void TestDnsNetns::initTestCase()
{
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty(),
                     QStringLiteral("needs root and a network namespace (tests/support/netns-run)"));
    m_original = resolvConf();
    QVERIFY(m_original.contains("nameserver 192.0.2.53"));
    m_etcBefore = QDir(QStringLiteral("/etc")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void TestDnsNetns::init()
{
    QFile::remove(m_data.filePath(QStringLiteral("dns.dat")));
    QFile file(QStringLiteral("/etc/resolv.conf"));
    QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
    file.write(m_original);
}

int TestDnsNetns::dns(const QStringList &arguments, const QString &folder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), folder.isEmpty() ? m_data.path() : folder);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMORIX_APP_DIR_PATH "/dns"), arguments);
    if (!process.waitForFinished(60000))
        return -100;
    // No temporary file of ours may land in the machine's own /etc.
    const QStringList etc =
        QDir(QStringLiteral("/etc")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (etc != m_etcBefore)
        qWarning("new entries in /etc: %s", qPrintable(etc.join(' ')));
    return process.exitCode() == 255 ? -1 : process.exitCode();
}

QByteArray TestDnsNetns::resolvConf() const
{
    QFile file(QStringLiteral("/etc/resolv.conf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestDnsNetns::vpnThenUserRestoresTheFile()
{
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,fd00:dead:beef:cafe::1")}), 0);
    QCOMPARE(resolvConf(),
             QByteArray("# resolver of the test namespace\nsearch example.test\nnameserver 172.16.0.1\nnameserver "
                        "fd00:dead:beef:cafe::1\noptions edns0\n"));
    const QSettings data(m_data.filePath(QStringLiteral("dns.dat")), QSettings::IniFormat);
    QCOMPARE(data.value(QStringLiteral("UserDns/Args")).toString(),
             QStringLiteral("resolv.conf@192.0.2.53,2001:db8::53"));
    QCOMPARE(data.value(QStringLiteral("VpnDns/IPv4")).toString(), QStringLiteral("172.16.0.1"));

    QCOMPARE(dns({QStringLiteral("user"), QStringLiteral("resolv.conf@192.0.2.53,2001:db8::53")}), 0);
    QCOMPARE(resolvConf(), m_original);
    const QSettings after(m_data.filePath(QStringLiteral("dns.dat")), QSettings::IniFormat);
    QVERIFY(!after.childGroups().contains(QStringLiteral("VpnDns")));
    QVERIFY(after.childGroups().contains(QStringLiteral("UserDns")));
    QCOMPARE(QDir(QStringLiteral("/etc")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             m_etcBefore);
    QVERIFY(QFileInfo::exists(m_data.filePath(QStringLiteral("dns.log"))));
}

void TestDnsNetns::resetRestoresFromTheDataFile()
{
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,")}), 0);
    // Only IPv4 was pushed: the IPv6 servers are gone while the VPN runs.
    QVERIFY(resolvConf().contains("nameserver 172.16.0.1\n"));
    QVERIFY(!resolvConf().contains("2001:db8::53"));
    // The client crashed: no user run, a reset at the next start.
    QCOMPARE(dns({QStringLiteral("reset")}), 0);
    QCOMPARE(resolvConf(), m_original);
}

void TestDnsNetns::setResolvConf(const QByteArray &text)
{
    QFile file(QStringLiteral("/etc/resolv.conf"));
    QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
    file.write(text);
}

void TestDnsNetns::resetWithoutDataFile_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    // Without "dns.dat" nothing says who put the VPN's addresses there: only they go, and
    // never the last server.
    QTest::newRow("router at the VPN's address")
        << QByteArray("search lan\nnameserver 172.16.0.1\n") << QByteArray("search lan\nnameserver 172.16.0.1\n");
    QTest::newRow("the VPN's servers beside others")
        << QByteArray("nameserver 172.16.0.1\nnameserver 192.0.2.53\nnameserver fd00:dead:beef:cafe::1\n")
        << QByteArray("nameserver 192.0.2.53\n");
    QTest::newRow("no VPN server") << QByteArray("nameserver 192.0.2.53\nnameserver 2001:db8::53\n")
                                   << QByteArray("nameserver 192.0.2.53\nnameserver 2001:db8::53\n");
}

void TestDnsNetns::resetWithoutDataFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    setResolvConf(before);
    QCOMPARE(dns({QStringLiteral("reset")}), 0);
    QCOMPARE(resolvConf(), after);
}

void TestDnsNetns::onlyWhatWasSwitchedComesBack()
{
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,fd00:dead:beef:cafe::1")}), 0);
    // Mid-session a new DHCP lease rewrites the IPv4 servers.
    QByteArray leased = resolvConf();
    leased.replace("nameserver 172.16.0.1\n", "nameserver 192.0.2.99\n");
    setResolvConf(leased);

    QCOMPARE(dns({QStringLiteral("user"), QStringLiteral("resolv.conf@192.0.2.53,2001:db8::53")}), 0);
    // The lease's server stays; the family the VPN still held comes back.
    QCOMPARE(resolvConf(),
             QByteArray("# resolver of the test namespace\nsearch example.test\nnameserver 192.0.2.99\nnameserver "
                        "2001:db8::53\noptions edns0\n"));
}

void TestDnsNetns::userRunWithoutSwitchChangesNothing()
{
    // A session that never reached the switch still ends with a user run.
    QCOMPARE(dns({QStringLiteral("user"), QStringLiteral("resolv.conf@9.9.9.9")}), 0);
    QCOMPARE(resolvConf(), m_original);
}

void TestDnsNetns::secondSwitchKeepsTheUsersServers()
{
    // A reconnection's switch without a user run between: the servers of the moment are the
    // VPN's, not the user's.
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,")}), 0);
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,fd00:dead:beef:cafe::1")}), 0);
    QCOMPARE(dns({QStringLiteral("reset")}), 0);
    QCOMPARE(resolvConf(), m_original);
}

void TestDnsNetns::forgedEntriesWriteNothing_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("entry");
    QTest::newRow("vpn, scope with lines") << "vpn"
                                           << "resolv.conf@fe80::1%x\nsearch evil.example\noptions ndots:15";
    QTest::newRow("vpn, line among servers") << "vpn"
                                             << "resolv.conf@172.16.0.1\nsearch evil.example,";
    QTest::newRow("user, line among servers") << "user"
                                              << "resolv.conf@1.1.1.1\nsearch evil.example,8.8.8.8";
}

void TestDnsNetns::forgedEntriesWriteNothing()
{
    QFETCH(QString, mode);
    QFETCH(QString, entry);
    QByteArray expected = m_original;
    if (mode == QLatin1String("user")) {
        QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,fd00:dead:beef:cafe::1")}), 0);
        expected = resolvConf();
    }
    QCOMPARE(dns({mode, entry}), 0);
    QCOMPARE(resolvConf(), expected);
    QFile log(m_data.filePath(QStringLiteral("dns.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray lines = log.readAll();
    QVERIFY(lines.contains("nothing is changed for 'resolv.conf'"));
    // Every line of the log is a line of the program's own.
    QVERIFY(!lines.contains("\nsearch evil"));
}

void TestDnsNetns::invalidArguments()
{
    QCOMPARE(dns({}), -1);
    QCOMPARE(dns({QStringLiteral("vpn")}), -1);
    QCOMPARE(dns({QStringLiteral("switch"), QStringLiteral("resolv.conf@1.1.1.1")}), -1);
    QCOMPARE(resolvConf(), m_original);
}

void TestDnsNetns::plantedFilesInTheDataFolder_data()
{
    QTest::addColumn<uint>("owner");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("used");

    // Another user's links where root keeps the record and its log: a folder that others may
    // write is refused as a whole; in root's own folder the links go and the run goes on.
    QTest::newRow("open to everyone") << 0u << 0777 << false;
    QTest::newRow("another user's") << 65534u << 0700 << false;
    QTest::newRow("root's, links left behind") << 0u << 0755 << true;
}

void TestDnsNetns::plantedFilesInTheDataFolder()
{
    QFETCH(uint, owner);
    QFETCH(int, mode);
    QFETCH(bool, used);

    const QString folder = m_data.filePath(QStringLiteral("machine"));
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(QDir().mkpath(folder));
    const QByteArray encoded = QFile::encodeName(folder);
    QVERIFY(::chown(encoded.constData(), owner, owner) == 0 && ::chmod(encoded.constData(), mode_t(mode)) == 0);
    const QString victim = m_data.filePath(QStringLiteral("victim"));
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("precious\n");
    file.close();
    for (const QString &name : {QStringLiteral("dns.dat"), QStringLiteral("dns.log"), QStringLiteral("dns.lock")}) {
        const QString path = folder + QLatin1Char('/') + name;
        QVERIFY(QFile::link(victim, path));
        QVERIFY(::lchown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    }

    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,")}, folder), used ? 0 : -1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious\n"));
    file.close();
    if (!used) {
        QCOMPARE(resolvConf(), m_original);
        return;
    }
    QVERIFY(resolvConf().contains("nameserver 172.16.0.1\n"));
    for (const QString &name : {QStringLiteral("dns.dat"), QStringLiteral("dns.log")})
        QVERIFY(!QFileInfo(folder + QLatin1Char('/') + name).isSymLink());
    QCOMPARE(dns({QStringLiteral("reset")}, folder), 0);
    QCOMPARE(resolvConf(), m_original);
}

void TestDnsNetns::lockLeftBehindDoesNotHoldARun()
{
    // A lock file of a run before, naming a process that lives (here: this test): only a run
    // that holds the lock now may make the next one wait.
    QFile lock(m_data.filePath(QStringLiteral("dns.lock")));
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_dns_netns\n\n");
    lock.close();
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,")}), 0);
    QCOMPARE(dns({QStringLiteral("reset")}), 0);
    QCOMPARE(resolvConf(), m_original);
}

QStringList TestDnsNetns::activeServers() const
{
    QStringList servers;
    for (const QByteArray &line : resolvConf().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && words.first() == "nameserver")
            servers << QString::fromUtf8(words.at(1));
    }
    return servers;
}

void TestDnsNetns::scopedServerIsHeldDuringTheSession_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("user run") << "user";
    QTest::newRow("reset after a crash") << "reset";
}

void TestDnsNetns::scopedServerIsHeldDuringTheSession()
{
    QFETCH(QString, end);
    // A router's link-local server, first in the file: asked before the VPN's it would see
    // every name of the session.
    const QByteArray before("nameserver fe80::1%vmxlink0\nsearch lan\nnameserver 192.0.2.53\nnameserver 010.0.0.1\n"
                            "nameserver 2001:db8::53\n");
    setResolvConf(before);
    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,fd00:dead:beef:cafe::1")}), 0);
    QCOMPARE(activeServers(), (QStringList{"172.16.0.1", "fd00:dead:beef:cafe::1"}));
    if (end == QLatin1String("user"))
        QCOMPARE(dns({end, QStringLiteral("resolv.conf@192.0.2.53,2001:db8::53")}), 0);
    else
        QCOMPARE(dns({end}), 0);
    QCOMPARE(resolvConf(), before);
}

void TestDnsNetns::damagedDataFile_data()
{
    QTest::addColumn<int>("keep"); // bytes of the real file kept; below 0: damaged another way
    QTest::addColumn<QByteArray>("after"); // empty: a file with a server and none of the VPN's

    // The record of the switch (the last group) lost: the user's servers still say it all.
    QTest::newRow("cut before the record of the switch") << -2 << m_original;
    // Cut inside the user's IPv6 server: what is left of the user's comes back, the VPN's go.
    QTest::newRow("cut inside the user's servers") << -3 << QByteArray();
    // Nothing of the user's is left anywhere: the VPN's servers stay rather than none at all.
    const QByteArray session("# resolver of the test namespace\nsearch example.test\nnameserver 172.16.0.1\nnameserver "
                             "fd00:dead:beef:cafe::1\noptions edns0\n");
    QTest::newRow("garbage") << -1 << session;
    QTest::newRow("empty file") << 0 << session;
}

void TestDnsNetns::damagedDataFile()
{
    QFETCH(int, keep);
    QFETCH(QByteArray, after);

    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("resolv.conf@172.16.0.1,fd00:dead:beef:cafe::1")}), 0);
    QFile data(m_data.filePath(QStringLiteral("dns.dat")));
    QVERIFY(data.open(QIODevice::ReadOnly));
    QByteArray text = data.readAll();
    data.close();
    if (keep == -1)
        text = QByteArray("\x00\xff[[[\n=\x01Args\n", 14);
    else if (keep == -2)
        text = text.left(text.indexOf("[VpnDns]"));
    else if (keep == -3)
        text = text.left(text.indexOf("2001:db8::53") + 6);
    else
        text = text.left(keep);
    QVERIFY(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
    data.write(text);
    data.close();

    QCOMPARE(dns({QStringLiteral("reset")}), 0);
    const QStringList servers = activeServers();
    QVERIFY2(!servers.isEmpty(), resolvConf().constData());
    if (after.isEmpty())
        QVERIFY2(!servers.contains(QStringLiteral("172.16.0.1"))
                     && !servers.contains(QStringLiteral("fd00:dead:beef:cafe::1")),
                 resolvConf().constData());
    else
        QCOMPARE(resolvConf(), after);
    QFile log(m_data.filePath(QStringLiteral("dns.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("is damaged"));
}

QTEST_GUILESS_MAIN(TestDnsNetns)
#include "tst_dns_netns.moc"

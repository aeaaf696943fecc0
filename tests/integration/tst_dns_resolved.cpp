#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The dns program against a real systemd-resolved (tests/support/resolved-run): per-link
// servers through resolvectl, in a namespace of their own.
class TestDnsResolved : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sessionGivesEveryLinkItsServersBack_data();
    void sessionGivesEveryLinkItsServersBack();

private:
    static QString resolvectl(const QStringList &arguments, int *code = nullptr);
    static QString servers(const QString &link);
    int dns(const QStringList &arguments);

    QTemporaryDir m_data;
};

void TestDnsResolved::initTestCase()
{
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_RESOLVED").isEmpty(),
                     QStringLiteral("needs root and systemd-resolved unpacked by scripts/setup "
                                    "(tests/support/resolved-run)"));
}

void TestDnsResolved::init()
{
    QFile::remove(m_data.filePath(QStringLiteral("dns.dat")));
}

QString TestDnsResolved::resolvectl(const QStringList &arguments, int *code)
{
    QProcess process;
    process.start(QStringLiteral("resolvectl"), arguments);
    process.waitForFinished(30000);
    if (code)
        *code = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What resolved holds for the link, in its own words, however it was wrapped. Sorted: a link's
// servers travel as two lists, one per family, so their order across families is not kept.
QString TestDnsResolved::servers(const QString &link)
{
    QStringList words = resolvectl({QStringLiteral("dns"), link})
                            .section(QLatin1Char(':'), 1)
                            .simplified()
                            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.sort();
    return words.join(QLatin1Char(' '));
}

int TestDnsResolved::dns(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), m_data.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMORIX_APP_DIR_PATH "/dns"), arguments);
    if (!process.waitForFinished(60000))
        return -100;
    return process.exitCode();
}

void TestDnsResolved::sessionGivesEveryLinkItsServersBack_data()
{
    QTest::addColumn<QStringList>("link");
    QTest::addColumn<QStringList>("peer");

    // A link without servers has none again afterwards, not the VPN's for ever.
    QTest::newRow("a link without servers") << QStringList() << QStringList{"192.0.2.53", "2001:db8::53"};
    // Encrypted DNS, and a list long enough for resolvectl to wrap it.
    QTest::newRow("encrypted forms, wrapped")
        << QStringList{"1.1.1.1#one.one.one.one", "[2606:4700::1111]:853#cloudflare-dns.com", "9.9.9.9:853"}
        << QStringList{"192.0.2.53",
                       "192.0.2.54",
                       "192.0.2.55",
                       "192.0.2.56",
                       "192.0.2.57",
                       "192.0.2.58",
                       "2001:db8::53",
                       "2001:db8::54",
                       "2001:db8::55",
                       "9.9.9.9#dns.quad9.net"};
}

void TestDnsResolved::sessionGivesEveryLinkItsServersBack()
{
    QFETCH(QStringList, link);
    QFETCH(QStringList, peer);
    const QString linkName = QStringLiteral("vmxlink0");
    const QString peerName = QStringLiteral("vmxpeer0");
    int code = -1;
    resolvectl(QStringList{QStringLiteral("dns"), linkName} + (link.isEmpty() ? QStringList{QString()} : link), &code);
    QCOMPARE(code, 0);
    resolvectl(QStringList{QStringLiteral("dns"), peerName} + peer, &code);
    QCOMPARE(code, 0);
    const QString linkBefore = servers(linkName);
    const QString peerBefore = servers(peerName);
    QCOMPARE(linkBefore.isEmpty(), link.isEmpty());

    QCOMPARE(dns({QStringLiteral("vpn"), QStringLiteral("%1@172.16.0.1,fd00:dead:beef:cafe::1").arg(linkName)}), 0);
    QCOMPARE(servers(linkName), QStringLiteral("172.16.0.1 fd00:dead:beef:cafe::1"));
    QCOMPARE(servers(peerName), QStringLiteral("172.16.0.1 fd00:dead:beef:cafe::1"));

    // The client's crash: a reset from "dns.dat" alone.
    QCOMPARE(dns({QStringLiteral("reset")}), 0);
    QCOMPARE(servers(linkName), linkBefore);
    QCOMPARE(servers(peerName), peerBefore);
}

QTEST_GUILESS_MAIN(TestDnsResolved)
#include "tst_dns_resolved.moc"

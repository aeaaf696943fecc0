#include "openvpnnetworkinterfaces.h"
#include "testsupport.h"

#include <QNetworkInterface>
#include <QProcess>
#include <QtTest>

// Adapter detection on a machine with the TUN/TAP driver and a tun link, inside the namespace
// that tests/support/netns-run makes.
class TestAdaptersNetns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void findsTheTunLink();

private:
    static bool ip(const QStringList &arguments);
};

bool TestAdaptersNetns::ip(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("ip"), arguments) == 0;
}

void TestAdaptersNetns::initTestCase()
{
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty(),
                     QStringLiteral("needs root and a network namespace (tests/support/netns-run)"));
    VELMORIX_REQUIRE(QFileInfo::exists(QStringLiteral("/dev/net/tun")), QStringLiteral("needs /dev/net/tun"));
    QVERIFY(ip({QStringLiteral("tuntap"),
                QStringLiteral("add"),
                QStringLiteral("dev"),
                QStringLiteral("vmxtun0"),
                QStringLiteral("mode"),
                QStringLiteral("tun")}));
}

void TestAdaptersNetns::cleanupTestCase()
{
    if (!qEnvironmentVariable("VELMORIX_NETNS").isEmpty())
        ip({QStringLiteral("tuntap"),
            QStringLiteral("del"),
            QStringLiteral("dev"),
            QStringLiteral("vmxtun0"),
            QStringLiteral("mode"),
            QStringLiteral("tun")});
}

void TestAdaptersNetns::findsTheTunLink()
{
    const int tunIndex = QNetworkInterface::interfaceIndexFromName(QStringLiteral("vmxtun0"));
    const int vethIndex = QNetworkInterface::interfaceIndexFromName(qEnvironmentVariable("VELMORIX_NETNS_LINK"));
    QVERIFY(tunIndex > 0 && vethIndex > 0);

    OpenVpnNetworkInterfaces interfaces;
    interfaces.detect(true);
    NetworkAdapters expected = {{QStringLiteral("TUN/TAP driver (/dev/net/tun)"), 0},
                                {QStringLiteral("vmxtun0"), tunIndex}};
    QCOMPARE(interfaces.interfaces(), expected);

    interfaces.detect(false);
    const NetworkAdapters all = interfaces.interfaces();
    QVERIFY(all.contains({QStringLiteral("vmxtun0"), tunIndex}));
    QVERIFY(all.contains({qEnvironmentVariable("VELMORIX_NETNS_LINK"), vethIndex}));
    for (const NetworkAdapter &adapter : all)
        QVERIFY2(adapter.name != QLatin1String("lo"), "loopback listed");
}

QTEST_GUILESS_MAIN(TestAdaptersNetns)
#include "tst_adapters_netns.moc"

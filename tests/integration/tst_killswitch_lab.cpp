#include "killswitch.h"
#include "servicecontroller.h"
#include "testsupport.h"
#include "vpnservicerunner.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The kill switch for real: KillSwitch, the real vpn-service and the nftables stand-in, probed
// from the client namespace of tests/support/openvpn-lab.
class TestKillSwitchLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void blocksAllButTheServer();
    void localNetworksWhenAllowed();

private:
    static bool reachable(const QString &address);
    void switchTo(bool enable, bool allowLocal);

    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<ServiceController> m_link;
    std::unique_ptr<KillSwitch> m_killSwitch;
};

bool TestKillSwitchLab::reachable(const QString &address)
{
    return QProcess::execute(
               QStringLiteral("ping"),
               {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("1"), address})
        == 0;
}

void TestKillSwitchLab::initTestCase()
{
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty(),
                     QStringLiteral("needs root and the namespaces of tests/support/openvpn-lab"));
    qputenv("VELMORIX_APP_DIR", VELMORIX_APP_DIR_PATH);
    const quint16 port = TestSupport::freePort();
    m_service = std::make_unique<VpnServiceRunner>(QStringLiteral(VELMORIX_APP_DIR_PATH), port);
    QVERIFY(m_service->waitListening());
    m_link = std::make_unique<ServiceController>(true, nullptr, port);
    QTRY_VERIFY(m_link->isConnected());
    m_killSwitch = std::make_unique<KillSwitch>();
    QVERIFY(reachable(QStringLiteral("10.99.0.1")));
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
    QVERIFY(reachable(QStringLiteral("198.51.100.7")));
}

void TestKillSwitchLab::cleanupTestCase()
{
    if (m_killSwitch && m_killSwitch->isEnabled())
        switchTo(false, false);
    m_killSwitch.reset();
    m_link.reset();
    m_service.reset();
}

void TestKillSwitchLab::switchTo(bool enable, bool allowLocal)
{
    QSignalSpy finished(m_killSwitch.get(), &KillSwitch::killSwitchFinished);
    if (enable)
        m_killSwitch->enable(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), allowLocal);
    else
        m_killSwitch->disable();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
}

void TestKillSwitchLab::blocksAllButTheServer()
{
    switchTo(true, false);
    QVERIFY(reachable(QStringLiteral("10.99.0.1")));
    QVERIFY(!reachable(QStringLiteral("198.51.100.7")));
    QVERIFY(!reachable(QStringLiteral("10.99.0.3")));

    // Twice on: still one table, still the same protection.
    switchTo(true, false);
    QProcess nft;
    nft.start(QStringLiteral("nft"), {QStringLiteral("list"), QStringLiteral("tables")});
    QVERIFY(nft.waitForFinished());
    QCOMPARE(nft.readAll().count("velmorix_killswitch"), 1);

    switchTo(false, false);
    QVERIFY(reachable(QStringLiteral("198.51.100.7")));
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
}

void TestKillSwitchLab::localNetworksWhenAllowed()
{
    switchTo(true, true);
    QVERIFY(reachable(QStringLiteral("10.99.0.1")));
    QVERIFY(reachable(QStringLiteral("10.99.0.3")));
    QVERIFY(!reachable(QStringLiteral("198.51.100.7")));
    switchTo(false, false);
    QVERIFY(reachable(QStringLiteral("198.51.100.7")));
}

QTEST_GUILESS_MAIN(TestKillSwitchLab)
#include "tst_killswitch_lab.moc"

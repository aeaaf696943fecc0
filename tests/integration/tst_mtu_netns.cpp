#include "testsupport.h"
#include "utils.h"

#include <QFile>
#include <QNetworkInterface>
#include <QtTest>

// Sets the MTU of a real link. Runs only inside the namespace that tests/support/netns-run
// makes, never on the machine's own interfaces.
class TestMtuNetns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void setsTheMtu_data();
    void setsTheMtu();

private:
    int linkMtu() const;

    QString m_link;
    int m_index = 0;
};

void TestMtuNetns::initTestCase()
{
    m_link = qEnvironmentVariable("VELMORIX_NETNS_LINK");
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_link.isEmpty(),
                     QStringLiteral("needs root and a network namespace (tests/support/netns-run)"));
    m_index = QNetworkInterface::interfaceIndexFromName(m_link);
    QVERIFY2(m_index > 0, qPrintable(m_link));
}

void TestMtuNetns::setsTheMtu_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("exitCode");

    // Rows run in order: each starts from the MTU the one before left.
    QTest::newRow("1400") << 1400 << 1400 << 0;
    QTest::newRow("zero means 1500") << 0 << 1500 << 0;
    QTest::newRow("1280") << 1280 << 1280 << 0;
    QTest::newRow("negative means 1500") << -5 << 1500 << 0;
    // The link refuses it: ip's failure shows in the code, and the MTU stays.
    QTest::newRow("beyond the link's maximum") << 100000 << 1500 << 2;
}

void TestMtuNetns::setsTheMtu()
{
    QFETCH(int, requested);
    QFETCH(int, expected);
    QFETCH(int, exitCode);

    QTest::ignoreMessage(
        QtInfoMsg, qPrintable(QStringLiteral("Utils: 'Set mtu size' command finished with code: %1").arg(exitCode)));
    Utils::setInterfaceMtu(m_index, requested);
    QCOMPARE(linkMtu(), expected);
}

int TestMtuNetns::linkMtu() const
{
    QFile file(QStringLiteral("/sys/class/net/%1/mtu").arg(m_link));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().trimmed().toInt();
}

QTEST_GUILESS_MAIN(TestMtuNetns)
#include "tst_mtu_netns.moc"

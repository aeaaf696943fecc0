#include "multiping.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

// Probes that get no answer, inside the namespace of tests/support/netns-run: addresses routed
// onto a link where nobody answers.
class TestMultiPingNetns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unansweredProbesFailAfterTheLimit();
};

void TestMultiPingNetns::initTestCase()
{
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty(),
                     QStringLiteral("needs root and a network namespace (tests/support/netns-run)"));
    QCOMPARE(QProcess::execute(QStringLiteral("ip"),
                               {QStringLiteral("route"),
                                QStringLiteral("add"),
                                QStringLiteral("203.0.113.0/24"),
                                QStringLiteral("dev"),
                                qEnvironmentVariable("VELMORIX_NETNS_LINK")}),
             0);
}

void TestMultiPingNetns::unansweredProbesFailAfterTheLimit()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    QElapsedTimer timer;
    timer.start();
    ping.sendRequest(QStringList{"203.0.113.9", "127.0.0.1", "203.0.113.10"});
    QTRY_COMPARE_WITH_TIMEOUT(last.count(), 1, 5000);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 900, qPrintable(QString::number(elapsed)));

    // The answer first, in the order the probes finished; the failures as 100000.
    const QStringList results = last.at(0).at(0).toStringList();
    QCOMPARE(results.size(), 3);
    QVERIFY(results.first().startsWith(QLatin1String("127.0.0.1:")));
    QVERIFY(results.contains(QStringLiteral("203.0.113.9:100000")));
    QVERIFY(results.contains(QStringLiteral("203.0.113.10:100000")));
    // Sorted by value, then address; 100000 as a 16-bit number.
    QCOMPARE(each.at(1).at(0).toString(), QStringLiteral("203.0.113.10"));
    QCOMPARE(each.at(1).at(1).value<ushort>(), ushort(34464));
    QCOMPARE(each.at(2).at(0).toString(), QStringLiteral("203.0.113.9"));
}

QTEST_GUILESS_MAIN(TestMultiPingNetns)
#include "tst_multiping_netns.moc"

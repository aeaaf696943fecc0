#include "messagerecorder.h"
#include "multiping.h"
#include "senderobject.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

// MultiPing with real ICMP echoes to loopback addresses. Unprivileged ICMP sockets or root
// are needed; without either every probe reports a failure, which the test says.
class TestMultiPing : public QObject
{
    Q_OBJECT

private slots:
    void relayReportsOnce();
    void emptyListEmitsNothing();
    void loopbackBatch();
    void singleRequestAddsToTheBatch();
    void unparsableAddressFails();
    void failuresAtOnceEndTheBatchOnce_data();
    void failuresAtOnceEndTheBatchOnce();
};

void TestMultiPing::relayReportsOnce()
{
    QList<QPair<bool, uint>> reports;
    {
        SenderObject relay;
        connect(&relay, &SenderObject::finished, this, [&](bool success, uint value) {
            reports.append({success, value});
        });
        relay.deliver(true, 12);
        relay.deliver(false, 0);
    }
    {
        SenderObject relay;
        connect(&relay, &SenderObject::finished, this, [&](bool success, uint value) {
            reports.append({success, value});
        });
    } // destroyed without a result: a failure, once
    QCOMPARE(reports, (QList<QPair<bool, uint>>{{true, 12}, {false, 0}}));
}

void TestMultiPing::emptyListEmitsNothing()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    ping.sendRequest(QStringList());
    QTest::qWait(200);
    QCOMPARE(last.count(), 0);
    QCOMPARE(each.count(), 0);
}

void TestMultiPing::loopbackBatch()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    const QStringList addresses = {"127.0.0.1", "127.0.0.2", "127.3.4.5", "127.9.9.9"};
    ping.sendRequest(addresses);
    QTRY_COMPARE_WITH_TIMEOUT(last.count(), 1, 3000);
    QTest::qWait(100);
    QCOMPARE(last.count(), 1);
    const QStringList results = last.at(0).at(0).toStringList();
    QCOMPARE(results.size(), 4);
    QCOMPARE(each.count(), 4);
    for (const QString &entry : results) {
        const uint value = entry.section(QLatin1Char(':'), 1).toUInt();
        VELMORIX_REQUIRE(value != MultiPing::failedPingValue,
                         QStringLiteral("no ICMP socket here (neither unprivileged ICMP nor root)"));
        QVERIFY2(value >= 1 && value < 500, qPrintable(entry));
        QVERIFY(addresses.contains(entry.section(QLatin1Char(':'), 0, 0)));
    }
    // The per-result signal comes in ascending order of value.
    for (int i = 1; i < each.count(); ++i)
        QVERIFY(each.at(i - 1).at(1).value<ushort>() <= each.at(i).at(1).value<ushort>());
    QCOMPARE(ping.results(), results);
}

void TestMultiPing::singleRequestAddsToTheBatch()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    ping.sendRequest(QStringList{"127.0.0.1"});
    QTRY_COMPARE_WITH_TIMEOUT(last.count(), 1, 3000);
    ping.sendRequest(QStringLiteral("127.0.0.2"));
    QTRY_COMPARE_WITH_TIMEOUT(last.count(), 2, 3000);
    QCOMPARE(last.at(1).at(0).toStringList().size(), 2);
    QVERIFY(last.at(1).at(0).toStringList().at(1).startsWith(QLatin1String("127.0.0.2:")));
}

void TestMultiPing::unparsableAddressFails()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    ping.sendRequest(QStringList{"not-an-address"});
    QTRY_COMPARE_WITH_TIMEOUT(last.count(), 1, 3000);
    QCOMPARE(last.at(0).at(0).toStringList(), QStringList{"not-an-address:100000"});
    QCOMPARE(each.at(0).at(1).value<ushort>(), ushort(34464));
}

void TestMultiPing::failuresAtOnceEndTheBatchOnce_data()
{
    QTest::addColumn<QStringList>("addresses");
    // Probes that fail inside ping() report before the next one has started.
    QTest::newRow("every probe fails at once") << QStringList{"x", "10.0.0.300", "::1"};
    QTest::newRow("failure first") << QStringList{"not-an-address", "127.0.0.1"};
    QTest::newRow("failure between answers") << QStringList{"127.0.0.1", "y", "127.0.0.2"};
    QTest::newRow("failure last") << QStringList{"127.0.0.1", "z"};
}

void TestMultiPing::failuresAtOnceEndTheBatchOnce()
{
    QFETCH(QStringList, addresses);
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    ping.sendRequest(addresses);
    QTRY_COMPARE_WITH_TIMEOUT(last.count(), 1, 3000);
    // Past every probe's limit: nothing more comes.
    QTest::qWait(MultiPing::timeoutMs + 200);
    QCOMPARE(last.count(), 1);
    QCOMPARE(last.at(0).at(0).toStringList().size(), addresses.size());
    QCOMPARE(each.count(), addresses.size());
}

QTEST_GUILESS_MAIN(TestMultiPing)
#include "tst_multiping.moc"

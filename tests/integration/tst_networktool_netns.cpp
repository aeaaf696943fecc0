#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The network tool for real on the IPv6 settings of a namespace of its own
// (tests/support/netns-run): what "disable" switched off, "enable" gives back as it was.
class TestNetworkToolNetns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sessionsGiveTheSettingsBack_data();
    void sessionsGiveTheSettingsBack();
    void forgedRecordsChangeNothing_data();
    void forgedRecordsChangeNothing();

private:
    // "all", "default", the link's own value and the loopback's, as one text.
    static QString settings();
    static void set(const QString &name, const QString &value);
    int tool(const QString &mode);

    QTemporaryDir m_data;
    QString m_link;
};

void TestNetworkToolNetns::initTestCase()
{
    m_link = qEnvironmentVariable("VELMORIX_NETNS_LINK");
    VELMORIX_REQUIRE(!qEnvironmentVariable("VELMORIX_NETNS").isEmpty() && !m_link.isEmpty(),
                     QStringLiteral("needs root and a network namespace (tests/support/netns-run)"));
    VELMORIX_REQUIRE(QFileInfo::exists(QStringLiteral("/proc/sys/net/ipv6/conf/all/disable_ipv6")),
                     QStringLiteral("needs a kernel with IPv6"));
}

QString TestNetworkToolNetns::settings()
{
    QStringList values;
    for (const QString &name : {QStringLiteral("all"),
                                QStringLiteral("default"),
                                qEnvironmentVariable("VELMORIX_NETNS_LINK"),
                                QStringLiteral("lo")}) {
        QFile file(QStringLiteral("/proc/sys/net/ipv6/conf/%1/disable_ipv6").arg(name));
        values << (file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed()
                                                  : QStringLiteral("?"));
    }
    return values.join(QLatin1Char(' '));
}

void TestNetworkToolNetns::set(const QString &name, const QString &value)
{
    QFile file(QStringLiteral("/proc/sys/net/ipv6/conf/%1/disable_ipv6").arg(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(value.toLatin1() + '\n') > 0);
}

int TestNetworkToolNetns::tool(const QString &mode)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), m_data.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMORIX_APP_DIR_PATH "/network-tool"), {QStringLiteral("--ipv6"), mode});
    return process.waitForFinished(30000) ? process.exitCode() : -100;
}

void TestNetworkToolNetns::sessionsGiveTheSettingsBack_data()
{
    QTest::addColumn<QString>("all");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QStringList>("modes");
    QTest::addColumn<QString>("during");

    // Each row starts from its settings, runs the tool, and must end where it started.
    QTest::newRow("one session") << "0"
                                 << "0" << QStringList{"disable", "enable"} << "1 1 1 1";
    // The user had switched IPv6 off on one interface: it stays off.
    QTest::newRow("one interface off") << "0"
                                       << "1" << QStringList{"disable", "enable"} << "1 1 1 1";
    // Reconnections disable again: the first record holds, the machine's own settings.
    QTest::newRow("disabled twice") << "0"
                                    << "1" << QStringList{"disable", "disable", "enable"} << "1 1 1 1";
    // IPv6 off on purpose, and no session to undo: "enable" leaves it so.
    QTest::newRow("enable without a session") << "1"
                                              << "1" << QStringList{"enable"} << "";
    QTest::newRow("enable twice") << "0"
                                  << "1" << QStringList{"disable", "enable", "enable"} << "1 1 1 1";
}

void TestNetworkToolNetns::sessionsGiveTheSettingsBack()
{
    QFETCH(QString, all);
    QFETCH(QString, link);
    QFETCH(QStringList, modes);
    QFETCH(QString, during);

    QFile::remove(m_data.filePath(QStringLiteral("ipv6.dat")));
    set(QStringLiteral("all"), all);
    set(QStringLiteral("default"), QStringLiteral("0"));
    set(m_link, link);
    set(QStringLiteral("lo"), QStringLiteral("0"));
    const QString before = settings();

    for (const QString &mode : modes) {
        QCOMPARE(tool(mode), 0);
        if (mode == QLatin1String("disable"))
            QCOMPARE(settings(), during);
    }
    QCOMPARE(settings(), before);
    QVERIFY(!QFileInfo::exists(m_data.filePath(QStringLiteral("ipv6.dat"))));
}

void TestNetworkToolNetns::forgedRecordsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("link"); // the record is a link to a file with that text
    QTest::addColumn<int>("permissions");

    QTest::newRow("writable by others") << QByteArray("all 0\nlo 0\n") << false << 0666;
    QTest::newRow("a link to a file") << QByteArray("all 0\nlo 0\n") << true << 0600;
}

void TestNetworkToolNetns::forgedRecordsChangeNothing()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, link);
    QFETCH(int, permissions);

    // IPv6 off on purpose: a forged record must not switch it on.
    set(QStringLiteral("all"), QStringLiteral("1"));
    set(QStringLiteral("lo"), QStringLiteral("1"));
    const QString path = m_data.filePath(QStringLiteral("ipv6.dat"));
    const QString target = m_data.filePath(QStringLiteral("elsewhere"));
    QFile::remove(path);
    QFile file(link ? target : path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(record);
    file.close();
    QVERIFY(::chmod(QFile::encodeName(file.fileName()).constData(), mode_t(permissions)) == 0);
    if (link)
        QVERIFY(QFile::link(target, path));

    tool(QStringLiteral("enable"));
    QCOMPARE(settings().section(QLatin1Char(' '), 0, 0), QStringLiteral("1"));
    QCOMPARE(settings().section(QLatin1Char(' '), 3, 3), QStringLiteral("1"));
    QFile::remove(path);
    QFile::remove(target);
    set(QStringLiteral("all"), QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestNetworkToolNetns)
#include "tst_networktool_netns.moc"

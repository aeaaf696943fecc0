#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    void plantedLinksInTheDataFolder_data();
    void plantedLinksInTheDataFolder();
    void runsTakeTurns();

private:
    // "all", "default", the link's own value and the loopback's, as one text.
    static QString settings();
    static void set(const QString &name, const QString &value);
    int tool(const QString &mode, const QString &folder = QString());

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

int TestNetworkToolNetns::tool(const QString &mode, const QString &folder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), folder.isEmpty() ? m_data.path() : folder);
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

void TestNetworkToolNetns::plantedLinksInTheDataFolder_data()
{
    QTest::addColumn<uint>("owner");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("used");

    // Another user's link where root writes the record: in a folder that others may write the
    // tool does nothing at all; in root's own it removes the link and writes its record.
    QTest::newRow("open to everyone") << 0u << 0777 << false;
    QTest::newRow("sticky, open to everyone") << 0u << 01777 << false;
    QTest::newRow("another user's") << 65534u << 0755 << false;
    QTest::newRow("root's, a link left behind") << 0u << 0755 << true;
}

void TestNetworkToolNetns::plantedLinksInTheDataFolder()
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
    const QString record = folder + QStringLiteral("/ipv6.dat");
    QVERIFY(QFile::link(victim, record));
    QVERIFY(::lchown(QFile::encodeName(record).constData(), 65534, 65534) == 0);

    set(QStringLiteral("all"), QStringLiteral("0"));
    set(QStringLiteral("default"), QStringLiteral("0"));
    const QString before = settings();
    QCOMPARE(tool(QStringLiteral("disable"), folder), used ? 0 : 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious\n"));
    file.close();
    if (!used) {
        QCOMPARE(settings(), before);
        QVERIFY(QFileInfo(record).isSymLink()); // not even touched
        return;
    }
    QCOMPARE(settings(), QStringLiteral("1 1 1 1"));
    QVERIFY(!QFileInfo(record).isSymLink());
    QCOMPARE(tool(QStringLiteral("enable"), folder), 0);
    QCOMPARE(settings(), before);
}

void TestNetworkToolNetns::runsTakeTurns()
{
    // Another run holds the lock: a "disable" waits for it instead of recording settings that
    // the other run is changing, and goes on once it is let go.
    set(QStringLiteral("all"), QStringLiteral("0"));
    set(QStringLiteral("default"), QStringLiteral("0"));
    const QString before = settings();
    const QString lockPath = m_data.filePath(QStringLiteral("network-tool.lock"));
    const int held = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(held >= 0);
    QVERIFY(::flock(held, LOCK_EX) == 0);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), m_data.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMORIX_APP_DIR_PATH "/network-tool"),
                  {QStringLiteral("--ipv6"), QStringLiteral("disable")});
    QVERIFY(process.waitForStarted());
    // Once it has the lock file open it is waiting for it: nothing may have changed yet.
    const auto holdsLockFile = [&] {
        const QString fds = QStringLiteral("/proc/%1/fd").arg(process.processId());
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            char target[4096];
            const ssize_t n =
                ::readlink(QFile::encodeName(fds + QLatin1Char('/') + fd).constData(), target, sizeof target);
            if (n > 0 && QFile::decodeName(QByteArray(target, int(n))) == lockPath)
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(holdsLockFile() || process.state() == QProcess::NotRunning, 10000);
    QCOMPARE(process.state(), QProcess::Running);
    QCOMPARE(settings(), before);
    QVERIFY(!QFileInfo::exists(m_data.filePath(QStringLiteral("ipv6.dat"))));

    ::close(held);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(settings(), QStringLiteral("1 1 1 1"));
    QCOMPARE(tool(QStringLiteral("enable")), 0);
    QCOMPARE(settings(), before);
}

QTEST_GUILESS_MAIN(TestNetworkToolNetns)
#include "tst_networktool_netns.moc"

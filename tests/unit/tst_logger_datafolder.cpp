#include "logger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The dns program's layout: one "<name>.log" straight in the data folder, beside "dns.dat".
class TestLoggerDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void logsIntoTheDataFolder();
};

void TestLoggerDataFolder::logsIntoTheDataFolder()
{
    QTemporaryDir data;
    QFile dnsData(data.filePath(QStringLiteral("dns.dat")));
    QVERIFY(dnsData.open(QIODevice::WriteOnly));
    dnsData.write("[UserDns]\n");
    dnsData.close();
    QFile earlier(data.filePath(QStringLiteral("dns.log")));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier run\n");
    earlier.close();

    Logger::Options options;
    options.baseDirectory = data.path();
    options.folderName = QStringLiteral("./");
    options.fileName = QStringLiteral("dns.log");
    Logger::setOptions(options);

    Logger *logger = Logger::instance();
    QVERIFY(logger->isInitialized());
    QCOMPARE(QFileInfo(logger->logFilePath()).absoluteFilePath(), QFileInfo(earlier).absoluteFilePath());

    qInfo("Dns: Mode: vpn");
    QFile log(logger->logFilePath());
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Appended to the earlier run's lines; the data file beside it is untouched.
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QStringLiteral("earlier run"));
    QVERIFY(lines.last().endsWith(QLatin1String("\tinfo\tDns: Mode: vpn")));
    QCOMPARE(QDir(data.path()).entryList(QDir::Files, QDir::Name), (QStringList{"dns.dat", "dns.log"}));
}

QTEST_GUILESS_MAIN(TestLoggerDataFolder)
#include "tst_logger_datafolder.moc"

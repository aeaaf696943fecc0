#include "logger.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

namespace {

void touch(const QString &path, const QDateTime &modified)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("old\n");
    file.flush(); // a later flush would stamp the file anew
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

QStringList logFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

} // namespace

// The logger is one per process and installs itself once: the functions run in order, from
// the failed first start to the lines written through the installed handler.
class TestLogger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rotationKeepsNewestLogFiles_data();
    void rotationKeepsNewestLogFiles();
    void initializationRetriesUntilItSucceeds();
    void secondInstanceKeepsTheFile();
    void lineFormatPerLevel_data();
    void lineFormatPerLevel();
    void blankAndClipboardMessagesAreDropped();
    void innerLineBreaksBecomeOneLine();
    void sectionBannerAndQmlLog();
    void openLogFolderFailureIsLogged();
    void linesFromManyThreadsStayWhole();

private:
    QString lastLines(int count) const;
    QStringList allLines() const;

    QTemporaryDir m_home;
    QString m_base;
};

void TestLogger::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The logger's base folder is the per-user application-data folder, which follows XDG_DATA_HOME.
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    m_base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(m_base.startsWith(m_home.path()));
}

void TestLogger::rotationKeepsNewestLogFiles_data()
{
    QTest::addColumn<int>("oldLogs");
    QTest::addColumn<int>("keep");
    QTest::addColumn<int>("expectedLogs");

    QTest::newRow("empty folder") << 0 << 9 << 0;
    QTest::newRow("fewer than kept") << 5 << 9 << 5;
    QTest::newRow("exactly kept") << 9 << 9 << 9;
    QTest::newRow("eleven old files") << 11 << 9 << 9;
    QTest::newRow("keep none") << 3 << 0 << 0;
}

void TestLogger::rotationKeepsNewestLogFiles()
{
    QFETCH(int, oldLogs);
    QFETCH(int, keep);
    QFETCH(int, expectedLogs);

    QTemporaryDir dir;
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < oldLogs; ++i)
        touch(dir.filePath(QStringLiteral("log%1.log").arg(i, 2, 10, QLatin1Char('0'))), now.addDays(-i));
    // Not logs of ours: another suffix, a double suffix, a folder named like a log.
    touch(dir.filePath(QStringLiteral("notes.txt")), now.addYears(-5));
    touch(dir.filePath(QStringLiteral("archive.old.log")), now.addYears(-5));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.log")));

    const QStringList deleted = Logger::rotate(dir.path(), keep);

    QStringList expected;
    for (int i = 0; i < expectedLogs; ++i)
        expected << QStringLiteral("log%1.log").arg(i, 2, 10, QLatin1Char('0'));
    expected << QStringLiteral("archive.old.log");
    expected.sort();
    QCOMPARE(logFiles(dir.path()), expected);
    QCOMPARE(deleted.size(), oldLogs - expectedLogs);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("notes.txt"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder.log"))).isDir());
}

void TestLogger::initializationRetriesUntilItSucceeds()
{
    // A file where the folder belongs: the folder can be neither created nor entered.
    QVERIFY(QDir().mkpath(m_base));
    touch(QDir(m_base).filePath(QStringLiteral("logs")), QDateTime::currentDateTime());

    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("Cannot change path to log folder: %1, logs").arg(m_base)));
    Logger *logger = Logger::instance();
    QVERIFY(!logger->isInitialized());
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("Log folder doesn't exist or cannot be accessed: %1").arg(m_base)));
    QCOMPARE(logger->logFilePath(), QString());

    // Mended: eleven logs of earlier runs are waiting.
    QVERIFY(QFile::remove(QDir(m_base).filePath(QStringLiteral("logs"))));
    const QString folder = QDir(m_base).filePath(QStringLiteral("logs"));
    QVERIFY(QDir().mkpath(folder));
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 1; i <= 11; ++i)
        touch(QDir(folder).filePath(QStringLiteral("old%1.log").arg(i, 2, 10, QLatin1Char('0'))), now.addSecs(-60 * i));

    QCOMPARE(Logger::instance(), logger);
    QVERIFY(logger->isInitialized());

    const QStringList files = logFiles(folder);
    QCOMPARE(files.size(), Logger::maxLogFiles);
    for (int i = 1; i <= 9; ++i)
        QVERIFY2(files.contains(QStringLiteral("old%1.log").arg(i, 2, 10, QLatin1Char('0'))),
                 qPrintable(files.join(' ')));

    const QFileInfo current(logger->logFilePath());
    QCOMPARE(current.absolutePath(), QDir(folder).absolutePath());
    QVERIFY(current.exists());
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d-app\\.log$"))
                 .match(current.fileName())
                 .hasMatch(),
             qPrintable(current.fileName()));
}

void TestLogger::secondInstanceKeepsTheFile()
{
    const QString path = Logger::instance()->logFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    const QStringList before = logFiles(folder);
    QTest::qWait(1100); // a new file would carry a new time stamp
    QCOMPARE(Logger::instance()->logFilePath(), path);
    QCOMPARE(logFiles(folder), before);
}

void TestLogger::lineFormatPerLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("word");

    QTest::newRow("debug") << int(QtDebugMsg) << "debug";
    QTest::newRow("info") << int(QtInfoMsg) << "info";
    QTest::newRow("warning") << int(QtWarningMsg) << "warning";
    QTest::newRow("critical") << int(QtCriticalMsg) << "critical";
}

void TestLogger::lineFormatPerLevel()
{
    QFETCH(int, level);
    QFETCH(QString, word);

    const QString text = QStringLiteral("Test: level %1 ü").arg(word);
    switch (level) {
    case QtDebugMsg: qDebug().noquote() << text; break;
    case QtInfoMsg: qInfo().noquote() << text; break;
    case QtWarningMsg: qWarning().noquote() << text; break;
    default: qCritical().noquote() << text; break;
    }

    const QString line = lastLines(1);
    const QRegularExpression format(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)\t%1\t%2$")
                                        .arg(word, QRegularExpression::escape(text)));
    const QRegularExpressionMatch match = format.match(line);
    QVERIFY2(match.hasMatch(), qPrintable(line));
    const QDateTime stamp = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 120);
}

void TestLogger::blankAndClipboardMessagesAreDropped()
{
    const int before = allLines().size();
    qInfo("   ");
    qWarning("\t\n");
    qWarning("QXcbClipboard: Retrying to obtain clipboard.");
    qInfo("Test: after the dropped ones");
    const QStringList lines = allLines();
    QCOMPARE(lines.size(), before + 1);
    QVERIFY(lines.last().endsWith(QLatin1String("\tinfo\tTest: after the dropped ones")));
    // Case matters: a different text is a different message.
    qInfo("Test: retrying to obtain clipboard.");
    QCOMPARE(allLines().size(), before + 2);
}

void TestLogger::innerLineBreaksBecomeOneLine()
{
    const int before = allLines().size();
    qInfo("Test: first\nsecond\r\n   third\t\tfourth  ");
    const QStringList lines = allLines();
    QCOMPARE(lines.size(), before + 1);
    QVERIFY2(lines.last().endsWith(QLatin1String("\tinfo\tTest: first second third fourth")), qPrintable(lines.last()));
}

void TestLogger::sectionBannerAndQmlLog()
{
    Logger::logSection(QStringLiteral("VpnCore"), QStringLiteral("Kill switch event!"));
    QVERIFY(lastLines(1).endsWith(QLatin1String("\tinfo\tVpnCore: ========== KILL SWITCH EVENT! ==========")));

    Logger::instance()->qmlLog(QStringLiteral("SettingsWindow"), QStringLiteral("saved"));
    QVERIFY(lastLines(1).endsWith(QLatin1String("\tinfo\tSettingsWindow: saved")));
}

void TestLogger::openLogFolderFailureIsLogged()
{
    // No desktop here (not even a GUI application): the URL handler refuses.
    Logger *logger = Logger::instance();
    logger->openLogFolder();
    const QString folder = QFileInfo(logger->logFilePath()).absolutePath();
    const QString url = QStringLiteral("file://") + folder;
    QVERIFY2(lastLines(1).endsWith(QStringLiteral("\twarning\tLogger: Can't open openUrl ") + url),
             qPrintable(lastLines(2)));
}

void TestLogger::linesFromManyThreadsStayWhole()
{
    constexpr int threads = 4;
    constexpr int linesEach = 400;
    const int before = allLines().size();
    std::atomic<bool> go{false};
    QList<QThread *> workers;
    for (int t = 0; t < threads; ++t) {
        workers << QThread::create([t, &go] {
            while (!go)
                QThread::yieldCurrentThread();
            for (int i = 0; i < linesEach; ++i)
                qInfo("Worker%d: line %d of a text long enough to be written in more than one piece", t, i);
        });
        workers.last()->start();
    }
    go = true;
    for (QThread *worker : qAsConst(workers)) {
        QVERIFY(worker->wait(30000));
        delete worker;
    }

    const QStringList lines = allLines().mid(before);
    QCOMPARE(lines.size(), threads * linesEach);
    const QRegularExpression format(QStringLiteral(
        "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\tinfo\tWorker\\d: line \\d+ of a text long enough to be "
        "written in more than one piece$"));
    for (const QString &line : lines)
        QVERIFY2(format.match(line).hasMatch(), qPrintable(line));
}

QStringList TestLogger::allLines() const
{
    QFile file(Logger::instance()->logFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString TestLogger::lastLines(int count) const
{
    return allLines().mid(qMax(0, allLines().size() - count)).join(QLatin1Char('\n'));
}

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"

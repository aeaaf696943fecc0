#include "application.h"
#include "displayscale.h"
#include "messagerecorder.h"
#include "singleapplication.h"
#include "startup.h"
#include "systemtray.h"
#include "testsupport.h"
#include "update.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cmath>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

// The shell's rules that need no display: the display scale, the tray's grey icon, the updater
// against a real maintenance tool, the version file, the translations in the resources, and
// where the single-instance lock may live.
class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void displayScale_data();
    void displayScale();
    void toolkitVariables();
    void greyIcon_data();
    void greyIcon();

    void updateCheck_data();
    void updateCheck();
    void updateCheckWithoutTool();
    void updaterStartsDetached();
    void versionFile_data();
    void versionFile();
    void currentVersionIsReadOnce();

    void translations_data();
    void translations();

    void recommendedServers_data();
    void recommendedServers();

    void instanceFolder_data();
    void instanceFolder();
    void foreignLock_data();
    void foreignLock();

private:
    QString writeTool(const QString &script, const QString &name = QStringLiteral("maintenancetool"));

    QTemporaryDir m_appDir;
};

void TestApp::initTestCase()
{
    QVERIFY(m_appDir.isValid());
    qputenv("VELMORIX_APP_DIR", m_appDir.path().toLocal8Bit());
}

void TestApp::displayScale_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<QByteArray>("factorVariable");
    QTest::addColumn<QByteArray>("policyVariable");
    QTest::addColumn<QByteArray>("factor");
    QTest::addColumn<QByteArray>("policy");

    const QByteArray keep;
    // The user's own factor wins; only the rounding is ours, and then always rounding down.
    QTest::newRow("factor already set") << 200.0 << 2160 << QByteArray("1.5") << keep << keep << QByteArray("Floor");
    QTest::newRow("both already set") << 150.0 << 1080 << QByteArray("2") << QByteArray("Round") << keep << keep;
    QTest::newRow("policy already set") << 200.0 << 2160 << keep << QByteArray("Round") << QByteArray("1") << keep;

    QTest::newRow("100 %") << 100.0 << 1080 << keep << keep << QByteArray("1") << QByteArray("Floor");
    // 650 x 1.5 and 650 x 1.4 exceed 80 % of 1080, 650 x 1.25 does not.
    QTest::newRow("150 % at 1080") << 150.0 << 1080 << keep << keep << QByteArray("1.25") << QByteArray("Floor");
    QTest::newRow("150 % at 2160") << 150.0 << 2160 << keep << keep << QByteArray("1.5") << QByteArray("Floor");
    QTest::newRow("147 % rounds to 150") << 147.0 << 2160 << keep << keep << QByteArray("1.5") << QByteArray("Floor");
    QTest::newRow("175 % at 1440") << 175.0 << 1440 << keep << keep << QByteArray("1.75") << QByteArray("Floor");
    QTest::newRow("125 % at 768 falls to 100")
        << 125.0 << 768 << keep << keep << QByteArray("1") << QByteArray("Floor");
    // From 200 % on the toolkit scales by whole numbers itself.
    QTest::newRow("200 %") << 200.0 << 2160 << keep << keep << QByteArray("1") << QByteArray("PassThrough");
    QTest::newRow("250 %") << 250.0 << 2160 << keep << keep << QByteArray("1") << QByteArray("PassThrough");
    // A screen too small for 200 % walks down, but five steps at most.
    QTest::newRow("225 % on a small screen")
        << 225.0 << 800 << keep << keep << QByteArray("1.6") << QByteArray("Floor");
    QTest::newRow("five steps at most") << 180.0 << 100 << keep << keep << QByteArray("1.4") << QByteArray("Floor");

    // Without a true measurement the toolkit's own scale stays: neither variable is touched,
    // not even the rounding beside a factor of the user's.
    QTest::newRow("0 %") << 0.0 << 1080 << keep << keep << keep << keep;
    QTest::newRow("negative") << -150.0 << 1080 << keep << keep << keep << keep;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1080 << keep << keep << keep << keep;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 1080 << keep << keep << keep << keep;
    QTest::newRow("zero height") << 150.0 << 0 << keep << keep << keep << keep;
    QTest::newRow("negative height") << 200.0 << -1080 << keep << keep << keep << keep;
    QTest::newRow("no measurement, factor set") << 0.0 << 0 << QByteArray("1.5") << keep << keep << keep;
    QTest::newRow("10000 %") << 10000.0 << 1080 << keep << keep << QByteArray("1") << QByteArray("Floor");
}

void TestApp::displayScale()
{
    QFETCH(double, percent);
    QFETCH(int, pixelHeight);
    QFETCH(QByteArray, factorVariable);
    QFETCH(QByteArray, policyVariable);

    const DisplayScale::Choice choice = DisplayScale::choose(percent, pixelHeight, 650, factorVariable, policyVariable);
    QTEST(choice.scaleFactor, "factor");
    QTEST(choice.roundingPolicy, "policy");
}

void TestApp::toolkitVariables()
{
    const QList<QByteArray> names = {"QT_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QML_DISABLE_DISK_CACHE"};
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCALE_FACTOR_ROUNDING_POLICY");
    qputenv("QML_DISABLE_DISK_CACHE", "0");
    const Startup::ToolkitVariables saved(names);

    // Linux measures nothing: the toolkit's scale from the screen's DPI stays as it is. (This
    // test program, like the locks below, is Linux's own.)
    DisplayScale::apply(650);
    QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
    QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR_ROUNDING_POLICY"));

    // What the program set for its toolkit goes; what the user had comes back.
    for (const QByteArray &name : names)
        qputenv(name.constData(), "1");
    saved.restore();
    QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
    QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR_ROUNDING_POLICY"));
    QCOMPARE(qgetenv("QML_DISABLE_DISK_CACHE"), QByteArray("0"));
    qunsetenv("QML_DISABLE_DISK_CACHE");
}

void TestApp::greyIcon_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<QRgb>("expected");

    QTest::newRow("opaque white") << QImage::Format_ARGB32 << qRgba(255, 255, 255, 255) << qRgba(255, 255, 255, 85);
    QTest::newRow("opaque black") << QImage::Format_ARGB32 << qRgba(0, 0, 0, 255) << qRgba(0, 0, 0, 85);
    // The weights 11, 16 and 5 of 32, truncated.
    QTest::newRow("red") << QImage::Format_ARGB32 << qRgba(255, 0, 0, 255) << qRgba(87, 87, 87, 85);
    QTest::newRow("green") << QImage::Format_ARGB32 << qRgba(0, 255, 0, 255) << qRgba(127, 127, 127, 85);
    QTest::newRow("blue") << QImage::Format_ARGB32 << qRgba(0, 0, 255, 255) << qRgba(39, 39, 39, 85);
    QTest::newRow("transparent") << QImage::Format_ARGB32 << qRgba(255, 255, 255, 0) << qRgba(255, 255, 255, 0);
    QTest::newRow("translucent") << QImage::Format_ARGB32 << qRgba(200, 100, 50, 200) << qRgba(126, 126, 126, 66);
    QTest::newRow("no alpha channel") << QImage::Format_RGB32 << qRgb(255, 255, 255) << qRgba(255, 255, 255, 85);
    // Stored premultiplied, the colour must be undone first: half-transparent white is white.
    QTest::newRow("premultiplied") << QImage::Format_ARGB32_Premultiplied << qRgba(128, 128, 128, 128)
                                   << qRgba(255, 255, 255, 42);
}

void TestApp::greyIcon()
{
    QFETCH(QImage::Format, format);
    QFETCH(QRgb, pixel);

    QImage image(3, 2, format);
    image.fill(Qt::transparent);
    reinterpret_cast<QRgb *>(image.scanLine(1))[2] = pixel;

    const QImage grey = SystemTray::greyImage(image);
    QCOMPARE(grey.format(), QImage::Format_ARGB32);
    QCOMPARE(grey.size(), image.size());
    QFETCH(QRgb, expected);
    QCOMPARE(QString::number(grey.pixel(2, 1), 16), QString::number(expected, 16));
    QCOMPARE(qAlpha(grey.pixel(0, 0)), format == QImage::Format_RGB32 ? 85 : 0);
}

QString TestApp::writeTool(const QString &script, const QString &name)
{
    const QString path = m_appDir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write("#!/bin/sh\n");
    file.write(script.toUtf8());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

void TestApp::updateCheck_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("version");

    QTest::newRow("no updates") << QStringLiteral("echo 'There are currently no updates available'\n") << QString();
    QTest::newRow("a version") << QStringLiteral("echo '<updates>'\necho '  <update name=\"x\" version=\"3.1.2\" "
                                                 "size=\"1\"/>'\necho '</updates>'\n")
                               << QStringLiteral("3.1.2");
    QTest::newRow("a comma") << QStringLiteral("echo 'version=\"1,2\"'\n") << QStringLiteral("1,2");
    QTest::newRow("on the error output") << QStringLiteral("echo 'version=\"4.0\"' >&2\n") << QStringLiteral("4.0");
    QTest::newRow("the first of two") << QStringLiteral("echo 'version=\"2.0\" version=\"5.0\"'\n")
                                      << QStringLiteral("2.0");
    // "no updates" wins over a version in the same output.
    QTest::newRow("no updates beside a version")
        << QStringLiteral("echo 'version=\"2.0\"'\necho 'There are currently no updates available'\n") << QString();
    QTest::newRow("not a version") << QStringLiteral("echo 'version=\"beta\" version=2.0'\n") << QString();
    QTest::newRow("nothing") << QStringLiteral("exit 3\n") << QString();
    // A tool that had to be ended, or crashed, gave no answer, whatever it said until then.
    QTest::newRow("hangs") << QStringLiteral("echo 'version=\"9.9\"'\nexec sleep 60\n") << QString();
    QTest::newRow("crashes") << QStringLiteral("echo 'version=\"9.9\"'\nkill -SEGV $$\n") << QString();
    // What the tool starts ends with it, whether it finished or hung ("$CHILD" notes the pid).
    QTest::newRow("leaves a child") << QStringLiteral("sleep 60 &\necho $! > \"$CHILD\"\necho 'version=\"2.0\"'\n")
                                    << QStringLiteral("2.0");
    QTest::newRow("hangs with a child") << QStringLiteral(
        "sleep 60 &\necho $! > \"$CHILD\"\necho 'version=\"2.0\"'\nexec sleep 60\n")
                                        << QString();
    // Nothing past the first 64 KiB is read as an answer, nor kept.
    QTest::newRow("beyond 64 KiB") << QStringLiteral("head -c 1000000 /dev/zero | tr '\\0' x\necho\n"
                                                     "echo 'version=\"1.0\"'\n")
                                   << QString();
}

void TestApp::updateCheck()
{
    QFETCH(QString, script);
    QVERIFY(
        !writeTool(QStringLiteral("[ \"$*\" = --checkupdates ] || { echo 'version=\"0.0.0\"'; exit 9; }\n") + script)
             .isEmpty());

    const QString childFile = m_appDir.filePath(QStringLiteral("child.pid"));
    QFile::remove(childFile);
    qputenv("CHILD", childFile.toLocal8Bit());

    Update update;
    update.setCheckTimeLimitForTesting(500);
    QSignalSpy offered(&update, &Update::newVersionIsAvailable);
    QElapsedTimer clock;
    clock.start();
    update.checkForUpdates();
    QVERIFY(offered.wait(10000));
    QVERIFY(clock.elapsed() < 10000);
    QCOMPARE(offered.count(), 1);
    QTEST(offered.first().first().toString(), "version");
    QTest::qWait(50);
    QCOMPARE(offered.count(), 1);

    QFile child(childFile);
    if (child.open(QIODevice::ReadOnly)) {
        const QByteArray pid = child.readAll().trimmed();
        QVERIFY(!pid.isEmpty());
        // Gone, or a zombie waiting for whoever adopted it.
        auto alive = [&pid] {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid)));
            return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
        };
        QTRY_VERIFY_WITH_TIMEOUT(!alive(), 5000);
    }
}

void TestApp::updateCheckWithoutTool()
{
    QFile::remove(m_appDir.filePath(QStringLiteral("maintenancetool")));
    MessageRecorder recorder;
    Update update;
    QSignalSpy offered(&update, &Update::newVersionIsAvailable);
    update.checkForUpdates();
    QTest::qWait(200);
    QCOMPARE(offered.count(), 0);
    QCOMPARE(recorder.warnings(), QStringList{QStringLiteral("Update: Disabled, 'maintenancetool' does not exists")});

    // A file that cannot run: said once, and still no answer.
    QFile tool(m_appDir.filePath(QStringLiteral("maintenancetool")));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("not a program");
    tool.close();
    tool.setPermissions(QFileDevice::ReadOwner);
    recorder.clear();
    update.checkForUpdates();
    QTRY_COMPARE(recorder.warnings().size(), 1);
    QVERIFY(recorder.warnings().first().startsWith(QLatin1String("Update: Cannot start")));
    QTest::qWait(200);
    QCOMPARE(offered.count(), 0);
}

void TestApp::updaterStartsDetached()
{
    const QString marker = m_appDir.filePath(QStringLiteral("updater-arguments"));
    QVERIFY(!writeTool(QStringLiteral("printf '%s|' \"$@\" > '%1.part' && mv '%1.part' '%1'\n").arg(marker)).isEmpty());
    MessageRecorder recorder;
    Update update;
    update.startUpdater();
    QTRY_VERIFY(QFile::exists(marker));
    QFile arguments(marker);
    QVERIFY(arguments.open(QIODevice::ReadOnly));
    QCOMPARE(arguments.readAll(), QByteArray("--updater|"));
    const QStringList lines = recorder.texts(QtInfoMsg);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^Update: Maintenance tool started in update mode: true, pid: [1-9]\\d*$"))
            .match(lines.first())
            .hasMatch(),
        qPrintable(lines.first()));
}

void TestApp::versionFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("version");

    QTest::newRow("installer's file") << QByteArray("<?xml version=\"1.0\"?>\n<Packages>\n <ApplicationVersion>0.9"
                                                    "</ApplicationVersion>\n <Package>\n  <Name>a</Name>\n"
                                                    "  <Version>2.4.1</Version>\n </Package>\n</Packages>\n")
                                      << QStringLiteral("2.4.1");
    QTest::newRow("the first of two") << QByteArray("<P><Version>1.0</Version><Version>2.0</Version></P>")
                                      << QStringLiteral("1.0");
    QTest::newRow("blanks around") << QByteArray("<P><Version>\n  3.0.0\n</Version></P>") << QStringLiteral("3.0.0");
    QTest::newRow("found before the file breaks")
        << QByteArray("<P><Version>1.5</Version><broken") << QStringLiteral("1.5");
    // Never the file's text in place of a version.
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("no version element") << QByteArray("<Packages><Package><Name>a</Name></Package></Packages>")
                                        << QString();
    QTest::newRow("not XML") << QByteArray("Version 1.2.3\n") << QString();
    QTest::newRow("broken before the version") << QByteArray("<P><Name>a</Nam><Version>1.0</Version></P>") << QString();
    QTest::newRow("version with children") << QByteArray("<P><Version>1<b>2</b></Version></P>") << QString();
    QTest::newRow("lower case") << QByteArray("<P><version>1.0</version></P>") << QString();
}

void TestApp::versionFile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("components.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    MessageRecorder recorder;
    QTEST(Update::versionFromComponentsFile(path), "version");
    QCOMPARE(Update::versionFromComponentsFile(dir.filePath(QStringLiteral("missing.xml"))), QString());
}

void TestApp::currentVersionIsReadOnce()
{
    const QString path = m_appDir.filePath(QStringLiteral("components.xml"));
    QFile::remove(path);
    QCOMPARE(Update::currentVersion(), QString());

    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<Packages><Package><Version>7.1.0</Version></Package></Packages>");
    file.close();
    // Nothing known yet, so the file is read now; from then on the version is kept.
    QCOMPARE(Update::currentVersion(), QStringLiteral("7.1.0"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<Packages><Version>8.0</Version></Packages>");
    file.close();
    QCOMPARE(Update::currentVersion(), QStringLiteral("7.1.0"));
}

void TestApp::translations_data()
{
    QTest::addColumn<QString>("code");
    for (const char *code : {"es", "fr", "id", "cn", "my", "nl", "ph", "jp", "vn", "ru", "th"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestApp::translations()
{
    Q_INIT_RESOURCE(translations);
    QFETCH(QString, code);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("vpnclient_%1").arg(code), QStringLiteral(":/src/translations")));

    // Every text of the shell has a translation: an empty file would load without complaint.
    const QList<QPair<const char *, const char *>> texts = {
        {"SystemTray", "Settings"},
        {"SystemTray", "Exit"},
        {"Application", "Connect"},
        {"Application", "Disconnect"},
        {"Application", "Connected"},
        {"Application", "Disconnected"},
        {"Application", "will be keep running in background"},
        {"Application", "New version found.\nDo you want to update to version %1?"},
        {"Application", "Update"},
        {"Application", "Skip"},
        {"ConnectionState", "Disconnected"},
        {"ConnectionState", "Preparing"},
        {"ConnectionState", "Connecting..."},
        {"ConnectionState", "Connected"},
        {"ConnectionState", "Disconnecting..."},
        {"ConnectionState", "Reconnecting..."},
        {"ConnectionState", "Error!"},
        {"ConnectionState", "Unknown"},
        {"main", "Debug mode."},
        {"main", "Couldn't detect any system tray on this system."},
        {"main", "Critical error, exiting (Click 'Show logs' for details)."},
        {"main", "Close"},
        {"main", "Show logs"},
    };
    for (const auto &text : texts) {
        const QString translated = translator.translate(text.first, text.second);
        QVERIFY2(!translated.trimmed().isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(text.first, text.second)));
        if (QByteArray(text.second).contains("%1"))
            QVERIFY2(translated.contains(QLatin1String("%1")), qPrintable(translated));
    }
    // The tray's own words really change.
    QVERIFY(translator.translate("SystemTray", "Exit") != QLatin1String("Exit"));
}

namespace {

Server catalogueServer(const QString &country, const QString &ip)
{
    Server server;
    server.country = country;
    server.city = QStringLiteral("City");
    server.ip = ip;
    server.id = ip;
    server.name = country.toLower() + QStringLiteral("-") + QString(ip).replace(QLatin1Char('.'), QLatin1Char('-'));
    return server;
}

} // namespace

void TestApp::recommendedServers_data()
{
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("nothing") << QStringList() << QStringList();
    // The measured value decides, not the order in which the replies came.
    QTest::newRow("lowest value of a country wins")
        << QStringList{"10.0.0.2:20", "10.0.0.1:10", "10.1.0.1:30", "10.0.0.3:5"}
        << QStringList{"10.0.0.3", "10.1.0.1"};
    QTest::newRow("countries in the order of their values")
        << QStringList{"10.2.0.1:300", "10.1.0.1:40", "10.0.0.1:100000", "10.3.0.1:6"}
        << QStringList{"10.3.0.1", "10.1.0.1", "10.2.0.1", "10.0.0.1"};
    QTest::newRow("equal values keep the reply order")
        << QStringList{"10.2.0.1:9", "10.1.0.1:9"} << QStringList{"10.2.0.1", "10.1.0.1"};
    QTest::newRow("one country in two cases") << QStringList{"10.0.0.4:7", "10.0.0.1:8"} << QStringList{"10.0.0.4"};
    QTest::newRow("addresses of no server")
        << QStringList{"192.0.2.1:1", "10.1.0.1:2", "10.9.9.9:3"} << QStringList{"10.1.0.1"};
    QTest::newRow("failed probes still fill") << QStringList{"10.1.0.1:40", "10.2.0.1:100000", "10.0.0.1:100000"}
                                              << QStringList{"10.1.0.1", "10.2.0.1", "10.0.0.1"};
    QTest::newRow("the same server twice") << QStringList{"10.1.0.1:4", "10.1.0.1:4"} << QStringList{"10.1.0.1"};
    QTest::newRow("entries without a value")
        << QStringList{"", ":", ":40", "10.2.0.1", "junk:1:2"} << QStringList{"10.2.0.1"};
    QStringList many;
    QStringList firstEight;
    for (int country = 0; country < 12; ++country) {
        many << QStringLiteral("10.%1.0.1:%2").arg(country + 3).arg(country);
        if (firstEight.size() < 8)
            firstEight << QStringLiteral("10.%1.0.1").arg(country + 3);
    }
    QTest::newRow("more than eight countries") << many << firstEight;
}

void TestApp::recommendedServers()
{
    Servers catalogue = {catalogueServer(QStringLiteral("NL"), QStringLiteral("10.0.0.1")),
                         catalogueServer(QStringLiteral("NL"), QStringLiteral("10.0.0.2")),
                         catalogueServer(QStringLiteral("NL"), QStringLiteral("10.0.0.3")),
                         catalogueServer(QStringLiteral("nl"), QStringLiteral("10.0.0.4")),
                         catalogueServer(QStringLiteral("DE"), QStringLiteral("10.1.0.1")),
                         catalogueServer(QStringLiteral("FR"), QStringLiteral("10.2.0.1"))};
    static const char *const codes[] = {"AT", "BE", "CH", "CZ", "DK", "ES", "FI", "GB", "IE", "IT", "NO", "PL"};
    for (int country = 0; country < 12; ++country)
        catalogue << catalogueServer(QLatin1String(codes[country]), QStringLiteral("10.%1.0.1").arg(country + 3));

    QFETCH(QStringList, results);
    const Servers selection = Application::recommendedServers(results, catalogue);
    QStringList ips;
    for (const Server &server : selection)
        ips << server.ip;
    QTEST(ips, "expected");
}

namespace {

// Another user, for what a local attacker could plant; the tests run as root, which may hand
// files over.
constexpr uid_t otherUser = 65534;

int modeOf(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

} // namespace

void TestApp::instanceFolder_data()
{
    QTest::addColumn<QString>("runtime"); // "own" or "foreign" (another user's)
    QTest::addColumn<QString>("fallback"); // what stands at the fallback place before: "", "open", "foreign link"
    QTest::addColumn<QString>("expected"); // "runtime", "fallback", ""

    QTest::newRow("the session's folder") << "own"
                                          << ""
                                          << "runtime";
    // Never the shared temporary folder: the user's own data folder, closed to everyone else.
    QTest::newRow("runtime folder of another user") << "foreign"
                                                    << ""
                                                    << "fallback";
    QTest::newRow("fallback left too open is closed") << "foreign"
                                                      << "open"
                                                      << "fallback";
    QTest::newRow("fallback is a link to another user's folder") << "foreign"
                                                                 << "foreign link"
                                                                 << "";
}

void TestApp::instanceFolder()
{
    if (::geteuid() != 0)
        QSKIP("needs root to hand folders to another user");
    QFETCH(QString, runtime);
    QFETCH(QString, fallback);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString runtimeDir = home.filePath(QStringLiteral("run"));
    const QString dataDir = home.filePath(QStringLiteral("data"));
    const QString fallbackDir = dataDir + QStringLiteral("/.velmorix-instance");
    const QString theirs = home.filePath(QStringLiteral("theirs"));
    QVERIFY(QDir().mkpath(runtimeDir) && QDir().mkpath(dataDir));
    QVERIFY(::chmod(QFile::encodeName(runtimeDir).constData(), 0700) == 0);
    // The toolkit's stand-in for a runtime folder it may not use, in the temporary folder, is
    // taken too.
    const QString tempDir = home.filePath(QStringLiteral("tmp"));
    const QString standIn = tempDir + QStringLiteral("/runtime-root");
    QVERIFY(QDir().mkpath(standIn));
    QVERIFY(::chmod(QFile::encodeName(standIn).constData(), 0700) == 0);
    if (runtime == QLatin1String("foreign")) {
        QVERIFY(::chown(QFile::encodeName(runtimeDir).constData(), otherUser, otherUser) == 0);
        QVERIFY(::chown(QFile::encodeName(standIn).constData(), otherUser, otherUser) == 0);
    }
    if (fallback == QLatin1String("open")) {
        QVERIFY(QDir().mkpath(fallbackDir));
        QVERIFY(::chmod(QFile::encodeName(fallbackDir).constData(), 0777) == 0);
    } else if (fallback == QLatin1String("foreign link")) {
        QVERIFY(QDir().mkpath(theirs));
        QVERIFY(::chmod(QFile::encodeName(theirs).constData(), 0755) == 0);
        QVERIFY(::chown(QFile::encodeName(theirs).constData(), otherUser, otherUser) == 0);
        QVERIFY(QFile::link(theirs, fallbackDir));
    }

    const Startup::ToolkitVariables saved({"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "TMPDIR"});
    qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataDir.toLocal8Bit());
    qputenv("TMPDIR", tempDir.toLocal8Bit());
    const QString folder = SingleApplication::instanceFolder();
    saved.restore();

    QFETCH(QString, expected);
    if (expected == QLatin1String("runtime")) {
        QCOMPARE(folder, runtimeDir);
    } else if (expected == QLatin1String("fallback")) {
        QCOMPARE(folder, fallbackDir);
        QCOMPARE(modeOf(fallbackDir), 0700);
    } else {
        QCOMPARE(folder, QString());
        // The other user's folder was neither used nor changed.
        QCOMPARE(modeOf(theirs), 0755);
    }
}

void TestApp::foreignLock_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("removed");

    QTest::newRow("nothing there") << "none" << false;
    QTest::newRow("a lock of ours") << "own file" << false;
    QTest::newRow("a file of another user") << "foreign file" << true;
    QTest::newRow("a dangling link") << "dangling link" << true;
    QTest::newRow("a link to a file") << "file link" << true;
    QTest::newRow("a link to a folder") << "folder link" << true;
    QTest::newRow("a folder") << "folder" << true;
}

void TestApp::foreignLock()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString lock = dir.filePath(QStringLiteral("Velmorix.lock"));
    const QString target = dir.filePath(QStringLiteral("victim"));
    QFile victim(target);
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("keep me");
    victim.close();

    if (kind == QLatin1String("own file") || kind == QLatin1String("foreign file")) {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("123\nvelmorix\nhost\n");
        file.close();
        if (kind == QLatin1String("foreign file")) {
            if (::geteuid() != 0)
                QSKIP("needs root to hand a file to another user");
            QVERIFY(::chown(QFile::encodeName(lock).constData(), otherUser, otherUser) == 0);
        }
    } else if (kind == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), lock));
    } else if (kind == QLatin1String("file link")) {
        QVERIFY(QFile::link(target, lock));
    } else if (kind == QLatin1String("folder link")) {
        QVERIFY(QFile::link(dir.path(), lock));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(lock + QStringLiteral("/inside")));
    }

    QTEST(SingleApplication::removeForeignLock(lock), "removed");
    QFETCH(bool, removed);
    QCOMPARE(modeOf(lock) != -1, kind != QLatin1String("none") && !removed);
    // A link goes alone: what it pointed to stays as it was.
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("keep me"));
    QVERIFY(QFileInfo::exists(dir.path()));
    // Once cleared, a real lock can be taken there.
    if (kind != QLatin1String("own file")) {
        QLockFile taken(lock);
        QVERIFY(taken.tryLock(0));
    }
}

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"

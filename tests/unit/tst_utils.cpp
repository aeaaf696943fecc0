#include "messagerecorder.h"
#include "platform/paths.h"
#include "testsupport.h"
#include "utils.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

} // namespace

class TestUtils : public QObject
{
    Q_OBJECT

private slots:
    void flagSource_data();
    void flagSource();
    void flagResourcesAreScaledImages();
    void commandLineForLog_data();
    void commandLineForLog();
    void joinNonEmpty_data();
    void joinNonEmpty();
    void addressTests_data();
    void addressTests();
    void strictAddresses_data();
    void strictAddresses();
    void executablePath();
    void dataDirectories();
    void dataDirectoriesWithoutAFolder();
    void clientFolderOfAUser();
    void ensureDirectory();
    void textFiles();
    void textFileFailures();
    void nativeCopy();
    void localFileFromUrl();
    void runShellCommand_data();
    void runShellCommand();
    void runShellCommandKeepsOutputOfATimeOut();
};

void TestUtils::flagSource_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("warnings");

    const QString unknown = QStringLiteral("qrc:/resources/icons/flags/unknown.png");
    QTest::newRow("NL") << "NL"
                        << "qrc:/resources/icons/flags/nl.png" << 0;
    QTest::newRow("lower case") << "de"
                                << "qrc:/resources/icons/flags/de.png" << 0;
    QTest::newRow("GB") << "GB"
                        << "qrc:/resources/icons/flags/gb.png" << 0;
    QTest::newRow("no flag") << "xx" << unknown << 1;
    QTest::newRow("three letters") << "NLD" << unknown << 1;
    QTest::newRow("empty") << "" << unknown << 0;
    QTest::newRow("recommended header") << "*1" << unknown << 0;
    QTest::newRow("favourites header") << "*2" << unknown << 0;
}

void TestUtils::flagSource()
{
    QFETCH(QString, code);
    QFETCH(QString, url);
    QFETCH(int, warnings);

    MessageRecorder recorder;
    QCOMPARE(Utils::flagSource(code), url);
    QCOMPARE(recorder.warnings().size(), warnings);
    if (warnings)
        QCOMPARE(recorder.warnings().first(),
                 QStringLiteral("Utils: Resource for country '%1' does not exist").arg(code));
}

void TestUtils::flagResourcesAreScaledImages()
{
    const QStringList codes = {QStringLiteral("us"),
                               QStringLiteral("ch"),
                               QStringLiteral("jp"),
                               QStringLiteral("br"),
                               QStringLiteral("unknown")};
    for (const QString &code : codes) {
        const QImage image(QStringLiteral(":/resources/icons/flags/%1.png").arg(code));
        QVERIFY2(!image.isNull(), qPrintable(code));
        QCOMPARE(image.size(), QSize(64, 48));
    }
}

void TestUtils::commandLineForLog_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("logged");

    QTest::newRow("plain") << "openvpn --config client.ovpn"
                           << "openvpn --config client.ovpn";
    QTest::newRow("unix paths") << "/opt/velmorix/openvpn/bin/openvpn --config /var/lib/velmorix/a.ovpn"
                                << "openvpn --config a.ovpn";
    QTest::newRow("windows paths") << "C:\\Program\\Velmorix\\dns.exe vpn {id}@1.1.1.1"
                                   << "dns.exe vpn {id}@1.1.1.1";
    QTest::newRow("quoted with blanks")
        << "\"C:/Program Files/Velmorix/openvpn.exe\" \"--config\" \"C:/Program Files/Velmorix/my client.ovpn\""
        << "openvpn.exe --config my client.ovpn";
    QTest::newRow("quoted backslashes") << "\"C:\\Program Files (x86)\\Velmorix\\killswitch.exe\" \"enable\""
                                        << "killswitch.exe enable";
    QTest::newRow("runs of blanks") << "a   b\t\tc"
                                    << "a b c";
    QTest::newRow("leading and trailing blank") << " a b "
                                                << " a b ";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("unbalanced quote") << "\"C:/a b/x.exe --flag"
                                      << "x.exe --flag";
    QTest::newRow("trailing separator") << "\"C:/dir/\" next"
                                        << " next";
}

void TestUtils::commandLineForLog()
{
    QFETCH(QString, line);
    QFETCH(QString, logged);
    QCOMPARE(Utils::commandLineForLog(line), logged);
}

void TestUtils::joinNonEmpty_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("joined");

    QTest::newRow("none") << QStringList() << "";
    QTest::newRow("all blank") << QStringList{"", " ", "\t\n"} << "";
    QTest::newRow("blanks dropped") << QStringList{"a", "", "b", "  ", "c"} << "a,b,c";
    QTest::newRow("kept unchanged") << QStringList{" a ", "b  c"} << " a ,b  c";
    QTest::newRow("one") << QStringList{"1.1.1.1"} << "1.1.1.1";
}

void TestUtils::joinNonEmpty()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, joined);
    QCOMPARE(Utils::joinNonEmpty(entries, QStringLiteral(",")), joined);
}

void TestUtils::addressTests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ipv4");
    QTest::addColumn<bool>("ipv6");
    QTest::addColumn<bool>("zero");

    QTest::newRow("ipv4") << "10.8.0.1" << true << false << false;
    QTest::newRow("zero") << "0.0.0.0" << true << false << true;
    QTest::newRow("ipv6") << "2001:db8::1" << false << true << false;
    QTest::newRow("ipv6 loopback") << "::1" << false << true << false;
    QTest::newRow("mapped ipv4") << "::ffff:10.0.0.1" << false << true << false;
    QTest::newRow("host name") << "nl1.example.net" << false << false << false;
    QTest::newRow("out of range") << "256.1.1.1" << false << false << false;
    QTest::newRow("with port") << "10.0.0.1:443" << false << false << false;
    QTest::newRow("empty") << "" << false << false << false;
    QTest::newRow("zero with blank") << "0.0.0.0 " << true << false << false;
}

void TestUtils::addressTests()
{
    QFETCH(QString, text);
    QFETCH(bool, ipv4);
    QFETCH(bool, ipv6);
    QFETCH(bool, zero);
    QCOMPARE(Utils::isIpv4Address(text), ipv4);
    QCOMPARE(Utils::isIpv6Address(text), ipv6);
    QCOMPARE(Utils::isZeroAddress(text), zero);
}

void TestUtils::strictAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("server"); // IPv4 dotted or host name

    QTest::newRow("ipv4") << "10.8.0.1" << true;
    QTest::newRow("ipv4 with a blank") << "0.0.0.0 " << false;
    QTest::newRow("ipv4 with a line after it") << "10.8.0.1\nup /bin/sh" << false;
    QTest::newRow("octal-looking octet") << "010.8.0.1" << false;
    QTest::newRow("short form") << "10.8" << false;
    QTest::newRow("five octets") << "1.2.3.4.5" << false;
    QTest::newRow("octet out of range") << "256.1.1.1" << false;
    QTest::newRow("with port") << "10.0.0.1:443" << false;
    QTest::newRow("host name") << "nl1.example.net" << true;
    QTest::newRow("single label") << "localhost" << true;
    QTest::newRow("punycode") << "xn--bcher-kva.example" << true;
    QTest::newRow("leading hyphen, an option to a reader") << "-a.example" << false;
    QTest::newRow("underscore") << "a_b.example" << false;
    QTest::newRow("label of 63") << QString(63, QLatin1Char('a')) + ".example" << true;
    QTest::newRow("label of 64") << QString(64, QLatin1Char('a')) + ".example" << false;
    QTest::newRow("ipv6") << "2001:db8::1" << false;
    QTest::newRow("scope id") << "fe80::1%eth0" << false;
    QTest::newRow("empty") << "" << false;
}

void TestUtils::strictAddresses()
{
    QFETCH(QString, text);
    QFETCH(bool, server);
    QCOMPARE(Utils::isServerAddress(text), server);
    QCOMPARE(Utils::containsControlCharacter(text), text.contains(QLatin1Char('\n')));
}

void TestUtils::executablePath()
{
    QCOMPARE(Utils::executablePath(QStringLiteral("openvpn"), false), QStringLiteral("openvpn"));
    QCOMPARE(Utils::executablePath(QStringLiteral("openvpn"), true),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/openvpn")));
    QCOMPARE(Utils::executablePath(QStringLiteral("openvpn/bin/openvpn"), true),
             QCoreApplication::applicationDirPath() + QStringLiteral("/openvpn/bin/openvpn"));
}

void TestUtils::dataDirectories()
{
    QTemporaryDir dir;
    qputenv("VELMORIX_DATA_DIR", (dir.path() + QStringLiteral("/data/")).toLocal8Bit());
    const QString expected = dir.path() + QStringLiteral("/data");
    QCOMPARE(Utils::dataDirectory(), expected);
    QCOMPARE(Utils::logDataDirectory(), expected);
    QCOMPARE(Utils::dnsDataFilePath(), expected + QStringLiteral("/dns.dat"));

    qunsetenv("VELMORIX_DATA_DIR");
    QCOMPARE(Utils::dataDirectory(), QStringLiteral("/var/lib/velmorix"));
}

void TestUtils::dataDirectoriesWithoutAFolder()
{
    // A relative folder would depend on the working directory of whoever starts the program.
    qputenv("VELMORIX_DATA_DIR", "relative/data");
    {
        MessageRecorder recorder;
        QCOMPARE(Utils::dataDirectory(), QString());
        QCOMPARE(Utils::logDataDirectory(), QString());
        QCOMPARE(Utils::dnsDataFilePath(), QString()); // not "/dns.dat" at the root
        const QStringList warnings = recorder.warnings();
        QVERIFY(warnings.contains(QStringLiteral("Utils: Can't find 'ProgramData' path!")));
        QVERIFY(warnings.contains(QStringLiteral("Utils: Can't find log data path!")));
    }
    qunsetenv("VELMORIX_DATA_DIR");

    // The Windows form of the folder choice.
    const QStringList locations = {QStringLiteral("C:/Users/ann/AppData/Local"), QStringLiteral("C:\\ProgramData")};
    QCOMPARE(Platform::programDataFromLocations(locations, QStringLiteral("Velmorix")),
             QStringLiteral("C:/ProgramData/Velmorix"));
    QCOMPARE(Platform::programDataFromLocations({QStringLiteral("C:/programdata")}, QStringLiteral("Velmorix")),
             QString());
    QCOMPARE(Platform::programDataFromLocations({}, QStringLiteral("Velmorix")), QString());
}

void TestUtils::clientFolderOfAUser()
{
    // The data folder is root's: a user's client keeps its engine files in a folder of its own,
    // which root's programs accept only when nobody else may write it.
    const QByteArray runtime = qgetenv("VELMORIX_TEST_RUNTIME");
    if (::geteuid() != 0) {
        QVERIFY(!runtime.isEmpty());
        const QString folder = QString::fromLocal8Bit(runtime) + QStringLiteral("/velmorix");
        QCOMPARE(Utils::dataDirectory(), folder);
        QCOMPARE(Utils::logDataDirectory(), QStringLiteral("/var/lib/velmorix"));
        QCOMPARE(Utils::dataDirectory(), folder); // a second call finds it
        return;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    VELMORIX_REQUIRE(!setpriv.isEmpty(), QStringLiteral("setpriv is not installed"));
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray encoded = QFile::encodeName(home.path());
    QVERIFY(::chown(encoded.constData(), nobody, nobody) == 0 && ::chmod(encoded.constData(), 0700) == 0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("VELMORIX_DATA_DIR"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.insert(QStringLiteral("VELMORIX_TEST_RUNTIME"), home.path());
    QProcess user;
    user.setProcessEnvironment(environment);
    user.setProcessChannelMode(QProcess::MergedChannels);
    user.start(setpriv,
               {QStringLiteral("--reuid=%1").arg(nobody),
                QStringLiteral("--regid=%1").arg(nobody),
                QStringLiteral("--clear-groups"),
                QCoreApplication::applicationFilePath(),
                QStringLiteral("clientFolderOfAUser")});
    QVERIFY(user.waitForFinished(30000));
    QVERIFY2(user.exitCode() == 0, user.readAll().constData());
    struct stat made = {};
    QVERIFY(::stat(QFile::encodeName(home.filePath(QStringLiteral("velmorix"))).constData(), &made) == 0);
    QCOMPARE(made.st_uid, uid_t(nobody));
    QCOMPARE(made.st_mode & 07777, mode_t(0700));
}

void TestUtils::ensureDirectory()
{
    QTemporaryDir dir;
    const QString nested = dir.filePath(QStringLiteral("a/b/c"));
    QVERIFY(Utils::ensureDirectory(nested));
    QVERIFY(QFileInfo(nested).isDir());
    QVERIFY(Utils::ensureDirectory(nested));
    QVERIFY(!Utils::ensureDirectory(QString()));

    const QString file = dir.filePath(QStringLiteral("file"));
    QVERIFY(Utils::writeTextFile(file, QStringLiteral("x")));
    QVERIFY(!Utils::ensureDirectory(file + QStringLiteral("/below")));
}

void TestUtils::textFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("client.conf"));
    QVERIFY(Utils::writeTextFile(path, QStringLiteral("first version, longer\n")));
    QVERIFY(Utils::writeTextFile(path, QStringLiteral("second ü\n")));
    Utils::appendSeparatorLine(path);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("second \xc3\xbc\n") + QByteArray(80, '=') + '\n');
    file.close();

    Utils::createEmptyFile(path);
    QCOMPARE(QFileInfo(path).size(), 0);
    const QString fresh = dir.filePath(QStringLiteral("fresh.log"));
    Utils::createEmptyFile(fresh);
    QVERIFY(QFileInfo(fresh).isFile());
}

void TestUtils::textFileFailures()
{
    MessageRecorder recorder;
    const QString missing = QStringLiteral("/nonexistent-velmorix/dir/file");
    QVERIFY(!Utils::writeTextFile(missing, QStringLiteral("x")));
    Utils::createEmptyFile(missing);
    Utils::appendSeparatorLine(missing);
    QCOMPARE(recorder.warnings(),
             (QStringList{QStringLiteral("Utils: Cannot create empty file '%1'").arg(missing),
                          QStringLiteral("Utils: Cannot open file '%1' in append mode").arg(missing)}));

    // Opens fine, but nothing fits: the write must not pass for a success.
    if (QFileInfo::exists(QStringLiteral("/dev/full")))
        QVERIFY(!Utils::writeTextFile(QStringLiteral("/dev/full"), QStringLiteral("lost")));
}

void TestUtils::nativeCopy()
{
    const QString resource = QStringLiteral(":/resources/icons/flags/nl.png");
    QFile original(resource);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QString copyPath;
    {
        std::unique_ptr<QTemporaryFile> copy = Utils::nativeCopy(resource);
        QVERIFY(copy);
        copyPath = copy->fileName();
        QVERIFY(!copyPath.startsWith(QLatin1Char(':')));
        QFile onDisk(copyPath);
        QVERIFY(onDisk.open(QIODevice::ReadOnly));
        QCOMPARE(onDisk.readAll(), original.readAll());
    }
    QVERIFY(!QFileInfo::exists(copyPath));

    MessageRecorder recorder;
    QVERIFY(!Utils::nativeCopy(QStringLiteral(":/no/such/template.ovpn")));
    QTemporaryDir dir;
    const QString ordinary = dir.filePath(QStringLiteral("plain.txt"));
    QVERIFY(Utils::writeTextFile(ordinary, QStringLiteral("x")));
    QVERIFY(!Utils::nativeCopy(ordinary));
    QCOMPARE(recorder.texts(QtCriticalMsg),
             (QStringList{QStringLiteral("Utils: Cannot read local temporary file for path ':/no/such/template.ovpn'"),
                          QStringLiteral("Utils: Cannot create local temporary file for path '%1'").arg(ordinary)}));
}

void TestUtils::localFileFromUrl()
{
    QCOMPARE(Utils::localFileFromUrl(QStringLiteral("file:///tmp/My%20Theme/logo.png")),
             QStringLiteral("/tmp/My Theme/logo.png"));
    QCOMPARE(Utils::localFileFromUrl(QStringLiteral("qrc:/resources/a.png")), QString());
    QCOMPARE(Utils::localFileFromUrl(QString()), QString());
}

void TestUtils::runShellCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("simplify");
    QTest::addColumn<QString>("output");

    QTest::newRow("raw") << "printf ' a  b \\n'" << false << " a  b \n";
    QTest::newRow("simplified") << "printf ' a  b \\n'" << true << "a b";
    QTest::newRow("utf-8") << "printf '\\303\\274ber'" << true << QStringLiteral("über");
    QTest::newRow("stderr is not output") << "echo out; echo err >&2" << true << "out";
    QTest::newRow("failing command") << "exit 3" << true << "";
    QTest::newRow("pipes and quotes") << "echo 'x y' | tr ' ' '-'" << true << "x-y";
}

void TestUtils::runShellCommand()
{
    QFETCH(QString, command);
    QFETCH(bool, simplify);
    QFETCH(QString, output);
    QCOMPARE(Utils::runShellCommand(command, simplify), output);
}

void TestUtils::runShellCommandKeepsOutputOfATimeOut()
{
    MessageRecorder recorder;
    QCOMPARE(Utils::runShellCommand(QStringLiteral("echo early; exec sleep 20"), true, 300), QStringLiteral("early"));
    QCOMPARE(recorder.warnings(),
             QStringList{QStringLiteral("Utils: Command 'echo early; exec sleep 20' did not finish within 300 ms")});
}

QTEST_GUILESS_MAIN(TestUtils)
#include "tst_utils.moc"

#include "platform/network.h"
#include "platform/processes.h"
#include "platform/statefolder.h"
#include "platform/system.h"
#include "testsupport.h"
#include "utils.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void wmicCaptions_data();
    void wmicCaptions();
    void wmicCommandLine();
    void mtuCommandLines();
    void mtuOfAnUnknownInterface();
    void shellCommand();
    void windowsVersionText_data();
    void windowsVersionText();
    void wireGuardAvailabilitySaysWhy();
    void processRunning_data();
    void processRunning();
    void processNotRunning();
    void stateFolderTakesOnlyWhatIsOurs_data();
    void stateFolderTakesOnlyWhatIsOurs();
    void stateLockIsHeldOnce();
};

void TestPlatform::wmicCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");

    QTest::newRow("running") << "openvpn.exe" << true;
    QTest::newRow("service") << "vpn-service.exe" << true;
    QTest::newRow("with blanks") << "System Idle Process" << true;
    QTest::newRow("without suffix") << "openvpn" << false;
    QTest::newRow("other case") << "OpenVPN.exe" << false;
    QTest::newRow("part of a name") << "vpn.exe" << false;
    QTest::newRow("the header") << "Caption" << true; // the tool's own header line reads as a caption
    QTest::newRow("empty") << "" << false;
}

void TestPlatform::wmicCaptions()
{
    QFETCH(QString, name);
    QFETCH(bool, found);
    const QByteArray output = TestSupport::readSupportFile(QStringLiteral("windows/wmic-process-caption.txt"));
    QVERIFY(output.contains("\r\r\n"));
    QCOMPARE(Platform::wmicCaptionsContain(output, name), found);
}

void TestPlatform::wmicCommandLine()
{
    QCOMPARE(Platform::wmicProcessCommandLine(), QStringLiteral("wmic.exe /OUTPUT:STDOUT PROCESS get Caption"));
}

void TestPlatform::mtuCommandLines()
{
    QCOMPARE(Platform::netshMtuArguments(12, 1400),
             (QStringList{"interface", "ipv4", "set", "subinterface", "12", "mtu=1400", "store=persistent"}));
    QCOMPARE(Platform::ipLinkMtuArguments(QStringLiteral("tun0"), 1400),
             (QStringList{"link", "set", "dev", "tun0", "mtu", "1400"}));

    // The loopback interface exists everywhere; its index is 1 on Linux.
    const Platform::Command loopback = Platform::interfaceMtuCommand(1, 1500);
    QCOMPARE(loopback.program, QStringLiteral("ip"));
    QCOMPARE(loopback.arguments, (QStringList{"link", "set", "dev", "lo", "mtu", "1500"}));
}

void TestPlatform::mtuOfAnUnknownInterface()
{
    QVERIFY(Platform::interfaceMtuCommand(999999, 1400).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, "Utils: No network interface with index 999999");
    Utils::setInterfaceMtu(999999, 1400);
}

void TestPlatform::shellCommand()
{
    const Platform::Command command = Platform::shellCommand(QStringLiteral("echo a && echo b"));
    QCOMPARE(command.program, QStringLiteral("/bin/sh"));
    QCOMPARE(command.arguments, (QStringList{"-c", "echo a && echo b"}));
}

void TestPlatform::windowsVersionText_data()
{
    QTest::addColumn<int>("build");
    QTest::addColumn<QString>("displayVersion");
    QTest::addColumn<QString>("text");

    QTest::newRow("Windows 10") << 19045 << "22H2"
                                << "Windows 10 Version 22H2";
    QTest::newRow("Windows 11") << 22631 << "23H2"
                                << "Windows 11 Version 23H2 (build 22631)";
    QTest::newRow("Windows 11 without display version") << 22000 << ""
                                                        << "Windows 11 (build 22000)";
}

void TestPlatform::windowsVersionText()
{
    QFETCH(int, build);
    QFETCH(QString, displayVersion);
    QFETCH(QString, text);
    QCOMPARE(Platform::windowsVersionText(build, displayVersion, QStringLiteral("Windows 10 Version 22H2")), text);
}

void TestPlatform::wireGuardAvailabilitySaysWhy()
{
    const Platform::WireGuardAvailability availability = Platform::wireGuardAvailability();
    QCOMPARE(availability.reason.isEmpty(), availability.available);
    const bool tools = !QStandardPaths::findExecutable(QStringLiteral("wg")).isEmpty()
        || !QStandardPaths::findExecutable(QStringLiteral("wg"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                .isEmpty();
    if (!tools)
        QVERIFY(!availability.available);
}

void TestPlatform::processRunning_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("short name") << "vmx-probe";
    // Longer than the kernel's 15-byte process name: only the full names can tell.
    QTest::newRow("long name") << "velmorix-long-probe-name";
    QTest::newRow("name with blank") << "vmx probe";
}

void TestPlatform::processRunning()
{
    QFETCH(QString, name);
    const QString unique = name + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());

    QTemporaryDir dir;
    const QString program = dir.filePath(unique);
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QVERIFY(!Utils::isProcessRunning(program));
    QProcess process;
    process.start(program, {QStringLiteral("30")});
    QVERIFY(process.waitForStarted());

    QVERIFY(Platform::isProcessRunning(unique));
    QVERIFY(Utils::isProcessRunning(program));
    QVERIFY(Utils::isProcessRunning(QStringLiteral("C:\\Program Files\\Velmorix\\") + unique));
    // Names are compared whole and case-sensitively.
    QVERIFY(!Platform::isProcessRunning(unique.left(unique.size() - 1)));
    QVERIFY(!Platform::isProcessRunning(unique.toUpper()));

    process.kill();
    QVERIFY(process.waitForFinished());
    QVERIFY(!Utils::isProcessRunning(program));
}

void TestPlatform::processNotRunning()
{
    QVERIFY(!Platform::isProcessRunning(QStringLiteral("velmorix-no-such-program")));
    QVERIFY(!Platform::isProcessRunning(QString()));
    // This test program itself is found by its own name.
    QVERIFY(Utils::isProcessRunning(QCoreApplication::applicationFilePath()));
}

void TestPlatform::stateFolderTakesOnlyWhatIsOurs_data()
{
    QTest::addColumn<int>("mode"); // of the folder; 0: missing
    QTest::addColumn<QString>("plant"); // what stands where a state file goes
    QTest::addColumn<bool>("usable");
    QTest::addColumn<bool>("kept"); // the planted thing is still there afterwards

    QTest::newRow("missing folder") << 0 << "" << true << false;
    QTest::newRow("group may write") << 0775 << "" << false << false;
    QTest::newRow("sticky, others may write") << 01777 << "" << false << false;
    QTest::newRow("plain file") << 0700 << "file" << true << true;
    QTest::newRow("link") << 0755 << "link" << true << false;
    QTest::newRow("second name of a file") << 0755 << "hardlink" << true << false;
    QTest::newRow("pipe") << 0755 << "fifo" << true << false;
    QTest::newRow("file others may write") << 0755 << "open file" << true << false;
}

void TestPlatform::stateFolderTakesOnlyWhatIsOurs()
{
    QFETCH(int, mode);
    QFETCH(QString, plant);
    QFETCH(bool, usable);
    QFETCH(bool, kept);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString folder = temporary.filePath(QStringLiteral("state"));
    const QString victim = temporary.filePath(QStringLiteral("victim"));
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("precious\n");
    file.close();
    const QString state = folder + QStringLiteral("/state.dat");
    if (mode != 0) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), mode_t(mode)) == 0);
    }
    const QByteArray encoded = QFile::encodeName(state);
    if (plant == QLatin1String("file") || plant == QLatin1String("open file")) {
        QFile planted(state);
        QVERIFY(planted.open(QIODevice::WriteOnly));
        planted.close();
        QVERIFY(::chmod(encoded.constData(), plant == QLatin1String("file") ? 0600 : 0666) == 0);
    } else if (plant == QLatin1String("link")) {
        QVERIFY(QFile::link(victim, state));
    } else if (plant == QLatin1String("hardlink")) {
        QVERIFY(::link(QFile::encodeName(victim).constData(), encoded.constData()) == 0);
    } else if (plant == QLatin1String("fifo")) {
        QVERIFY(::mkfifo(encoded.constData(), 0600) == 0);
    }

    const QString why = Platform::prepareStateFolder(folder, {QStringLiteral("state.dat")});
    QVERIFY2(why.isEmpty() == usable, qPrintable(why));
    struct stat st = {};
    QCOMPARE(::lstat(encoded.constData(), &st) == 0, kept || (!usable && !plant.isEmpty()));
    if (mode == 0) {
        QVERIFY(::stat(QFile::encodeName(folder).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0755));
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious\n"));
}

void TestPlatform::stateLockIsHeldOnce()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    {
        const Platform::StateLock first(folder.path(), QStringLiteral("run.lock"), 0);
        QVERIFY(first.isLocked());
        const Platform::StateLock second(folder.path(), QStringLiteral("run.lock"), 200);
        QVERIFY(!second.isLocked());
        QVERIFY(second.error().contains(QLatin1String("held by another run")));
    }
    QVERIFY(Platform::StateLock(folder.path(), QStringLiteral("run.lock"), 0).isLocked());

    // A link in its place is neither followed nor created through.
    QVERIFY(QFile::link(folder.filePath(QStringLiteral("elsewhere")), folder.filePath(QStringLiteral("link.lock"))));
    QVERIFY(!Platform::StateLock(folder.path(), QStringLiteral("link.lock"), 0).isLocked());
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("elsewhere"))));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"

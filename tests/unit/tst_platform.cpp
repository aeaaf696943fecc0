#include "platform/network.h"
#include "platform/processes.h"
#include "platform/system.h"
#include "testsupport.h"
#include "utils.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"

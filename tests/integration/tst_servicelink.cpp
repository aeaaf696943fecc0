#include "messagerecorder.h"
#include "servicecontroller.h"
#include "serviceprocess.h"
#include "testsupport.h"
#include "utils.h"
#include "vpnprocess.h"
#include "vpnservicerunner.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QtTest>

#include <memory>

namespace {

void writeScript(const QString &path, const QByteArray &body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

// The client's link against the real vpn-service on loopback.
class TestServiceLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buffersUntilALateServiceComesUp();
    void reportsOnceAcrossServiceRestarts();
    void refusesUnknownPrograms();
    void stopAndKillEndThePrograms();
    void endsWhatItStartedWhenTheClientGoes();
    void endsWhatItStartedWhenItExits();
    void refusesBrowserOrigins();
    void programsInheritTheEnvironment();

private:
    QString program(const QString &name) const { return m_appDir.filePath(name); }

    QTemporaryDir m_appDir;
    QTemporaryDir m_elsewhere;
    QString m_sleeper;
};

void TestServiceLink::initTestCase()
{
    QVERIFY(QFileInfo(QStringLiteral(VELMORIX_APP_DIR_PATH "/vpn-service")).isExecutable());
    writeScript(program(QStringLiteral("killswitch")), "exit 3");
    // A sleeper of a name of its own, so that the test can tell whether it still runs.
    m_sleeper = QStringLiteral("vmx-sleeper-%1").arg(QCoreApplication::applicationPid());
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program(m_sleeper)));
    QVERIFY(QFile::setPermissions(program(m_sleeper), QFile::ReadOwner | QFile::ExeOwner));
    writeScript(program(QStringLiteral("network-tool")), "exec \"$(dirname \"$0\")/" + m_sleeper.toUtf8() + "\" 60");
    writeScript(program(QStringLiteral("dns")), "printf '%s\\n' \"$@\" > \"$VELMORIX_DATA_DIR/dns-args\"");
    writeScript(m_elsewhere.filePath(QStringLiteral("killswitch")), "exit 0");
}

void TestServiceLink::buffersUntilALateServiceComesUp()
{
    const quint16 port = TestSupport::freePort();
    MessageRecorder recorder;
    ServiceController controller(true, nullptr, port);
    QSignalSpy initial(&controller, &ServiceController::initialConnectionStatusChanged);
    QSignalSpy connected(&controller, &ServiceController::connected);
    ServiceProcess killswitch(QStringLiteral("killswitch"));
    VpnProcess networkTool(QStringLiteral("network-tool"));
    QSignalSpy killswitchFinished(&killswitch, &ServiceProcess::finished);
    QSignalSpy networkToolStarted(&networkTool, &ServiceProcess::started);

    killswitch.start({program(QStringLiteral("killswitch")), QStringLiteral("enable"), QStringLiteral("all")});
    networkTool.start({program(QStringLiteral("network-tool")), QStringLiteral("--ipv6"), QStringLiteral("disable")});
    QVERIFY(recorder.warnings().first().contains(QLatin1String("data will be buffered: start: ")));

    // Nobody listens yet: the first socket error reports the status, once.
    QTRY_COMPARE(initial.count(), 1);
    QTest::qWait(3500);
    QCOMPARE(initial.count(), 1);
    QCOMPARE(connected.count(), 0);

    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 8000);

    // The reports of the late first connection are heard.
    QTRY_COMPARE(killswitchFinished.count(), 1);
    QCOMPARE(killswitchFinished.at(0).at(0).toInt(), 3);
    QTRY_COMPARE(networkToolStarted.count(), 1);
    QCOMPARE(
        service.receivedCommands(),
        (QStringList{"init: connection",
                     ServiceProcess::startCommandFor({program(QStringLiteral("killswitch")), "enable", "all"}),
                     ServiceProcess::startCommandFor({program(QStringLiteral("network-tool")), "--ipv6", "disable"})}));
    QCOMPARE(initial.count(), 1);

    // The log names programs, never their folders.
    const QStringList infos = recorder.texts(QtInfoMsg);
    QVERIFY(infos.contains(QStringLiteral("ServiceController: Send data: [start: killswitch enable all]")));
    for (const QString &line : infos) {
        if (line.contains(QLatin1String("Send data")))
            QVERIFY2(!line.contains(m_appDir.path()), qPrintable(line));
    }
    networkTool.kill();
}

void TestServiceLink::reportsOnceAcrossServiceRestarts()
{
    const quint16 port = TestSupport::freePort();
    auto service = std::make_unique<VpnServiceRunner>(m_appDir.path(), port);
    QVERIFY(service->waitListening());

    ServiceController controller(true, nullptr, port);
    QSignalSpy connected(&controller, &ServiceController::connected);
    QSignalSpy disconnected(&controller, &ServiceController::disconnected);
    QSignalSpy initial(&controller, &ServiceController::initialConnectionStatusChanged);
    QTRY_COMPARE(connected.count(), 1);
    QCOMPARE(initial.count(), 1);

    ServiceProcess killswitch(QStringLiteral("killswitch"));
    QSignalSpy started(&killswitch, &ServiceProcess::started);
    QSignalSpy finished(&killswitch, &ServiceProcess::finished);

    for (int round = 1; round <= 2; ++round) {
        service->crash();
        QTRY_COMPARE(disconnected.count(), round);
        service = std::make_unique<VpnServiceRunner>(m_appDir.path(), port);
        QVERIFY(service->waitListening());
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), round + 1, 8000);
        // A reconnection is no new run: no second init.
        QVERIFY(service->waitFor(QStringLiteral("Client connected")));

        killswitch.start({program(QStringLiteral("killswitch"))});
        QTRY_COMPARE(finished.count(), round);
        QTest::qWait(300); // room for a duplicate to show
        QCOMPARE(started.count(), round);
        QCOMPARE(finished.count(), round);
        QCOMPARE(service->receivedCommands(),
                 QStringList{ServiceProcess::startCommandFor({program(QStringLiteral("killswitch"))})});
    }
    QCOMPARE(initial.count(), 1);
}

void TestServiceLink::refusesUnknownPrograms()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    ServiceController controller(true, nullptr, port);
    QTRY_VERIFY(controller.isConnected());

    ServiceProcess shell(QStringLiteral("sh"));
    ServiceProcess outside(QStringLiteral("killswitch"));
    ServiceProcess traversal(QStringLiteral("killswitch"));
    QSignalSpy shellError(&shell, &ServiceProcess::error);
    QSignalSpy outsideError(&outside, &ServiceProcess::error);

    shell.start({QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("touch /tmp/velmorix-pwned")});
    QTRY_COMPARE(shellError.count(), 1);
    QVERIFY(shellError.at(0).at(0).toInt() != 0);
    QCOMPARE(shell.state(), int(ServiceProcess::NotRunning));

    outside.start({m_elsewhere.filePath(QStringLiteral("killswitch"))});
    QTRY_COMPARE(outsideError.count(), 1);
    QVERIFY(outsideError.at(0).at(0).toInt() != 0);

    // A path that climbs out of the folder is outside it, however it starts.
    QSignalSpy traversalError(&traversal, &ServiceProcess::error);
    traversal.start({m_appDir.path() + QStringLiteral("/../") + QFileInfo(m_elsewhere.path()).fileName()
                     + QStringLiteral("/killswitch")});
    QTRY_COMPARE(traversalError.count(), 1);

    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/velmorix-pwned")));
    QCOMPARE(service.log().count(QLatin1String(": outside the application directory")), 3);
    QVERIFY(service.log().contains(QLatin1String("Refused to start '/bin/sh': outside the application directory")));
}

void TestServiceLink::stopAndKillEndThePrograms()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    ServiceController controller(true, nullptr, port);
    QTRY_VERIFY(controller.isConnected());

    VpnProcess engine(QStringLiteral("network-tool"));
    QSignalSpy started(&engine, &ServiceProcess::started);
    QSignalSpy finished(&engine, &ServiceProcess::finished);

    engine.start({program(QStringLiteral("network-tool"))});
    QTRY_COMPARE(started.count(), 1);
    QCOMPARE(engine.state(), int(ServiceProcess::Running));
    engine.stop();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 128 + 15); // SIGTERM

    engine.start({program(QStringLiteral("network-tool"))});
    QTRY_COMPARE(started.count(), 2);
    engine.kill();
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(finished.at(1).at(0).toInt(), 128 + 9); // SIGKILL
    QCOMPARE(engine.state(), int(ServiceProcess::NotRunning));
    QVERIFY(service.receivedCommands().contains(QStringLiteral("stop: <network-tool>")));
    QVERIFY(service.receivedCommands().contains(QStringLiteral("start: <kill network-tool>")));
}

void TestServiceLink::endsWhatItStartedWhenTheClientGoes()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    {
        ServiceController controller(true, nullptr, port);
        QTRY_VERIFY(controller.isConnected());
        VpnProcess engine(QStringLiteral("network-tool"));
        QSignalSpy started(&engine, &ServiceProcess::started);
        engine.start({program(QStringLiteral("network-tool"))});
        QTRY_COMPARE(started.count(), 1);
    }
    QVERIFY(service.waitFor(QStringLiteral("Ending 'network-tool'")));
    QVERIFY(service.waitFor(QStringLiteral("Report without a client: finished:")));
    QVERIFY(!Utils::isProcessRunning(m_sleeper));
}

void TestServiceLink::endsWhatItStartedWhenItExits()
{
    const quint16 port = TestSupport::freePort();
    auto service = std::make_unique<VpnServiceRunner>(m_appDir.path(), port);
    QVERIFY(service->waitListening());
    ServiceController controller(true, nullptr, port);
    VpnProcess engine(QStringLiteral("network-tool"));
    QSignalSpy started(&engine, &ServiceProcess::started);
    engine.start({program(QStringLiteral("network-tool"))});
    QTRY_COMPARE(started.count(), 1);
    // Reported when the script starts, which then becomes the sleeper.
    QTRY_VERIFY(Utils::isProcessRunning(m_sleeper));
    service.reset(); // SIGTERM
    QTRY_VERIFY(!Utils::isProcessRunning(m_sleeper));
}

void TestServiceLink::refusesBrowserOrigins()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());

    QWebSocket browser(QStringLiteral("https://evil.example"));
    QSignalSpy connected(&browser, &QWebSocket::connected);
    QSignalSpy disconnected(&browser, &QWebSocket::disconnected);
    browser.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    QTRY_VERIFY(disconnected.count() >= 1 || browser.error() != QAbstractSocket::UnknownSocketError);
    QTest::qWait(200);
    QCOMPARE(connected.count(), 0);
    QVERIFY(service.waitFor(QStringLiteral("Refused a connection from origin 'https://evil.example'")));

    // The client's own handshake carries no origin and is taken.
    QWebSocket client(QString(), QWebSocketProtocol::Version13);
    QSignalSpy clientConnected(&client, &QWebSocket::connected);
    client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    QTRY_COMPARE(clientConnected.count(), 1);
}

void TestServiceLink::programsInheritTheEnvironment()
{
    QTemporaryDir data;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), data.path());
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port, environment);
    QVERIFY(service.waitListening());
    ServiceController controller(true, nullptr, port);
    ServiceProcess dns(QStringLiteral("dns"));
    QSignalSpy finished(&dns, &ServiceProcess::finished);
    dns.start({program(QStringLiteral("dns")), QStringLiteral("vpn"), QStringLiteral("{id}@10.8.0.1,10.8.0.2")});
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 0);

    QFile args(data.filePath(QStringLiteral("dns-args")));
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(args.readAll(), QByteArray("vpn\n{id}@10.8.0.1,10.8.0.2\n"));
}

QTEST_GUILESS_MAIN(TestServiceLink)
#include "tst_servicelink.moc"

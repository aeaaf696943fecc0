#include "childprocess.h"
#include "messagerecorder.h"
#include "openvpnnetworkinterfaces.h"
#include "platform/adapters.h"
#include "servicecommand.h"
#include "servicecontroller.h"
#include "serviceprocess.h"
#include "testsupport.h"
#include "utils.h"
#include "vpnprocess.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ServiceProcess::Report::Kind)
Q_DECLARE_METATYPE(ServiceCommand::Kind)

class TestService : public QObject
{
    Q_OBJECT

private slots:
    void parseReport_data();
    void parseReport();
    void startCommand_data();
    void startCommand();
    void stateMachine();
    void reportsForOthersChangeNothing();
    void reportsFindTheirOwner();
    void serviceCommandParse_data();
    void serviceCommandParse();
    void routePrint();
    void routePrintAllAdapters();
    void routePrintOddLines();
    void linuxAdapters();
    void adapterLog();
    void childExecute();
    void childStartAndErrors();
};

void TestService::parseReport_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("pid");
    QTest::addColumn<ServiceProcess::Report::Kind>("kind");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("name");

    using R = ServiceProcess::Report;
    QTest::newRow("started") << "started:4242,0,openvpn" << qint64(4242) << R::Started << 0u << "openvpn";
    QTest::newRow("refused") << "started:0,1,killswitch" << qint64(0) << R::Started << 1u << "killswitch";
    QTest::newRow("finished") << "finished:4242,3,openvpn" << qint64(4242) << R::Finished << 3u << "openvpn";
    QTest::newRow("empty fields kept") << "finished:,,dns" << qint64(0) << R::Finished << 0u << "dns";
    QTest::newRow("non-numeric code") << "started:1,x,dns" << qint64(1) << R::Started << 0u << "dns";
    QTest::newRow("negative code") << "finished:1,-1,dns" << qint64(1) << R::Finished << 0u << "dns";
    QTest::newRow("one field") << "started:openvpn" << qint64(0) << R::Started << 0u << "openvpn";
    QTest::newRow("nothing after the prefix") << "finished:" << qint64(0) << R::Finished << 0u << "";
    QTest::newRow("name with blanks, untrimmed")
        << "started:1,0, network tool " << qint64(1) << R::Started << 0u << " network tool ";
    QTest::newRow("extra fields") << "finished:1,7,x,y,wireguard-service" << qint64(1) << R::Finished << 7u
                                  << "wireguard-service";
    QTest::newRow("prefix repeated inside") << "started:1,0,started:dns" << qint64(1) << R::Started << 0u << "dns";
    QTest::newRow("case matters") << "Started:1,0,dns" << qint64(0) << R::None << 0u << "";
    QTest::newRow("other report") << "log: openvpn is up" << qint64(0) << R::None << 0u << "";
    QTest::newRow("empty") << "" << qint64(0) << R::None << 0u << "";
    QTest::newRow("pid not a number") << "finished:x1,2,dns" << qint64(0) << R::Finished << 2u << "dns";
    QTest::newRow("negative pid") << "finished:-5,2,dns" << qint64(0) << R::Finished << 2u << "dns";
}

void TestService::parseReport()
{
    QFETCH(QString, text);
    QFETCH(ServiceProcess::Report::Kind, kind);
    QFETCH(qint64, pid);
    QFETCH(uint, code);
    QFETCH(QString, name);

    const ServiceProcess::Report report = ServiceProcess::parseReport(text);
    QCOMPARE(report.kind, kind);
    QCOMPARE(report.pid, pid);
    QCOMPARE(report.code, code);
    QCOMPARE(report.name, name);
}

void TestService::startCommand_data()
{
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("logged");

    QTest::newRow("program and word") << QStringList{"/opt/velmorix/killswitch", "enable"}
                                      << "start: \"/opt/velmorix/killswitch\" \"enable\""
                                      << "start: killswitch enable";
    QTest::newRow("empty argument") << QStringList{"/opt/velmorix/killswitch", "enable", "all", "10.0.0.1", ""}
                                    << "start: \"/opt/velmorix/killswitch\" \"enable\" \"all\" \"10.0.0.1\" \"\""
                                    << "start: killswitch enable all 10.0.0.1 ";
    QTest::newRow("blanks in paths")
        << QStringList{"C:\\Program Files\\Velmorix\\openvpn\\bin\\openvpn.exe",
                       "--config",
                       "C:\\Program Files\\Velmorix\\config\\client.ovpn"}
        << "start: \"C:\\Program Files\\Velmorix\\openvpn\\bin\\openvpn.exe\" \"--config\" \"C:\\Program "
           "Files\\Velmorix\\config\\client.ovpn\""
        << "start: openvpn.exe --config client.ovpn";
    QTest::newRow("quote inside, not escaped") << QStringList{"/a/dns", "x\"y"} << "start: \"/a/dns\" \"x\"y\""
                                               << "start: dns xy";
}

void TestService::startCommand()
{
    QFETCH(QStringList, elements);
    QFETCH(QString, command);
    QFETCH(QString, logged);
    QCOMPARE(ServiceProcess::startCommandFor(elements), command);
    QCOMPARE(Utils::commandLineForLog(command), logged);
    // The stand-in reads back exactly what was sent, as long as no element holds '" "'.
    const ServiceCommand parsed = ServiceCommand::parse(command);
    QCOMPARE(parsed.kind, ServiceCommand::Start);
    QCOMPARE(parsed.programAndArguments, elements);
}

void TestService::stateMachine()
{
    ServiceController controller(false);
    QCOMPARE(ServiceController::instance(), &controller);
    ServiceProcess process(QStringLiteral("killswitch"));
    QCOMPARE(process.objectName(), QStringLiteral("killswitch"));
    QSignalSpy started(&process, &ServiceProcess::started);
    QSignalSpy finished(&process, &ServiceProcess::finished);
    QSignalSpy error(&process, &ServiceProcess::error);

    QCOMPARE(process.state(), int(ServiceProcess::NotRunning));
    process.start({QStringLiteral("/opt/velmorix/killswitch"), QStringLiteral("enable")});
    QCOMPARE(process.state(), int(ServiceProcess::Starting));

    emit controller.processOutput(QStringLiteral("started:77,0,killswitch"));
    QCOMPARE(process.state(), int(ServiceProcess::Running));
    QCOMPARE(started.count(), 1);

    emit controller.processOutput(QStringLiteral("finished:77,3,killswitch"));
    QCOMPARE(process.state(), int(ServiceProcess::NotRunning));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 3);

    // Refused: back to not running, with the service's status.
    process.start({QStringLiteral("/opt/velmorix/killswitch")});
    emit controller.processOutput(QStringLiteral("started:0,2,killswitch"));
    QCOMPARE(process.state(), int(ServiceProcess::NotRunning));
    QCOMPARE(error.count(), 1);
    QCOMPARE(error.at(0).at(0).toInt(), 2);

    // "finished:" counts in any state, also while starting; a missing code is a good start.
    process.start({QStringLiteral("/opt/velmorix/killswitch")});
    emit controller.processOutput(QStringLiteral("finished:,,killswitch"));
    QCOMPARE(process.state(), int(ServiceProcess::NotRunning));
    QCOMPARE(finished.count(), 2);
    emit controller.processOutput(QStringLiteral("started:killswitch"));
    QCOMPARE(process.state(), int(ServiceProcess::Running));
    QCOMPARE(started.count(), 2);

    // Neither kill nor stop changes the state: only the service's report does.
    VpnProcess engine(QStringLiteral("openvpn"));
    engine.start({QStringLiteral("/opt/velmorix/openvpn/bin/openvpn")});
    engine.kill();
    engine.stop();
    QCOMPARE(engine.state(), int(ServiceProcess::Starting));
}

void TestService::reportsForOthersChangeNothing()
{
    ServiceController controller(false);
    ServiceProcess process(QStringLiteral("dns"));
    QSignalSpy started(&process, &ServiceProcess::started);
    process.start({QStringLiteral("/opt/velmorix/dns"), QStringLiteral("vpn")});
    for (const QString &report : {QStringLiteral("started:1,0,openvpn"),
                                  QStringLiteral("started:1,0,DNS"),
                                  QStringLiteral("started:1,0,dns "),
                                  QStringLiteral("finished:1,0,dnsx"),
                                  QStringLiteral("hello")})
        emit controller.processOutput(report);
    QCOMPARE(process.state(), int(ServiceProcess::Starting));
    QCOMPARE(started.count(), 0);
}

// Engines come and go under one name: each report reaches the object it answers.
void TestService::reportsFindTheirOwner()
{
    ServiceController controller(false);
    controller.setCommandSinkForTesting([](const QString &) {});
    controller.setLinkUpForTesting(true);
    const QStringList program{QStringLiteral("/opt/velmorix/openvpn/bin/openvpn")};

    // An engine dropped before the service answered, and the next one, already asked for.
    auto *dropped = new VpnProcess(QStringLiteral("openvpn"));
    VpnProcess next(QStringLiteral("openvpn"));
    QSignalSpy nextStarted(&next, &ServiceProcess::started);
    QSignalSpy nextFinished(&next, &ServiceProcess::finished);
    dropped->start(program);
    next.start(program);
    // The service answers in the order of the commands.
    emit controller.processOutput(QStringLiteral("started:101,0,openvpn"));
    QCOMPARE(dropped->state(), int(ServiceProcess::Running));
    QCOMPARE(next.state(), int(ServiceProcess::Starting));
    emit controller.processOutput(QStringLiteral("started:102,0,openvpn"));
    QCOMPARE(next.state(), int(ServiceProcess::Running));
    QCOMPARE(nextStarted.count(), 1);

    // The earlier engine's end is not the next one's.
    emit controller.processOutput(QStringLiteral("finished:101,137,openvpn"));
    QCOMPARE(dropped->state(), int(ServiceProcess::NotRunning));
    QCOMPARE(next.state(), int(ServiceProcess::Running));
    QCOMPARE(nextFinished.count(), 0);
    emit controller.processOutput(QStringLiteral("finished:102,0,openvpn"));
    QCOMPARE(nextFinished.count(), 1);

    // An object gone before its answer leaves that answer unheard, not handed to the next.
    dropped->start(program);
    next.start(program);
    delete dropped;
    emit controller.processOutput(QStringLiteral("started:103,0,openvpn"));
    QCOMPARE(next.state(), int(ServiceProcess::Starting));
    emit controller.processOutput(QStringLiteral("started:104,0,openvpn"));
    QCOMPARE(next.state(), int(ServiceProcess::Running));

    // A start carried by a link that then went down is never answered; one buffered while the
    // link was down is, once it is back.
    VpnProcess lost(QStringLiteral("openvpn"));
    lost.start(program);
    controller.setLinkUpForTesting(false);
    next.start(program);
    controller.setLinkUpForTesting(true);
    emit controller.processOutput(QStringLiteral("started:105,0,openvpn"));
    QCOMPARE(next.runningPids(), QSet<qint64>({104, 105}));
    QCOMPARE(lost.state(), int(ServiceProcess::Starting));
}

void TestService::serviceCommandParse_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<ServiceCommand::Kind>("kind");
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QString>("name");

    QTest::newRow("init") << "init: connection" << ServiceCommand::Init << QStringList() << "";
    QTest::newRow("start") << "start: \"/a/openvpn\" \"--config\" \"/a/b c.ovpn\"" << ServiceCommand::Start
                           << QStringList{"/a/openvpn", "--config", "/a/b c.ovpn"} << "";
    QTest::newRow("kill") << "start: <kill openvpn>" << ServiceCommand::Kill << QStringList() << "openvpn";
    QTest::newRow("stop") << "stop: <wireguard-service>" << ServiceCommand::Stop << QStringList()
                          << "wireguard-service";
    QTest::newRow("unquoted start") << "start: /bin/sh -c id" << ServiceCommand::Invalid << QStringList() << "";
    QTest::newRow("empty program") << "start: \"\"" << ServiceCommand::Invalid << QStringList() << "";
    QTest::newRow("lone quote") << "start: \"" << ServiceCommand::Invalid << QStringList() << "";
    QTest::newRow("kill without name") << "start: <kill >" << ServiceCommand::Invalid << QStringList() << "";
    QTest::newRow("stop unbracketed") << "stop: openvpn" << ServiceCommand::Invalid << QStringList() << "";
    QTest::newRow("unknown") << "rm -rf /" << ServiceCommand::Invalid << QStringList() << "";
    QTest::newRow("empty") << "" << ServiceCommand::Invalid << QStringList() << "";
}

void TestService::serviceCommandParse()
{
    QFETCH(QString, frame);
    QFETCH(ServiceCommand::Kind, kind);
    QFETCH(QStringList, elements);
    QFETCH(QString, name);

    const ServiceCommand command = ServiceCommand::parse(frame);
    QCOMPARE(command.kind, kind);
    QCOMPARE(command.programAndArguments, elements);
    QCOMPARE(command.name, name);
    QCOMPARE(command.error.isEmpty(), kind != ServiceCommand::Invalid);
}

void TestService::routePrint()
{
    // As the Windows runner hands it over: split at line feeds, "\r" kept, empty lines gone.
    QStringList lines =
        QString::fromUtf8(TestSupport::readSupportFile(QStringLiteral("windows/route-print.txt"))).split('\n');
    lines.removeAll(QString());
    QVERIFY(lines.first().endsWith(QLatin1Char('\r')));

    const NetworkAdapters adapters = Platform::parseRoutePrint(lines, true);
    QCOMPARE(adapters.size(), 2);
    QCOMPARE(adapters.at(0).index, 17);
    QCOMPARE(adapters.at(0).name, QStringLiteral("TAP-Windows Adapter V9"));
    QCOMPARE(adapters.at(1).index, 23);
    QCOMPARE(adapters.at(1).name, QStringLiteral("TAP-Windows Adapter V9 #2"));
}

void TestService::routePrintAllAdapters()
{
    QStringList lines =
        QString::fromUtf8(TestSupport::readSupportFile(QStringLiteral("windows/route-print.txt"))).split('\n');
    lines.removeAll(QString());
    const NetworkAdapters adapters = Platform::parseRoutePrint(lines, false);
    QStringList names;
    for (const NetworkAdapter &adapter : adapters)
        names << QStringLiteral("%1 %2").arg(adapter.index).arg(adapter.name);
    // Loopback skipped; route rows and headers yield no index or no name.
    QCOMPARE(names,
             (QStringList{"17 TAP-Windows Adapter V9",
                          "23 TAP-Windows Adapter V9 #2",
                          "9 Intel(R) Ethernet Connection (7) I219-V",
                          "14 VirtualBox Host-Only Ethernet Adapter"}));
}

void TestService::routePrintOddLines()
{
    const QStringList lines = {
        QStringLiteral(" 31...00 ff 8e 3d 2a 99 TAP-Windows Adapter V9 (no six dots)\r"),
        QStringLiteral(" x...00 ff 8e 3d 2a 99 ......TAP-Windows Adapter V9 bad index\r"),
        QStringLiteral(" 0...00 ff 8e 3d 2a 99 ......TAP-Windows Adapter V9 zero\r"),
        QStringLiteral(" 40...00 ff 8e 3d 2a 99 ......   \r"),
        QStringLiteral("  1...........................Software Loopback Interface 1 TAP-Windows Adapter\r"),
        QStringLiteral(" 41...00 ff 8e 3d 2a 98 ......TAP-Windows Adapter   V9 \t #3\r"),
    };
    const NetworkAdapters adapters = Platform::parseRoutePrint(lines, true);
    QCOMPARE(adapters.size(), 1);
    QCOMPARE(adapters.first().index, 41);
    QCOMPARE(adapters.first().name, QStringLiteral("TAP-Windows Adapter V9 #3"));
}

void TestService::linuxAdapters()
{
    QTemporaryDir root;
    const auto link = [&root](const QString &name, const QByteArray &index, const QByteArray &type, bool tun) {
        QDir().mkpath(root.filePath(QStringLiteral("net/") + name));
        const auto write = [&](const QString &file, const QByteArray &content) {
            QFile f(root.filePath(QStringLiteral("net/%1/%2").arg(name, file)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content + '\n');
        };
        write(QStringLiteral("ifindex"), index);
        write(QStringLiteral("type"), type);
        if (tun)
            write(QStringLiteral("tun_flags"), "0x1001");
    };
    link(QStringLiteral("lo"), "1", "772", false);
    link(QStringLiteral("eth0"), "2", "1", false);
    link(QStringLiteral("tun0"), "7", "65534", true);
    link(QStringLiteral("tap1"), "9", "1", true);
    link(QStringLiteral("broken"), "x", "1", true);
    const QString tun = root.filePath(QStringLiteral("tun"));
    const QString net = root.filePath(QStringLiteral("net"));

    const auto describe = [](const NetworkAdapters &adapters) {
        QStringList rows;
        for (const NetworkAdapter &adapter : adapters)
            rows << QStringLiteral("%1 %2").arg(adapter.index).arg(adapter.name);
        return rows;
    };

    // Without the driver there is nothing a tunnel could use.
    QCOMPARE(Platform::linuxAdapters(true, tun, net), NetworkAdapters());

    QFile device(tun);
    QVERIFY(device.open(QIODevice::WriteOnly));
    device.close();
    const QString driver = QStringLiteral("0 TUN/TAP driver (%1)").arg(tun);
    QCOMPARE(describe(Platform::linuxAdapters(true, tun, net)), (QStringList{driver, "9 tap1", "7 tun0"}));
    QCOMPARE(describe(Platform::linuxAdapters(false, tun, net)), (QStringList{driver, "2 eth0", "9 tap1", "7 tun0"}));
    QCOMPARE(describe(Platform::linuxAdapters(true, tun, root.filePath(QStringLiteral("none")))), QStringList{driver});
}

void TestService::adapterLog()
{
    OpenVpnNetworkInterfaces interfaces;
    QCOMPARE(interfaces.objectName(), QStringLiteral("NetworkInterfaces"));
    MessageRecorder recorder;
    interfaces.logInterfaces();
    QCOMPARE(recorder.texts(QtCriticalMsg), QStringList{"NetworkInterfaces: No VPN interfaces found"});

    recorder.clear();
    interfaces.detect(false);
    interfaces.logInterfaces();
    if (interfaces.isEmpty()) {
        QCOMPARE(recorder.texts(QtCriticalMsg), QStringList{"NetworkInterfaces: No network interfaces found"});
    } else {
        const QStringList lines = recorder.texts(QtInfoMsg);
        QCOMPARE(lines.size(), interfaces.interfaces().size());
        const NetworkAdapter first = interfaces.interfaces().first();
        QCOMPARE(lines.first(),
                 QStringLiteral("NetworkInterfaces: Detected network interface, id: %1, name: '%2'")
                     .arg(first.index)
                     .arg(first.name));
    }
}

void TestService::childExecute()
{
    QCOMPARE(ChildProcess::execute(QStringLiteral("printf"), {QStringLiteral("a\\r\\nb\\n")}, true),
             (QStringList{"a\r", "b", ""}));
    QCOMPARE(ChildProcess::execute(QStringLiteral("printf"), {QStringLiteral("output")}, false), QStringList());
    QCOMPARE(ChildProcess::execute(QStringLiteral("/nonexistent/route"), {QStringLiteral("print")}, true),
             QStringList{QString()});
}

void TestService::childStartAndErrors()
{
    ChildProcess child;
    QCOMPARE(child.objectName(), QStringLiteral("ChildProcess"));
    QSignalSpy finished(&child, &ChildProcess::processFinished);

    child.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);

    child.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 4")});
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(finished.at(1).at(0).toBool(), false);

    // A second start ends the first program: its end is reported as a failure.
    child.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QTest::qWait(100);
    MessageRecorder recorder;
    child.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    QTRY_COMPARE(finished.count(), 4);
    QCOMPARE(finished.at(2).at(0).toBool(), false);
    QCOMPARE(finished.at(3).at(0).toBool(), true);
    QCOMPARE(recorder.warnings(), QStringList{"ChildProcess: Error occured: crashed"});

    recorder.clear();
    child.start(QStringLiteral("/nonexistent/flush"), {});
    QTRY_COMPARE(recorder.warnings(), QStringList{"ChildProcess: Error occured: failed to start"});
    QCOMPARE(finished.count(), 4);
}

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"

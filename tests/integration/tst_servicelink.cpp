#include "attacker.h"
#include "messagerecorder.h"
#include "servicecontroller.h"
#include "serviceprocess.h"
#include "testsupport.h"
#include "utils.h"
#include "vpnprocess.h"
#include "vpnservicerunner.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The client's configuration as the client writes it, with the server line in place.
QByteArray clientConfig()
{
    return "client\r\ndev tun\r\nmanagement 127.0.0.1 61973\r\nremote 10.99.0.1 1194 udp\r\nauth-user-pass\r\n"
           "remote-cert-eku \"TLS Web Server Authentication\"\r\nverb 3\r\n"
           "pull-filter ignore 'redirect-gateway ipv6'\r\n\r\n<ca>\r\n-----BEGIN CERTIFICATE-----\r\nMIIB\r\n"
           "-----END CERTIFICATE-----\r\n</ca>\r\n";
}

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
    void programsInheritTheEnvironmentNotTheDescriptors();
    void strangersAreRefused_data();
    void strangersAreRefused();
    void onlyTheClientsCommandLinesRun_data();
    void onlyTheClientsCommandLinesRun();
    void openVpnReadsWhatWasChecked();
    void endsEveryChildOfAGoneClient();
    void capsTheProgramsOfALink();
    void squattedServicePortIsRefused_data();
    void squattedServicePortIsRefused();

private:
    QString program(const QString &name) const { return m_appDir.filePath(name); }
    QStringList networkTool() const
    {
        return {program(QStringLiteral("network-tool")), QStringLiteral("--ipv6"), QStringLiteral("disable")};
    }
    // What the stand-in programs of the folder recorded: their arguments, one a line.
    QString mark(const QString &name) const { return m_marks.filePath(name); }

    QTemporaryDir m_appDir;
    QTemporaryDir m_elsewhere;
    QTemporaryDir m_marks;
    QTemporaryDir m_client;
    QString m_sleeper;
};

void TestServiceLink::initTestCase()
{
    QVERIFY(QFileInfo(QStringLiteral(VELMORIX_APP_DIR_PATH "/vpn-service")).isExecutable());
    // The client links only to the vpn-service beside it.
    qputenv("VELMORIX_APP_DIR", VELMORIX_APP_DIR_PATH);
    writeScript(program(QStringLiteral("killswitch")), "exit 3");
    // A sleeper of a name of its own, so that the test can tell whether it still runs.
    m_sleeper = QStringLiteral("vmx-sleeper-%1").arg(QCoreApplication::applicationPid());
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program(m_sleeper)));
    QVERIFY(QFile::setPermissions(program(m_sleeper), QFile::ReadOwner | QFile::ExeOwner));
    writeScript(program(QStringLiteral("network-tool")), "exec \"$(dirname \"$0\")/" + m_sleeper.toUtf8() + "\" 60");
    writeScript(program(QStringLiteral("dns")),
                "printf '%s\\n' \"$@\" > \"$VELMORIX_DATA_DIR/dns-args\"; "
                "ls -l /proc/$$/fd > \"$VELMORIX_DATA_DIR/dns-fds\"");
    writeScript(m_elsewhere.filePath(QStringLiteral("killswitch")), "exit 0");
    // Stand-ins that record how they were started, and what the configuration they were given
    // holds when they read it.
    const QByteArray marks = m_marks.path().toUtf8();
    writeScript(program(QStringLiteral("openvpn/bin/openvpn")),
                "printf '%s\\n' \"$@\" > " + marks + "/openvpn; cat \"$2\" > " + marks
                    + "/openvpn-config; "
                      "echo appended >> \"$9\"");
    writeScript(program(QStringLiteral("wireguard/bin/wireguard-service")),
                "printf '%s\\n' \"$@\" > " + marks + "/wireguard-service");
    writeScript(program(QStringLiteral("dns-marked")), "exit 0");
    writeScript(program(QStringLiteral("sh")), "touch " + marks + "/sh");
    // The client's own files.
    writeFile(m_client.filePath(QStringLiteral("client.ovpn")), clientConfig());
    writeFile(m_client.filePath(QStringLiteral("wg-velmorix.conf")), "[Interface]\n");
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

    killswitch.start({program(QStringLiteral("killswitch")), QStringLiteral("disable"), QStringLiteral("all")});
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
                     ServiceProcess::startCommandFor({program(QStringLiteral("killswitch")), "disable", "all"}),
                     ServiceProcess::startCommandFor({program(QStringLiteral("network-tool")), "--ipv6", "disable"})}));
    QCOMPARE(initial.count(), 1);

    // The log names programs, never their folders.
    const QStringList infos = recorder.texts(QtInfoMsg);
    QVERIFY(infos.contains(QStringLiteral("ServiceController: Send data: [start: killswitch disable all]")));
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

        killswitch.start({program(QStringLiteral("killswitch")), QStringLiteral("disable"), QStringLiteral("all")});
        QTRY_COMPARE(finished.count(), round);
        QTest::qWait(300); // room for a duplicate to show
        QCOMPARE(started.count(), round);
        QCOMPARE(finished.count(), round);
        QCOMPARE(service->receivedCommands(),
                 QStringList{ServiceProcess::startCommandFor(
                     {program(QStringLiteral("killswitch")), QStringLiteral("disable"), QStringLiteral("all")})});
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
    QVERIFY(service.log().contains(
        QLatin1String("Refused to start '/bin/sh' for '%1'").arg(QCoreApplication::applicationFilePath())));
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

    engine.start(networkTool());
    QTRY_COMPARE(started.count(), 1);
    QCOMPARE(engine.state(), int(ServiceProcess::Running));
    engine.stop();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 128 + 15); // SIGTERM

    engine.start(networkTool());
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
        engine.start(networkTool());
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
    engine.start(networkTool());
    QTRY_COMPARE(started.count(), 1);
    // The script's shell becomes the sleeper a moment after the start is reported.
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

void TestServiceLink::programsInheritTheEnvironmentNotTheDescriptors()
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
    // A root program reads outside input: no socket of the service's (its signal pipe, its
    // listener, a client's link) may reach it.
    QFile descriptors(data.filePath(QStringLiteral("dns-fds")));
    QVERIFY(descriptors.open(QIODevice::ReadOnly));
    const QByteArray table = descriptors.readAll();
    QVERIFY2(!table.contains("socket:"), table.constData());
}

void TestServiceLink::strangersAreRefused_data()
{
    QTest::addColumn<int>("who");
    QTest::addColumn<QStringList>("frames");
    const QString killswitch = ServiceProcess::startCommandFor(
        {program(QStringLiteral("killswitch")), QStringLiteral("disable"), QStringLiteral("all")});
    const QString hook = ServiceProcess::startCommandFor({program(QStringLiteral("openvpn/bin/openvpn")),
                                                          QStringLiteral("--config"),
                                                          m_client.filePath(QStringLiteral("client.ovpn")),
                                                          QStringLiteral("--script-security"),
                                                          QStringLiteral("2"),
                                                          QStringLiteral("--up"),
                                                          program(QStringLiteral("sh"))});
    for (const Attacker::Who who : {Attacker::Nobody, Attacker::Root}) {
        const QString name = Attacker::name(who);
        QTest::newRow(qPrintable(name + ": the client's own command")) << int(who) << QStringList{killswitch};
        QTest::newRow(qPrintable(name + ": a script hook")) << int(who) << QStringList{hook};
        QTest::newRow(qPrintable(name + ": init, then kill"))
            << int(who)
            << QStringList{QStringLiteral("init: connection"), QStringLiteral("start: <kill network-tool>")};
    }
}

void TestServiceLink::strangersAreRefused()
{
    QFETCH(int, who);
    QFETCH(QStringList, frames);
    VELMORIX_REQUIRE(Attacker::canChangeUser(), QStringLiteral("needs root and setpriv"));
    for (const QString &name : {QStringLiteral("killswitch"), QStringLiteral("openvpn"), QStringLiteral("sh")})
        QFile::remove(mark(name));
    writeScript(program(QStringLiteral("killswitch")), "touch " + m_marks.path().toUtf8() + "/killswitch; exit 3");

    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    // The client's program runs meanwhile: a stranger must not take it down either.
    ServiceController controller(true, nullptr, port);
    QTRY_VERIFY(controller.isConnected());
    VpnProcess engine(QStringLiteral("network-tool"));
    QSignalSpy started(&engine, &ServiceProcess::started);
    engine.start(networkTool());
    QTRY_COMPARE(started.count(), 1);
    QTRY_VERIFY(Utils::isProcessRunning(m_sleeper));

    Attacker attacker;
    const QString seen =
        attacker.run(Attacker::Who(who), QStringList{QStringLiteral("ws"), QString::number(port)} + frames);
    QVERIFY2(seen.contains(QLatin1String("closed: 1008")), qPrintable(seen));
    QVERIFY2(!seen.contains(QLatin1String("frame:")), qPrintable(seen));
    QVERIFY(service.waitFor(QStringLiteral("Refused a connection from '")));
    QVERIFY(service.log().contains(QLatin1String("vmx-probe' (pid ")));
    QVERIFY(service.log().contains(QStringLiteral("uid %1)").arg(who == Attacker::Nobody ? 65534 : 0)));
    QTest::qWait(300);
    for (const QString &name : {QStringLiteral("killswitch"), QStringLiteral("openvpn"), QStringLiteral("sh")})
        QVERIFY2(!QFileInfo::exists(mark(name)), qPrintable(name + QStringLiteral(" ran for a stranger")));
    QVERIFY(Utils::isProcessRunning(m_sleeper));

    // The client still commands.
    ServiceProcess killswitch(QStringLiteral("killswitch"));
    QSignalSpy finished(&killswitch, &ServiceProcess::finished);
    killswitch.start({program(QStringLiteral("killswitch")), QStringLiteral("disable"), QStringLiteral("all")});
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 3);
    engine.kill();
    writeScript(program(QStringLiteral("killswitch")), "exit 3");
}

void TestServiceLink::onlyTheClientsCommandLinesRun_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("marked"); // the program's record when it runs, empty when refused

    const QString openvpn = program(QStringLiteral("openvpn/bin/openvpn"));
    const QString config = m_client.filePath(QStringLiteral("client.ovpn"));
    const QString log = m_client.filePath(QStringLiteral("velmorix-vpn.log"));
    const QStringList management = {QStringLiteral("--management"),
                                    QStringLiteral("127.0.0.1"),
                                    QStringLiteral("61973"),
                                    QStringLiteral("--management-query-passwords"),
                                    QStringLiteral("--management-client")};
    const auto withConfig = [&](const QString &path) {
        return QStringList{openvpn, QStringLiteral("--config"), path} + management;
    };
    const auto hostileConfig = [this](const QString &name, const QByteArray &line) {
        const QString path = m_client.filePath(name);
        QByteArray text = clientConfig();
        writeFile(path, text.insert(text.indexOf("auth-user-pass"), line + "\r\n"));
        return path;
    };
    QTest::newRow("openvpn as the client starts it")
        << withConfig(config) + QStringList{"--log-append", log} << "openvpn";
    QTest::newRow("openvpn with a script hook")
        << withConfig(config) + QStringList{"--script-security", "2", "--up", program(QStringLiteral("sh"))} << "";
    QTest::newRow("config: up") << withConfig(hostileConfig("up.ovpn", "up " + program("sh").toUtf8())) << "";
    QTest::newRow("config: script-security 2") << withConfig(hostileConfig("ss.ovpn", "script-security 2")) << "";
    QTest::newRow("config: a CA file of root's") << withConfig(hostileConfig("ca.ovpn", "ca /etc/shadow")) << "";
    QTest::newRow("config: a link to the client's") << withConfig(m_client.filePath("link.ovpn")) << "";
    QTest::newRow("config: root's file") << withConfig(QStringLiteral("/etc/passwd")) << "";
    QTest::newRow("wireguard-service add") << QStringList{program("wireguard/bin/wireguard-service"),
                                                          "--add",
                                                          m_client.filePath("wg-velmorix.conf"),
                                                          "--port",
                                                          "61976"}
                                           << "wireguard-service";
    QTest::newRow("wireguard-service on the machine's link")
        << QStringList{program("wireguard/bin/wireguard-service"), "--remove", m_client.filePath("eth0.conf")} << "";
    QTest::newRow("killswitch, an address with more")
        << QStringList{program("killswitch"), "enable", "all", "10.0.0.1\nflush ruleset", "local"} << "";
    QTest::newRow("a program of the folder it never starts") << QStringList{program("sh"), "-c", "id"} << "";
    QTest::newRow("a link into the folder") << QStringList{m_elsewhere.filePath("into"), "disable", "all"} << "";
}

void TestServiceLink::onlyTheClientsCommandLinesRun()
{
    QFETCH(QStringList, command);
    QFETCH(QString, marked);
    QFile::link(program(QStringLiteral("killswitch")), m_elsewhere.filePath(QStringLiteral("into")));
    QFile::link(m_client.filePath(QStringLiteral("client.ovpn")), m_client.filePath(QStringLiteral("link.ovpn")));
    for (const char *name : {"openvpn", "wireguard-service", "sh"})
        QFile::remove(mark(QLatin1String(name)));
    writeScript(program(QStringLiteral("killswitch")), "touch " + m_marks.path().toUtf8() + "/killswitch; exit 3");
    QFile::remove(mark(QStringLiteral("killswitch")));

    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    ServiceController controller(true, nullptr, port);
    QTRY_VERIFY(controller.isConnected());
    ServiceProcess process(QFileInfo(command.first()).completeBaseName());
    QSignalSpy error(&process, &ServiceProcess::error);
    QSignalSpy started(&process, &ServiceProcess::started);
    process.start(command);
    QTRY_COMPARE(error.count() + started.count(), 1);
    QTest::qWait(200);
    if (marked.isEmpty()) {
        QCOMPARE(error.count(), 1);
        QCOMPARE(error.at(0).at(0).toInt(), 1);
        QVERIFY(service.log().contains(QStringLiteral("for '%1' (pid %2, uid 0): ")
                                           .arg(QCoreApplication::applicationFilePath())
                                           .arg(QCoreApplication::applicationPid())));
        for (const char *name : {"openvpn", "wireguard-service", "killswitch", "sh"})
            QVERIFY2(!QFileInfo::exists(mark(QLatin1String(name))), name);
    } else {
        QCOMPARE(started.count(), 1);
        QTRY_VERIFY(QFileInfo::exists(mark(marked)));
    }
    writeScript(program(QStringLiteral("killswitch")), "exit 3");
}

void TestServiceLink::openVpnReadsWhatWasChecked()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    ServiceController controller(true, nullptr, port);
    QTRY_VERIFY(controller.isConnected());

    // A link where the log goes, to a file that root must leave alone.
    const QString victim = m_elsewhere.filePath(QStringLiteral("victim"));
    writeFile(victim, "precious\n");
    const QString log = m_client.filePath(QStringLiteral("linked-vpn.log"));
    QFile::remove(log);
    QVERIFY(QFile::link(victim, log));
    QFile::remove(mark(QStringLiteral("openvpn-config")));

    VpnProcess openvpn(QStringLiteral("openvpn"));
    QSignalSpy finished(&openvpn, &ServiceProcess::finished);
    openvpn.start({program(QStringLiteral("openvpn/bin/openvpn")),
                   QStringLiteral("--config"),
                   m_client.filePath(QStringLiteral("client.ovpn")),
                   QStringLiteral("--management"),
                   QStringLiteral("127.0.0.1"),
                   QStringLiteral("61973"),
                   QStringLiteral("--management-query-passwords"),
                   QStringLiteral("--management-client"),
                   QStringLiteral("--log-append"),
                   log});
    QTRY_COMPARE(finished.count(), 1);
    // The program was given descriptors of what the service checked, not the client's paths.
    const QStringList arguments = QString::fromUtf8(readFile(mark(QStringLiteral("openvpn")))).split(QLatin1Char('\n'));
    QVERIFY2(arguments.value(1).startsWith(QLatin1String("/dev/fd/")), qPrintable(arguments.join(QLatin1Char(' '))));
    QVERIFY(arguments.value(8).startsWith(QLatin1String("/dev/fd/")));
    QCOMPARE(readFile(mark(QStringLiteral("openvpn-config"))), clientConfig());
    QCOMPARE(readFile(victim), QByteArray("precious\n"));
    QVERIFY(!QFileInfo(log).isSymLink());
    QCOMPARE(readFile(log), QByteArray("appended\n"));
}

void TestServiceLink::endsEveryChildOfAGoneClient()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    // A second link of the client's starts its programs first, so that those of the link that
    // goes are not at the head of the service's list.
    QWebSocket other(QString(), QWebSocketProtocol::Version13);
    QSignalSpy otherReports(&other, &QWebSocket::textMessageReceived);
    other.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    QTRY_VERIFY(other.state() == QAbstractSocket::ConnectedState);
    for (int i = 0; i < 3; ++i)
        other.sendTextMessage(ServiceProcess::startCommandFor(networkTool()));
    QTRY_COMPARE(otherReports.count(), 3);
    {
        ServiceController controller(true, nullptr, port);
        QTRY_VERIFY(controller.isConnected());
        std::vector<std::unique_ptr<VpnProcess>> engines;
        for (int i = 0; i < 3; ++i) {
            engines.push_back(std::make_unique<VpnProcess>(QStringLiteral("network-tool")));
            QSignalSpy started(engines.back().get(), &ServiceProcess::started);
            engines.back()->start(networkTool());
            QTRY_COMPARE(started.count(), 1);
        }
    }
    // Every program of the link that went has ended, the other link's live on.
    QTRY_COMPARE(service.log().count(QLatin1String("Report without a client: finished:")), 3);
    QTest::qWait(300);
    QCOMPARE(service.log().count(QLatin1String("Report without a client: finished:")), 3);
    QCOMPARE(service.log().count(QLatin1String("Ending 'network-tool'")), 3);
    QVERIFY(Utils::isProcessRunning(m_sleeper));
    other.close();
    QTRY_VERIFY(!Utils::isProcessRunning(m_sleeper));
}

void TestServiceLink::capsTheProgramsOfALink()
{
    const quint16 port = TestSupport::freePort();
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    QWebSocket link(QString(), QWebSocketProtocol::Version13);
    QStringList reports;
    connect(&link, &QWebSocket::textMessageReceived, this, [&](const QString &report) { reports << report.trimmed(); });
    link.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    QTRY_VERIFY(link.state() == QAbstractSocket::ConnectedState);
    for (int i = 0; i < 17; ++i)
        link.sendTextMessage(ServiceProcess::startCommandFor(networkTool()));
    QTRY_COMPARE(reports.size(), 17);
    const QRegularExpression started(QStringLiteral("^started:[1-9]\\d*,0,network-tool$"));
    QCOMPARE(reports.filter(started).size(), 16);
    // The refusal is told at once, the starts as each program comes up.
    QCOMPARE(reports.count(QStringLiteral("started:0,1,network-tool")), 1);
    QVERIFY(service.log().contains(QLatin1String("16 programs of this client are running already")));

    // One that ends makes room for the next.
    link.sendTextMessage(QStringLiteral("stop: <network-tool>"));
    QTRY_COMPARE(reports.filter(QStringLiteral("finished:")).size(), 16);
    link.sendTextMessage(ServiceProcess::startCommandFor(networkTool()));
    QTRY_COMPARE(reports.size(), 34);
    QVERIFY2(started.match(reports.last()).hasMatch(), qPrintable(reports.last()));
    link.close();
    QTRY_VERIFY(!Utils::isProcessRunning(m_sleeper));
}

void TestServiceLink::squattedServicePortIsRefused_data()
{
    QTest::addColumn<int>("who");
    QTest::newRow("another user") << int(Attacker::Nobody);
    QTest::newRow("a program of root's that is not the service") << int(Attacker::Root);
}

void TestServiceLink::squattedServicePortIsRefused()
{
    QFETCH(int, who);
    VELMORIX_REQUIRE(Attacker::canChangeUser(), QStringLiteral("needs root and setpriv"));
    // The service's port taken first, by a listener that reports what the client hopes to hear.
    const quint16 port = TestSupport::freePort();
    Attacker attacker;
    QProcess squatter;
    attacker.start(squatter,
                   Attacker::Who(who),
                   {QStringLiteral("wslisten"),
                    QString::number(port),
                    QStringLiteral("20"),
                    QStringLiteral("started:4242,0,killswitch"),
                    QStringLiteral("finished:4242,0,killswitch")});
    QVERIFY(squatter.waitForReadyRead(5000));
    QByteArray seen = squatter.readAll();
    QVERIFY2(seen.contains("listening"), seen.constData());

    MessageRecorder recorder;
    ServiceController controller(true, nullptr, port);
    QSignalSpy connected(&controller, &ServiceController::connected);
    QSignalSpy reports(&controller, &ServiceController::processOutput);
    ServiceProcess killswitch(QStringLiteral("killswitch"));
    QSignalSpy finished(&killswitch, &ServiceProcess::finished);
    killswitch.start({program(QStringLiteral("killswitch")), QStringLiteral("disable"), QStringLiteral("all")});
    const auto refused = [&] {
        return recorder.texts(QtCriticalMsg).join(QLatin1Char('\n')).contains(QLatin1String("not vpn-service"));
    };
    QTRY_VERIFY(refused() || connected.count() > 0);
    QCOMPARE(connected.count(), 0);
    QVERIFY(refused());
    QVERIFY(recorder.texts(QtCriticalMsg)
                .join(QLatin1Char('\n'))
                .contains(who == Attacker::Nobody ? QStringLiteral("held by uid 65534") : QStringLiteral("vmx-probe")));
    QTest::qWait(500);
    QCOMPARE(connected.count(), 0);
    QCOMPARE(reports.count(), 0);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!controller.isConnected());
    squatter.kill();
    squatter.waitForFinished();
    seen += squatter.readAll();
    // Not a word of the client's reached it.
    QVERIFY2(!seen.contains("frame:"), seen.constData());

    // The real service on the port, once it is free, is taken, and the command buffered
    // meanwhile goes to it.
    VpnServiceRunner service(m_appDir.path(), port);
    QVERIFY(service.waitListening());
    QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 8000);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 3);
}

QTEST_GUILESS_MAIN(TestServiceLink)
#include "tst_servicelink.moc"

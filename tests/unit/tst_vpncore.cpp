#include "fakeservice.h"
#include "messagerecorder.h"
#include "networkapi.h"
#include "portchecker.h"
#include "publicaddress.h"
#include "serverchoice.h"
#include "servicecontroller.h"
#include "sessioncounters.h"
#include "sessiondecisions.h"
#include "sessionprotection.h"
#include "settings.h"
#include "status.h"
#include "testbackend.h"
#include "testsupport.h"
#include "vpnclient.h"
#include "platform/paths.h"
#include "vpncore.h"
#include "wireguardclient.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// An engine that does what the test says: it records the controller's calls and reports the
// states the test hands it.
class ScriptedEngine final : public VpnClient
{
    Q_OBJECT

public:
    explicit ScriptedEngine(bool killSwitch, QObject *parent)
        : VpnClient(parent)
        , m_killSwitch(killSwitch)
    {
    }

    void report(ConnectionState::Id state, const QString &data = QString(), bool critical = false)
    {
        emit connectionStateChanged(state, data, critical, data);
    }

    int connects = 0;
    int disconnects = 0;

public slots:
    void connectToVpn() override { ++connects; }
    void disconnectFromVpn() override { ++disconnects; }
    bool supportsKillSwitch() const override { return m_killSwitch; }
    QString name() const override { return QStringLiteral("scripted"); }
    QString configTemplatePath() const override { return QString(); }
    QString executablePath() const override { return QString(); }

private:
    const bool m_killSwitch;
};

// A reply to the address request, as the API client hands it over.
void reply(VpnCore &core, const QString &ip, const QString &country)
{
    core.publicAddress().takeReply(ip, country, core.connectionState());
}

QStringList stateNames(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &arguments : spy)
        names << ConnectionState::stateName(arguments.first().value<ConnectionState::Id>());
    return names;
}

} // namespace

// VpnCore with scripted engines, for what the real ones cannot be made to do on cue. The
// service is a fake that records what the controller has it start.
class TestVpnCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sessionEnd_data();
    void sessionEnd();
    void engineReports_data();
    void engineReports();
    void protectionRunsOneAtATime();
    void reconnectionNeverTakesTheVpnDnsForTheUsers();
    void preconditionsInTheirOrder();
    void sessionWithFixedPort();
    void onlineTime();
    void automaticPortSearch();
    void reconnectsThreeTimesWithKillSwitchHeld();
    void criticalCrashNeverReconnects();
    void crashWithoutReconnectionAwaitsTheUser();
    void disconnectCancelsReconnection();
    void wireGuardSessionLeavesProtectionAlone();
    void serverSwitchWhileConnected();
    void serverChoice();
    void publicAddress();
    void startupCheckRepairsProtection_data();
    void startupCheckRepairsProtection();
    void autoConnectionWaitsForTheAccount();

private:
    void connectedSession(std::unique_ptr<VpnCore> &core, ScriptedEngine *&engine);
    QStringList startedPrograms() const;

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    std::unique_ptr<FakeService> m_service;
    std::unique_ptr<ServiceController> m_link;
    QList<ScriptedEngine *> m_engines;
    bool m_engineKillSwitch = true;
};

void TestVpnCore::initTestCase()
{
    QVERIFY(m_home.isValid() && m_data.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    QVERIFY(Settings::instance()->fileName().startsWith(m_home.path()));
    m_service = std::make_unique<FakeService>();
    m_service->answerStartsOf({QStringLiteral("dns"), QStringLiteral("killswitch"), QStringLiteral("network-tool")});
    m_link = std::make_unique<ServiceController>(true, nullptr, m_service->port());
    QTRY_VERIFY(m_link->isConnected());
}

void TestVpnCore::init()
{
    Settings *settings = Settings::instance();
    settings->setUserName(QStringLiteral("demo"));
    settings->setPassword(QStringLiteral("demo-pass"));
    settings->setNetworkProtocol(VpnProtocol::OpenVpnUdp);
    settings->setUdpPortIndex(0);
    settings->setTcpPortIndex(0);
    settings->setKillswitchEnabled(true);
    settings->setAllowAccessToLocalDevices(false);
    m_engineKillSwitch = true;
    // What the last test's controllers sent on their way out arrives late.
    QTest::qWait(50);
    m_service->clearFrames();
}

void TestVpnCore::cleanup()
{
    m_engines.clear();
    Status().clear();
}

QStringList TestVpnCore::startedPrograms() const
{
    QStringList programs;
    for (const QString &frame : m_service->frames()) {
        if (frame.startsWith(QLatin1String("start: ")))
            programs << frame.mid(7);
    }
    return programs;
}

void TestVpnCore::connectedSession(std::unique_ptr<VpnCore> &core, ScriptedEngine *&engine)
{
    core = std::make_unique<VpnCore>();
    core->setEngineFactoryForTesting([this](int, QObject *parent) {
        auto *created = new ScriptedEngine(m_engineKillSwitch, parent);
        m_engines << created;
        return created;
    });
    core->setReconnectDelayForTesting(20);
    core->setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
    core->connectToVpn();
    QVERIFY(!m_engines.isEmpty());
    engine = m_engines.last();
    QCOMPARE(engine->connects, 1);
    engine->report(ConnectionState::Id::Connecting);
    emit engine->assignedInternalIp(QStringLiteral("10.8.0.2"));
    emit engine->dnsServerAddressesPushed(QStringLiteral("172.16.0.1"), QString());
    engine->report(ConnectionState::Id::Connected);
}

Q_DECLARE_METATYPE(SessionDecisions::EndDecision::Note)

void TestVpnCore::sessionEnd_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("critical");
    QTest::addColumn<bool>("byUser");
    QTest::addColumn<bool>("autoReconnect");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("serverSwitch");
    QTest::addColumn<bool>("reconnect");
    QTest::addColumn<int>("attemptsAfter");
    QTest::addColumn<SessionDecisions::EndDecision::Note>("note");
    QTest::addColumn<bool>("hold");
    QTest::addColumn<bool>("event");

    using N = SessionDecisions::EndDecision::Note;
    // marker, critical, by user, reconnection, attempts, on, held, server switch
    //   -> reconnect, attempts, note, hold, event
    QTest::newRow("crash") << "CrashExit" << false << false << true << 0 << true << false << false //
                           << true << 1 << N::Reconnecting << true << false;
    QTest::newRow("fourth crash") << "CrashExit" << false << false << true << 3 << true << true << false //
                                  << false << 0 << N::GaveUp << true << true;
    QTest::newRow("crash, reconnection off") << "CrashExit" << false << false << false << 0 << true << false << false
                                             << false << 0 << N::None << true << true;
    QTest::newRow("critical crash") << "CrashExit" << true << false << true << 0 << true << false << false //
                                    << false << 0 << N::CriticalNotAllowed << false << false;
    QTest::newRow("critical crash of a reconnection") << "CrashExit" << true << false << true << 1 << true << true
                                                      << false << false << 1 << N::CriticalNotAllowed << true << true;
    QTest::newRow("crash after the user's disconnect") << "CrashExit" << false << true << true << 1 << true << true
                                                       << false << false << 1 << N::None << false << false;
    QTest::newRow("user's disconnect in a reconnection's port search")
        << "FastDown" << true << true << true << 1 << true << true << false //
        << false << 1 << N::None << false << false;
    QTest::newRow("no port for a reconnection")
        << "FastDown" << true << false << true << 1 << true << true << false << false << 1 << N::None << true << true;
    QTest::newRow("server switch in a reconnection")
        << "FastDown" << true << false << true << 1 << true << true << true << false << 1 << N::None << true << false;
    QTest::newRow("error of a reconnection") << "Error: Wrong Username/Password" << true << false << true << 1 << true
                                             << true << false << false << 1 << N::None << true << true;
    QTest::newRow("the end of a session") << "" << false << false << true << 0 << true << false << false //
                                          << false << 0 << N::None << false << false;
    QTest::newRow("crash, kill switch off") << "CrashExit" << false << false << true << 0 << false << false << false
                                            << true << 1 << N::Reconnecting << false << false;
}

void TestVpnCore::sessionEnd()
{
    QFETCH(QString, marker);
    QFETCH(bool, critical);
    QFETCH(bool, byUser);
    QFETCH(bool, autoReconnect);
    QFETCH(int, attempts);
    QFETCH(bool, on);
    QFETCH(bool, held);
    QFETCH(bool, serverSwitch);
    SessionDecisions::SessionEnd end;
    end.marker = marker;
    end.critical = critical;
    end.byUser = byUser;
    end.autoReconnect = autoReconnect;
    end.attempts = attempts;
    end.killSwitchOn = on;
    end.killSwitchHeld = held;
    end.serverSwitch = serverSwitch;
    QFETCH(bool, reconnect);
    QFETCH(int, attemptsAfter);
    QFETCH(SessionDecisions::EndDecision::Note, note);
    QFETCH(bool, hold);
    QFETCH(bool, event);

    const SessionDecisions::EndDecision decision = SessionDecisions::sessionEnded(end);
    QCOMPARE(decision.reconnect, reconnect);
    QCOMPARE(decision.attempts, attemptsAfter);
    QCOMPARE(decision.note, note);
    QCOMPARE(decision.holdKillSwitch, hold);
    QCOMPARE(decision.killSwitchEvent, event);
}

void TestVpnCore::engineReports_data()
{
    QTest::addColumn<ConnectionState::Id>("shown");
    QTest::addColumn<ConnectionState::Id>("reported");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<bool>("stopping");
    QTest::addColumn<bool>("taken");

    using S = ConnectionState::Id;
    QTest::newRow("connecting") << S::Disconnected << S::Connecting << false << false << false << true;
    QTest::newRow("connecting after a found port") << S::Preparing << S::Connecting << false << false << false << true;
    QTest::newRow("connecting of a reconnection")
        << S::Reconnecting << S::Connecting << false << false << false << true;
    QTest::newRow("connected") << S::Connecting << S::Connected << false << false << false << true;
    QTest::newRow("connected after the user's disconnect")
        << S::Disconnecting << S::Connected << false << false << false << false;
    QTest::newRow("connected after the user's disconnect, the engine not yet stopping")
        << S::Connecting << S::Connected << false << false << true << false;
    QTest::newRow("connected from nothing") << S::Disconnected << S::Connected << false << false << false << false;
    QTest::newRow("connecting while connected") << S::Connected << S::Connecting << false << false << false << false;
    QTest::newRow("disconnecting") << S::Connected << S::Disconnecting << false << false << false << true;
    QTest::newRow("disconnecting without a session")
        << S::Disconnected << S::Disconnecting << false << false << false << false;
    QTest::newRow("an attempt's engine fails") << S::Reconnecting << S::Error << false << true << false << true;
    QTest::newRow("the same state") << S::Connected << S::Connected << false << false << false << false;
    QTest::newRow("a second end") << S::Disconnected << S::Error << true << false << false << false;
    QTest::newRow("alive again after its end") << S::Reconnecting << S::Connected << true << true << false << false;
    QTest::newRow("reconnecting, one on its way")
        << S::Disconnected << S::Reconnecting << true << true << false << true;
    QTest::newRow("reconnecting after the last attempt")
        << S::Disconnected << S::Reconnecting << true << false << false << false;
    QTest::newRow("reconnecting before its end") << S::Connected << S::Reconnecting << false << true << false << false;
    QTest::newRow("preparing") << S::Disconnected << S::Preparing << false << false << false << false;
}

void TestVpnCore::engineReports()
{
    QFETCH(ConnectionState::Id, shown);
    QFETCH(ConnectionState::Id, reported);
    QFETCH(bool, ended);
    QFETCH(bool, pending);
    QFETCH(bool, stopping);
    QFETCH(bool, taken);
    QCOMPARE(SessionDecisions::takesEngineReport(shown, reported, ended, pending, stopping), taken);
}

// The runs of the kill switch's program and of the DNS program go one at a time, in order.
void TestVpnCore::protectionRunsOneAtATime()
{
    m_service->answerStartsOf({});
    const auto restore = qScopeGuard([this] {
        m_service->answerStartsOf(
            {QStringLiteral("dns"), QStringLiteral("killswitch"), QStringLiteral("network-tool")});
    });
    QObject owner;
    owner.setObjectName(QStringLiteral("VpnCore"));
    SessionProtection protection(&owner);
    protection.armKillSwitch(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), false);
    protection.switchDnsToVpn(QStringLiteral("172.16.0.1"), QString());
    protection.releaseKillSwitch();
    protection.restoreUserDns({QStringLiteral("resolv.conf@192.0.2.53")}, true);
    // The record says what is asked for, at once.
    QVERIFY(!protection.record().killswitchActivated());
    QVERIFY(!protection.record().dnsActivated());
    QTRY_COMPARE(startedPrograms().size(), 2);
    QTest::qWait(100);
    QCOMPARE(startedPrograms().size(), 2);
    QVERIFY(startedPrograms().at(0).contains(QLatin1String("\"enable\"")));
    QVERIFY(startedPrograms().at(1).contains(QLatin1String("\"vpn\"")));
    QVERIFY(!protection.dnsSettled());

    m_service->report(QStringLiteral("started:71,0,killswitch"));
    m_service->report(QStringLiteral("finished:71,1,killswitch"));
    QTRY_COMPARE(startedPrograms().size(), 3);
    QVERIFY(startedPrograms().last().contains(QLatin1String("\"disable\"")));
    // A run the service could not start is over too.
    m_service->report(QStringLiteral("started:0,2,dns"));
    QTRY_COMPARE(startedPrograms().size(), 4);
    QVERIFY(startedPrograms().last().contains(QLatin1String("\"user\" \"resolv.conf@192.0.2.53\"")));
    QVERIFY(!protection.dnsSettled());
    QSignalSpy settled(&protection, &SessionProtection::dnsSettledChanged);
    m_service->report(QStringLiteral("started:72,0,dns"));
    m_service->report(QStringLiteral("finished:72,0,dns"));
    QTRY_COMPARE(settled.count(), 1);
    QVERIFY(protection.dnsSettled());
    QVERIFY(!protection.isSettled()); // the kill switch's "disable" is still under way

    // A run the service never reports on holds up the next one only for a while.
    protection.setRunTimeLimitForTesting(300);
    MessageRecorder recorder;
    protection.resetDns();
    protection.resetDns();
    QTRY_COMPARE(startedPrograms().filter(QStringLiteral("\"reset\"")).size(), 1);
    QTRY_COMPARE(startedPrograms().filter(QStringLiteral("\"reset\"")).size(), 2);
    QVERIFY(recorder.warnings().contains(
        QStringLiteral("VpnCore: No report on the dns run in time, the next run goes ahead")));
    // The service answers every start in the end: so does this one, for the tests after it.
    for (const char *report : {"started:73,0,killswitch", "started:74,0,dns", "started:75,0,dns"})
        m_service->report(QString::fromLatin1(report));
    QTest::qWait(100);
}

// After a crash the user's DNS is read only once the "user" run is through, and where that run
// failed, from the switch's record: the servers in use are still the VPN's.
void TestVpnCore::reconnectionNeverTakesTheVpnDnsForTheUsers()
{
    const QString userServers = QStringLiteral("eth0@192.0.2.53");
    const QString vpnServers = QStringLiteral("eth0@172.16.0.1");
    const QString dataPath = m_data.filePath(QStringLiteral("dns.dat"));
    m_service->answerStartsOf({QStringLiteral("killswitch"), QStringLiteral("network-tool")});
    const auto restore = qScopeGuard([this, dataPath] {
        m_service->answerStartsOf(
            {QStringLiteral("dns"), QStringLiteral("killswitch"), QStringLiteral("network-tool")});
        QFile::remove(dataPath);
    });
    QString inUse = userServers;
    auto core = std::make_unique<VpnCore>();
    core->protection().setDnsReaderForTesting([&inUse] { return QStringList{inUse}; });
    core->setEngineFactoryForTesting([this](int, QObject *parent) {
        m_engines << new ScriptedEngine(true, parent);
        return m_engines.last();
    });
    core->setReconnectDelayForTesting(20);
    core->setAutoReconnectionOnError(true);
    core->setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
    const auto connectEngine = [this] {
        ScriptedEngine *engine = m_engines.last();
        engine->report(ConnectionState::Id::Connecting);
        emit engine->assignedInternalIp(QStringLiteral("10.8.0.2"));
        emit engine->dnsServerAddressesPushed(QStringLiteral("172.16.0.1"), QString());
        engine->report(ConnectionState::Id::Connected);
    };
    const auto dnsRuns = [this] { return startedPrograms().filter(QStringLiteral("/dns\"")); };

    core->connectToVpn();
    QCOMPARE(m_engines.size(), 1);
    connectEngine();
    QTRY_COMPARE(dnsRuns().size(), 1);
    // What the dns program leaves behind after its switch.
    {
        QFile data(dataPath);
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write("[UserDns]\nArgs=eth0@192.0.2.53\n[VpnDns]\nIPv4=172.16.0.1\nIPv6=\n");
    }
    inUse = vpnServers;
    m_service->report(QStringLiteral("started:81,0,dns"));
    m_service->report(QStringLiteral("finished:81,0,dns"));
    QTRY_VERIFY(core->protection().dnsSettled());

    m_engines.last()->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
    QTRY_COMPARE(dnsRuns().size(), 2);
    QVERIFY(dnsRuns().last().endsWith(QStringLiteral("\"user\" \"%1\"").arg(userServers)));
    // The reconnection is due long before the "user" run ends: it waits.
    QTest::qWait(200);
    QCOMPARE(m_engines.size(), 1);
    // The service cannot start that run: the VPN's servers stay in use, the switch on record.
    m_service->report(QStringLiteral("started:0,2,dns"));
    QTRY_COMPARE(m_engines.size(), 2);

    connectEngine();
    QTRY_COMPARE(dnsRuns().size(), 3);
    m_service->report(QStringLiteral("started:82,0,dns"));
    m_service->report(QStringLiteral("finished:82,0,dns"));
    core->disconnectFromVpn();
    m_engines.last()->report(ConnectionState::Id::Disconnected);
    QTRY_COMPARE(dnsRuns().size(), 4);
    QVERIFY2(dnsRuns().last().endsWith(QStringLiteral("\"user\" \"%1\"").arg(userServers)),
             qPrintable(dnsRuns().last()));
    m_service->report(QStringLiteral("started:83,0,dns"));
    m_service->report(QStringLiteral("finished:83,0,dns"));
    QTRY_VERIFY(core->protection().isSettled());
}

void TestVpnCore::preconditionsInTheirOrder()
{
    VpnCore core;
    QSignalSpy errors(&core, &VpnCore::vpnConnectionErrorChanged);
    QSignalSpy states(&core, &VpnCore::connectionStateChanged);
    Settings *settings = Settings::instance();

    settings->setNetworkProtocol(VpnProtocol::WireGuard);
    settings->setPassword(QString());
    VpnClient::setAccount(Account());
    core.connectToVpn();
    const VpnCore::VpnError wireGuardError =
        WireGuardClient::isSupported() ? VpnCore::AuthDataEmpty : VpnCore::WireGuardNotSupported;
    QCOMPARE(errors.last().first().value<VpnCore::VpnError>(), wireGuardError);
    if (wireGuardError == VpnCore::AuthDataEmpty)
        QCOMPARE(core.vpnConnectionErrorText(), QStringLiteral("Auth data is empty"));

    settings->setNetworkProtocol(VpnProtocol::OpenVpnUdp);
    core.connectToVpn();
    QCOMPARE(errors.last().first().value<VpnCore::VpnError>(), VpnCore::CredentialsEmpty);
    QCOMPARE(core.vpnConnectionErrorText(), QStringLiteral("Username or password is empty!"));

    settings->setPassword(QStringLiteral("demo-pass"));
    core.connectToVpn();
    QCOMPARE(errors.last().first().value<VpnCore::VpnError>(), VpnCore::ServerIpEmpty);
    QCOMPARE(core.vpnConnectionErrorText(), QStringLiteral("VPN server IP is empty!"));
    QCOMPARE(errors.count(), 3);
    QCOMPARE(states.count(), 0);
    QCOMPARE(core.engine(), nullptr);
}

void TestVpnCore::sessionWithFixedPort()
{
    MessageRecorder recorder;
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    const quint16 udpPort = Settings::udpPorts().first();
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("VpnCore: Connect to VPN, server '10.99.0.1:%1 - OpenVPN (UDP)', reconnection on error: "
                       "'false', protection: 'false'")
            .arg(udpPort)));
    const ConnectionParameters p = engine->connectionParameters();
    QCOMPARE(p.userName, QStringLiteral("demo"));
    QCOMPARE(p.server, QStringLiteral("10.99.0.1"));
    QCOMPARE(p.protocol, 0);
    QCOMPARE(p.port, udpPort);

    QCOMPARE(core->connectionState(), ConnectionState::Id::Connected);
    QCOMPARE(core->vpnConnected(), true);
    QCOMPARE(core->currentIpInfoText(), ConnectionState::stateText(ConnectionState::Id::Connected));
    QVERIFY(Status().killswitchActivated());
    QVERIFY(Status().dnsActivated());
    QTRY_COMPARE(startedPrograms().size(), 2);
    QVERIFY(startedPrograms().at(0).contains(QLatin1String("\"enable\" \"all\" \"10.99.0.1\" \"\"")));
    QVERIFY(startedPrograms().at(1).contains(QLatin1String("\"vpn\"")));
    QVERIFY(startedPrograms().at(1).contains(QLatin1String("172.16.0.1")));

    QSignalSpy downloaded(core.get(), &VpnCore::downloadedChanged);
    emit engine->byteCountChanged(2048, 1024);
    QCOMPARE(downloaded.count(), 1);
    QCOMPARE(core->downloaded(), VpnClient::formatTraffic(2048));
    QCOMPARE(core->uploaded(), VpnClient::formatTraffic(1024));

    core->disconnectFromVpn();
    QCOMPARE(engine->disconnects, 1);
    engine->report(ConnectionState::Id::Disconnecting);
    engine->report(ConnectionState::Id::Disconnected);
    QCOMPARE(core->vpnConnected(), false);
    QCOMPARE(core->downloaded(), QStringLiteral("0"));
    QCOMPARE(core->vpnOnlineTime(), QStringLiteral("00:00:00"));
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!Status().dnsActivated());
    QTRY_COMPARE(startedPrograms().size(), 5);
    QVERIFY(startedPrograms().at(2).contains(QLatin1String("\"disable\" \"all\"")));
    QVERIFY(startedPrograms().at(3).contains(QLatin1String("\"user\"")));
    // The engine switched IPv6 off for the session: the machine's own settings come back.
    QVERIFY(startedPrograms().at(4).endsWith(QLatin1String("network-tool\" \"--ipv6\" \"enable\"")));

    // Traffic outside Connected does not count.
    engine->report(ConnectionState::Id::Connecting);
    emit engine->byteCountChanged(99, 99);
    QCOMPARE(core->downloaded(), QStringLiteral("0"));
    QCOMPARE(recorder.texts(QtInfoMsg).filter(QStringLiteral("VPN connection is OFF")).size(), 1);
}

void TestVpnCore::onlineTime()
{
    QCOMPARE(VpnCore::onlineTimeText(0), QStringLiteral("00:00:00"));
    QCOMPARE(VpnCore::onlineTimeText(59), QStringLiteral("00:00:59"));
    QCOMPARE(VpnCore::onlineTimeText(25 * 3600 + 3 * 60 + 4), QStringLiteral("25:03:04"));
    QCOMPARE(VpnCore::onlineTimeText(120 * 3600), QStringLiteral("120:00:00"));

    // A session across midnight and one of a day and more: the span counts, not the clock.
    SessionCounters counters;
    QDateTime now(QDate(2026, 3, 1), QTime(23, 59, 0), Qt::UTC);
    counters.setClock([&now] { return now; });
    QSignalSpy times(&counters, &SessionCounters::onlineTimeChanged);
    counters.start();
    QCOMPARE(counters.onlineTime(), QStringLiteral("00:00:00"));
    now = now.addSecs(120);
    QTRY_VERIFY(times.count() >= 2); // the counters' own tick
    QCOMPARE(counters.onlineTime(), QStringLiteral("00:02:00"));
    now = now.addSecs(25 * 3600 + 3 * 60 + 4 - 120);
    counters.tick();
    QCOMPARE(counters.onlineTime(), QStringLiteral("25:03:04"));
    counters.setTraffic(2048, 0);
    counters.reset();
    QCOMPARE(counters.onlineTime(), QStringLiteral("00:00:00"));
    QCOMPARE(counters.downloaded(), QStringLiteral("0"));
    now = now.addSecs(60);
    QTest::qWait(2 * SessionCounters::tickMs);
    QCOMPARE(counters.onlineTime(), QStringLiteral("00:00:00")); // stopped with the session
}

void TestVpnCore::automaticPortSearch()
{
    Settings::instance()->setNetworkProtocol(VpnProtocol::OpenVpnTcp);
    VpnCore core;
    core.setPortSearchTimeLimitForTesting(30);
    QList<QPointer<PortChecker>> searches;
    core.setPortSearchFactoryForTesting([&searches](const QString &, const QList<quint16> &, int seconds) {
        // Probes nothing: the test says what it finds.
        searches << new PortChecker(QString(), {}, seconds);
        return searches.last().data();
    });
    int created = 0;
    core.setEngineFactoryForTesting([&created](int, QObject *parent) {
        ++created;
        return new ScriptedEngine(true, parent);
    });
    core.setVpnServerIp(QStringLiteral("127.0.0.1"), QStringLiteral("nl, Amsterdam"));
    QSignalSpy states(&core, &VpnCore::connectionStateChanged);

    core.connectToVpn();
    QCOMPARE(stateNames(states), QStringList({"Preparing"}));
    QCOMPARE(created, 0);
    core.disconnectFromVpn();
    QCOMPARE(stateNames(states), QStringList({"Preparing", "Disconnected"}));
    QCOMPARE(created, 0);

    // The search's time-out: Error with the no-ports text, then Disconnected twice. Each end
    // gives IPv6 back, and the next attempt waits for that run.
    QTRY_VERIFY(core.protection().dnsSettled());
    states.clear();
    core.connectToVpn();
    MessageRecorder recorder;
    emit searches.last()->timeout();
    QCOMPARE(stateNames(states), QStringList({"Preparing", "Disconnected", "Disconnected"}));
    QCOMPARE(core.vpnConnectionErrorText(), QStringLiteral("There are no ports for this connection"));
    QCOMPARE(recorder.texts(QtInfoMsg).filter(QStringLiteral("State set to")),
             QStringList({"VpnCore: State set to 'Error', error text: 'There are no ports for this connection'",
                          "VpnCore: State set to 'Disconnected'"}));

    // A port found: the engine gets it.
    QTRY_VERIFY(core.protection().dnsSettled());
    core.connectToVpn();
    emit searches.last()->portIsAvailable(8080);
    QCOMPARE(created, 1);
    QCOMPARE(core.engine()->connectionParameters().port, quint16(8080));
    // Every search is gone once it has answered or was called off.
    QTRY_VERIFY(std::all_of(
        searches.cbegin(), searches.cend(), [](const QPointer<PortChecker> &search) { return search.isNull(); }));
}

void TestVpnCore::reconnectsThreeTimesWithKillSwitchHeld()
{
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    core->setAutoReconnectionOnError(true);
    QSignalSpy event(core.get(), &VpnCore::killSwitchEventActivated);
    MessageRecorder recorder;

    for (int crash = 1; crash <= 4; ++crash) {
        m_engines.last()->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
        // As the real engines do when they count on being restarted.
        m_engines.last()->report(ConnectionState::Id::Reconnecting, QString(), true);
        QVERIFY(core->killSwitchHeld());
        QVERIFY(Status().killswitchActivated());
        QCOMPARE(core->connectionState(),
                 crash < 4 ? ConnectionState::Id::Reconnecting : ConnectionState::Id::Disconnected);
        if (crash < 4) {
            QTRY_COMPARE(m_engines.size(), crash + 1);
            m_engines.last()->report(ConnectionState::Id::Connecting);
        }
    }
    QTest::qWait(100);
    QCOMPARE(m_engines.size(), 4);
    QStringList decisions = recorder.texts(QtInfoMsg).filter(QStringLiteral("Going to reconnection"));
    QCOMPARE(decisions,
             QStringList({"VpnCore: Going to reconnection...1",
                          "VpnCore: Going to reconnection...2",
                          "VpnCore: Going to reconnection...3"}));
    QCOMPARE(recorder.texts(QtCriticalMsg), QStringList({"VpnCore: Can't reconnect after 3 attempts..."}));
    // The kill switch was never opened during the reconnections; now the user decides.
    QCOMPARE(startedPrograms().filter(QStringLiteral("\"disable\"")).size(), 0);
    QCOMPARE(event.count(), 1);
    QVERIFY(core->disableKillSwitch());
    QVERIFY(!core->killSwitchHeld());
    QVERIFY(!Status().killswitchActivated());
    QTRY_COMPARE(startedPrograms().filter(QStringLiteral("\"disable\"")).size(), 1);

    // A session that reaches Connected starts the count again.
    recorder.clear();
    core->connectToVpn();
    m_engines.last()->report(ConnectionState::Id::Connecting);
    m_engines.last()->report(ConnectionState::Id::Connected);
    m_engines.last()->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
    QCOMPARE(recorder.texts(QtInfoMsg).filter(QStringLiteral("Going to reconnection")),
             QStringList({"VpnCore: Going to reconnection...1"}));
}

void TestVpnCore::criticalCrashNeverReconnects()
{
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    core->setAutoReconnectionOnError(true);
    MessageRecorder recorder;
    engine->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"), true);
    QTest::qWait(100);
    QCOMPARE(m_engines.size(), 1);
    QCOMPARE(recorder.texts(QtCriticalMsg), QStringList({"VpnCore: Critical error, reconnection is not allowed now!"}));
    QVERIFY(!core->killSwitchHeld());
    QVERIFY(!Status().killswitchActivated());

    // An error (a wrong password) ends the session without reconnection and opens the switch.
    connectedSession(core, engine);
    core->setAutoReconnectionOnError(true);
    engine->report(ConnectionState::Id::Error, QStringLiteral("Error: Wrong Username/Password"), true);
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    QCOMPARE(core->vpnConnectionErrorText(), QStringLiteral("Error: Wrong Username/Password"));
    QTest::qWait(100);
    QCOMPARE(m_engines.size(), 2);
    QVERIFY(!Status().killswitchActivated());
}

void TestVpnCore::crashWithoutReconnectionAwaitsTheUser()
{
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    core->setAutoReconnectionOnError(false);
    QSignalSpy event(core.get(), &VpnCore::killSwitchEventActivated);
    engine->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
    QCOMPARE(event.count(), 1);
    QVERIFY(core->killSwitchHeld());
    QTest::qWait(100);
    QCOMPARE(m_engines.size(), 1);

    // The user's next connect lifts it before anything else.
    const int before = startedPrograms().filter(QStringLiteral("\"disable\"")).size();
    core->connectToVpn();
    QVERIFY(!core->killSwitchHeld());
    QTRY_COMPARE(startedPrograms().filter(QStringLiteral("\"disable\"")).size(), before + 1);
}

void TestVpnCore::disconnectCancelsReconnection()
{
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    core->setAutoReconnectionOnError(true);
    core->setReconnectDelayForTesting(300);
    engine->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
    engine->report(ConnectionState::Id::Reconnecting, QString(), true);
    QVERIFY(core->killSwitchHeld());
    core->disconnectFromVpn();
    QCOMPARE(core->connectionState(), ConnectionState::Id::Disconnected);
    QCOMPARE(engine->disconnects, 0);
    QVERIFY(!core->killSwitchHeld());
    QVERIFY(!Status().killswitchActivated());
    QTest::qWait(500);
    QCOMPARE(m_engines.size(), 1);

    // A held kill switch is not left behind for a session that does not use it.
    connectedSession(core, engine);
    core->setAutoReconnectionOnError(true);
    engine->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
    QVERIFY(Status().killswitchActivated());
    m_engineKillSwitch = false;
    QTRY_COMPARE(m_engines.size(), 3);
    m_engines.last()->report(ConnectionState::Id::Connecting);
    m_engines.last()->report(ConnectionState::Id::Connected);
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!core->killSwitchHeld());
}

void TestVpnCore::wireGuardSessionLeavesProtectionAlone()
{
    m_engineKillSwitch = false;
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    engine->report(ConnectionState::Id::Disconnected);
    QTest::qWait(50);
    // An engine without kill-switch support: the DNS program runs, the kill switch never.
    QCOMPARE(startedPrograms().filter(QStringLiteral("killswitch")).size(), 0);
    QVERIFY(!Status().killswitchActivated());
}

void TestVpnCore::serverSwitchWhileConnected()
{
    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    core->setVpnServerIp(QStringLiteral("10.99.0.9"), QStringLiteral("de, Berlin"));
    QCOMPARE(engine->disconnects, 1);
    QCOMPARE(Settings::instance()->currentServerId(), QStringLiteral("10.99.0.9"));
    engine->report(ConnectionState::Id::Disconnecting);
    // While disconnecting, another choice only marks the reconnection.
    core->setVpnServerIp(QStringLiteral("10.99.0.8"), QStringLiteral("de, Berlin"));
    QCOMPARE(engine->disconnects, 1);
    engine->report(ConnectionState::Id::Disconnected);
    QTRY_COMPARE(m_engines.size(), 2);
    QCOMPARE(m_engines.last()->connectionParameters().server, QStringLiteral("10.99.0.8"));
}

void TestVpnCore::serverChoice()
{
    VpnCore core;
    int created = 0;
    core.setEngineFactoryForTesting([&created](int, QObject *parent) {
        ++created;
        return new ScriptedEngine(true, parent);
    });
    Server only;
    only.country = QStringLiteral("us");
    only.city = QStringLiteral("New York");
    only.ip = QStringLiteral("10.0.2.1");
    only.id = only.ip;
    only.name = QStringLiteral("us-1.example.net");
    Server berlin = only;
    berlin.country = QStringLiteral("de");
    berlin.city = QStringLiteral("Berlin");
    berlin.ip = QStringLiteral("10.0.3.1");
    Server munich = berlin;
    munich.city = QStringLiteral("Munich");
    munich.ip = QStringLiteral("10.0.3.2");
    core.serverChoice().setServers({only, berlin, munich});
    QList<QPointer<QObject>> probes;
    QList<std::function<void(const QStringList &)>> answers;
    core.setLatencyProbeForTesting(
        [&](const QStringList &addresses, std::function<void(const QStringList &)> done) -> QObject * {
            if (addresses != QStringList({"10.0.3.1", "10.0.3.2"}))
                qWarning("probed %s", qPrintable(addresses.join(QLatin1Char(' '))));
            answers << std::move(done);
            probes << new QObject;
            return probes.last().data();
        });

    MessageRecorder recorder;
    core.setSearchModeForCountry(QStringLiteral("us"));
    QCOMPARE(core.serverIp(), QStringLiteral("10.0.2.1"));
    QCOMPARE(Settings::instance()->currentServerId(), QStringLiteral("us"));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("VpnCore: Only one server available, VPN location in 'us, New York' (10.0.2.1)")));

    // Several servers are probed; the first entry of the answer that names a server wins.
    core.setSearchModeForCountry(QStringLiteral("de"));
    QCOMPARE(core.serverIp(), QString());
    QCOMPARE(answers.size(), 1);
    answers.last()({"10.9.9.9:3", "10.0.3.2:12", "garbage"});
    QCOMPARE(core.serverIp(), QStringLiteral("10.0.3.2"));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("VpnCore: From ping, selected VPN location in 'de, Munich' (10.0.3.2)")));
    QTRY_VERIFY(probes.last().isNull());
    // A search that the user overtook has nothing more to say, however late it answers.
    core.setSearchModeForCountry(QStringLiteral("de"));
    core.setVpnServerIp(QStringLiteral("10.0.2.1"), QStringLiteral("us, New York"));
    QTRY_VERIFY(probes.last().isNull());
    answers.last()({"10.0.3.1:3"});
    QCOMPARE(core.serverIp(), QStringLiteral("10.0.2.1"));
    core.setSearchModeForCountry(QStringLiteral("fr"));
    QVERIFY(recorder.warnings().contains(QStringLiteral("VpnCore: Something wrong..")));
    QCOMPARE(core.serverIp(), QString());

    QCOMPARE(core.bestStringForCountry(QStringLiteral("de")), QStringLiteral("Best in DE"));
    QCOMPARE(core.bestStringForCountry(QString()), QString());

    core.updateFavorite(QStringLiteral("10.0.2.1"), true);
    QVERIFY(Settings::instance()->favorites().contains(QStringLiteral("us-1.example.net")));
    core.updateFavorite(QStringLiteral("10.0.2.1"), false);
    QVERIFY(!Settings::instance()->favorites().contains(QStringLiteral("us-1.example.net")));

    // Auto-connect at start: the first server choice connects.
    core.setAutoConnectPending(true);
    core.setVpnServerIp(QStringLiteral("10.0.2.1"), QStringLiteral("us, New York"));
    QCOMPARE(created, 1);
    core.setVpnServerIp(QStringLiteral("10.0.2.1"), QStringLiteral("us, New York"));
    QCOMPARE(created, 1);
}

void TestVpnCore::publicAddress()
{
    std::unique_ptr<VpnCore> core = std::make_unique<VpnCore>();
    core->setEngineFactoryForTesting([this](int, QObject *parent) {
        auto *created = new ScriptedEngine(true, parent);
        m_engines << created;
        return created;
    });
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Updating..."));
    reply(*core, "203.0.113.5", "nl");
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.5"));
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Your current IP"));
    QVERIFY(!core->currentLocationImageSource().isEmpty());

    core->setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
    core->connectToVpn();
    m_engines.last()->report(ConnectionState::Id::Connecting);
    QCOMPARE(core->currentIp(), QString());
    MessageRecorder recorder;
    reply(*core, "198.51.100.1", "de");
    QCOMPARE(core->currentIp(), QString());
    QCOMPARE(recorder.texts(QtInfoMsg), QStringList({"VpnCore: Request current IP address finished, skipping"}));

    m_engines.last()->report(ConnectionState::Id::Connected);
    reply(*core, "10.99.0.1", "nl");
    QCOMPARE(core->currentIp(), QStringLiteral("10.99.0.1"));
    reply(*core, "0.0.0.0", QString());
    QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("VpnCore: Requesting new ip address")));
    QCOMPARE(core->currentIp(), QStringLiteral("10.99.0.1"));

    // After the session the address seen while disconnected is back at once.
    m_engines.last()->report(ConnectionState::Id::Disconnected);
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.5"));
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Your current IP"));

    // A language change replays the last address received.
    QSignalSpy texts(core.get(), &VpnCore::currentIpInfoTextChanged);
    core->retranslate();
    QCOMPARE(texts.count(), 1);
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.5"));
}

void TestVpnCore::startupCheckRepairsProtection_data()
{
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<QByteArray>("dataFile");
    QTest::addColumn<QStringList>("warnings");

    const QString wrong = QStringLiteral("VpnCore: Detected wrong DNS status");
    QTest::newRow("record, no data file")
        << true << QByteArray()
        << QStringList{wrong, "VpnCore: DNS data file doesn't exist, resetting to default values"};
    QTest::newRow("record and a switch in the data file")
        << true << QByteArray("[UserDns]\nArgs=eth0@192.0.2.53\n[VpnDns]\nIPv4=172.16.0.1\nIPv6=\n")
        << QStringList{wrong, "VpnCore: Switching to user DNS settings"};
    // The client died after the dns program switched, before its record reached the disk.
    QTest::newRow("a switch in the data file only")
        << false << QByteArray("[UserDns]\nArgs=eth0@192.0.2.53\n[VpnDns]\nIPv4=172.16.0.1\nIPv6=\n")
        << QStringList{wrong, "VpnCore: Switching to user DNS settings"};
    // A user run undid the switch: nothing is left, whatever servers are in use now.
    QTest::newRow("data file without a switch")
        << false << QByteArray("[UserDns]\nArgs=eth0@172.16.0.1\n") << QStringList();
    QTest::newRow("nothing") << false << QByteArray() << QStringList();
}

void TestVpnCore::startupCheckRepairsProtection()
{
    QFETCH(bool, recorded);
    QFETCH(QByteArray, dataFile);
    QFETCH(QStringList, warnings);

    const QString path = m_data.filePath(QStringLiteral("dns.dat"));
    QFile::remove(path);
    if (!dataFile.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(dataFile);
    }
    {
        Status status;
        status.setDnsActivated(recorded);
        status.setKillswitchActivated(recorded);
    }
    VpnCore core;
    MessageRecorder recorder;
    core.runStartupCheck();
    if (recorded)
        warnings << QStringLiteral("VpnCore: Detected wrong killswitch status");
    QCOMPARE(recorder.warnings(), warnings);
    QCOMPARE(core.wrongDnsDetected(), !warnings.isEmpty());

    // The reset, the kill switch's release, and IPv6 as the machine had it: in that order,
    // each only where something was left (IPv6 only with the network tool's record).
    QStringList expected;
    if (!warnings.isEmpty())
        expected << QStringLiteral("\"reset\"");
    if (recorded)
        expected << QStringLiteral("\"disable\" \"all\"");
    if (QFileInfo::exists(Platform::programDataDirectory() + QStringLiteral("/ipv6.dat")))
        expected << QStringLiteral("network-tool\" \"--ipv6\" \"enable\"");
    QTRY_COMPARE(startedPrograms().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(startedPrograms().at(i).endsWith(expected.at(i)), qPrintable(startedPrograms().at(i)));
    Status after;
    QVERIFY(!after.dnsActivated());
    QVERIFY(!after.killswitchActivated());
    QFile::remove(path);
}

void TestVpnCore::autoConnectionWaitsForTheAccount()
{
    if (!WireGuardClient::isSupported())
        QSKIP("WireGuard is not available here: an automatic connection would not wait for an account");
    TestBackend backend;
    backend.passwords.insert(QStringLiteral("demo"), QStringLiteral("demo-pass"));
    qputenv("VELMORIX_API_BASE", backend.base().toLocal8Bit());
    NetworkApi api;
    Settings::instance()->setNetworkProtocol(VpnProtocol::WireGuard);
    VpnClient::setAccount(Account());
    const auto accountRequests = [&backend] {
        int count = 0;
        for (const TestBackend::Request &request : backend.requests)
            count += request.path.startsWith("/v3_1/private/accounts/") ? 1 : 0;
        return count;
    };

    int created = 0;
    MessageRecorder recorder;
    {
        VpnCore core;
        core.setEngineFactoryForTesting([&created](int, QObject *parent) {
            ++created;
            return new ScriptedEngine(false, parent);
        });
        core.setNetworkApi(&api);
        core.setAutoConnectPending(true);
        core.setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
        QVERIFY(recorder.texts(QtInfoMsg).contains(
            QStringLiteral("VpnCore: Auto connection enabled, but account data is not ready yet")));
        QCOMPARE(created, 0);
        // The account's reply starts the connection.
        QTRY_COMPARE(created, 1);
        QVERIFY(VpnClient::account().isActive());
        QVERIFY(recorder.texts(QtInfoMsg).contains(QStringLiteral("VpnCore: Start auto connection")));
    }

    // Refused accounts: at most three requests in the whole run of the program.
    Settings::instance()->setPassword(QStringLiteral("wrong"));
    VpnClient::setAccount(Account());
    VpnCore later;
    later.setEngineFactoryForTesting([&created](int, QObject *parent) {
        ++created;
        return new ScriptedEngine(false, parent);
    });
    later.setNetworkApi(&api);
    later.setAutoConnectPending(true);
    for (int i = 0; i < 4; ++i) {
        later.setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
        QTest::qWait(100);
    }
    QTRY_COMPARE(recorder.warnings().filter(QStringLiteral("Account is not valid")).size(), 2);
    QCOMPARE(accountRequests(), 3);
    QCOMPARE(created, 1);
    // The user's own disconnect ends the wait: a reply that comes later connects nothing.
    later.disconnectFromVpn();
    emit api.apiRequestAccountFinished(Account(7, QStringLiteral("demo"), QStringLiteral("Active"), {}, {}, {}, {}));
    QCOMPARE(created, 1);
    qunsetenv("VELMORIX_API_BASE");
}

QTEST_GUILESS_MAIN(TestVpnCore)
#include "tst_vpncore.moc"

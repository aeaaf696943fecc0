#include "fakeservice.h"
#include "messagerecorder.h"
#include "networkapi.h"
#include "servicecontroller.h"
#include "settings.h"
#include "status.h"
#include "testbackend.h"
#include "testsupport.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "wireguardclient.h"

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
    QMetaObject::invokeMethod(engine, "assignedInternalIp", Q_ARG(QString, QStringLiteral("10.8.0.2")));
    emit engine->dnsServerAddressesPushed(QStringLiteral("172.16.0.1"), QString());
    engine->report(ConnectionState::Id::Connected);
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

    std::unique_ptr<VpnCore> core;
    ScriptedEngine *engine = nullptr;
    connectedSession(core, engine);
    QSignalSpy times(core.get(), &VpnCore::vpnOnlineTimeChanged);
    core->setConnectedSinceForTesting(QDateTime::currentDateTimeUtc().addSecs(-(25 * 3600 + 3 * 60 + 4)));
    QTRY_VERIFY(times.count() >= 1);
    QCOMPARE(core->vpnOnlineTime(), QStringLiteral("25:03:04"));
    // Across midnight: the span counts, not the clock.
    core->setConnectedSinceForTesting(QDateTime::currentDateTimeUtc().addSecs(-120));
    QTRY_COMPARE(core->vpnOnlineTime(), QStringLiteral("00:02:00"));
}

void TestVpnCore::automaticPortSearch()
{
    Settings::instance()->setNetworkProtocol(VpnProtocol::OpenVpnTcp);
    VpnCore core;
    core.setPortSearchTimeLimitForTesting(30);
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

    // The search's time-out: Error with the no-ports text, then Disconnected twice.
    states.clear();
    core.connectToVpn();
    MessageRecorder recorder;
    QMetaObject::invokeMethod(&core, "onPortCheckerTimeout");
    QCOMPARE(stateNames(states), QStringList({"Preparing", "Disconnected", "Disconnected"}));
    QCOMPARE(core.vpnConnectionErrorText(), QStringLiteral("There are no ports for this connection"));
    QCOMPARE(recorder.texts(QtInfoMsg).filter(QStringLiteral("State set to")),
             QStringList({"VpnCore: State set to 'Error', error text: 'There are no ports for this connection'",
                          "VpnCore: State set to 'Disconnected'"}));

    // A port found: the engine gets it.
    core.connectToVpn();
    QMetaObject::invokeMethod(&core, "onPortIsAvailable", Q_ARG(ushort, 8080));
    QCOMPARE(created, 1);
    QCOMPARE(core.engine()->connectionParameters().port, quint16(8080));
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
    QMetaObject::invokeMethod(&core, "onRequestServerListFinished", Q_ARG(Servers, Servers({only})));

    MessageRecorder recorder;
    core.setSearchModeForCountry(QStringLiteral("us"));
    QCOMPARE(core.serverIp(), QStringLiteral("10.0.2.1"));
    QCOMPARE(Settings::instance()->currentServerId(), QStringLiteral("us"));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("VpnCore: Only one server available, VPN location in 'us, New York' (10.0.2.1)")));

    // The ping's list: the first entry that names a server wins, the rest are not read.
    QMetaObject::invokeMethod(
        &core, "onLastPingRequestFinished", Q_ARG(QStringList, QStringList({"10.9.9.9:3", "10.0.2.1:12", "garbage"})));
    QVERIFY(recorder.texts(QtInfoMsg).contains(
        QStringLiteral("VpnCore: From ping, selected VPN location in 'us, New York' (10.0.2.1)")));
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
    QMetaObject::invokeMethod(
        core.get(), "onRequestCurrentIpAddressFinished", Q_ARG(QString, "203.0.113.5"), Q_ARG(QString, "nl"));
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.5"));
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Your current IP"));
    QVERIFY(!core->currentLocationImageSource().isEmpty());

    core->setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
    core->connectToVpn();
    m_engines.last()->report(ConnectionState::Id::Connecting);
    QCOMPARE(core->currentIp(), QString());
    MessageRecorder recorder;
    QMetaObject::invokeMethod(
        core.get(), "onRequestCurrentIpAddressFinished", Q_ARG(QString, "198.51.100.1"), Q_ARG(QString, "de"));
    QCOMPARE(core->currentIp(), QString());
    QCOMPARE(recorder.texts(QtInfoMsg), QStringList({"VpnCore: Request current IP address finished, skipping"}));

    m_engines.last()->report(ConnectionState::Id::Connected);
    QMetaObject::invokeMethod(
        core.get(), "onRequestCurrentIpAddressFinished", Q_ARG(QString, "10.99.0.1"), Q_ARG(QString, "nl"));
    QCOMPARE(core->currentIp(), QStringLiteral("10.99.0.1"));
    QMetaObject::invokeMethod(
        core.get(), "onRequestCurrentIpAddressFinished", Q_ARG(QString, "0.0.0.0"), Q_ARG(QString, QString()));
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
    // each only where something was left.
    QStringList expected;
    if (!warnings.isEmpty())
        expected << QStringLiteral("\"reset\"");
    if (recorded)
        expected << QStringLiteral("\"disable\" \"all\"");
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
    qunsetenv("VELMORIX_API_BASE");
}

QTEST_GUILESS_MAIN(TestVpnCore)
#include "tst_vpncore.moc"

#include "account.h"
#include "application.h"
#include "logger.h"
#include "product.h"
#include "scenetest.h"
#include "serverlistmodel.h"
#include "sessioncounters.h"
#include "settings.h"
#include "testbackend.h"
#include "testsupport.h"
#include "theme.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "servicecontroller.h"
#include "vpnservicerunner.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QQmlProperty>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

using namespace SceneTest;

namespace {

// An engine that does nothing but count the controller's calls and report what the test says.
class ScriptedEngine final : public VpnClient
{
    Q_OBJECT

public:
    explicit ScriptedEngine(QObject *parent)
        : VpnClient(parent)
    {
    }

    void report(ConnectionState::Id state, const QString &data = QString())
    {
        emit connectionStateChanged(state, data, false, QString());
    }

    int connects = 0;
    int disconnects = 0;

public slots:
    void connectToVpn() override { ++connects; }
    void disconnectFromVpn() override { ++disconnects; }
    QString name() const override { return QStringLiteral("scripted"); }
    QString configTemplatePath() const override { return QString(); }
    QString executablePath() const override { return QString(); }
};

// The catalogue of the test backend, on loopback addresses: the latency probes of the start
// reach no one but this machine.
QByteArray catalogueXml()
{
    struct Row
    {
        const char *country, *city, *name, *ip;
    };
    static const Row rows[] = {
        {"NL", "Amsterdam", "nl-1.example.net", "127.0.10.1"},
        {"NL", "Rotterdam", "nl-2.example.net", "127.0.10.2"},
        {"DE", "Berlin", "de-1.example.net", "127.0.11.1"},
        {"DE", "Frankfurt", "de-2.example.net", "127.0.11.2"},
        {"US", "New York", "us-1.example.net", "127.0.12.1"},
        {"JP", "Tokyo", "jp-1.example.net", "127.0.13.1"},
        {"TH", "Bangkok", "th-1.example.net", "127.0.14.1"},
    };
    QByteArray xml = "<vorrinserverList>";
    for (const Row &row : rows) {
        xml +=
            QStringLiteral("<server visible=\"1\" ip=\"%1\" name=\"%2\" city=\"%3\" country=\"%4\"/>")
                .arg(
                    QLatin1String(row.ip), QLatin1String(row.name), QLatin1String(row.city), QLatin1String(row.country))
                .toUtf8();
    }
    return xml + "</vorrinserverList>";
}

// Messages of the QML engine: a binding to a missing property, a missing image, a type error.
QStringList qmlWarnings;
QtMessageHandler previousHandler = nullptr;

bool isQmlMessage(const QString &text)
{
    static const QRegularExpression qml(
        QStringLiteral("qrc:/|file:///.*\\.qml|\\bQML\\b|Binding loop|TypeError|ReferenceError|Unable to assign"));
    return qml.match(text).hasMatch();
}

void recordQmlWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && isQmlMessage(text))
        qmlWarnings << text;
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

// The QML scene through the application's own start-up, against the test backend, with engines
// that the test scripts: what a person sees and does in each window.
class TestScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectionButtonPerState_data();
    void connectionButtonPerState();
    void connectionErrorsShowInTheToolTip();
    void serverList();
    void catalogueTextIsShownAsWritten();
    void emptyServerList();
    void settingsBindings_data();
    void settingsBindings();
    void credentialsOnlyByUpdate();
    void languageSwitch_data();
    void languageSwitch();
    void killSwitchBox();
    void criticalServiceError();
    void closeOnUbuntuMinimises();
    void keyboardAndAccessibility();
    void themeEditor();
    void screenshots_data();
    void screenshots();

private:
    void start(bool themeEditor = false);
    QObject *object(const char *key, QQuickWindow *window = nullptr);
    QQuickItem *item(const char *key, QQuickWindow *window = nullptr);
    QQuickWindow *settingsWindow() const;
    QQuickWindow *themeWindow() const;
    void setState(ConnectionState::Id state);
    QString log() const;
    bool compareWithBaseline(const QImage &shot, const QString &name);

    QTemporaryDir m_home;
    std::unique_ptr<TestBackend> m_backend;
    std::unique_ptr<VpnServiceRunner> m_service;
    std::unique_ptr<Application> m_app;
    QQuickWindow *m_window = nullptr;
    VpnCore *m_vpnCore = nullptr;
    QQmlEngine *m_engine = nullptr;
    QList<ScriptedEngine *> m_engines;
};

void TestScene::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_home.filePath(QStringLiteral("var")).toLocal8Bit());
    qunsetenv("DESKTOP_SESSION");
    m_backend = std::make_unique<TestBackend>();
    m_backend->catalogue = catalogueXml();
    m_backend->geoIp = "{\"data\":{\"ip\":\"198.51.100.23\",\"iso_code\":\"de\"}}";
    m_backend->passwords.insert(QStringLiteral("demo"), QStringLiteral("demo-pass"));
    qputenv("VELMORIX_API_BASE", m_backend->base().toLocal8Bit());
    // The privileged service runs (on a port of its own, with nothing to start): the scene is
    // the one of a working installation. The missing service is a test of its own.
    QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("app"))));
    // The client takes the link only from its application directory's vpn-service.
    qputenv("VELMORIX_APP_DIR", m_home.filePath(QStringLiteral("app")).toLocal8Bit());
    QVERIFY(QFile::link(QStringLiteral(VELMORIX_APP_DIR_PATH "/vpn-service"),
                        m_home.filePath(QStringLiteral("app/vpn-service"))));
    // The program links to the service on its fixed port; the test runs alone (RUN_SERIAL).
    m_service = std::make_unique<VpnServiceRunner>(m_home.filePath(QStringLiteral("app")), ServiceController::defaultPort);
    QVERIFY(m_service->waitListening());
    QCoreApplication::setApplicationName(QStringLiteral("Velmorix"));
    QVERIFY(Settings::instance()->fileName().startsWith(m_home.path()));
}

void TestScene::init()
{
    // Every choice that a test may have changed, back to where the tests expect it.
    Settings *settings = Settings::instance();
    settings->setStartMinimized(0);
    settings->setLanguage(QString());
    settings->setLaunchAppOnStartup(false);
    settings->setConnectToLastLocation(false);
    settings->setAutoReconnectionOnError(true);
    settings->setKillswitchEnabled(true);
    settings->setAllowAccessToLocalDevices(true);
    settings->setShowNotifications(false);
    settings->setAutoUpdateEnabled(true);
    settings->setIpv6Enabled(false);
    settings->setUdpPortIndex(0);
    settings->setTcpPortIndex(0);
    // WireGuard: its sessions need neither the DNS program nor the kill switch, so nothing
    // reaches the machine through a service that may run here.
    settings->setNetworkProtocol(3);
    settings->setUserName(QStringLiteral("demo"));
    settings->setPassword(QStringLiteral("demo-pass"));
    settings->saveCurrentServerId(QString());
    for (const QString &favorite : settings->favorites())
        settings->setFavorite(favorite, false);
    settings->saveRecentServers({});
    settings->saveGeneralSettings();
    qmlWarnings.clear();
}

void TestScene::start(bool themeEditor)
{
    Product::setName(themeEditor ? Product::themeEditorName() : QStringLiteral("Velmorix"));
    ServerListModel::forgetAnnouncementsForTesting();
    m_app = std::make_unique<Application>();
    // After the logger's handler is in place: the scene's messages go to the log as well.
    previousHandler = qInstallMessageHandler(recordQmlWarnings);
    QVERIFY(m_app->init());
    m_vpnCore = m_app->findChild<VpnCore *>();
    QVERIFY(m_vpnCore);
    m_engines.clear();
    m_vpnCore->setEngineFactoryForTesting([this](int, QObject *parent) {
        auto *engine = new ScriptedEngine(parent);
        m_engines << engine;
        return engine;
    });
    for (QWindow *candidate : QGuiApplication::topLevelWindows()) {
        if (candidate->objectName() == QLatin1String("mainWindow"))
            m_window = qobject_cast<QQuickWindow *>(candidate);
    }
    QVERIFY(m_window);
    m_engine = qmlEngine(m_window);
    QVERIFY(m_engine);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->requestActivate();
    QTRY_VERIFY(m_window->isActive());
    // The catalogue has arrived and the address is known once the location is no longer empty.
    auto *all = m_app->findChild<ServerListModel *>(QStringLiteral("ServerListModel"));
    QTRY_VERIFY_WITH_TIMEOUT(all->rowCount() > 0, 15000);
    QTRY_COMPARE_WITH_TIMEOUT(m_vpnCore->currentIp(), QStringLiteral("198.51.100.23"), 15000);
}

void TestScene::cleanup()
{
    m_app.reset();
    m_window = nullptr;
    qInstallMessageHandler(previousHandler);
    Product::setName(QStringLiteral("Velmorix"));
    qunsetenv("DESKTOP_SESSION");
    // Every test fails on a warning of the scene, whatever it checked itself.
    QVERIFY2(qmlWarnings.isEmpty(), qPrintable(qmlWarnings.join(QLatin1Char('\n'))));
}

QObject *TestScene::object(const char *key, QQuickWindow *window)
{
    QQuickWindow *in = window ? window : m_window;
    const QString name = sceneName(m_engine, key);
    QObject *found = find(in, name);
    if (!found)
        qWarning("No object named '%s' in the window", qPrintable(name));
    return found;
}

QQuickItem *TestScene::item(const char *key, QQuickWindow *window)
{
    return qobject_cast<QQuickItem *>(object(key, window));
}

QQuickWindow *TestScene::settingsWindow() const
{
    return qobject_cast<QQuickWindow *>(m_window->property("settingsWindow").value<QObject *>());
}

QQuickWindow *TestScene::themeWindow() const
{
    for (QQuickWindow *candidate : m_window->findChildren<QQuickWindow *>()) {
        if (candidate->objectName() == QLatin1String("themeWindow"))
            return candidate;
    }
    return nullptr;
}

void TestScene::setState(ConnectionState::Id state)
{
    QVERIFY(QMetaObject::invokeMethod(m_vpnCore,
                                      "onVpnConnectionStateChanged",
                                      Q_ARG(ConnectionState::Id, state),
                                      Q_ARG(QString, QString()),
                                      Q_ARG(bool, false),
                                      Q_ARG(QString, QString())));
    QCOMPARE(m_vpnCore->connectionState(), state);
}

QString TestScene::log() const
{
    QFile file(Logger::instance()->logFilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestScene::connectionButtonPerState_data()
{
    QTest::addColumn<ConnectionState::Id>("state");
    QTest::addColumn<int>("connects");
    QTest::addColumn<int>("disconnects");
    QTest::addColumn<ConnectionState::Id>("after");
    QTest::addColumn<QString>("toolTip");

    using Id = ConnectionState::Id;
    QTest::newRow("Disconnected connects") << Id::Disconnected << 1 << 0 << Id::Disconnected << QString();
    // Preparing is the port search: its end needs no engine.
    QTest::newRow("Preparing disconnects") << Id::Preparing << 0 << 0 << Id::Disconnected << QString();
    QTest::newRow("Connecting disconnects") << Id::Connecting << 0 << 1 << Id::Connecting << QString();
    QTest::newRow("Connected disconnects") << Id::Connected << 0 << 1 << Id::Connected << QString();
    QTest::newRow("Disconnecting waits") << Id::Disconnecting << 0 << 0 << Id::Disconnecting
                                         << QStringLiteral("Disconnection in progress...");
    // The tip of the crash's reconnection stays; the click adds nothing.
    QTest::newRow("Reconnecting ignores")
        << Id::Reconnecting << 0 << 0 << Id::Reconnecting << QStringLiteral("Auto reconnection");
    QTest::newRow("theme editor ignores") << Id::Disconnected << 0 << 0 << Id::Disconnected << QString();
}

void TestScene::connectionButtonPerState()
{
    QFETCH(ConnectionState::Id, state);
    const bool editor = QByteArray(QTest::currentDataTag()).startsWith("theme editor");
    start(editor);
    VpnClient::setAccount(Account(7,
                                  QStringLiteral("demo"),
                                  QStringLiteral("Active"),
                                  QString(),
                                  QString(),
                                  QStringLiteral("10.66.0.2"),
                                  QStringLiteral("key")));
    m_vpnCore->setVpnServerIp(QStringLiteral("127.0.10.1"), QStringLiteral("nl, Amsterdam"));

    // A session of the state in the row, on an engine made for it.
    ScriptedEngine *engine = nullptr;
    if (state != ConnectionState::Id::Disconnected) {
        m_vpnCore->connectToVpn();
        QTRY_COMPARE(m_engines.size(), 1);
        engine = m_engines.first();
        engine->connects = 0;
        if (state == ConnectionState::Id::Reconnecting) {
            // Shown only while a reconnection is due: after a crash of a session.
            m_vpnCore->setReconnectDelayForTesting(60000);
            engine->report(ConnectionState::Id::Connecting);
            engine->report(ConnectionState::Id::Connected);
            engine->report(ConnectionState::Id::Disconnected, QStringLiteral("CrashExit"));
            engine->report(ConnectionState::Id::Reconnecting);
            QCOMPARE(m_vpnCore->connectionState(), state);
        } else {
            setState(state);
        }
    }
    QQuickItem *button = item("connectionButton");
    QVERIFY(button && isShown(button) && button->isEnabled());
    click(button);

    if (!engine)
        engine = m_engines.value(0);
    QTEST(engine ? engine->connects : 0, "connects");
    QTEST(engine ? engine->disconnects : 0, "disconnects");
    QTEST(m_vpnCore->connectionState(), "after");
    QFETCH(QString, toolTip);
    QObject *tip = object("connectionToolTip");
    QTRY_COMPARE(tip->property("visible").toBool(), !toolTip.isEmpty());
    if (!toolTip.isEmpty())
        QCOMPARE(tip->property("text").toString(), toolTip);
}

void TestScene::connectionErrorsShowInTheToolTip()
{
    start();
    Settings::instance()->setUserName(QStringLiteral("  "));
    VpnClient::setAccount(Account(7,
                                  QStringLiteral("demo"),
                                  QStringLiteral("Active"),
                                  QString(),
                                  QString(),
                                  QStringLiteral("10.66.0.2"),
                                  QStringLiteral("key")));
    click(item("connectionButton"));
    QObject *tip = object("connectionToolTip");
    QTRY_VERIFY(tip->property("visible").toBool());
    QCOMPARE(tip->property("text").toString(), QStringLiteral("Username or password is empty!"));
    QCOMPARE(tip->property("timeout").toInt(), 5000);
    QVERIFY(m_engines.isEmpty());

    // A session that comes up takes the message away.
    Settings::instance()->setUserName(QStringLiteral("demo"));
    m_vpnCore->setVpnServerIp(QStringLiteral("127.0.10.1"), QStringLiteral("nl, Amsterdam"));
    click(item("connectionButton"));
    QTRY_COMPARE(m_engines.size(), 1);
    m_engines.first()->report(ConnectionState::Id::Connecting);
    m_engines.first()->report(ConnectionState::Id::Connected);
    QTRY_VERIFY(!tip->property("visible").toBool());
    QCOMPARE(item("connectionButtonLabel")->property("text").toString(), QStringLiteral("SWITCH OFF"));
    QVERIFY(isShown(item("durationText")));
}

void TestScene::serverList()
{
    start();
    QQuickItem *list = item("serverListWindow");
    QVERIFY(!list->isVisible());
    click(item("locationButton"));
    QTRY_VERIFY(list->isVisible());

    // Keys 1 to 3 choose the list; the recommended one fills from the latency probes.
    QObject *tabs = object("serverListTabBar");
    for (const auto &[key, index] :
         {std::pair(Qt::Key_2, 1), std::pair(Qt::Key_3, 2), std::pair(Qt::Key_1, 0), std::pair(Qt::Key_2, 1)}) {
        QTest::keyClick(m_window, key);
        QCOMPARE(tabs->property("currentIndex").toInt(), index);
    }

    // Showing the catalogue opens every country.
    auto *all = m_app->findChild<ServerListModel *>(QStringLiteral("ServerListModel"));
    QCOMPARE(all->rowCount(), 5 + 7);
    QList<QObject *> views = findAll(m_window->contentItem(), sceneName(m_engine, "serverListView"));
    QObject *view = nullptr;
    for (QObject *candidate : views) {
        if (isShown(qobject_cast<QQuickItem *>(candidate)))
            view = candidate;
    }
    QVERIFY(view);
    QCOMPARE(view->property("count").toInt(), 12);

    // A phrase leaves the matching country with its matching server.
    QQuickItem *search = item("serverSearchField");
    click(search);
    keyClicks(m_window, QStringLiteral("amster"));
    QTRY_COMPARE(view->property("count").toInt(), 2);
    keyClicks(m_window, QStringLiteral("zz"));
    QTRY_VERIFY(isShown(item("serverListEmpty")));
    click(item("serverSearchClear"));
    QTRY_COMPARE(view->property("count").toInt(), 12);

    auto rowOf = [this](const QString &id) -> QQuickItem * {
        for (QObject *row : findAll(m_window->contentItem(), sceneName(m_engine, "serverRow"))) {
            auto *rowItem = qobject_cast<QQuickItem *>(row);
            if (row->property("rowId").toString() == id && isShown(rowItem))
                return rowItem;
        }
        return nullptr;
    };
    auto partOf = [this](QQuickItem *row, const char *key) {
        return qobject_cast<QQuickItem *>(findAll(row, sceneName(m_engine, key)).value(0));
    };

    // A favourite is stored under the server's name and marks the row.
    QQuickItem *berlin = nullptr;
    QTRY_VERIFY((berlin = rowOf(QStringLiteral("127.0.11.1"))));
    click(partOf(berlin, "serverFavorite"));
    QTRY_VERIFY(berlin->property("favorite").toBool());
    QCOMPARE(Settings::instance()->favorites(), QStringList(QStringLiteral("de-1.example.net")));

    // A country closes and opens with its arrow.
    const QString germany = all->index(0).data(ServerListModel::IdRole).toString();
    QCOMPARE(all->index(0).data(ServerListModel::CountryNameRole).toString(), QStringLiteral("Germany"));
    click(partOf(rowOf(germany), "serverExpand"));
    QTRY_COMPARE(all->rowCount(), 10);
    QVERIFY(!rowOf(germany)->property("expanded").toBool());
    click(partOf(rowOf(germany), "serverExpand"));
    QTRY_COMPARE(all->rowCount(), 12);
    QVERIFY(rowOf(germany)->property("expanded").toBool());

    // A server chosen becomes the location, and the connection's address.
    QQuickItem *frankfurt = nullptr;
    QTRY_VERIFY((frankfurt = rowOf(QStringLiteral("127.0.11.2"))));
    click(frankfurt);
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(item("locationText")->property("text").toString(), QStringLiteral("DE, Frankfurt"));
    QCOMPARE(m_vpnCore->serverIp(), QStringLiteral("127.0.11.2"));

    // A country found by a search and chosen searches for its best server.
    click(item("locationButton"));
    QTRY_VERIFY(list->isVisible());
    click(search);
    keyClicks(m_window, QStringLiteral("united"));
    QTRY_COMPARE(view->property("count").toInt(), 2);
    const QString unitedStates = all->index(all->rowCount() - 2).data(ServerListModel::IdRole).toString();
    QCOMPARE(all->index(all->rowCount() - 2).data(ServerListModel::CountryNameRole).toString(),
             QStringLiteral("United States"));
    QQuickItem *country = nullptr;
    QTRY_VERIFY((country = rowOf(unitedStates)));
    click(country);
    QTRY_COMPARE(item("locationText")->property("text").toString(), QStringLiteral("Best in US"));
    QTRY_COMPARE(m_vpnCore->serverIp(), QStringLiteral("127.0.12.1"));

    // Escape closes the list.
    click(item("locationButton"));
    QTRY_VERIFY(list->isVisible());
    QTest::keyClick(m_window, Qt::Key_Escape);
    QTRY_VERIFY(!list->isVisible());
}

// A catalogue's names are text, never markup: an image in a city's name would have the client
// fetch whatever address the catalogue names, and tags would restyle the window.
void TestScene::catalogueTextIsShownAsWritten()
{
    QTcpServer tracker;
    QVERIFY(tracker.listen(QHostAddress::LocalHost));
    int fetches = 0;
    connect(&tracker, &QTcpServer::newConnection, this, [&] { ++fetches; });
    const QString city = QStringLiteral("<img src=\"http://127.0.0.1:%1/x.png\">Evil").arg(tracker.serverPort());
    const QString bold = QStringLiteral("<b>Bold</b><font size=7>Big</font>");
    const QByteArray saved = m_backend->catalogue;
    m_backend->catalogue =
        QStringLiteral("<vorrinserverList>"
                       "<server visible=\"1\" ip=\"127.0.10.1\" name=\"nl-1\" city=\"%1\" country=\"NL\"/>"
                       "<server visible=\"1\" ip=\"127.0.10.2\" name=\"nl-2\" city=\"%2\" country=\"NL\"/>"
                       "</vorrinserverList>")
            .arg(city.toHtmlEscaped(), bold.toHtmlEscaped())
            .toUtf8();
    start();
    m_backend->catalogue = saved;
    auto *all = m_app->findChild<ServerListModel *>(QStringLiteral("ServerListModel"));
    all->updateCurrentServer(QStringLiteral("127.0.10.1"));
    QTRY_VERIFY(item("locationText")->property("text").toString().contains(city));
    // Shown as the characters it has: a text item that read it as markup would fetch the image.
    QCOMPARE(item("locationText")->property("textFormat").toInt(), 0 /* Text.PlainText */);
    // The list shows both rows; no name may fetch anything.
    click(item("locationButton"));
    QTRY_VERIFY(item("serverListWindow")->isVisible());
    QTest::keyClick(m_window, Qt::Key_2);
    all->expandAll();
    // A fetch is a connection on loopback: give it the time of a few frames to arrive.
    grab(m_window);
    QTest::qWait(500);
    QCOMPARE(fetches, 0);
}

void TestScene::emptyServerList()
{
    const QByteArray catalogue = m_backend->catalogue;
    m_backend->catalogue = "<vorrinserverList></vorrinserverList>";
    Product::setName(QStringLiteral("Velmorix"));
    ServerListModel::forgetAnnouncementsForTesting();
    m_app = std::make_unique<Application>();
    previousHandler = qInstallMessageHandler(recordQmlWarnings);
    m_backend->catalogue = catalogue;
    QVERIFY(m_app->init());
    for (QWindow *candidate : QGuiApplication::topLevelWindows()) {
        if (candidate->objectName() == QLatin1String("mainWindow"))
            m_window = qobject_cast<QQuickWindow *>(candidate);
    }
    m_engine = qmlEngine(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QLatin1String("requestServerList")) || !m_backend->requests.isEmpty(),
                             15000);
    QMetaObject::invokeMethod(item("serverListWindow"), "open");
    for (int tab = 0; tab < 3; ++tab) {
        object("serverListTabBar")->setProperty("currentIndex", tab);
        QList<QObject *> labels = findAll(m_window->contentItem(), sceneName(m_engine, "serverListEmpty"));
        int shown = 0;
        for (QObject *label : labels) {
            if (isShown(qobject_cast<QQuickItem *>(label))) {
                ++shown;
                QCOMPARE(label->property("text").toString(), QStringLiteral("No items to display"));
            }
        }
        QCOMPARE(shown, 1);
    }
}

void TestScene::settingsBindings_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("storeKey");

    // Each control changed by a click from the values of init(), and where the change lands.
    QTest::newRow("launch on startup") << "launchOnStartupSwitch"
                                       << "launchAppOnStartup" << QVariant(true) << QString();
    QTest::newRow("last location") << "connectToLastLocationSwitch"
                                   << "connectToLastLocation" << QVariant(true) << "connectToLastLocation";
    QTest::newRow("reconnect") << "autoReconnectSwitch"
                               << "autoReconnectionOnError" << QVariant(false) << "autoReconnectToVpn";
    QTest::newRow("kill switch") << "killSwitchSwitch"
                                 << "killswitchEnabled" << QVariant(false) << "killswitchEnabled";
    QTest::newRow("notifications") << "showNotificationsSwitch"
                                   << "showNotifications" << QVariant(true) << "showNotifications";
    QTest::newRow("udp") << "udpRadio"
                         << "networkProtocol" << QVariant(0) << "networkProtocol";
    QTest::newRow("tcp") << "tcpRadio"
                         << "networkProtocol" << QVariant(1) << "networkProtocol";
    QTest::newRow("stealth") << "stealthRadio"
                             << "networkProtocol" << QVariant(2) << "networkProtocol";
    QTest::newRow("auto update") << "autoUpdateSwitch"
                                 << "autoUpdateEnabled" << QVariant(false) << "autoUpdateEnabled";
}

void TestScene::settingsBindings()
{
    QFETCH(QString, control);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    QFETCH(QString, storeKey);

    start();
    Settings *settings = Settings::instance();
    QTest::keyClick(m_window, Qt::Key_S, Qt::ControlModifier);
    QQuickWindow *window = settingsWindow();
    QTRY_VERIFY(window && window->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // Reached by Tab, as a person without a mouse does; Space changes it.
    const QByteArray key = control.toLatin1();
    QQuickItem *target = item(key.constData(), window);
    QVERIFY(target);
    QQuickItem *tab =
        item(control.endsWith(QLatin1String("Radio")) || control == QLatin1String("autoUpdateSwitch") ? "advancedTab"
                                                                                                      : "generalTab",
             window);
    click(tab);
    window->requestActivate();
    QTRY_VERIFY(window->isActive());
    for (int i = 0; i < 60 && window->activeFocusItem() != target; ++i)
        QTest::keyClick(window, Qt::Key_Tab);
    QCOMPARE(window->activeFocusItem(), target);
    QVERIFY(isShown(target));
    QTest::keyClick(window, Qt::Key_Space);

    // Nothing is written until the window goes.
    QVERIFY(settings->property(property.toLatin1().constData()) != expected);
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(settings->property(property.toLatin1().constData()), expected);
    if (!storeKey.isEmpty()) {
        QSettings store(settings->fileName(), QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Settings/") + storeKey).toString(), expected.toString());
    }
    if (control == QLatin1String("killSwitchSwitch"))
        QCOMPARE(settings->allowAccessToLocalDevices(), false);
}

void TestScene::credentialsOnlyByUpdate()
{
    start();
    Settings *settings = Settings::instance();
    QVERIFY(QMetaObject::invokeMethod(m_window, "raiseSettingsWindow"));
    QQuickWindow *window = settingsWindow();
    QTRY_VERIFY(window->isVisible());
    QQuickItem *user = item("userNameField", window);
    QQuickItem *password = item("passwordField", window);
    QCOMPARE(user->property("text").toString(), QStringLiteral("demo"));
    QCOMPARE(password->property("echoMode").toInt(), 2); // hidden: TextInput.Password

    // Typed but not confirmed: hiding the window leaves the stored account alone.
    click(user);
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    keyClicks(window, QStringLiteral("someone"));
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(settings->userName(), QStringLiteral("demo"));
    // Showing it again shows what is stored.
    QVERIFY(QMetaObject::invokeMethod(m_window, "raiseSettingsWindow"));
    QTRY_VERIFY(window->isVisible());
    QCOMPARE(user->property("text").toString(), QStringLiteral("demo"));

    // "Update" stores the folded text, shows it, and asks for the account at once.
    m_backend->requests.clear();
    click(user);
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    keyClicks(window, QStringLiteral("  new   user "));
    click(password);
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    keyClicks(window, QStringLiteral("secret"));
    click(item("updateCredentialsButton", window));
    QCOMPARE(settings->userName(), QStringLiteral("new user"));
    QCOMPARE(settings->password(), QStringLiteral("secret"));
    QCOMPARE(user->property("text").toString(), QStringLiteral("new user"));
    QSettings store(settings->fileName(), QSettings::IniFormat);
    const QString stored = store.value(QStringLiteral("Settings/userName")).toString();
    QVERIFY(!stored.isEmpty() && !stored.contains(QLatin1String("new")));
    QObject *updated = object("updatedToolTip", window);
    QTRY_VERIFY(updated->property("visible").toBool());
    QCOMPARE(updated->property("text").toString(), QStringLiteral("Updated"));
    QCOMPARE(updated->property("timeout").toInt(), 3000);
    if (m_app->wireGuardIsSupported()) {
        QTRY_VERIFY(std::any_of(m_backend->requests.cbegin(), m_backend->requests.cend(), [](const auto &request) {
            return request.path.startsWith("/v3_1/private/accounts/new%20user");
        }));
    }
}

void TestScene::languageSwitch_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("settingsText");
    QTest::addColumn<QString>("serverLocation");

    const QStringList codes = {"en", "id", "my", "es", "fr", "nl", "ph", "vn", "ru", "th", "jp", "cn"};
    const QStringList settingsTexts = {"Settings",
                                       "Pengaturan",
                                       "Tetapan",
                                       "Ajustes",
                                       "Paramètres",
                                       "Instellingen",
                                       "Mga Setting",
                                       "Cài đặt",
                                       "Настройки",
                                       "การตั้งค่า",
                                       "設定",
                                       "设置"};
    const QStringList locations = {"Server location",
                                   "Lokasi server",
                                   "Lokasi pelayan",
                                   "Ubicación del servidor",
                                   "Emplacement du serveur",
                                   "Serverlocatie",
                                   "Lokasyon ng server",
                                   "Vị trí máy chủ",
                                   "Местоположение сервера",
                                   "ตำแหน่งเซิร์ฟเวอร์",
                                   "サーバーの場所",
                                   "服务器位置"};
    for (int i = 0; i < codes.size(); ++i)
        QTest::newRow(qPrintable(codes.at(i))) << i << settingsTexts.at(i) << locations.at(i);
}

void TestScene::languageSwitch()
{
    QFETCH(int, index);
    // From another language, so that every row changes the texts.
    Settings::instance()->setLanguageIndex(index == 8 ? 10 : 8);
    start();
    // The recent servers' sections already on the screen when the language changes.
    click(item("locationButton"));
    QTest::keyClick(m_window, Qt::Key_3);
    const auto sectionTitles = [this] {
        QStringList titles;
        for (QObject *row : findAll(m_window->contentItem(), sceneName(m_engine, "serverRow"))) {
            if (isShown(qobject_cast<QQuickItem *>(row)))
                titles << row->property("label").toString();
        }
        return titles;
    };
    QTRY_COMPARE(sectionTitles().size(), 2);
    QVERIFY(QMetaObject::invokeMethod(m_window, "raiseSettingsWindow"));
    QQuickWindow *window = settingsWindow();
    QTRY_VERIFY(window->isVisible());
    window->requestActivate();
    QTRY_VERIFY(window->isActive());
    QQuickItem *combo = item("languageCombo", window);
    QQuickItem *startMinimized = item("startMinimizedCombo", window);
    startMinimized->setProperty("currentIndex", 2);

    // Reached by Tab, opened, and the language picked with the arrows, as from the keyboard.
    for (int i = 0; i < 60 && window->activeFocusItem() != combo; ++i)
        QTest::keyClick(window, Qt::Key_Tab);
    QCOMPARE(window->activeFocusItem(), combo);
    QTest::keyClick(window, Qt::Key_Space);
    QObject *popup = combo->property("popup").value<QObject *>();
    QTRY_VERIFY(popup->property("opened").toBool());
    const int from = combo->property("currentIndex").toInt();
    for (int step = from; step != index; step += index > from ? 1 : -1)
        QTest::keyClick(window, index > from ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(window, Qt::Key_Return);

    QCOMPARE(Settings::instance()->languageIndex(), index);
    QTEST(item("settingsButton")->property("text").toString(), "settingsText");
    QTEST(item("locationButton")->property("accessibleName").toString(), "serverLocation");
    // The rows take their new titles from the model's change notice, a frame or so later.
    QTRY_COMPARE(sectionTitles(),
                 QStringList({QCoreApplication::translate("ServerListModel", "Favorite Servers"),
                              QCoreApplication::translate("ServerListModel", "Recent Servers")}));
    // The start choice of the window outlives the retranslation of its texts.
    QCOMPARE(startMinimized->property("currentIndex").toInt(), 2);
}

void TestScene::killSwitchBox()
{
    start();
    QObject *dialog = object("killSwitchDialog");
    QVERIFY(dialog && !dialog->property("visible").toBool());
    emit m_vpnCore->killSwitchEventActivated();
    QTRY_VERIFY(dialog->property("opened").toBool());
    QCOMPARE(dialog->property("title").toString(), QStringLiteral("Killswitch event"));
    QVERIFY(!log().contains(QLatin1String("Restore connection to Internet")));
    click(item("killSwitchDialogOk"));
    QTRY_VERIFY(!dialog->property("visible").toBool());
    QTRY_VERIFY(log().contains(QLatin1String("mainWindow: Restore connection to Internet")));

    // Escape is an answer too: the user has seen that the traffic is blocked.
    emit m_vpnCore->killSwitchEventActivated();
    QTRY_VERIFY(dialog->property("opened").toBool());
    QTest::keyClick(m_window, Qt::Key_Escape);
    QTRY_VERIFY(!dialog->property("visible").toBool());
    QTRY_COMPARE(log().count(QLatin1String("Restore connection to Internet")), 2);
}

void TestScene::criticalServiceError()
{
    start();
    QQuickItem *bar = item("criticalErrorArea");
    QQuickItem *button = item("connectionButton");
    QVERIFY(!isShown(bar));
    QVERIFY(QMetaObject::invokeMethod(m_window, "setCriticalServiceError"));
    QVERIFY(isShown(bar));
    QCOMPARE(bar->property("text").toString(), QStringLiteral("System service is not running!"));
    QVERIFY(!button->isEnabled());
    m_vpnCore->setVpnServerIp(QStringLiteral("127.0.10.1"), QStringLiteral("nl, Amsterdam"));
    click(button);
    QVERIFY(m_engines.isEmpty());
}

void TestScene::closeOnUbuntuMinimises()
{
    start();
    qputenv("DESKTOP_SESSION", "ubuntu");
    m_window->close();
    QTRY_VERIFY(m_window->windowStates() & Qt::WindowMinimized);
    QVERIFY(m_window->isVisible());
    qunsetenv("DESKTOP_SESSION");
    m_window->showNormal();
    m_window->close();
    QTRY_VERIFY(!m_window->isVisible());
}

void TestScene::keyboardAndAccessibility()
{
    start();
    // Each item that Tab reaches has a name and a role for assistive technology, is shown, and
    // shows that it has the keyboard; Tab goes round and comes back, Backtab goes the other way.
    // An item under a cover (the server list over the page) is out of the ring.
    auto ring = [](QQuickWindow *window, QQuickItem *cover = nullptr) {
        window->requestActivate();
        QTRY_VERIFY(window->isActive());
        // The first Tab may only bring the keyboard into the window's scope.
        for (int i = 0; i < 3 && !(window->activeFocusItem() && window->activeFocusItem()->activeFocusOnTab()); ++i)
            QTest::keyClick(window, Qt::Key_Tab);
        QQuickItem *first = window->activeFocusItem();
        QVERIFY(first);
        QList<QQuickItem *> visited;
        for (int i = 0; i < 80; ++i) {
            QQuickItem *focused = window->activeFocusItem();
            QVERIFY2(focused, "Tab leaves the window without a focused item");
            if (!visited.isEmpty() && focused == first)
                break;
            const QString described =
                focused->objectName() + QLatin1Char(' ') + QLatin1String(focused->metaObject()->className());
            QVERIFY2(!visited.contains(focused), qPrintable(described + " is reached twice"));
            visited << focused;
            QVERIFY2(!accessibleName(focused).isEmpty(), qPrintable(described + " has no accessible name"));
            QVERIFY2(accessibleRole(focused) != QAccessible::NoRole, qPrintable(described + " has no accessible role"));
            QVERIFY2(isShown(focused), qPrintable(described + " takes the keyboard while hidden"));
            QVERIFY2(showsFocus(focused), qPrintable(described + " does not show that it has the keyboard"));
            if (cover) {
                const bool under = cover->parentItem()->isAncestorOf(focused) && !cover->isAncestorOf(focused);
                QVERIFY2(!under, qPrintable(described + " takes the keyboard under " + cover->objectName()));
            }
            QTest::keyClick(window, Qt::Key_Tab);
        }
        QCOMPARE(window->activeFocusItem(), first);
        QVERIFY(visited.size() >= 3);
        QTest::keyClick(window, Qt::Key_Backtab);
        QCOMPARE(window->activeFocusItem(), visited.last());
    };

    ring(m_window);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(QMetaObject::invokeMethod(m_window, "raiseSettingsWindow"));
    QQuickWindow *settings = settingsWindow();
    QTRY_VERIFY(settings->isVisible());
    ring(settings);
    if (QTest::currentTestFailed())
        return;
    // The page of advanced settings, reached from its tab by the keyboard alone.
    QQuickItem *advanced = item("advancedTab", settings);
    for (int i = 0; i < 40 && settings->activeFocusItem() != advanced; ++i)
        QTest::keyClick(settings, Qt::Key_Tab);
    QTest::keyClick(settings, Qt::Key_Space);
    QTRY_VERIFY(isShown(item("udpRadio", settings)));
    ring(settings);
    if (QTest::currentTestFailed())
        return;

    settings->close();
    QQuickItem *list = item("serverListWindow");
    QVERIFY(QMetaObject::invokeMethod(list, "open"));
    QTRY_VERIFY(list->isVisible());
    ring(m_window, list);
}

void TestScene::themeEditor()
{
    start(true);
    QQuickWindow *editor = themeWindow();
    QVERIFY(editor);
    QTRY_VERIFY(editor->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(editor));

    // The connection button does nothing in the editor.
    m_vpnCore->setVpnServerIp(QStringLiteral("127.0.10.1"), QStringLiteral("nl, Amsterdam"));
    click(item("connectionButton"));
    QVERIFY(m_engines.isEmpty());

    // The "General" section lists the background colour; a new colour reaches the main window.
    auto *sections = qobject_cast<QQuickItem *>(object("themeSectionList", editor));
    QVERIFY(sections);
    QQuickItem *general = nullptr;
    for (QQuickItem *row : sections->property("contentItem").value<QQuickItem *>()->childItems()) {
        if (row->property("sectionName").toString() == QLatin1String("General"))
            general = row;
    }
    QVERIFY(general);
    click(general);
    QCOMPARE(editor->property("sectionName").toString(), QStringLiteral("General"));

    QQuickItem *field = nullptr;
    for (QObject *candidate : findAll(editor->contentItem(), sceneName(m_engine, "themeColorField"))) {
        QQuickItem *row = qobject_cast<QQuickItem *>(candidate);
        while (row && !row->property("propertyId").isValid())
            row = row->parentItem();
        if (row && row->property("propertyId").toString() == QLatin1String("generalBackgroundColor"))
            field = qobject_cast<QQuickItem *>(candidate);
    }
    QVERIFY(field && isShown(field));
    editor->requestActivate();
    QTRY_VERIFY(editor->isActive());
    click(field);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    // Not a colour: refused by the field, the theme keeps its own.
    keyClicks(editor, QStringLiteral("#12zz"));
    QTest::keyClick(editor, Qt::Key_Return);
    auto *theme = m_app->findChild<Theme *>();
    QCOMPARE(theme->generalBackgroundColor(), QStringLiteral("#f6f7f9"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    keyClicks(editor, QStringLiteral("#123456"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(theme->generalBackgroundColor(), QStringLiteral("#123456"));
    QTRY_COMPARE(m_window->color(), QColor(QStringLiteral("#123456")));
    QTRY_COMPARE(grab(m_window).pixelColor(5, 200), QColor(QStringLiteral("#123456")));
}

bool TestScene::compareWithBaseline(const QImage &shot, const QString &name)
{
    const QDir baselines(QStringLiteral(VELMORIX_SOURCE_DIR "/tests/scene/baselines"));
    const QString baselinePath = baselines.filePath(name + QStringLiteral(".png"));
    if (qEnvironmentVariableIntValue("VELMORIX_UPDATE_BASELINES")) {
        shot.save(baselinePath);
        return true;
    }
    const QImage baseline = QImage(baselinePath).convertToFormat(QImage::Format_RGB32);
    if (baseline.size() != shot.size()) {
        qWarning("%s: %dx%d against a baseline of %dx%d",
                 qPrintable(name),
                 shot.width(),
                 shot.height(),
                 baseline.width(),
                 baseline.height());
        shot.save(QDir::temp().filePath(name + QStringLiteral("-actual.png")));
        return false;
    }
    // Text may land a sub-pixel apart on another machine's fonts: a few pixels may differ a
    // little; a missing or moved item differs in many.
    QImage difference(shot.size(), QImage::Format_RGB32);
    difference.fill(Qt::black);
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb a = shot.pixel(x, y);
            const QRgb b = baseline.pixel(x, y);
            const int delta =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            if (delta > 48) {
                ++differing;
                difference.setPixel(x, y, qRgb(255, 0, 255));
            } else {
                difference.setPixel(x, y, qRgb(qGray(a) / 3, qGray(a) / 3, qGray(a) / 3));
            }
        }
    }
    const double share = double(differing) / (shot.width() * shot.height());
    if (share <= 0.01)
        return true;
    const QString out = QDir(QStringLiteral(VELMORIX_BINARY_DIR)).filePath(name);
    shot.save(out + QStringLiteral("-actual.png"));
    difference.save(out + QStringLiteral("-difference.png"));
    qWarning("%s differs from its baseline in %.1f%% of the pixels; see %s-difference.png",
             qPrintable(name),
             share * 100,
             qPrintable(out));
    return false;
}

void TestScene::screenshots_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("screen");

    QTest::newRow("main-disconnected") << "en" << false << "main";
    QTest::newRow("main-connecting") << "en" << false << "connecting";
    QTest::newRow("main-service-down") << "ru" << false << "servicedown";
    QTest::newRow("main-connected") << "en" << false << "connected";
    QTest::newRow("main-dark") << "en" << true << "connected";
    QTest::newRow("serverlist") << "en" << false << "serverlist";
    QTest::newRow("serverlist-dark") << "en" << true << "serverlist";
    QTest::newRow("settings-en") << "en" << false << "settings";
    QTest::newRow("settings-advanced-en") << "en" << false << "advanced";
    QTest::newRow("settings-ru") << "ru" << false << "settings";
    QTest::newRow("settings-advanced-ru") << "ru" << false << "advanced";
    QTest::newRow("settings-th") << "th" << false << "settings";
    QTest::newRow("settings-jp") << "jp" << false << "settings";
    QTest::newRow("settings-dark") << "en" << true << "settings";
    QTest::newRow("theme-editor") << "en" << false << "editor";
}

void TestScene::screenshots()
{
    QFETCH(QString, language);
    QFETCH(bool, dark);
    QFETCH(QString, screen);

    Settings::instance()->setLanguage(language);
    // A location chosen before: the catalogue's arrival makes it the current one.
    Settings::instance()->saveCurrentServerId(QStringLiteral("nl-1.example.net"));
    start(screen == QLatin1String("editor"));
    QTRY_COMPARE(m_vpnCore->serverIp(), QStringLiteral("127.0.10.1"));
    if (dark) {
        QTemporaryDir branding;
        QFile file(branding.filePath(QStringLiteral("branding.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Main]\nbrandingEnabled=true\ndarkStyle=true\n");
        file.close();
        auto *theme = m_app->findChild<Theme *>();
        QVERIFY(theme->load(QUrl::fromLocalFile(file.fileName()).toString()));
    }
    // What changes from run to run stays out of the picture: the session's start, the caret.
    QQuickWindow *window = m_window;
    if (screen == QLatin1String("servicedown")) {
        QVERIFY(QMetaObject::invokeMethod(m_window, "setCriticalServiceError"));
    } else if (screen == QLatin1String("connecting")) {
        VpnClient::setAccount(Account(7,
                                      QStringLiteral("demo"),
                                      QStringLiteral("Active"),
                                      QString(),
                                      QString(),
                                      QStringLiteral("10.66.0.2"),
                                      QStringLiteral("key")));
        m_vpnCore->connectToVpn();
        QTRY_COMPARE(m_engines.size(), 1);
        m_engines.first()->report(ConnectionState::Id::Connecting);
        QCOMPARE(m_vpnCore->connectionState(), ConnectionState::Id::Connecting);
    } else if (screen == QLatin1String("connected")) {
        VpnClient::setAccount(Account(7,
                                      QStringLiteral("demo"),
                                      QStringLiteral("Active"),
                                      QString(),
                                      QString(),
                                      QStringLiteral("10.66.0.2"),
                                      QStringLiteral("key")));
        // A frozen clock: the session starts at its reading, then the clock moves on by an hour,
        // two minutes and five seconds, so the screen shows the same time on every run.
        const QDateTime start = QDateTime::currentDateTimeUtc();
        m_vpnCore->counters().setClock([start] { return start; });
        m_vpnCore->connectToVpn();
        QTRY_COMPARE(m_engines.size(), 1);
        m_engines.first()->report(ConnectionState::Id::Connecting);
        m_engines.first()->report(ConnectionState::Id::Connected);
        // The address through the tunnel, asked for a second after the connection.
        QTRY_COMPARE(m_vpnCore->currentIp(), QStringLiteral("198.51.100.23"));
        const QDateTime later = start.addSecs(3725);
        m_vpnCore->counters().setClock([later] { return later; });
        QTRY_COMPARE(m_vpnCore->vpnOnlineTime(), QStringLiteral("01:02:05"));
    } else if (screen == QLatin1String("serverlist")) {
        click(item("locationButton"));
        QTest::keyClick(m_window, Qt::Key_2);
        m_window->contentItem()->forceActiveFocus();
    } else if (screen == QLatin1String("settings") || screen == QLatin1String("advanced")) {
        QVERIFY(QMetaObject::invokeMethod(m_window, "raiseSettingsWindow"));
        window = settingsWindow();
        if (screen == QLatin1String("advanced"))
            click(item("advancedTab", window));
        window->contentItem()->forceActiveFocus();
    } else if (screen == QLatin1String("editor")) {
        window = themeWindow();
        QVERIFY(window);
        QVERIFY(
            QMetaObject::invokeMethod(window, "chooseSection", Q_ARG(QVariant, QStringLiteral("VpnConnectionButton"))));
        window->contentItem()->forceActiveFocus();
    }
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(200);
    QVERIFY2(compareWithBaseline(grab(window), QString::fromLatin1(QTest::currentDataTag())),
             "the screen differs from its baseline");
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    qputenv("QT_QUICK_CONTROLS_HOVER_ENABLED", "0");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    TestScene test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scene.moc"

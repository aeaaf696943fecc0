#include "application.h"

#include "buildconfig.h"
#include "buildinfo.h"
#include "comboboxlistmodel.h"
#include "dashcircle.h"
#include "logger.h"
#include "multiping.h"
#include "networkapi.h"
#include "platform/system.h"
#include "product.h"
#include "serverlistmodel.h"
#include "servicecontroller.h"
#include "sessionprotection.h"
#include "settings.h"
#include "simplelistmodel.h"
#include "systemtray.h"
#include "theme.h"
#include "themelistmodel.h"
#include "themesectionlistmodel.h"
#include "update.h"
#include "utils.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "wireguardclient.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QQmlContext>
#include <QQuickWindow>
#include <QSet>
#include <QSslSocket>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QtQml>

namespace {

const char scenePattern[] = "qrc:/qml/%1";

QUrl sceneUrl(const QString &fileName)
{
    return QUrl(QString::fromLatin1(scenePattern).arg(fileName));
}

} // namespace

// Outside any namespace: the resources' registration functions are global.
static void initResources()
{
    // The scene, its images and fonts and the translations sit in object files of their own,
    // which the linker would otherwise be free to drop from a static library.
    Q_INIT_RESOURCE(qml);
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(fonts);
    Q_INIT_RESOURCE(translations);
}

Application::Application(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("Application"));
    initResources();
    Logger::instance();
    logStartup();

    Settings *settings = Settings::instance();
    connect(settings, &Settings::languageChanged, this, &Application::onLanguageChanged);
    onLanguageChanged(settings->language());

    m_serviceController = new ServiceController(!themeEditorMode(), this);
    connect(m_serviceController,
            &ServiceController::initialConnectionStatusChanged,
            this,
            &Application::onInitialConnectionStatusChanged);

    registerQmlTypes();

    m_updater = new Update(this);
    connect(m_updater, &Update::newVersionIsAvailable, this, &Application::newVersionIsAvailable);

    m_systemTray = new SystemTray(this);
    showTrayState(ConnectionState::Id::Disconnected);
    connect(m_systemTray,
            &SystemTray::connectDisconnectActionClicked,
            this,
            &Application::onConnectDisconnectActionClicked);
    connect(m_systemTray, &SystemTray::exitActionClicked, this, &Application::onExitActionClicked);
    connect(m_systemTray, &SystemTray::settingsActionClicked, this, &Application::onSettingsActionClicked);
    connect(m_systemTray, &SystemTray::triggeredClicked, this, &Application::onTriggeredClicked);

    m_theme = new Theme(this);
    m_recommendedServersModel = new ServerListModel(ServerListModel::Recommended, this);
    m_serverListModel = new ServerListModel(ServerListModel::Catalogue, this);
    m_recentServersModel = new ServerListModel(ServerListModel::FavoritesAndRecent, this);
    m_themeListModel = new ThemeListModel(this);
    m_themeSectionListModel = new ThemeSectionListModel(this);
    m_simpleListModel = new SimpleListModel(this);

    QQmlContext *context = m_qmlEngine.rootContext();
    context->setContextProperty(QStringLiteral("themeSettings"), settings);
    context->setContextProperty(QStringLiteral("themeListModel"), m_themeListModel);
    context->setContextProperty(QStringLiteral("themeSectionListModel"), m_themeSectionListModel);
    context->setContextProperty(QStringLiteral("simpleListModel"), m_simpleListModel);
    context->setContextProperty(QStringLiteral("uiStyle"), m_theme);

    m_networkApi = new NetworkApi(this);
    m_vpnCore = new VpnCore(this);
    m_pingService = new MultiPing(this);
    connect(m_pingService, &MultiPing::lastRequestFinished, this, &Application::onLastPingRequestFinished);
    m_vpnCore->setAutoConnectPending(settings->connectToLastLocation());
    m_vpnCore->setAutoReconnectionOnError(settings->autoReconnectionOnError());
    connect(m_vpnCore, &VpnCore::killSwitchEventActivated, this, &Application::onKillSwitchEventActivated);
    connect(m_vpnCore, &VpnCore::connectionStateChanged, this, &Application::onConnectionStateChanged);
    m_vpnCore->setNetworkApi(m_networkApi);
    connect(m_networkApi, &NetworkApi::requestServerListFinished, this, &Application::onRequestServerListFinished);

    m_tcpComboBoxListModel = new ComboBoxListModel(true, this);
    context->setContextProperty(QStringLiteral("vpnCore"), m_vpnCore);
    context->setContextProperty(QStringLiteral("settings"), settings);
    context->setContextProperty(QStringLiteral("logger"), Logger::instance());
    context->setContextProperty(QStringLiteral("qmlApp"), this);
    context->setContextProperty(QStringLiteral("recomendedServersModel"), m_recommendedServersModel);
    context->setContextProperty(QStringLiteral("serverListModel"), m_serverListModel);
    context->setContextProperty(QStringLiteral("recentServersModel"), m_recentServersModel);
    context->setContextProperty(QStringLiteral("tcpComboBoxListModel"), m_tcpComboBoxListModel);

    QCoreApplication::setOrganizationName(QStringLiteral("VPNClient"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("VPNClient"));
    m_qmlEngine.load(sceneUrl(QStringLiteral("main.qml")));

    m_adapterDetector.detect(true);
    if (m_adapterDetector.isEmpty())
        return;
    m_adapterDetector.logInterfaces();
    settings->setNetworkAdapters(m_adapterDetector.interfaces());

    m_serviceRunning = Utils::isProcessRunning(Utils::executablePath(QStringLiteral("vpn-service"), false));
    if (!themeEditorMode()) {
        const QString line = QStringLiteral("vpn-service is running: %1").arg(Utils::boolText(m_serviceRunning));
        if (m_serviceRunning)
            Log::info(this, line);
        else
            Log::critical(this, line);
    }
    if (!m_serviceRunning) {
        m_serviceController->forceQuit();
        m_vpnCore->setAutoConnectPending(false);
        m_criticalServiceError = true;
    }
}

Application::~Application()
{
    Log::info(this, QStringLiteral("Request to quit"));
    // The wait for the disconnection runs the event loop: nothing may start now, and a later
    // start's message may not bring back the window that the wait hides.
    m_initialStatusHandled = true;
    m_quitting = true;
    stopUpdateCheck();
    m_networkApi->stop();
    if (m_vpnCore->isBusy())
        waitForDisconnection();
    // The session's last protection runs (the user's DNS, then IPv6) go one after the other,
    // each on the service's report of the one before.
    if (m_serviceController->isConnected() && !m_vpnCore->protection().isSettled()) {
        Log::info(this, QStringLiteral("Waiting for the protection runs to finish.."));
        for (int poll = 0; poll < disconnectPolls && !m_vpnCore->protection().isSettled(); ++poll) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(disconnectPollMs);
        }
        if (!m_vpnCore->protection().isSettled())
            Log::warning(this, QStringLiteral("The protection runs did not finish in time, the last ones go at once"));
    }
    invokeQml("saveUnsavedData");
    // The controller's own last runs need the service link, which was made first and would go
    // first with the children, so the controller goes now; the scene goes before it, so that no
    // binding reads a controller half destroyed (the engine forgets a root object it loses).
    qDeleteAll(m_qmlEngine.rootObjects());
    delete m_vpnCore;
    m_vpnCore = nullptr;
    m_serviceController->sendInitCommand();
    Log::info(this, QStringLiteral("Stopped"));
    // Translator, engine and adapter detector go with the members; the scene goes before the
    // objects it shows, which are children and go last.
    if (m_translatorInstalled)
        QCoreApplication::removeTranslator(&m_translator);
}

void Application::waitForDisconnection()
{
    Log::info(this, QStringLiteral("Waiting for a disconnection.."));
    if (QQuickWindow *window = mainWindow())
        window->hide();
    m_vpnCore->disconnectFromVpn();
    for (int poll = 0; poll < disconnectPolls; ++poll) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_vpnCore->isDisconnected())
            break;
        QThread::msleep(disconnectPollMs);
    }
    // The engine's last reports, which the sleep held back.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool Application::init()
{
    QString failure;
    if (m_qmlEngine.rootObjects().isEmpty())
        failure = QStringLiteral("Cannot initialize QML engine!");
    else if (m_adapterDetector.isEmpty())
        failure = QStringLiteral("Cannot find usable network interfaces!");
    else if (!Settings::instance()->isWritable())
        failure = QStringLiteral("Settings are not writeable! Check '%1'").arg(Settings::instance()->fileName());
    if (failure.isEmpty()) {
        start();
        return true;
    }
    Log::critical(this, failure);
    m_systemTray->reduceToExit();
    // The program ends after its failure dialog: nothing may go on behind it, neither the
    // service link, nor requests, nor a connection, an update check or the start-up repairs
    // (a late answer of the service would start those).
    m_initialStatusHandled = true;
    m_vpnCore->setAutoConnectPending(false);
    m_serviceController->forceQuit();
    m_networkApi->stop();
    stopUpdateCheck();
    if (QQuickWindow *window = mainWindow())
        window->hide();
    return false;
}

void Application::start()
{
    Settings *settings = Settings::instance();
    if (!m_serviceRunning)
        onInitialConnectionStatusChanged();

    if (QQuickWindow *window = mainWindow()) {
        switch (settings->startMinimized()) {
        case 2: window->showMinimized(); break;
        case 1: window->hide(); break;
        default: window->show(); break;
        }
    }
    requestWirequardData();

    if (themeEditorMode()) {
        m_themeListModel->setItems(m_theme->allProperties());
        m_themeSectionListModel->setItems(m_theme->sectionItems());
        connect(m_theme, &Theme::themeDataChanged, this, &Application::onThemeDataChanged);
        connect(m_themeListModel, &ThemeListModel::themePropertyChanged, m_theme, &Theme::themePropertyChanged);
        onInitialConnectionStatusChanged();
    }
}

void Application::stopUpdateCheck()
{
    if (!m_updater)
        return;
    m_updater->disconnect();
    // Ends a maintenance tool that still runs, with everything it started.
    delete m_updater;
    m_updater = nullptr;
}

void Application::logStartup()
{
    const QString version = Update::currentVersion();
    if (!version.isEmpty()) {
        Log::info(this,
                  QStringLiteral("%1 version '%2', date: '%3', revision: '%4'")
                      .arg(Product::name(), version, BuildInfo::date(), BuildInfo::revision()));
    }
    Log::info(
        this,
        QStringLiteral("Started on %1, %2").arg(Platform::systemVersionText(), QSysInfo::currentCpuArchitecture()));
    Log::info(this, QStringLiteral("OpenSSL for Qt: %1").arg(QSslSocket::sslLibraryBuildVersionString()));
    QString reason;
    if (WireGuardClient::isSupported(&reason)) {
        Log::info(this,
                  QStringLiteral("WireGuard driver %1")
                      .arg(WireGuardClient::isDriverInstalled() ? QStringLiteral("installed")
                                                                : QStringLiteral("not installed")));
    } else {
        Log::warning(this, QStringLiteral("WireGuard is not supported: %1").arg(reason));
    }
}

void Application::registerQmlTypes()
{
    qmlRegisterSingletonType(sceneUrl(QStringLiteral("controls/AFontFactory.qml")), "VPNClient", 1, 0, "FontFactory");
    qmlRegisterType<DashCircle>("DashCircle", 1, 0, "DashCircle");
    qmlRegisterType<ConnectionState>("ConnectionState", 1, 0, "ConnectionState");
    ConnectionState::registerMetaType();
}

QString Application::applicationDirPath() const
{
    return Utils::applicationDirectory();
}

bool Application::desktopSessionUbuntu() const
{
    return qEnvironmentVariable("DESKTOP_SESSION") == QLatin1String("ubuntu");
}

bool Application::runningOnLinux() const
{
#ifdef Q_OS_LINUX
    return true;
#else
    return false;
#endif
}

bool Application::runningOnMacOS() const
{
#ifdef Q_OS_MACOS
    return true;
#else
    return false;
#endif
}

bool Application::runningOnWindows() const
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

bool Application::settingsUserName() const
{
    return QLatin1String(BuildConfig::brandId) != QLatin1String("quenta");
}

bool Application::themeEditorMode() const
{
    return Product::isThemeEditor();
}

bool Application::wireGuardIsSupported() const
{
    return WireGuardClient::isSupported();
}

void Application::scheduleMinimizedMessage()
{
    onShowMinimizedMessage();
}

void Application::setFavorite(const QString &serverId, bool set)
{
    m_recommendedServersModel->setFavorite(serverId, set);
    m_serverListModel->setFavorite(serverId, set);
    m_recentServersModel->setFavorite(serverId, set);
    m_vpnCore->updateFavorite(serverId, set);
}

void Application::requestWirequardData()
{
    Settings *settings = Settings::instance();
    if (!settings->vaildCredentials() || !WireGuardClient::isSupported() || themeEditorMode())
        return;
    VpnClient::setAccount(Account());
    m_networkApi->requestAccount(settings->userName(), settings->password());
}

void Application::messageReceived(const QString &)
{
    if (m_quitting)
        return;
    Log::info(this, QStringLiteral("Message to show app on top"));
    raiseMainWindow();
}

void Application::newVersionIsAvailable(const QString &version)
{
    if (version.isEmpty())
        return;
    QMessageBox box(QMessageBox::Information,
                    Product::name(),
                    tr("New version found.\nDo you want to update to version %1?").arg(version));
    QPushButton *update = box.addButton(tr("Update"), QMessageBox::AcceptRole);
    box.addButton(tr("Skip"), QMessageBox::RejectRole);
    box.setDefaultButton(update);
    box.exec();
    if (box.clickedButton() != update)
        return;
    Log::info(this, QStringLiteral("Close app and start installer"));
    if (m_updater)
        m_updater->startUpdater();
    QCoreApplication::quit();
}

void Application::onKillSwitchEventActivated()
{
    raiseMainWindow();
}

void Application::onConnectDisconnectActionClicked()
{
    invokeQml("triggerVpnState");
}

void Application::showTrayState(ConnectionState::Id state)
{
    switch (state) {
    case ConnectionState::Id::Disconnected:
        m_systemTray->setConnectAction(tr("Connect"), !themeEditorMode());
        m_systemTray->setIconMode(SystemTray::Grey);
        break;
    case ConnectionState::Id::Connected:
        m_systemTray->setConnectAction(tr("Disconnect"), true);
        m_systemTray->setIconMode(SystemTray::Colour);
        break;
    case ConnectionState::Id::Connecting:
    case ConnectionState::Id::Reconnecting:
        m_systemTray->setConnectAction(ConnectionState::stateText(state), false);
        m_systemTray->setIconMode(SystemTray::Flashing);
        break;
    default:
        m_systemTray->setConnectAction(ConnectionState::stateText(state), false);
        m_systemTray->setIconMode(SystemTray::Grey);
        break;
    }
}

void Application::onConnectionStateChanged(ConnectionState::Id state)
{
    showTrayState(state);
    if (state == m_lastConnectionState)
        return;
    const ConnectionState::Id previous = m_lastConnectionState;
    m_lastConnectionState = state;

    QString message;
    if (state == ConnectionState::Id::Disconnected)
        message = tr("Disconnected");
    else if (state == ConnectionState::Id::Connected)
        message = tr("Connected");

    QString toolTip = message;
    if (state == ConnectionState::Id::Connected) {
        const Server server = m_vpnCore->currentServer();
        if (server.isValid()) {
            toolTip += QStringLiteral(": %1").arg(server.locationText());
            m_recentServersModel->appendRecentServer(server);
        }
    }
    m_systemTray->setToolTip(toolTip);
    // The first state after start is no news to the user.
    if (Settings::instance()->showNotifications() && previous != ConnectionState::Id::Unknown)
        m_systemTray->showMessage(QString(), message);
}

void Application::onExitActionClicked()
{
    quit();
}

void Application::quit()
{
    m_systemTray->setMenuEnabled(false);
    QCoreApplication::quit();
}

void Application::onInitialConnectionStatusChanged()
{
    if (m_initialStatusHandled)
        return;
    m_initialStatusHandled = true;
    m_vpnCore->runStartupCheck();
    m_networkApi->doRequests();
    if (m_updater && Settings::instance()->autoUpdateEnabled() && !m_vpnCore->wrongDnsDetected())
        m_updater->checkForUpdates();
    if (m_criticalServiceError && !themeEditorMode())
        invokeQml("setCriticalServiceError");
}

void Application::onLanguageChanged(const QString &language)
{
    if (m_translatorInstalled) {
        QCoreApplication::removeTranslator(&m_translator);
        m_translatorInstalled = false;
    }
    if (!language.isEmpty() && language != QLatin1String("en")) {
        if (m_translator.load(QStringLiteral("vpnclient_%1").arg(language), QStringLiteral(":/src/translations")))
            m_translatorInstalled = QCoreApplication::installTranslator(&m_translator);
        if (!m_translatorInstalled)
            Log::warning(this, QStringLiteral("Can't install translator for language: '%1'").arg(language));
    }
    // Before the scene reads its texts again: the section titles of the recent servers are rows.
    if (m_recentServersModel)
        m_recentServersModel->retranslate();
    m_qmlEngine.retranslate();
    // Not yet during the first call, from the constructor. An empty language falls back to
    // English, so the tray's texts follow it too.
    if (m_systemTray && m_vpnCore) {
        m_systemTray->retranslate();
        showTrayState(m_vpnCore->connectionState());
        m_vpnCore->retranslate();
    }
}

Servers Application::recommendedServers(const QStringList &pingResults, const Servers &catalogue)
{
    Servers selection;
    QSet<QString> countries;
    const QStringList ranked = MultiPing::byValue(pingResults);
    for (const QString &entry : ranked) {
        if (selection.size() >= maxRecommendedServers)
            break;
        const Server server = serverByIp(catalogue, entry.section(QLatin1Char(':'), 0, 0));
        if (!server.isValid())
            continue;
        const QString country = server.country.toLower();
        if (countries.contains(country))
            continue;
        countries.insert(country);
        selection << server;
    }
    return selection;
}

void Application::onLastPingRequestFinished(const QStringList &data)
{
    m_recommendedServersModel->setServerList(recommendedServers(data, m_serverListModel->allServers()));
}

void Application::onRequestServerListFinished(const Servers &servers)
{
    if (servers.isEmpty()) {
        QTimer::singleShot(NetworkApi::replyTimeout, m_networkApi, &NetworkApi::requestServerList);
        return;
    }
    m_serverListModel->createServerList(servers);
    m_recentServersModel->createRecentServerList(servers);
    m_pingService->sendRequest(serverIps(servers));
}

void Application::onSettingsActionClicked()
{
    invokeQml("raiseSettingsWindow");
}

void Application::onShowMinimizedMessage()
{
    if (!Settings::instance()->showNotifications() || desktopSessionUbuntu())
        return;
    m_systemTray->showMessage(Product::name(),
                              Product::name() + QLatin1Char(' ') + tr("will be keep running in background"));
}

void Application::onThemeDataChanged(bool loaded)
{
    if (!loaded)
        return;
    Log::info(this, QStringLiteral("Reload theme data"));
    m_themeListModel->updateItems(m_theme->allProperties());
    m_themeSectionListModel->updateItems(m_theme->sectionItems());
}

void Application::onTriggeredClicked()
{
    raiseMainWindow();
}

QQuickWindow *Application::mainWindow() const
{
    const QList<QObject *> roots = m_qmlEngine.rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
}

bool Application::invokeQml(const char *method)
{
    QQuickWindow *window = mainWindow();
    if (!window) {
        Log::critical(this, QStringLiteral("Cannot get parent window"));
        return false;
    }
    if (!QMetaObject::invokeMethod(window, method)) {
        Log::critical(this, QStringLiteral("Cannot invoke method '%1'").arg(QLatin1String(method)));
        return false;
    }
    return true;
}

void Application::raiseMainWindow()
{
    invokeQml("raiseMainWindow");
    QQuickWindow *window = mainWindow();
    if (!window)
        return;
    // Some window managers raise a window only while it is to stay on top: set the flag and
    // take it away again.
    const Qt::WindowFlags flags = window->flags();
    if (!(flags & Qt::WindowStaysOnTopHint)) {
        window->setFlags(flags | Qt::WindowStaysOnTopHint);
        window->setFlags(flags);
    }
    window->requestActivate();
}

#pragma once

#include "connectionstate.h"
#include "openvpnnetworkinterfaces.h"
#include "server.h"

#include <QObject>
#include <QQmlApplicationEngine>
#include <QTranslator>

class ComboBoxListModel;
class MultiPing;
class NetworkApi;
class QQuickWindow;
class ServerListModel;
class ServiceController;
class SimpleListModel;
class SystemTray;
class Theme;
class ThemeListModel;
class ThemeSectionListModel;
class Update;
class VpnCore;

// The program's application object: creates every long-lived object, wires them together,
// publishes them to the QML scene ("qmlApp" and the others), mirrors the connection in the tray,
// switches the language, offers updates, and on the way out waits for a running VPN to go down.
class Application final : public QObject
{
    Q_OBJECT

public:
    // The main window's height at scale 1; the display scale is chosen so that it fits.
    static constexpr int mainWindowHeight = 650;
    static constexpr int maxRecommendedServers = 8;
    // The quit waits this many times this long for a running VPN to go down.
    static constexpr int disconnectPolls = 50;
    static constexpr int disconnectPollMs = 100;

    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    // False, with the reason in the log and only "Exit" left in the tray menu, when the
    // program cannot run: no QML scene, no usable network adapter, or settings it cannot save.
    bool init();
    // Leaves the event loop as the tray's "Exit" does; the destructor then ends the session.
    void quit();

    // One server per country, at most eight, in the order of the probe results ("ip:value",
    // fastest first); addresses that no catalogue server has are passed over.
    static Servers recommendedServers(const QStringList &pingResults, const Servers &catalogue);

    Q_INVOKABLE QString applicationDirPath() const;
    Q_INVOKABLE bool desktopSessionUbuntu() const;
    Q_INVOKABLE bool runningOnLinux() const;
    Q_INVOKABLE bool runningOnMacOS() const;
    Q_INVOKABLE bool runningOnWindows() const;
    Q_INVOKABLE bool settingsUserName() const;
    Q_INVOKABLE bool themeEditorMode() const;
    Q_INVOKABLE bool wireGuardIsSupported() const;
    Q_INVOKABLE int windowHeight() const { return mainWindowHeight; }
    Q_INVOKABLE void scheduleMinimizedMessage();
    Q_INVOKABLE void setFavorite(const QString &serverId, bool set);

public slots:
    void requestWirequardData();
    void messageReceived(const QString &message);
    void newVersionIsAvailable(const QString &version);
    void onKillSwitchEventActivated();

protected slots:
    void onConnectDisconnectActionClicked();
    void onConnectionStateChanged(ConnectionState::Id state);
    void onExitActionClicked();
    void onInitialConnectionStatusChanged();
    void onLanguageChanged(const QString &language);
    void onLastPingRequestFinished(const QStringList &data);
    void onRequestServerListFinished(const Servers &servers);
    void onSettingsActionClicked();
    void onShowMinimizedMessage();
    void onThemeDataChanged(bool loaded);
    void onTriggeredClicked();

private:
    // The start-up work that only a program that can run may begin.
    void start();
    void stopUpdateCheck();
    void logStartup();
    void registerQmlTypes();
    void showTrayState(ConnectionState::Id state);
    QQuickWindow *mainWindow() const;
    bool invokeQml(const char *method);
    void raiseMainWindow();
    void waitForDisconnection();

    ConnectionState::Id m_lastConnectionState = ConnectionState::Id::Unknown;
    MultiPing *m_pingService = nullptr;
    NetworkApi *m_networkApi = nullptr;
    OpenVpnNetworkInterfaces m_adapterDetector;
    QQmlApplicationEngine m_qmlEngine;
    QTranslator m_translator;
    ServerListModel *m_recentServersModel = nullptr;
    ServerListModel *m_recommendedServersModel = nullptr;
    ServerListModel *m_serverListModel = nullptr;
    ServiceController *m_serviceController = nullptr;
    SimpleListModel *m_simpleListModel = nullptr;
    Theme *m_theme = nullptr;
    ThemeListModel *m_themeListModel = nullptr;
    ThemeSectionListModel *m_themeSectionListModel = nullptr;
    Update *m_updater = nullptr;
    VpnCore *m_vpnCore = nullptr;
    SystemTray *m_systemTray = nullptr;
    bool m_serviceRunning = false;
    bool m_criticalServiceError = false;

    ComboBoxListModel *m_tcpComboBoxListModel = nullptr;
    bool m_translatorInstalled = false;
    bool m_initialStatusHandled = false;
    bool m_quitting = false;
};

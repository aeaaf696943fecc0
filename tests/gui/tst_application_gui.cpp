#include "account.h"
#include "application.h"
#include "logger.h"
#include "servicecontroller.h"
#include "settings.h"
#include "systemtray.h"
#include "testsupport.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "xdesktop.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QQuickWindow>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// An engine that reports what the test says, and, when asked to, goes down on a disconnect
// as a real one does: Disconnecting at once, Disconnected a moment later.
class ScriptedEngine final : public VpnClient
{
    Q_OBJECT

public:
    ScriptedEngine(bool answersDisconnect, int *disconnects, QObject *parent)
        : VpnClient(parent)
        , m_answersDisconnect(answersDisconnect)
        , m_disconnects(disconnects)
    {
    }

    void report(ConnectionState::Id state) { emit connectionStateChanged(state, QString(), false, QString()); }

public slots:
    void connectToVpn() override { }
    void disconnectFromVpn() override
    {
        ++*m_disconnects;
        if (!m_answersDisconnect)
            return;
        report(ConnectionState::Id::Disconnecting);
        QTimer::singleShot(300, this, [this] { report(ConnectionState::Id::Disconnected); });
    }
    QString name() const override { return QStringLiteral("scripted"); }
    QString configTemplatePath() const override { return QString(); }
    QString executablePath() const override { return QString(); }

private:
    const bool m_answersDisconnect;
    int *m_disconnects;
};

QWidget *visibleBalloon()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && QLatin1String(widget->metaObject()->className()) == QLatin1String("QBalloonTip"))
            return widget;
    }
    return nullptr;
}

QString balloonText(QWidget *balloon)
{
    QStringList texts;
    for (QLabel *label : balloon->findChildren<QLabel *>())
        texts << label->text();
    return texts.join(QLatin1Char('|'));
}

void closeBalloons()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (QLatin1String(widget->metaObject()->className()) == QLatin1String("QBalloonTip"))
            widget->close();
    }
    QCoreApplication::processEvents();
}

// The strongest opacity in the icon: the grey icon is at most a third opaque.
int maxAlpha(const QIcon &icon)
{
    const QImage image = icon.pixmap(64, 64).toImage().convertToFormat(QImage::Format_ARGB32);
    int alpha = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            alpha = qMax(alpha, qAlpha(image.pixel(x, y)));
    }
    return alpha;
}

} // namespace

// The application object itself on a virtual display with a real notification area: the tray's
// mirror of the connection, its balloons, the language switch, real clicks, and the quit.
class TestApplicationGui : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void trayMirrorsTheState_data();
    void trayMirrorsTheState();
    void balloons();
    void languageSwitch();
    void clicksOnTheIcon();
    void updateOffer();
    void exitWhileConnected_data();
    void exitWhileConnected();
    void failedStartStartsNothing();

private:
    void setState(ConnectionState::Id state);
    QString log() const;
    ScriptedEngine *connectedSession(bool answersDisconnect);

    int m_disconnects = 0;

    QTemporaryDir m_home;
    std::unique_ptr<XDesktop::TrayHost> m_tray;
    std::unique_ptr<Application> m_app;
    SystemTray *m_systemTray = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    VpnCore *m_vpnCore = nullptr;
    QAction *m_connectAction = nullptr;
    QAction *m_settingsAction = nullptr;
    QAction *m_exitAction = nullptr;
};

void TestApplicationGui::initTestCase()
{
    VELMORIX_REQUIRE(XDesktop::hasTools(), QStringLiteral("needs a display (xvfb-run), xdotool, xwininfo and trayer"));
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_home.filePath(QStringLiteral("var")).toLocal8Bit());
    // The application directory holds the maintenance tool of the update test.
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("app")));
    qputenv("VELMORIX_APP_DIR", m_home.filePath(QStringLiteral("app")).toLocal8Bit());
    qputenv("VELMORIX_API_BASE", QStringLiteral("http://127.0.0.1:%1").arg(TestSupport::freePort()).toLocal8Bit());
    QCoreApplication::setApplicationName(QStringLiteral("Velmorix"));
    QVERIFY(Settings::instance()->fileName().startsWith(m_home.path()));

    m_tray = std::make_unique<XDesktop::TrayHost>();
    QVERIFY(m_tray->waitReady());
    QTRY_VERIFY(QSystemTrayIcon::isSystemTrayAvailable());
}

void TestApplicationGui::init()
{
    Settings *settings = Settings::instance();
    settings->setStartMinimized(1);
    settings->setShowNotifications(true);
    settings->setLanguage(QString());
    // WireGuard, whose sessions need neither the DNS program nor the kill switch, so nothing
    // reaches the machine through a service that may run here.
    settings->setNetworkProtocol(3);
    settings->setUserName(QStringLiteral("demo"));
    settings->setPassword(QStringLiteral("demo-pass"));
    settings->saveGeneralSettings();

    m_app = std::make_unique<Application>();
    QVERIFY(m_app->init());
    m_systemTray = m_app->findChild<SystemTray *>();
    m_trayIcon = m_app->findChild<QSystemTrayIcon *>();
    m_vpnCore = m_app->findChild<VpnCore *>();
    m_connectAction = m_app->findChild<QAction *>(QStringLiteral("connectDisconnectAction"));
    m_settingsAction = m_app->findChild<QAction *>(QStringLiteral("settingsAction"));
    m_exitAction = m_app->findChild<QAction *>(QStringLiteral("exitAction"));
    QVERIFY(m_systemTray && m_trayIcon && m_vpnCore && m_connectAction && m_settingsAction && m_exitAction);
    QTRY_VERIFY(m_trayIcon->isVisible());
    // The program's own picture, from the resources the application object brings in.
    QVERIFY(!QImage(SystemTray::iconPath()).isNull());
    closeBalloons();
}

void TestApplicationGui::cleanup()
{
    m_app.reset();
    closeBalloons();
}

void TestApplicationGui::setState(ConnectionState::Id state)
{
    QVERIFY(QMetaObject::invokeMethod(m_app.get(), "onConnectionStateChanged", Q_ARG(ConnectionState::Id, state)));
    QCoreApplication::processEvents();
}

QString TestApplicationGui::log() const
{
    QFile file(Logger::instance()->logFilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestApplicationGui::trayMirrorsTheState_data()
{
    QTest::addColumn<ConnectionState::Id>("state");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("mode");

    using Id = ConnectionState::Id;
    QTest::newRow("Disconnected") << Id::Disconnected << "Connect" << true << int(SystemTray::Grey);
    QTest::newRow("Preparing") << Id::Preparing << "Preparing" << false << int(SystemTray::Grey);
    QTest::newRow("Connecting") << Id::Connecting << "Connecting..." << false << int(SystemTray::Flashing);
    QTest::newRow("Connected") << Id::Connected << "Disconnect" << true << int(SystemTray::Colour);
    QTest::newRow("Disconnecting") << Id::Disconnecting << "Disconnecting..." << false << int(SystemTray::Grey);
    QTest::newRow("Reconnecting") << Id::Reconnecting << "Reconnecting..." << false << int(SystemTray::Flashing);
    QTest::newRow("Error") << Id::Error << "Error!" << false << int(SystemTray::Grey);
    QTest::newRow("Unknown") << Id::Unknown << "Unknown" << false << int(SystemTray::Grey);
}

void TestApplicationGui::trayMirrorsTheState()
{
    QFETCH(ConnectionState::Id, state);
    QFETCH(int, mode);

    // From the opposite presentation, so that every row really changes something.
    setState(state == ConnectionState::Id::Connected ? ConnectionState::Id::Disconnected
                                                     : ConnectionState::Id::Connected);
    setState(state);
    QTEST(m_connectAction->text(), "text");
    QTEST(m_connectAction->isEnabled(), "enabled");
    if (mode == SystemTray::Flashing) {
        // Both icons in turn, a second each.
        QTRY_VERIFY_WITH_TIMEOUT(maxAlpha(m_trayIcon->icon()) <= 85, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(maxAlpha(m_trayIcon->icon()) > 85, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(maxAlpha(m_trayIcon->icon()) <= 85, 3000);
    } else {
        const bool colour = mode == SystemTray::Colour;
        QCOMPARE(maxAlpha(m_trayIcon->icon()) > 85, colour);
        // And it stays so: no flashing left over from the state before.
        QTest::qWait(1300);
        QCOMPARE(maxAlpha(m_trayIcon->icon()) > 85, colour);
    }
}

void TestApplicationGui::balloons()
{
    using Id = ConnectionState::Id;
    // The first state after the start is no news.
    setState(Id::Disconnected);
    QVERIFY(!visibleBalloon());
    QCOMPARE(m_trayIcon->toolTip(), QStringLiteral("Disconnected"));

    setState(Id::Connected);
    QWidget *balloon = visibleBalloon();
    QVERIFY(balloon);
    QVERIFY2(balloonText(balloon).contains(QLatin1String("Connected")), qPrintable(balloonText(balloon)));
    closeBalloons();

    // The same state again changes the menu but tells the user nothing.
    m_connectAction->setText(QString());
    setState(Id::Connected);
    QVERIFY(!visibleBalloon());
    QCOMPARE(m_connectAction->text(), QStringLiteral("Disconnect"));

    // States between the two have no message, and so no balloon.
    setState(Id::Disconnecting);
    QVERIFY(!visibleBalloon());
    QCOMPARE(m_trayIcon->toolTip(), QString());

    setState(Id::Disconnected);
    balloon = visibleBalloon();
    QVERIFY(balloon);
    QVERIFY(balloonText(balloon).contains(QLatin1String("Disconnected")));
    closeBalloons();

    Settings::instance()->setShowNotifications(false);
    setState(Id::Connected);
    QVERIFY(!visibleBalloon());
    QCOMPARE(m_trayIcon->toolTip(), QStringLiteral("Connected"));

    // Closing the window to the tray says that the program keeps running, when allowed to.
    QVERIFY(QMetaObject::invokeMethod(m_app.get(), "scheduleMinimizedMessage"));
    QVERIFY(!visibleBalloon());
    Settings::instance()->setShowNotifications(true);
    QVERIFY(QMetaObject::invokeMethod(m_app.get(), "scheduleMinimizedMessage"));
    balloon = visibleBalloon();
    QVERIFY(balloon);
    QVERIFY2(balloonText(balloon).contains(QLatin1String("Velmorix will be keep running in background")),
             qPrintable(balloonText(balloon)));
}

void TestApplicationGui::languageSwitch()
{
    setState(ConnectionState::Id::Connecting);
    Settings *settings = Settings::instance();
    settings->setLanguage(QStringLiteral("ru"));
    QCOMPARE(m_settingsAction->text(), QStringLiteral("Настройки"));
    QCOMPARE(m_exitAction->text(), QStringLiteral("Выход"));
    // The connect entry follows at once, in the state the controller is in.
    QCOMPARE(m_connectAction->text(), QStringLiteral("Подключить"));
    setState(ConnectionState::Id::Connecting);
    QCOMPARE(m_connectAction->text(), QStringLiteral("Подключение..."));

    settings->setLanguage(QStringLiteral("jp"));
    QCOMPARE(m_exitAction->text(), QStringLiteral("終了"));

    settings->setLanguage(QStringLiteral("en"));
    QCOMPARE(m_settingsAction->text(), QStringLiteral("Settings"));
    QCOMPARE(m_exitAction->text(), QStringLiteral("Exit"));
    QCOMPARE(m_connectAction->text(), QStringLiteral("Connect"));

    // A language without a translation says so and speaks English.
    settings->setLanguage(QStringLiteral("ru"));
    settings->setLanguage(QStringLiteral("xx"));
    QVERIFY(log().contains(QLatin1String("Application: Can't install translator for language: 'xx'")));
    QCOMPARE(m_exitAction->text(), QStringLiteral("Exit"));
    settings->setLanguage(QStringLiteral("ru"));
    settings->setLanguage(QString());
    QCOMPARE(m_exitAction->text(), QStringLiteral("Exit"));
}

void TestApplicationGui::clicksOnTheIcon()
{
    QQuickWindow *mainWindow = nullptr;
    for (QWindow *candidate : QGuiApplication::topLevelWindows()) {
        if (candidate->objectName() == QLatin1String("mainWindow"))
            mainWindow = qobject_cast<QQuickWindow *>(candidate);
    }
    QVERIFY(mainWindow);
    QVERIFY(!mainWindow->isVisible());
    QTRY_VERIFY(!m_trayIcon->geometry().isEmpty());

    // A real click on the icon raises the window.
    XDesktop::click(m_trayIcon->geometry().center(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(mainWindow->isVisible(), 5000);
    mainWindow->hide();

    // While the program quits the menu is off, and clicks do nothing.
    m_systemTray->setMenuEnabled(false);
    XDesktop::click(m_trayIcon->geometry().center(), 1);
    QTest::qWait(1000);
    QVERIFY(!mainWindow->isVisible());
    XDesktop::click(m_trayIcon->geometry().center(), 3);
    QTest::qWait(500);
    XDesktop::keys({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")});
    QTest::qWait(1000);
    QVERIFY(!mainWindow->isVisible());
}

void TestApplicationGui::updateOffer()
{
    const QString marker = m_home.filePath(QStringLiteral("app/updater-started"));
    QFile tool(m_home.filePath(QStringLiteral("app/maintenancetool")));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1'\n").arg(marker).toUtf8());
    tool.close();
    tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // Answers the box that the offer opens with the button of that text.
    QString shownText;
    auto answer = [&shownText](const QString &button) {
        QTimer::singleShot(200, [&shownText, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            shownText = box->text();
            for (QAbstractButton *candidate : box->buttons()) {
                if (candidate->text() == button)
                    QTest::mouseClick(candidate, Qt::LeftButton);
            }
        });
    };

    // No version: no question.
    QVERIFY(QMetaObject::invokeMethod(m_app.get(), "newVersionIsAvailable", Q_ARG(QString, QString())));
    QVERIFY(!QApplication::activeModalWidget());

    answer(QStringLiteral("Skip"));
    QVERIFY(QMetaObject::invokeMethod(m_app.get(), "newVersionIsAvailable", Q_ARG(QString, QStringLiteral("3.1.2"))));
    QCOMPARE(shownText, QStringLiteral("New version found.\nDo you want to update to version 3.1.2?"));
    // The tool runs now and then on its own (the check at start): only "--updater" counts.
    auto updaterStarts = [&marker] {
        QFile file(marker);
        return file.open(QIODevice::ReadOnly) ? file.readAll().count("--updater\n") : 0;
    };
    QTest::qWait(300);
    QCOMPARE(updaterStarts(), 0);

    answer(QStringLiteral("Update"));
    QVERIFY(QMetaObject::invokeMethod(m_app.get(), "newVersionIsAvailable", Q_ARG(QString, QStringLiteral("3.1.3"))));
    QTRY_COMPARE(updaterStarts(), 1);
    QVERIFY(log().contains(QLatin1String("Application: Close app and start installer")));
    QVERIFY(log().contains(QLatin1String("Update: Maintenance tool started in update mode: true")));
}

ScriptedEngine *TestApplicationGui::connectedSession(bool answersDisconnect)
{
    // The account request of the start went to a backend that is not there; the account of a
    // signed-in user takes its place.
    if (!QTest::qWaitFor([this] { return log().contains(QLatin1String("VpnCore: Account is not valid")); }, 20000))
        return nullptr;
    VpnClient::setAccount(Account(7,
                                  QStringLiteral("demo"),
                                  QStringLiteral("Active"),
                                  QString(),
                                  QString(),
                                  QStringLiteral("10.66.0.2"),
                                  QStringLiteral("key")));
    ScriptedEngine *engine = nullptr;
    m_disconnects = 0;
    m_vpnCore->setEngineFactoryForTesting([this, &engine, answersDisconnect](int, QObject *parent) {
        engine = new ScriptedEngine(answersDisconnect, &m_disconnects, parent);
        return engine;
    });
    m_vpnCore->setVpnServerIp(QStringLiteral("10.99.0.1"), QStringLiteral("nl, Amsterdam"));
    m_vpnCore->connectToVpn();
    if (!engine)
        return nullptr;
    engine->report(ConnectionState::Id::Connecting);
    engine->report(ConnectionState::Id::Connected);
    return engine;
}

void TestApplicationGui::exitWhileConnected_data()
{
    QTest::addColumn<bool>("answersDisconnect");
    QTest::newRow("the engine goes down") << true;
    QTest::newRow("the engine never answers") << false;
}

void TestApplicationGui::exitWhileConnected()
{
    QFETCH(bool, answersDisconnect);
    ScriptedEngine *engine = connectedSession(answersDisconnect);
    QVERIFY(engine);
    QCOMPARE(m_vpnCore->connectionState(), ConnectionState::Id::Connected);
    QCOMPARE(m_connectAction->text(), QStringLiteral("Disconnect"));
    const int logStart = log().size();

    m_exitAction->trigger();
    QVERIFY(!m_trayIcon->contextMenu()->isEnabled());
    // A second start of the program during the wait: its message may not bring the window back.
    bool shownDuringWait = false;
    QTimer::singleShot(100, m_app.get(), [this, &shownDuringWait] {
        QMetaObject::invokeMethod(m_app.get(), "messageReceived", Q_ARG(QString, QString()));
        for (QWindow *window : QGuiApplication::topLevelWindows())
            shownDuringWait = shownDuringWait || (qobject_cast<QQuickWindow *>(window) && window->isVisible());
    });
    QElapsedTimer clock;
    clock.start();
    m_app.reset();
    QVERIFY(clock.elapsed() < 60000);

    // Once from the quit; a controller left connected asks again on its way out.
    QCOMPARE(m_disconnects, answersDisconnect ? 1 : 2);
    const QString quit = log().mid(logStart);
    const QStringList order = {QStringLiteral("Application: Request to quit"),
                               QStringLiteral("Application: Waiting for a disconnection.."),
                               QStringLiteral("VpnCore: Disconnect from VPN"),
                               QStringLiteral("Application: Stopped")};
    int at = 0;
    for (const QString &line : order) {
        const int found = quit.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line + QStringLiteral(" in:\n") + quit));
        at = found;
    }
    const int down = quit.indexOf(QLatin1String("VpnCore: State set to 'Disconnected'"));
    if (answersDisconnect) {
        // The quit waited for the end of the session, and nothing came after it.
        QVERIFY2(down >= 0 && down < quit.indexOf(QLatin1String("Application: Stopped")), qPrintable(quit));
        QVERIFY2(quit.trimmed().endsWith(QLatin1String("Application: Stopped")), qPrintable(quit));
    } else {
        // It gave up after its five seconds; the controller's own last word follows.
        QCOMPARE(down, -1);
    }
    QVERIFY(!shownDuringWait);
    QVERIFY(!quit.contains(QLatin1String("Application: Message to show app on top")));
}

void TestApplicationGui::failedStartStartsNothing()
{
    m_app.reset();
    // A maintenance tool that notes every run, and settings that cannot be saved: the path of
    // the file is a folder.
    const QString marker = m_home.filePath(QStringLiteral("app/tool-runs"));
    QFile::remove(marker);
    QFile tool(m_home.filePath(QStringLiteral("app/maintenancetool")));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1'\n").arg(marker).toUtf8());
    tool.close();
    tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    Settings *settings = Settings::instance();
    settings->setAutoUpdateEnabled(true);
    settings->saveGeneralSettings();
    const QString file = settings->fileName();
    QVERIFY(QFile::rename(file, file + QStringLiteral(".aside")));
    QVERIFY(QDir().mkpath(file));
    auto restore = qScopeGuard([&file] {
        QDir().rmdir(file);
        QFile::rename(file + QStringLiteral(".aside"), file);
    });

    const int logStart = log().size();
    {
        Application failed;
        QVERIFY(!failed.init());
        auto *controller = failed.findChild<ServiceController *>();
        QVERIFY(controller);
        // However late the service answers, nothing starts behind the failure dialog.
        emit controller->initialConnectionStatusChanged();
        QTest::qWait(1500);
        const QString since = log().mid(logStart);
        QVERIFY2(since.contains(QLatin1String("critical\tApplication: Settings are not writeable!")),
                 qPrintable(since));
        QVERIFY2(!QFile::exists(marker), qPrintable(since));
        for (const char *started : {"NetworkApi: ", "VpnCore: Connect", "Update: "})
            QVERIFY2(!since.contains(QLatin1String(started)), qPrintable(since));
        for (QWindow *window : QGuiApplication::topLevelWindows())
            QVERIFY(!qobject_cast<QQuickWindow *>(window) || !window->isVisible());
    }
    QVERIFY(!QFile::exists(marker));
}

QTEST_MAIN(TestApplicationGui)
#include "tst_application_gui.moc"

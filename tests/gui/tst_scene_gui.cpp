#include "buildconfig.h"
#include "secretcipher.h"
#include "testbackend.h"
#include "testsupport.h"
#include "xdesktop.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using XDesktop::Window;

// The built program's screens as a person meets them: on a virtual display with a notification
// area, against a backend on loopback, with nothing but the pointer and the keyboard. What the
// person did is read back from what the program stored when it ended.
class TestSceneGui : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pickAServerByMouseAndKeyboard();
    void settingsWindowOpensAndClosesFromTheKeyboard();

private:
    bool startProgram();
    bool stopProgram();
    Window waitForWindow(const std::function<bool(const QSize &)> &size, bool viewable, int timeoutMs = 20000);
    QString log() const;
    QVariant stored(const QString &key) const;
    QImage shot(const Window &window) const;

    QTemporaryDir m_home;
    std::unique_ptr<XDesktop::TrayHost> m_tray;
    std::unique_ptr<TestBackend> m_backend;
    std::unique_ptr<QProcess> m_program;
};

namespace {

bool isMainWindow(const QSize &size)
{
    return size == QSize(400, 650);
}

bool isSettingsWindow(const QSize &size)
{
    return size.width() == 440 && size.height() >= 400;
}

QByteArray catalogueXml()
{
    return "<vorrinserverList>"
           "<server visible=\"1\" ip=\"127.0.10.1\" name=\"nl-1.example.net\" city=\"Amsterdam\" country=\"NL\"/>"
           "<server visible=\"1\" ip=\"127.0.11.1\" name=\"de-1.example.net\" city=\"Berlin\" country=\"DE\"/>"
           "<server visible=\"1\" ip=\"127.0.11.2\" name=\"de-2.example.net\" city=\"Frankfurt\" country=\"DE\"/>"
           "<server visible=\"1\" ip=\"127.0.12.1\" name=\"us-1.example.net\" city=\"New York\" country=\"US\"/>"
           "</vorrinserverList>";
}

// How many pixels of two pictures of the same size differ at all.
int changedPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int changed = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    }
    return changed;
}

} // namespace

void TestSceneGui::initTestCase()
{
    VELMORIX_REQUIRE(XDesktop::hasTools(), QStringLiteral("needs a display (xvfb-run), xdotool, xwininfo and trayer"));
    QVERIFY(m_home.isValid());
    m_tray = std::make_unique<XDesktop::TrayHost>();
    QVERIFY(m_tray->waitReady());
    m_backend = std::make_unique<TestBackend>();
    m_backend->catalogue = catalogueXml();
    m_backend->geoIp = "{\"data\":{\"ip\":\"198.51.100.23\",\"iso_code\":\"de\"}}";
}

bool TestSceneGui::startProgram()
{
    QDir(m_home.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(m_home.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    {
        // The window shows at the start, in English, on a location of the catalogue.
        QSettings store(m_home.filePath(QStringLiteral("config/VPN/VPNClient.conf")), QSettings::IniFormat);
        store.beginGroup(QStringLiteral("Settings"));
        store.setValue(QStringLiteral("startMinimized"), 0);
        store.setValue(QStringLiteral("language"), QStringLiteral("en"));
        store.setValue(QStringLiteral("currentServerId"), QStringLiteral("nl-1.example.net"));
        store.endGroup();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("run")));
    environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), m_home.filePath(QStringLiteral("var")));
    environment.insert(QStringLiteral("VELMORIX_API_BASE"), m_backend->base());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    environment.remove(QStringLiteral("DESKTOP_SESSION"));
    m_program = std::make_unique<QProcess>();
    m_program->setProcessChannelMode(QProcess::MergedChannels);
    m_program->setProcessEnvironment(environment);
    m_program->start(QStringLiteral(VELMORIX_PROGRAM), QStringList());
    return m_program->waitForStarted(10000);
}

bool TestSceneGui::stopProgram()
{
    ::kill(pid_t(m_program->processId()), SIGTERM);
    return m_program->waitForFinished(20000) && m_program->exitCode() == 0;
}

Window TestSceneGui::waitForWindow(const std::function<bool(const QSize &)> &size, bool viewable, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        const QList<Window> found = XDesktop::programWindows(QStringLiteral("velmorix"), size);
        bool anyViewable = false;
        for (const Window &window : found) {
            if (XDesktop::isViewable(window.id)) {
                anyViewable = true;
                if (viewable)
                    return window;
            }
        }
        if (!viewable && !anyViewable)
            return found.value(0, Window{QStringLiteral("none"), {}, {}, {}});
        QTest::qWait(100);
    } while (timer.elapsed() < timeoutMs);
    return Window();
}

QString TestSceneGui::log() const
{
    QDir folder(m_home.filePath(QStringLiteral("data/Velmorix/logs")));
    const QStringList files = folder.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Time);
    QFile file(files.isEmpty() ? QString() : folder.filePath(files.first()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QVariant TestSceneGui::stored(const QString &key) const
{
    QSettings store(m_home.filePath(QStringLiteral("config/VPN/VPNClient.conf")), QSettings::IniFormat);
    return store.value(QStringLiteral("Settings/") + key);
}

QImage TestSceneGui::shot(const Window &window) const
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, window.geometry.x(), window.geometry.y(), window.geometry.width(), window.geometry.height())
        .toImage();
}

void TestSceneGui::pickAServerByMouseAndKeyboard()
{
    QVERIFY(startProgram());
    const Window main = waitForWindow(isMainWindow, true);
    QVERIFY2(!main.id.isEmpty(), qPrintable(QString::fromLocal8Bit(m_program->readAll()) + log()));
    // The catalogue has arrived once the location shows the stored choice.
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QLatin1String("198.51.100.23")), 20000);
    QTest::qWait(500);
    XDesktop::screenshot(QStringLiteral("scene-main"));
    const QImage before = shot(main);
    const QPoint origin = main.geometry.topLeft();

    // The location opens the list; "2" is the tab of every server; typing searches.
    XDesktop::click(origin + QPoint(200, 88), 1);
    QTest::qWait(500);
    XDesktop::keys({QStringLiteral("2")});
    QTest::qWait(300);
    XDesktop::run(
        QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("frankfurt")});
    QTest::qWait(800);
    XDesktop::screenshot(QStringLiteral("scene-serverlist-search"));
    const QImage list = shot(main);
    QVERIFY2(changedPixels(before, list) > 400 * 650 / 4, "the list covers the window");

    // The one server found is the first row under its country: its star first, then the row.
    XDesktop::click(origin + QPoint(371, 281), 1);
    QTest::qWait(300);
    XDesktop::click(origin + QPoint(90, 281), 1);
    QTest::qWait(800);
    XDesktop::screenshot(QStringLiteral("scene-main-frankfurt"));
    // The list has closed over the main screen, which now names another location.
    const QImage after = shot(main);
    QVERIFY(changedPixels(after, list) > 400 * 650 / 4);
    QVERIFY(changedPixels(after, before) > 0);

    QVERIFY2(stopProgram(), qPrintable(log()));
    QCOMPARE(stored(QStringLiteral("currentServerId")).toString(), QStringLiteral("de-2.example.net"));
    QCOMPARE(stored(QStringLiteral("favorites")).toStringList(), QStringList(QStringLiteral("de-2.example.net")));
    QVERIFY2(!log().contains(QLatin1String("qrc:/")), qPrintable(log()));
}

void TestSceneGui::settingsWindowOpensAndClosesFromTheKeyboard()
{
    QVERIFY(startProgram());
    const Window main = waitForWindow(isMainWindow, true);
    QVERIFY(!main.id.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QLatin1String("198.51.100.23")), 20000);
    QTest::qWait(500);
    XDesktop::click(main.geometry.topLeft() + QPoint(200, 470), 1);
    QTest::qWait(300);

    XDesktop::keys({QStringLiteral("ctrl+s")});
    Window settings = waitForWindow(isSettingsWindow, true);
    QVERIFY2(!settings.id.isEmpty(), "Ctrl+S shows the settings window");
    QTest::qWait(500);
    XDesktop::screenshot(QStringLiteral("scene-settings"));

    // A name typed into the field and left with Escape is gone when the window comes back:
    // credentials are kept only by "Update".
    const QRect userField(220 - 150, 210 - 12, 300, 24);
    const QPoint updateButton(348, 341);
    const QImage emptyField = shot(settings).copy(userField);
    XDesktop::click(settings.geometry.topLeft() + userField.center(), 1);
    XDesktop::run(QStringLiteral("xdotool"),
                  {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), QStringLiteral("someone")});
    QTest::qWait(300);
    QVERIFY2(changedPixels(shot(settings).copy(userField), emptyField) > 0, "the typed name shows");
    XDesktop::keys({QStringLiteral("Escape")});
    QVERIFY2(!waitForWindow(isSettingsWindow, false, 10000).id.isEmpty(), "Escape hides the settings window");
    QVERIFY(XDesktop::isViewable(main.id));
    // Without a window manager nothing gives the main window the keyboard back: a click does.
    XDesktop::click(main.geometry.topLeft() + QPoint(200, 470), 1);
    QTest::qWait(300);
    XDesktop::keys({QStringLiteral("ctrl+s")});
    settings = waitForWindow(isSettingsWindow, true);
    QVERIFY(!settings.id.isEmpty());
    QTest::qWait(500);
    QCOMPARE(changedPixels(shot(settings).copy(userField), emptyField), 0);

    XDesktop::click(settings.geometry.topLeft() + userField.center(), 1);
    XDesktop::run(QStringLiteral("xdotool"),
                  {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), QStringLiteral("someone")});
    XDesktop::click(settings.geometry.topLeft() + updateButton, 1);
    QTest::qWait(500);
    XDesktop::screenshot(QStringLiteral("scene-settings-updated"));

    QVERIFY2(stopProgram(), qPrintable(log()));
    QCOMPARE(
        SecretCipher(BuildConfig::settingsCipherKey).decryptToString(stored(QStringLiteral("userName")).toString()),
        QStringLiteral("someone"));
    QVERIFY2(!log().contains(QLatin1String("qrc:/")), qPrintable(log()));
}

QTEST_MAIN(TestSceneGui)
#include "tst_scene_gui.moc"

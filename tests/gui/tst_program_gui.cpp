#include "testsupport.h"
#include "xdesktop.h"

#include <QDirIterator>
#include <QLocalSocket>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using XDesktop::Window;

namespace {

// One run of the built program with a home of its own: settings, logs, the single-instance
// lock and the data folder all live in the test's temporary folder, and the backend is a
// loopback port where nothing listens.
class ProgramRun
{
public:
    ProgramRun(const QString &home, const QString &program = QStringLiteral(VELMORIX_PROGRAM))
        : m_home(home)
        , m_program(program)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setProcessEnvironment(environment(home));
    }
    ~ProgramRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    static QProcessEnvironment environment(const QString &home)
    {
        QDir(home).mkpath(QStringLiteral("run"));
        QFile::setPermissions(home + QStringLiteral("/run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
        environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), home + QStringLiteral("/var"));
        environment.insert(QStringLiteral("VELMORIX_API_BASE"),
                           QStringLiteral("http://127.0.0.1:%1").arg(TestSupport::freePort()));
        // The desktop's opener of folders, as a program that notes what it was asked to open.
        environment.insert(QStringLiteral("PATH"),
                           home + QStringLiteral("/bin:") + environment.value(QStringLiteral("PATH")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
        environment.remove(QStringLiteral("QT_SCALE_FACTOR_ROUNDING_POLICY"));
        environment.remove(QStringLiteral("QML_DISABLE_DISK_CACHE"));
        environment.remove(QStringLiteral("DESKTOP_SESSION"));
        return environment;
    }

    void start() { m_process.start(m_program, QStringList()); }
    QProcess &process() { return m_process; }

    bool finished(int timeoutMs)
    {
        return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    }

    // The program's own log of this run (the newest file of its log folder).
    QString log(const QString &product = QStringLiteral("Velmorix")) const
    {
        QDir folder(m_home + QStringLiteral("/data/") + product + QStringLiteral("/logs"));
        const QStringList files = folder.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Time);
        if (files.isEmpty())
            return QString();
        QFile file(folder.filePath(files.first()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    bool waitForLog(const QString &text, int timeoutMs = 20000, const QString &product = QStringLiteral("Velmorix"))
    {
        QElapsedTimer timer;
        timer.start();
        while (!log(product).contains(text)) {
            if (timer.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
                return log(product).contains(text);
            QTest::qWait(50);
        }
        return true;
    }

    QString output() { return QString::fromLocal8Bit(m_process.readAll()); }

private:
    QString m_home;
    QString m_program;
    QProcess m_process;
};

bool isMainWindow(const QSize &size)
{
    return size == QSize(400, 650);
}

bool isTrayIcon(const QSize &size)
{
    return size.width() > 1 && size.width() <= 48 && size.height() <= 48;
}

bool isDialog(const QSize &size)
{
    return !isMainWindow(size) && size.width() > 100 && size.height() > 40;
}

// A window of the program once it is there (and, when asked, viewable), or none in time.
Window waitForWindow(const QString &instance,
                     const std::function<bool(const QSize &)> &kind,
                     bool viewable,
                     int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    do {
        for (const Window &window : XDesktop::programWindows(instance, kind)) {
            if (!viewable || XDesktop::isViewable(window.id))
                return window;
        }
        QTest::qWait(100);
    } while (timer.elapsed() < timeoutMs);
    return Window();
}

bool mainWindowShown(const QString &instance = QStringLiteral("velmorix"))
{
    for (const Window &window : XDesktop::programWindows(instance, isMainWindow)) {
        if (XDesktop::isViewable(window.id))
            return true;
    }
    return false;
}

void openTrayMenuAndChoose(const Window &icon, int entriesDown)
{
    XDesktop::click(icon.geometry.center(), 3);
    QTest::qWait(500);
    QStringList keys;
    for (int i = 0; i < entriesDown; ++i)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Return");
    XDesktop::keys(keys);
}

} // namespace

// The built program as a person meets it, on a virtual display with a real notification area.
class TestProgramGui : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void startsInTheTray();
    void secondStartRaisesTheFirst();
    void lockOfAKilledInstanceIsTakenOver();
    void lockOfAProgramThatDoesNotAnswer();
    void trayMenu();
    void trayHostThatComesLate();
    void withoutTrayHost();
    void failedStartOffersTheLogs();
    void themeEditorBesideTheClient();

private:
    void writeSettings(const QVariantMap &values);
    // Starts the program and waits until it has built everything and shows its tray icon.
    Window startAndWaitForTray(ProgramRun &run);

    std::unique_ptr<QTemporaryDir> m_home;
};

void TestProgramGui::initTestCase()
{
    VELMORIX_REQUIRE(XDesktop::hasTools(), QStringLiteral("needs a display (xvfb-run), xdotool, xwininfo and trayer"));
}

void TestProgramGui::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    QDir(m_home->path()).mkpath(QStringLiteral("bin"));
    QFile opener(m_home->filePath(QStringLiteral("bin/xdg-open")));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    // It notes too the toolkit variables it got, which are the program's own business.
    opener.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1'\n"
                                "env | grep -E '^(QT_SCALE_FACTOR|QT_SCALE_FACTOR_ROUNDING_POLICY|"
                                "QML_DISABLE_DISK_CACHE)=' >> '%1.env'\n")
                     .arg(m_home->filePath(QStringLiteral("opened")))
                     .toUtf8());
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Nothing that survives from the test before: no icon, no window, no menu.
    QTRY_VERIFY_WITH_TIMEOUT(XDesktop::programWindows(QStringLiteral("velmorix"), isMainWindow).isEmpty(), 10000);
}

void TestProgramGui::writeSettings(const QVariantMap &values)
{
    QSettings store(m_home->filePath(QStringLiteral("config/VPN/VPNClient.conf")), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("Settings"));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        store.setValue(it.key(), it.value());
    store.endGroup();
    store.sync();
}

Window TestProgramGui::startAndWaitForTray(ProgramRun &run)
{
    run.start();
    if (!run.waitForLog(QStringLiteral("Application: vpn-service is running")))
        return Window();
    return waitForWindow(QStringLiteral("velmorix"), isTrayIcon, true);
}

void TestProgramGui::startsInTheTray()
{
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    writeSettings({{QStringLiteral("startMinimized"), 1}});

    ProgramRun run(m_home->path());
    const Window icon = startAndWaitForTray(run);
    QVERIFY2(!icon.id.isEmpty(), qPrintable(run.output() + run.log()));
    QVERIFY(!run.log().contains(QLatin1String("\tcritical\tApplication: Cannot")));
    // The version of the build, from the component file beside the program.
    QVERIFY(QRegularExpression(QStringLiteral("Application: Velmorix version '\\d+\\.\\d+\\.\\d+', date: "))
                .match(run.log())
                .hasMatch());
    // A window that was never shown has no place on the screen yet.
    QVERIFY(!mainWindowShown());
    XDesktop::screenshot(QStringLiteral("tray-only"));

    // A click on the icon brings the window.
    XDesktop::click(icon.geometry.center(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 10000);
    XDesktop::screenshot(QStringLiteral("window-raised"));

    // The session's end is an orderly exit.
    ::kill(pid_t(run.process().processId()), SIGTERM);
    QVERIFY(run.finished(20000));
    QCOMPARE(run.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.process().exitCode(), 0);
    QVERIFY(run.log().trimmed().endsWith(QLatin1String("Application: Stopped")));
}

void TestProgramGui::secondStartRaisesTheFirst()
{
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    writeSettings({{QStringLiteral("startMinimized"), 1}});

    ProgramRun first(m_home->path());
    QVERIFY(!startAndWaitForTray(first).id.isEmpty());
    QVERIFY(!mainWindowShown());

    // Another local program on the instance's socket: one that claims a huge message, one that
    // says nothing. Neither takes the instance down or blocks the next start.
    const QString socketPath = m_home->filePath(QStringLiteral("run/Velmorix.socket"));
    QVERIFY(QFile::exists(socketPath));
    QLocalSocket greedy;
    greedy.connectToServer(socketPath);
    QVERIFY(greedy.waitForConnected(5000));
    greedy.write(QByteArray::fromHex("80000000") + QByteArray(64, 'x'));
    QVERIFY(greedy.waitForBytesWritten(5000));
    QLocalSocket silent;
    silent.connectToServer(socketPath);
    QVERIFY(silent.waitForConnected(5000));
    QVERIFY(first.waitForLog(QStringLiteral("SingleApplication: Refused a message of 2147483648 bytes")));
    QTRY_VERIFY_WITH_TIMEOUT(greedy.state() == QLocalSocket::UnconnectedState, 5000);
    QVERIFY(!mainWindowShown());

    ProgramRun second(m_home->path());
    second.start();
    QVERIFY(second.finished(15000));
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process().exitCode(), 0);
    QVERIFY(first.waitForLog(QStringLiteral("Application: Message to show app on top")));
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 10000);
    // The second start never got as far as a log of its own.
    QCOMPARE(QDir(m_home->filePath(QStringLiteral("data/Velmorix/logs")))
                 .entryList({QStringLiteral("*.log")}, QDir::Files)
                 .size(),
             1);
    QCOMPARE(XDesktop::programWindows(QStringLiteral("velmorix"), isMainWindow).size(), 1);
    QVERIFY(first.process().state() == QProcess::Running);
}

void TestProgramGui::lockOfAKilledInstanceIsTakenOver()
{
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    writeSettings({{QStringLiteral("startMinimized"), 1}});

    {
        ProgramRun killed(m_home->path());
        QVERIFY(!startAndWaitForTray(killed).id.isEmpty());
        killed.process().kill();
        QVERIFY(killed.finished(5000));
    }
    // The lock file and the socket of the dead instance are still there.
    QVERIFY(!QDir(m_home->filePath(QStringLiteral("run"))).entryList(QDir::Files | QDir::System).isEmpty());
    QTest::qWait(1100); // a log file of its own: their names carry the second

    ProgramRun next(m_home->path());
    QVERIFY(!startAndWaitForTray(next).id.isEmpty());
    QTest::qWait(500);
    QVERIFY(next.process().state() == QProcess::Running);

    next.process().terminate();
    QVERIFY(next.finished(20000));

    // A lock cut short (empty, as after a full disk) names no process; once it is a few seconds
    // old and nobody answers, it is taken over too.
    {
        QFile broken(m_home->filePath(QStringLiteral("run/Velmorix.lock")));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.close();
        QVERIFY(broken.open(QIODevice::ReadWrite));
        QVERIFY(broken.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    QTest::qWait(1100);
    ProgramRun afterBroken(m_home->path());
    QVERIFY2(!startAndWaitForTray(afterBroken).id.isEmpty(), qPrintable(afterBroken.output()));

    // And it answers a later start as the running instance.
    ProgramRun third(m_home->path());
    third.start();
    QVERIFY(third.finished(15000));
    QCOMPARE(third.process().exitCode(), 0);
    QVERIFY(afterBroken.waitForLog(QStringLiteral("Application: Message to show app on top")));
}

void TestProgramGui::lockOfAProgramThatDoesNotAnswer()
{
    // A lock that names a live program which never listens: the start may not look like a
    // running instance was raised; it says so and fails.
    QProcess holder;
    holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(holder.waitForStarted());
    ProgramRun::environment(m_home->path());
    QFile lock(m_home->filePath(QStringLiteral("run/Velmorix.lock")));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QStringLiteral("%1\nsleep\n%2\n").arg(holder.processId()).arg(QSysInfo::machineHostName()).toUtf8());
    lock.close();

    ProgramRun run(m_home->path());
    run.start();
    QVERIFY(run.finished(20000));
    const QString output = run.output();
    QCOMPARE(run.process().exitCode(), 1);
    QVERIFY2(output.contains(QLatin1String("SingleApplication: The running instance did not answer")),
             qPrintable(output));
    QVERIFY2(output.contains(QLatin1String("is held by a program that does not answer, not starting")),
             qPrintable(output));

    // Once the holder is gone, the same start runs.
    holder.kill();
    QVERIFY(holder.waitForFinished(5000));
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    writeSettings({{QStringLiteral("startMinimized"), 1}});
    ProgramRun next(m_home->path());
    QVERIFY2(!startAndWaitForTray(next).id.isEmpty(), qPrintable(next.output()));
}

void TestProgramGui::trayMenu()
{
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    // OpenVPN, so that a connect without credentials stops at them.
    writeSettings({{QStringLiteral("startMinimized"), 1}, {QStringLiteral("networkProtocol"), 0}});

    ProgramRun run(m_home->path());
    const Window icon = startAndWaitForTray(run);
    QVERIFY(!icon.id.isEmpty());
    QVERIFY(!mainWindowShown());

    XDesktop::click(icon.geometry.center(), 3);
    QTest::qWait(500);
    XDesktop::screenshot(QStringLiteral("tray-menu"));
    XDesktop::keys({QStringLiteral("Escape")});

    // "Settings" raises the main window first.
    openTrayMenuAndChoose(icon, 2);
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 10000);

    // "Connect" asks the controller, which finds no credentials.
    openTrayMenuAndChoose(icon, 1);
    QVERIFY(run.waitForLog(QStringLiteral("VpnCore: Username or password is empty!"), 10000));

    // "Exit" ends the program in order.
    openTrayMenuAndChoose(icon, 3);
    QVERIFY(run.finished(20000));
    QCOMPARE(run.process().exitCode(), 0);
    const QString log = run.log().trimmed();
    QVERIFY2(log.endsWith(QLatin1String("Application: Stopped")), qPrintable(log.right(400)));
    QVERIFY(log.indexOf(QLatin1String("Application: Request to quit")) < log.indexOf(QLatin1String("Stopped")));
}

void TestProgramGui::trayHostThatComesLate()
{
    ProgramRun run(m_home->path());
    run.start();
    QTest::qWait(2000);
    QVERIFY(run.process().state() == QProcess::Running);
    QVERIFY(run.log().isEmpty());

    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    QVERIFY2(run.waitForLog(QStringLiteral("Application: vpn-service is running")), qPrintable(run.output()));
    QVERIFY(!waitForWindow(QStringLiteral("velmorix"), isTrayIcon, true).id.isEmpty());
    // startMinimized is 0: the window shows.
    QVERIFY(!waitForWindow(QStringLiteral("velmorix"), isMainWindow, true).id.isEmpty());
}

void TestProgramGui::withoutTrayHost()
{
    ProgramRun run(m_home->path());
    run.start();
    // The program waits for a notification area, then says that it found none.
    const Window box = waitForWindow(QStringLiteral("velmorix"), isDialog, true, 30000);
    QVERIFY2(!box.id.isEmpty(), qPrintable(run.output()));
    QVERIFY(run.process().state() == QProcess::Running);
    QVERIFY(XDesktop::waitPainted(box.geometry));
    XDesktop::screenshot(QStringLiteral("no-tray"));
    XDesktop::keys({QStringLiteral("Return")});
    QVERIFY(run.finished(10000));
    QCOMPARE(run.process().exitCode(), 1);
    // It never got as far as its application object.
    QVERIFY(run.log().isEmpty());
}

void TestProgramGui::failedStartOffersTheLogs()
{
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    // Where the settings file should be, a folder: the settings cannot be saved.
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral("config/VPN/VPNClient.conf")));

    ProgramRun run(m_home->path());
    run.start();
    QVERIFY(run.waitForLog(QStringLiteral("\tcritical\tApplication: Settings are not writeable! Check '%1'")
                               .arg(m_home->filePath(QStringLiteral("config/VPN/VPNClient.conf")))));
    const Window box = waitForWindow(QStringLiteral("velmorix"), isDialog, true);
    QVERIFY(!box.id.isEmpty());
    QVERIFY(XDesktop::waitPainted(box.geometry));
    // The program is about to end: the box stands alone, without the window it will not run.
    QVERIFY(!mainWindowShown());
    XDesktop::screenshot(QStringLiteral("failed-start"));

    // "Close" has the focus; the next button is "Show logs", which opens the folder and leaves
    // the box where it is, as often as it is pressed.
    const QString opened = m_home->filePath(QStringLiteral("opened"));
    XDesktop::keys({QStringLiteral("Tab"), QStringLiteral("space")});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(opened), 10000);
    XDesktop::keys({QStringLiteral("space")});
    auto openedLines = [&opened] {
        QFile file(opened);
        return file.open(QIODevice::ReadOnly)
            ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            : QStringList();
    };
    QTRY_COMPARE_WITH_TIMEOUT(openedLines().size(), 2, 10000);
    for (const QString &line : openedLines())
        QVERIFY2(line.endsWith(m_home->filePath(QStringLiteral("data/Velmorix/logs"))), qPrintable(line));
    QFile inherited(opened + QStringLiteral(".env"));
    QVERIFY(inherited.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(inherited.readAll()), QString());
    QVERIFY(run.process().state() == QProcess::Running);
    QVERIFY(XDesktop::isViewable(box.id));

    XDesktop::keys({QStringLiteral("Escape")});
    QVERIFY(run.finished(10000));
    QCOMPARE(run.process().exitCode(), 255);
}

void TestProgramGui::themeEditorBesideTheClient()
{
    XDesktop::TrayHost tray;
    QVERIFY(tray.waitReady());
    writeSettings({{QStringLiteral("startMinimized"), 1}});

    ProgramRun client(m_home->path());
    QVERIFY(!startAndWaitForTray(client).id.isEmpty());
    // Another name, another instance: the editor runs beside the client.
    ProgramRun editor(m_home->path(), QStringLiteral(VELMORIX_EDITOR_PROGRAM));
    editor.start();
    QVERIFY2(editor.waitForLog(QStringLiteral("Application: Radizidivi version"), 20000, QStringLiteral("Radizidivi")),
             qPrintable(editor.output()));
    QVERIFY(editor.waitForLog(QStringLiteral("NetworkInterfaces: Detected"), 20000, QStringLiteral("Radizidivi")));
    const Window editorIcon = waitForWindow(QStringLiteral("velmorix-theme-editor"), isTrayIcon, true);
    QVERIFY(!editorIcon.id.isEmpty());
    QVERIFY(client.process().state() == QProcess::Running);
    QVERIFY(!mainWindowShown(QStringLiteral("velmorix-theme-editor")));

    // The editor connects nothing: its first enabled entry is "Settings", which shows its window.
    openTrayMenuAndChoose(editorIcon, 1);
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(QStringLiteral("velmorix-theme-editor")), 10000);
    QCOMPARE(waitForWindow(QStringLiteral("velmorix-theme-editor"), isMainWindow, true).name,
             QStringLiteral("Radizidivi"));
    XDesktop::screenshot(QStringLiteral("theme-editor"));
    QVERIFY(!editor.log(QStringLiteral("Radizidivi")).contains(QLatin1String("VpnCore: Username or password")));
}

QTEST_MAIN(TestProgramGui)
#include "tst_program_gui.moc"

// How the program starts and idles, beside the floor of the toolkit itself: the time from
// starting the program to its main window on the screen, its resident memory once settled, and
// the processor time it takes while it idles in the tray. The floor is a bare QML program that
// shows an empty window of the same size (this program, run with --floor). Runs on an X display
// with a notification area (scripts/bench: xvfb-run, and trayer started here).
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int rounds = 5;
constexpr int windowWidth = 400;
constexpr int windowHeight = 650;

int runFloor(int argc, char **argv, bool hidden)
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData(QStringLiteral("import QtQuick 2.15\nimport QtQuick.Controls 2.15\n"
                                   "ApplicationWindow { width: %1; height: %2; visible: %3; title: \"floor\" }\n")
                        .arg(windowWidth)
                        .arg(windowHeight)
                        .arg(hidden ? QStringLiteral("false") : QStringLiteral("true"))
                        .toUtf8());
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}

// Watches the display for a top-level window of the main window's size being mapped.
class MapWatch
{
public:
    MapWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_ok = true;
    }
    ~MapWatch() { xcb_disconnect(m_connection); }

    bool ok() const { return m_ok; }

    // Milliseconds until such a window maps, or -1 after `timeoutMs`.
    qint64 waitForMainWindow(const QElapsedTimer &since, int timeoutMs)
    {
        while (since.elapsed() < timeoutMs) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
                free(event);
                if (mapped && hasMainWindowSize(window))
                    return since.elapsed();
            }
            QThread::usleep(500);
        }
        return -1;
    }

    // Drops what happened so far.
    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            free(event);
    }

private:
    bool hasMainWindowSize(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *geometry =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        const bool match = geometry && geometry->width == windowWidth && geometry->height == windowHeight;
        free(geometry);
        return match;
    }

    xcb_connection_t *m_connection;
    bool m_ok = false;
};

// One run of the program or of the floor, with a home of its own so that nothing is shared
// between runs (single-instance lock, settings, logs).
class Run
{
public:
    Run(const QString &program, const QStringList &arguments, bool hidden)
    {
        const QString home = m_home.path();
        QDir(home).mkpath(QStringLiteral("run"));
        QFile::setPermissions(home + QStringLiteral("/run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        {
            QSettings store(home + QStringLiteral("/config/VPN/VPNClient.conf"), QSettings::IniFormat);
            store.setValue(QStringLiteral("Settings/startMinimized"), hidden ? 1 : 0);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
        environment.insert(QStringLiteral("VELMORIX_DATA_DIR"), home + QStringLiteral("/var"));
        // A backend that refuses at once: the same work on every run, and no waiting.
        environment.insert(QStringLiteral("VELMORIX_API_BASE"), QStringLiteral("http://127.0.0.1:9"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_program = program;
        m_arguments = arguments;
    }
    ~Run()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    void start() { m_process.start(m_program, m_arguments); }
    qint64 pid() const { return m_process.processId(); }

private:
    QTemporaryDir m_home;
    QProcess m_process;
    QString m_program;
    QStringList m_arguments;
};

QByteArray procFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A "/proc/PID/status" figure in megabytes (the file gives kB), or -1.
double statusMegabytes(qint64 pid, const QByteArray &key)
{
    for (const QByteArray &line : procFile(pid, "status").split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

double cpuMilliseconds(qint64 pid)
{
    // The fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
    const QByteArray stat = procFile(pid, "stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

struct Figures
{
    double startMs = -1;
    double residentMb = -1;
    // What the process alone holds: its heap and anonymous pages, without the shared
    // libraries' pages (under Xvfb the software OpenGL alone maps some 55 MB of LLVM).
    double privateMb = -1;
    double idleCpuMs = -1;
};

Figures
measure(MapWatch &watch, const QString &program, const QStringList &arguments, const QStringList &hiddenArguments)
{
    Figures figures;
    std::vector<double> starts;
    for (int i = 0; i < rounds; ++i) {
        Run run(program, arguments, false);
        watch.drain();
        QElapsedTimer since;
        since.start();
        run.start();
        const qint64 mapped = watch.waitForMainWindow(since, 30000);
        if (mapped < 0)
            return figures;
        starts.push_back(double(mapped));
        if (i == rounds - 1) {
            QThread::sleep(5);
            figures.residentMb = statusMegabytes(run.pid(), "VmRSS");
            figures.privateMb = statusMegabytes(run.pid(), "RssAnon") + statusMegabytes(run.pid(), "RssShmem");
        }
    }
    std::sort(starts.begin(), starts.end());
    figures.startMs = starts[starts.size() / 2];

    Run idle(program, hiddenArguments, true);
    idle.start();
    QThread::sleep(3);
    const double before = cpuMilliseconds(idle.pid());
    QThread::sleep(10);
    const double after = cpuMilliseconds(idle.pid());
    if (before >= 0 && after >= 0)
        figures.idleCpuMs = after - before;
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--floor") == 0)
        return runFloor(argc, argv, argc > 2 && qstrcmp(argv[2], "--hidden") == 0);

    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("startup: run on an X display (scripts/bench uses xvfb-run); nothing measured\n");
        return 0;
    }
    MapWatch watch;
    if (!watch.ok()) {
        std::printf("startup: cannot open the X display; nothing measured\n");
        return 1;
    }
    // The program waits for a notification area before it shows anything.
    QProcess tray;
    tray.start(QStringLiteral("trayer"),
               {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"), QStringLiteral("right")});
    if (!tray.waitForStarted(5000)) {
        std::printf("startup: trayer is missing (scripts/setup installs it); nothing measured\n");
        return 1;
    }
    QThread::sleep(1);

    const QString self = QString::fromLocal8Bit(argv[0]);
    const QString program = QStringLiteral(VELMORIX_PROGRAM);
    const Figures floor =
        measure(watch, self, {QStringLiteral("--floor")}, {QStringLiteral("--floor"), QStringLiteral("--hidden")});
    const Figures client = measure(watch, program, {}, {});
    tray.kill();
    tray.waitForFinished(3000);

    if (client.startMs < 0 || floor.startMs < 0) {
        std::printf("startup: a main window never appeared; nothing measured\n");
        return 1;
    }
    std::printf("startup: %d starts each, window %dx%d; floor: a bare QML window\n", rounds, windowWidth, windowHeight);
    std::printf("start to window mapped (median): %7.0f ms   floor %7.0f ms   ratio %.2f (goal 1.5)\n",
                client.startMs,
                floor.startMs,
                client.startMs / floor.startMs);
    std::printf("resident after 5 s idle:         %7.1f MB   floor %7.1f MB   ratio %.2f (goal under 80 MB)\n",
                client.residentMb,
                floor.residentMb,
                client.residentMb / floor.residentMb);
    std::printf("  of it private to the process:  %7.1f MB   floor %7.1f MB   ratio %.2f\n",
                client.privateMb,
                floor.privateMb,
                client.privateMb / floor.privateMb);
    std::printf("processor over 10 s, hidden:     %7.0f ms   floor %7.0f ms   (goal none)\n",
                client.idleCpuMs,
                floor.idleCpuMs);
    return 0;
}

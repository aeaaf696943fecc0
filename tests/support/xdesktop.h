#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

// The X display of a GUI test (xvfb-run makes one per test program), driven from outside as
// a person would: xdotool moves the pointer and presses keys, xwininfo reports windows, and
// trayer is the notification area.
namespace XDesktop {

inline QString run(const QString &program, const QStringList &arguments, int timeoutMs = 10000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

inline bool hasTools()
{
    for (const char *tool : {"xdotool", "xwininfo", "trayer"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return false;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY");
}

struct Window
{
    QString id; // as xwininfo writes it, "0x400015"
    QString name;
    QString instance; // WM_CLASS instance, the program's name
    QRect geometry; // absolute
};

// Every window of the display with its name, class and absolute place.
inline QList<Window> windows()
{
    // 0x400015 "Velmorix": ("velmorix" "Velmorix")  400x650+312+59  +312+59
    static const QRegularExpression line(
        QStringLiteral("^\\s*(0x[0-9a-f]+) (?:\"(.*)\"|\\(has no name\\)): \\((?:\"([^\"]*)\" \"[^\"]*\")?\\)\\s+"
                       "(\\d+)x(\\d+)[+-]-?\\d+[+-]-?\\d+\\s+\\+?(-?\\d+)\\+?(-?\\d+)"));
    QList<Window> found;
    for (const QString &text :
         run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        if (!match.hasMatch())
            continue;
        found << Window{match.captured(1),
                        match.captured(2),
                        match.captured(3),
                        QRect(match.captured(6).toInt(),
                              match.captured(7).toInt(),
                              match.captured(4).toInt(),
                              match.captured(5).toInt())};
    }
    return found;
}

// The windows of a program (by its WM_CLASS instance) that have a size of that kind.
inline QList<Window> programWindows(const QString &instance, const std::function<bool(const QSize &)> &size)
{
    QList<Window> result;
    for (const Window &window : windows()) {
        if (window.instance == instance && size(window.geometry.size()))
            result << window;
    }
    return result;
}

inline bool isViewable(const QString &id)
{
    // Without an id xwininfo would wait for a click on a window.
    if (id.isEmpty())
        return false;
    return run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}).contains(QLatin1String("IsViewable"));
}

inline void click(const QPoint &at, int button)
{
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"),
         QString::number(at.x()),
         QString::number(at.y()),
         QStringLiteral("click"),
         QString::number(button)});
}

inline void keys(const QStringList &names)
{
    // A little delay between keys, so that a menu that opens on one has opened for the next.
    run(QStringLiteral("xdotool"),
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("150")} + names);
}

// Saves what the screen shows, for a person to look at; never compared.
inline void screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("VELMORIX_SCREENSHOT_DIR");
    if (folder.isEmpty() || !QGuiApplication::primaryScreen())
        return;
    QDir().mkpath(folder);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// True once the area shows more than one colour: a window is mapped before it is painted, and
// a picture taken in between shows the desktop where the window is.
inline bool waitPainted(const QRect &area, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    do {
        const QImage image =
            QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != image.pixel(0, 0))
                    return true;
            }
        }
        QTest::qWait(100);
    } while (timer.elapsed() < timeoutMs);
    return false;
}

// trayer as the notification area, at the top right of the screen, for as long as it lives.
class TrayHost
{
public:
    TrayHost()
    {
        m_process.start(QStringLiteral("trayer"),
                        {QStringLiteral("--edge"),
                         QStringLiteral("top"),
                         QStringLiteral("--align"),
                         QStringLiteral("right"),
                         QStringLiteral("--widthtype"),
                         QStringLiteral("request"),
                         QStringLiteral("--height"),
                         QStringLiteral("32"),
                         QStringLiteral("--transparent"),
                         QStringLiteral("false"),
                         QStringLiteral("--tint"),
                         QStringLiteral("0x333333"),
                         QStringLiteral("--SetDockType"),
                         QStringLiteral("true")});
    }
    ~TrayHost()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
    TrayHost(const TrayHost &) = delete;
    TrayHost &operator=(const TrayHost &) = delete;

    // True once trayer's panel is on the screen, and so its tray selection taken.
    bool waitReady(int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs && m_process.state() != QProcess::NotRunning) {
            for (const Window &window : windows()) {
                if (window.name == QLatin1String("panel") && window.instance == QLatin1String("panel"))
                    return true;
            }
            QTest::qWait(50);
        }
        return false;
    }

private:
    QProcess m_process;
};

} // namespace XDesktop

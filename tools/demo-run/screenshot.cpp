// demo-screenshot: saves what the X display shows as a PNG file, the whole screen or one
// window (by its X window id), for the demo's record of each step.
//
//   demo-screenshot FILE [WINDOW-ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    // It only reads the display; it shows nothing of its own.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: demo-screenshot FILE [WINDOW-ID]\n");
        return 2;
    }
    bool ok = true;
    const WId window = argc == 3 ? QByteArray(argv[2]).toULongLong(&ok, 0) : 0;
    if (!ok) {
        std::fprintf(stderr, "demo-screenshot: '%s' is not a window id\n", argv[2]);
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    const QPixmap image = screen ? screen->grabWindow(window) : QPixmap();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "demo-screenshot: cannot grab or save %s\n", argv[1]);
        return 1;
    }
    return 0;
}

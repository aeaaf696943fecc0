// childprobe: both ends of the check that a program the service starts cannot reach into the
// machine's other processes.
//     childprobe ws PORT FRAME    sends FRAME to the service on ws://127.0.0.1:PORT and prints
//                                 its reports ("frame: TEXT") until one starts "finished:"
//     childprobe ptrace PID...    tries PTRACE_ATTACH on each; prints "ptrace PID: attached" or
//                                 "ptrace PID: refused (REASON)"; exits 1 if any was attached
#include <QCoreApplication>
#include <QTimer>
#include <QWebSocket>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/ptrace.h>
#include <sys/wait.h>

namespace {

int tryPtrace(const QStringList &pids)
{
    int attached = 0;
    for (const QString &text : pids) {
        const pid_t pid = pid_t(text.toInt());
        if (::ptrace(PTRACE_ATTACH, pid, nullptr, nullptr) == 0) {
            ::waitpid(pid, nullptr, 0);
            ::ptrace(PTRACE_DETACH, pid, nullptr, nullptr);
            std::printf("ptrace %d: attached\n", pid);
            ++attached;
        } else {
            std::printf("ptrace %d: refused (%s)\n", pid, std::strerror(errno));
        }
    }
    std::fflush(stdout);
    return attached > 0 ? 1 : 0;
}

int sendFrame(QCoreApplication &app, quint16 port, const QString &frame)
{
    QWebSocket socket;
    QObject::connect(&socket, &QWebSocket::connected, [&] { socket.sendTextMessage(frame); });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [&](const QString &text) {
        std::printf("frame: %s\n", qPrintable(text));
        std::fflush(stdout);
        if (text.startsWith(QLatin1String("finished:")))
            app.quit();
    });
    QObject::connect(&socket, &QWebSocket::disconnected, &app, &QCoreApplication::quit);
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.value(0) == QLatin1String("ptrace") && arguments.size() > 1)
        return tryPtrace(arguments.mid(1));
    if (arguments.value(0) == QLatin1String("ws") && arguments.size() == 3)
        return sendFrame(app, quint16(arguments.at(1).toUInt()), arguments.at(2));
    std::fprintf(stderr, "usage: childprobe ws PORT FRAME | childprobe ptrace PID...\n");
    return 2;
}

// vmx-probe: a local process that is not the client, for the attacker's side of the tests. It
// runs as another user (setpriv, runuser) or as root, and prints what it saw, one line each:
//     vmx-probe ws PORT FRAME...       opens ws://127.0.0.1:PORT without an origin, sends the
//                                      frames, prints "frame: TEXT" for each report and
//                                      "closed: CODE" when the service ends the link
//     vmx-probe listen PORT SECONDS    takes a loopback port first; prints "listening", then
//                                      "accepted" and "line: TEXT" for whatever connects
//     vmx-probe connect PORT SECONDS LINE...
//                                      connects as soon as the port listens, sends the lines,
//                                      prints "connected" and "closed" when the other end
//                                      drops it
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <cstdio>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int webSocket(QCoreApplication &app, quint16 port, const QStringList &frames)
{
    QWebSocket socket(QString(), QWebSocketProtocol::Version13);
    QObject::connect(&socket, &QWebSocket::connected, &app, [&] {
        say(QStringLiteral("connected"));
        for (const QString &frame : frames)
            socket.sendTextMessage(frame);
    });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &app, [](const QString &frame) {
        say(QStringLiteral("frame: ") + frame.trimmed());
    });
    QObject::connect(&socket, &QWebSocket::disconnected, &app, [&] {
        say(QStringLiteral("closed: %1").arg(int(socket.closeCode())));
        app.quit();
    });
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    QTimer::singleShot(3000, &app, &QCoreApplication::quit);
    return app.exec();
}

int listen(QCoreApplication &app, quint16 port, int seconds)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, port)) {
        say(QStringLiteral("cannot listen: ") + server.errorString());
        return 1;
    }
    say(QStringLiteral("listening"));
    QObject::connect(&server, &QTcpServer::newConnection, &app, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            say(QStringLiteral("accepted"));
            QObject::connect(socket, &QTcpSocket::readyRead, &app, [socket] {
                while (socket->canReadLine())
                    say(QStringLiteral("line: ") + QString::fromUtf8(socket->readLine()).trimmed());
            });
        }
    });
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}

int connectTo(QCoreApplication &app, quint16 port, int seconds, const QStringList &lines)
{
    QTcpSocket socket;
    QElapsedTimer timer;
    timer.start();
    do {
        socket.abort();
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (socket.waitForConnected(200))
            break;
        QThread::msleep(20);
    } while (timer.elapsed() < seconds * 1000);
    if (socket.state() != QAbstractSocket::ConnectedState) {
        say(QStringLiteral("no listener"));
        return 1;
    }
    say(QStringLiteral("connected"));
    for (const QString &line : lines)
        socket.write(line.toUtf8() + '\n');
    socket.flush();
    QObject::connect(&socket, &QTcpSocket::disconnected, &app, [&] {
        say(QStringLiteral("closed"));
        app.quit();
    });
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const quint16 port = arguments.value(1).toUShort();
    if (arguments.value(0) == QLatin1String("ws") && port)
        return webSocket(app, port, arguments.mid(2));
    if (arguments.value(0) == QLatin1String("listen") && port)
        return listen(app, port, arguments.value(2).toInt());
    if (arguments.value(0) == QLatin1String("connect") && port)
        return connectTo(app, port, arguments.value(2).toInt(), arguments.mid(3));
    std::fprintf(stderr, "usage: vmx-probe ws|listen|connect PORT ...\n");
    return 2;
}

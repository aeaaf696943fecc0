// wireguard-service: the WireGuard tunnel of the VPN client, on Linux. Started by vpn-service:
//     wireguard-service --add CONF --port N    bring the tunnel up and report on 127.0.0.1:N;
//                                             the process lives as long as the tunnel
//     wireguard-service --remove CONF          tear it down
// The tunnel uses the kernel's WireGuard when it is there, wireguard-go otherwise; `wg` sets
// its keys and peer, `ip` its address and routes, the application's dns program the DNS
// servers of the configuration for the tunnel's life. The log goes to "log.bin" beside CONF.
#include "tunnelconfig.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int handshakeTimeoutSeconds = 15;

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// CONF.dns: the tunnel switched the DNS servers and has not given them back yet. Written before
// the switch, so that whoever comes next (a removal, the client's start-up check through the
// dns program's own record) knows even after a kill.
QString dnsMarker(const QString &configPath)
{
    return configPath + QStringLiteral(".dns");
}

// The dns program of the application directory (this program lives in APP/wireguard/bin).
bool runDns(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../dns")), arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Gives back the servers a tunnel of this configuration switched, if one did.
void restoreDns(const QString &configPath)
{
    if (!QFileInfo::exists(dnsMarker(configPath)))
        return;
    if (runDns({QStringLiteral("reset")}))
        QFile::remove(dnsMarker(configPath));
}

QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(
               name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin")})
                           : found;
}

// Runs a tool to its end; its output, and whether it succeeded.
QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool(program), arguments);
    const bool finished = process.waitForFinished(15000);
    const bool success = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok)
        *ok = success;
    if (!success)
        std::fprintf(stderr,
                     "wireguard-service: %s %s: %s\n",
                     qPrintable(program),
                     qPrintable(arguments.join(QLatin1Char(' '))),
                     process.readAll().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "log.bin": the magic, the record count, then records of a time stamp and 512 bytes of text.
class BinaryLog
{
public:
    explicit BinaryLog(const QString &path)
        : m_file(path)
    {
        if (m_file.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
            QByteArray header(8, '\0');
            qToLittleEndian<quint32>(0x0BADBABE, header.data());
            m_file.write(header);
            m_file.flush();
        }
    }

    void write(const QString &text)
    {
        std::printf("wireguard-service: %s\n", qPrintable(text));
        std::fflush(stdout);
        if (!m_file.isOpen())
            return;
        QByteArray record(520, '\0');
        qToLittleEndian<qint64>(QDateTime::currentMSecsSinceEpoch() * 1000000LL, record.data());
        const QByteArray utf8 = text.toUtf8().left(511);
        record.replace(8, utf8.size(), utf8);
        m_file.seek(8 + qint64(m_count) * 520);
        m_file.write(record);
        ++m_count;
        QByteArray count(4, '\0');
        qToLittleEndian<qint32>(m_count, count.data());
        m_file.seek(4);
        m_file.write(count);
        m_file.flush();
    }

private:
    QFile m_file;
    qint32 m_count = 0;
};

class Tunnel : public QObject
{
public:
    Tunnel(const QString &configPath, quint16 port)
        : m_configPath(configPath)
        , m_interface(TunnelConfig::interfaceName(configPath))
        , m_log(QFileInfo(configPath).absolutePath() + QStringLiteral("/log.bin"))
    {
        m_channel.connectToHost(QStringLiteral("127.0.0.1"), port);
        m_channel.waitForConnected(3000);
    }

    ~Tunnel() override { tearDown(); }

    bool up()
    {
        QFile file(m_configPath);
        const TunnelConfig config =
            file.open(QIODevice::ReadOnly) ? TunnelConfig::parse(QString::fromUtf8(file.readAll())) : TunnelConfig();
        if (!config.error.isEmpty() || !file.isOpen()) {
            m_log.write(QStringLiteral("Invalid configuration: ")
                        + (file.isOpen() ? config.error : file.errorString()));
            state(QStringLiteral("ERROR:Invalid configuration"));
            return false;
        }
        m_log.write(QStringLiteral("Starting tunnel %1 to %2:%3")
                        .arg(m_interface, config.endpointHost)
                        .arg(config.endpointPort));
        if (!createInterface())
            return false;

        // The private key reaches wg through a file only we can read, never the command line.
        const QString keyFile = QFileInfo(m_configPath).absolutePath() + QStringLiteral("/.%1.key").arg(m_interface);
        QFile key(keyFile);
        if (!key.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || !key.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            state(QStringLiteral("ERROR:Cannot store the key"));
            return false;
        }
        key.write(config.privateKey.toLatin1() + '\n');
        key.close();
        bool ok = false;
        run(QStringLiteral("wg"),
            {QStringLiteral("set"),
             m_interface,
             QStringLiteral("private-key"),
             keyFile,
             QStringLiteral("peer"),
             config.peerPublicKey,
             QStringLiteral("endpoint"),
             QStringLiteral("%1:%2").arg(config.endpointHost).arg(config.endpointPort),
             QStringLiteral("allowed-ips"),
             config.allowedIps.join(QLatin1Char(',')),
             QStringLiteral("persistent-keepalive"),
             QStringLiteral("25")},
            &ok);
        QFile::remove(keyFile);
        if (!ok) {
            state(QStringLiteral("ERROR:Cannot configure the interface"));
            return false;
        }
        const QString address = config.address.contains(QLatin1Char('/')) ? config.address : config.address + "/32";
        run(QStringLiteral("ip"),
            {QStringLiteral("address"), QStringLiteral("add"), address, QStringLiteral("dev"), m_interface});
        run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("set"), m_interface, QStringLiteral("up")});
        routeThroughTunnel(config);
        switchDns(config);
        m_log.write(QStringLiteral("Interface %1 up, waiting for the handshake").arg(m_interface));
        return true;
    }

    void watch()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(1000);
        QTimer::singleShot(200, this, [this] { tick(); });
    }

    void tearDown()
    {
        if (m_tornDown)
            return;
        m_tornDown = true;
        if (m_dnsSwitched) {
            restoreDns(m_configPath);
            m_log.write(QStringLiteral("DNS servers given back"));
        }
        for (const QStringList &route : qAsConst(m_routes))
            run(QStringLiteral("ip"), QStringList{QStringLiteral("route"), QStringLiteral("del")} + route);
        if (m_engine.state() != QProcess::NotRunning) {
            m_engine.terminate();
            m_engine.waitForFinished(3000);
        }
        if (QFileInfo::exists(QStringLiteral("/sys/class/net/") + m_interface))
            run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"), m_interface});
        m_log.write(QStringLiteral("Tunnel %1 removed").arg(m_interface));
        state(QStringLiteral("DISCONNECTED"));
        m_channel.flush();
        m_channel.waitForBytesWritten(1000);
    }

private:
    bool createInterface()
    {
        if (QFileInfo::exists(QStringLiteral("/sys/module/wireguard"))) {
            bool ok = false;
            run(QStringLiteral("ip"),
                {QStringLiteral("link"),
                 QStringLiteral("add"),
                 m_interface,
                 QStringLiteral("type"),
                 QStringLiteral("wireguard")},
                &ok);
            if (ok)
                return true;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Debian's wireguard-go refuses recent kernels without being told that this is wanted.
        environment.insert(QStringLiteral("WG_I_PREFER_BUGGY_USERSPACE_TO_POLISHED_KMOD"), QStringLiteral("1"));
        m_engine.setProcessEnvironment(environment);
        m_engine.setProcessChannelMode(QProcess::ForwardedChannels);
        m_engine.start(tool(QStringLiteral("wireguard-go")), {QStringLiteral("-f"), m_interface});
        for (int i = 0; i < 50 && !QFileInfo::exists(QStringLiteral("/sys/class/net/") + m_interface); ++i)
            QThread::msleep(100);
        if (!QFileInfo::exists(QStringLiteral("/sys/class/net/") + m_interface)) {
            m_log.write(QStringLiteral("wireguard-go did not create %1").arg(m_interface));
            state(QStringLiteral("ERROR:Cannot create the interface"));
            return false;
        }
        return true;
    }

    void routeThroughTunnel(const TunnelConfig &config)
    {
        // The endpoint keeps its own way out; everything else goes through the tunnel.
        const QStringList way =
            run(QStringLiteral("ip"), {QStringLiteral("route"), QStringLiteral("get"), config.endpointHost})
                .section(QLatin1Char('\n'), 0, 0)
                .simplified()
                .split(QLatin1Char(' '));
        QStringList endpointRoute = {config.endpointHost};
        for (const QString &word : {QStringLiteral("via"), QStringLiteral("dev")}) {
            const int at = way.indexOf(word);
            if (at >= 0 && at + 1 < way.size())
                endpointRoute << word << way.at(at + 1);
        }
        if (endpointRoute.size() > 1)
            addRoute(endpointRoute);
        for (const QString &allowed : config.allowedIps) {
            if (allowed == QLatin1String("0.0.0.0/0")) {
                addRoute({QStringLiteral("0.0.0.0/1"), QStringLiteral("dev"), m_interface});
                addRoute({QStringLiteral("128.0.0.0/1"), QStringLiteral("dev"), m_interface});
            } else if (allowed == QLatin1String("::/0")) {
                addRoute({QStringLiteral("::/1"), QStringLiteral("dev"), m_interface});
                addRoute({QStringLiteral("8000::/1"), QStringLiteral("dev"), m_interface});
            } else {
                addRoute({allowed, QStringLiteral("dev"), m_interface});
            }
        }
    }

    // The configuration's servers (the last of each family, as the dns program takes them)
    // on every interface while the tunnel lives.
    void switchDns(const TunnelConfig &config)
    {
        if (config.dnsServers.isEmpty())
            return;
        QString ipv4;
        QString ipv6;
        for (const QString &server : config.dnsServers)
            (server.contains(QLatin1Char(':')) ? ipv6 : ipv4) = server;
        QSaveFile marker(dnsMarker(m_configPath));
        if (!marker.open(QIODevice::WriteOnly) || marker.write("switched\n") < 0 || !marker.commit()) {
            m_log.write(QStringLiteral("Cannot mark the DNS switch: DNS servers left as they are"));
            return;
        }
        m_dnsSwitched = true;
        const bool ok = runDns({QStringLiteral("vpn"), QStringLiteral("%1@%2,%3").arg(m_interface, ipv4, ipv6)});
        m_log.write(
            ok ? QStringLiteral("DNS servers %1 set").arg(config.dnsServers.join(QStringLiteral(", ")))
               : QStringLiteral("The dns program failed to set %1").arg(config.dnsServers.join(QStringLiteral(", "))));
    }

    void addRoute(const QStringList &route)
    {
        bool ok = false;
        run(QStringLiteral("ip"), QStringList{QStringLiteral("route"), QStringLiteral("add")} + route, &ok);
        if (ok)
            m_routes.prepend(route);
    }

    void tick()
    {
        if (!QFileInfo::exists(QStringLiteral("/sys/class/net/") + m_interface)) {
            m_log.write(QStringLiteral("Interface %1 is gone").arg(m_interface));
            QCoreApplication::exit(1);
            return;
        }
        ++m_seconds;
        if (!m_connected) {
            const QString handshakes =
                run(QStringLiteral("wg"), {QStringLiteral("show"), m_interface, QStringLiteral("latest-handshakes")});
            if (handshakes.section(QLatin1Char('\t'), 1, 1).trimmed().toLongLong() > 0) {
                m_connected = true;
                m_log.write(QStringLiteral("Handshake completed"));
                state(QStringLiteral("CONNECTED"));
            } else if (m_seconds > handshakeTimeoutSeconds) {
                m_log.write(QStringLiteral("No handshake within %1 s").arg(handshakeTimeoutSeconds));
                state(QStringLiteral("ERROR:Handshake failed"));
                QCoreApplication::exit(1);
            }
            return;
        }
        const QStringList transfer =
            run(QStringLiteral("wg"), {QStringLiteral("show"), m_interface, QStringLiteral("transfer")})
                .trimmed()
                .split(QLatin1Char('\t'));
        if (transfer.size() == 3)
            send(QStringLiteral(">BYTECOUNT:%1, %2")
                     .arg(unitText(transfer.at(1).toULongLong()), unitText(transfer.at(2).toULongLong())));
    }

    void state(const QString &text) { send(QStringLiteral(">STATE:") + text); }

    void send(const QString &line)
    {
        if (m_channel.state() == QAbstractSocket::ConnectedState) {
            m_channel.write(line.toUtf8() + '\n');
            m_channel.flush();
        }
    }

    QString m_configPath;
    QString m_interface;
    BinaryLog m_log;
    QTcpSocket m_channel;
    QProcess m_engine;
    QTimer m_timer;
    QList<QStringList> m_routes;
    int m_seconds = 0;
    bool m_connected = false;
    bool m_tornDown = false;
    bool m_dnsSwitched = false;
};

QString pidFile(const QString &configPath)
{
    return configPath + QStringLiteral(".pid");
}

int remove(const QString &configPath)
{
    QFile file(pidFile(configPath));
    const qint64 pid = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    if (pid > 0 && ::kill(pid_t(pid), SIGTERM) == 0) {
        // The tunnel's own process tears it down and reports; wait for it to be gone.
        for (int i = 0; i < 100 && ::kill(pid_t(pid), 0) == 0; ++i)
            QThread::msleep(50);
        return 0;
    }
    // The tunnel's process is gone without tearing down (killed): its DNS switch too.
    restoreDns(configPath);
    const QString interface = TunnelConfig::interfaceName(configPath);
    if (QFileInfo::exists(QStringLiteral("/sys/class/net/") + interface))
        run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"), interface});
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: wireguard-service --add CONF --port N | --remove CONF\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("--remove") && !arguments.at(1).isEmpty())
        return remove(QFileInfo(arguments.at(1)).absoluteFilePath());
    bool portOk = false;
    const uint port = arguments.size() == 4 ? arguments.at(3).toUInt(&portOk) : 0;
    if (arguments.size() != 4 || arguments.at(0) != QLatin1String("--add") || arguments.at(1).isEmpty()
        || arguments.at(2) != QLatin1String("--port") || !portOk || port == 0 || port > 65535)
        return usage();

    const QString configPath = QFileInfo(arguments.at(1)).absoluteFilePath();
    Tunnel tunnel(configPath, quint16(port));
    QFile pid(pidFile(configPath));
    if (pid.open(QIODevice::WriteOnly | QIODevice::Truncate))
        pid.write(QByteArray::number(QCoreApplication::applicationPid()));
    pid.close();

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::exit(0); });
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            sigaction(signal, &action, nullptr);
    }

    int code = 1;
    if (tunnel.up()) {
        tunnel.watch();
        code = app.exec();
    }
    tunnel.tearDown();
    QFile::remove(pidFile(configPath));
    return code;
}

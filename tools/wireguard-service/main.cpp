// wireguard-service: the WireGuard tunnel of the VPN client, on Linux. Started by vpn-service:
//     wireguard-service --add CONF --port N    bring the tunnel up and report on 127.0.0.1:N;
//                                             the process lives as long as the tunnel
//     wireguard-service --remove CONF          tear it down
// The tunnel uses the kernel's WireGuard when it is there, wireguard-go otherwise; `wg` sets
// its keys and peer, `ip` its address and routes, the application's dns program the DNS
// servers of the configuration for the tunnel's life. The log goes to "log.bin" beside CONF,
// the tunnel's pid to CONF.pid. It runs as root in a folder of the client's: every file there
// is reached through the folder opened once, never by following a link (SafeFolder).
#include "platform/quitsignals.h"
#include "safefolder.h"
#include "tunnelconfig.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

// Debian's C library declares these without C linkage.
extern "C" {
#include <sys/pidfd.h>
}

namespace {

constexpr int handshakeTimeoutSeconds = 15;
// A session's keys expire 180 s after its handshake, and with traffic (the keep-alive makes
// some every 25 s) WireGuard makes a new one every 120 s: a handshake older than that is a
// peer that no longer answers. VELMORIX_WG_PEER_TIMEOUT shortens it for tests.
constexpr int peerTimeoutSeconds = 180;

int peerTimeout()
{
    const int overridden = qEnvironmentVariableIntValue("VELMORIX_WG_PEER_TIMEOUT");
    return overridden > 0 ? overridden : peerTimeoutSeconds;
}

// CONF.dns: the tunnel switched the DNS servers and has not given them back yet. Written before
// the switch, so that whoever comes next (a removal, the client's start-up check through the
// dns program's own record) knows even after a kill.
QString dnsMarkerName(const QString &configPath)
{
    return QFileInfo(configPath).fileName() + QStringLiteral(".dns");
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
void restoreDns(SafeFolder &folder, const QString &configPath)
{
    const int marker = folder.openForReading(dnsMarkerName(configPath));
    if (marker < 0)
        return;
    ::close(marker);
    if (runDns({QStringLiteral("reset")}))
        folder.remove(dnsMarkerName(configPath));
}

bool interfaceExists(const QString &name)
{
    return QFileInfo::exists(QStringLiteral("/sys/class/net/") + name);
}

// The mark a tunnel leaves on the interface it created: interface names come from file names,
// so another client's configuration of the same name must not reach this tunnel's interface.
// Only root may set an alias.
QByteArray ownerMark(const QString &configPath)
{
    return "velmorix " + QCryptographicHash::hash(configPath.toUtf8(), QCryptographicHash::Sha256).toHex();
}

bool isMarkedFor(const QString &interface, const QString &configPath)
{
    QFile alias(QStringLiteral("/sys/class/net/%1/ifalias").arg(interface));
    return alias.open(QIODevice::ReadOnly) && alias.readAll().trimmed() == ownerMark(configPath);
}

// Whether the process holds the tun device of that interface: a wireguard-go that saw the name
// taken ends, but the interface it was waiting for is there all the same.
bool holdsTun(qint64 pid, const QString &interface)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &fd : fds.entryList(QDir::Files | QDir::System)) {
        if (QFile::symLinkTarget(fds.filePath(fd)) != QLatin1String("/dev/net/tun"))
            continue;
        QFile info(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
        if (info.open(QIODevice::ReadOnly) && info.readAll().contains("iff:\t" + interface.toUtf8() + '\n'))
            return true;
    }
    return false;
}

QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(
               name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin")})
                           : found;
}

// Runs a tool to its end, with `input` on its standard input; its output, and whether it
// succeeded.
QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr, const QByteArray &input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool(program), arguments);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
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
    // Takes over an open descriptor of a new file; -1 for no log file.
    explicit BinaryLog(int fd)
    {
        if (fd >= 0 && m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
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

// wireguard-go holds the tunnel for as long as it runs: were this process killed, the tunnel
// would outlive it, unseen by the client and in the way of the next one. The kernel ends the
// child with its parent, also when the parent went before the child could ask for that.
class BoundProcess final : public QProcess
{
protected:
    void setupChildProcess() override
    {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != m_parent)
            ::_exit(127);
    }

private:
    const pid_t m_parent = ::getpid();
};

class Tunnel : public QObject
{
public:
    Tunnel(SafeFolder &folder, const QString &configPath, quint16 port)
        : m_folder(folder)
        , m_configPath(configPath)
        , m_interface(TunnelConfig::interfaceName(configPath))
        , m_log(folder.create(QStringLiteral("log.bin"), 0644))
    {
        m_channel.connectToHost(QStringLiteral("127.0.0.1"), port);
        m_channel.waitForConnected(3000);
    }

    ~Tunnel() override { tearDown(true); }

    // An interface of this name that is there already belongs to someone else (another
    // client's tunnel of the same name, or one that ran before): never taken over.
    bool interfaceTaken()
    {
        if (!interfaceExists(m_interface))
            return false;
        m_log.write(
            QStringLiteral("Interface %1 exists already: another tunnel holds it, not starting").arg(m_interface));
        state(QStringLiteral("ERROR:Cannot create the interface"));
        return true;
    }

    bool up()
    {
        QByteArray text;
        const bool read = m_folder.read(QFileInfo(m_configPath).fileName(), 64 * 1024, &text);
        const TunnelConfig config = read ? TunnelConfig::parse(QString::fromUtf8(text)) : TunnelConfig();
        if (!read || !config.error.isEmpty()) {
            m_log.write(QStringLiteral("Invalid configuration: ") + (read ? config.error : m_folder.error()));
            state(QStringLiteral("ERROR:Invalid configuration"));
            return false;
        }
        m_log.write(QStringLiteral("Starting tunnel %1 to %2:%3")
                        .arg(m_interface, config.endpointHost)
                        .arg(config.endpointPort));
        if (!createInterface())
            return false;

        // The private key reaches wg through a pipe: never a command line, never a file. The pipe
        // is named through /proc, which every sandbox keeps; a confined /dev may lack stdin.
        bool ok = false;
        run(QStringLiteral("wg"),
            {QStringLiteral("set"),
             m_interface,
             QStringLiteral("private-key"),
             QStringLiteral("/proc/self/fd/0"),
             QStringLiteral("peer"),
             config.peerPublicKey,
             QStringLiteral("endpoint"),
             QStringLiteral("%1:%2").arg(config.endpointHost).arg(config.endpointPort),
             QStringLiteral("allowed-ips"),
             config.allowedIps.join(QLatin1Char(',')),
             QStringLiteral("persistent-keepalive"),
             QStringLiteral("25")},
            &ok,
            config.privateKey.toLatin1() + '\n');
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

    // `report`: the tunnel ends in order and says so. A tunnel that lost its peer ends
    // without the word, and its closing channel and exit code tell the client of a crash.
    void tearDown(bool report)
    {
        if (m_tornDown)
            return;
        m_tornDown = true;
        if (m_dnsSwitched) {
            restoreDns(m_folder, m_configPath);
            m_log.write(QStringLiteral("DNS servers given back"));
        }
        for (const QStringList &route : qAsConst(m_routes))
            run(QStringLiteral("ip"), QStringList{QStringLiteral("route"), QStringLiteral("del")} + route);
        if (m_engine.state() != QProcess::NotRunning) {
            m_engine.terminate();
            m_engine.waitForFinished(3000);
        }
        if (m_created) {
            if (interfaceExists(m_interface))
                run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"), m_interface});
            m_log.write(QStringLiteral("Tunnel %1 removed").arg(m_interface));
        }
        if (report)
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
            // A name taken meanwhile fails here too: the kernel creates a link or refuses.
            if (!ok)
                return failedToCreate(QStringLiteral("Cannot create %1").arg(m_interface));
            m_created = true;
            return mark();
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Debian's wireguard-go refuses recent kernels without being told that this is wanted.
        environment.insert(QStringLiteral("WG_I_PREFER_BUGGY_USERSPACE_TO_POLISHED_KMOD"), QStringLiteral("1"));
        m_engine.setProcessEnvironment(environment);
        m_engine.setProcessChannelMode(QProcess::ForwardedChannels);
        m_engine.start(tool(QStringLiteral("wireguard-go")), {QStringLiteral("-f"), m_interface});
        if (!m_engine.waitForStarted(5000))
            return failedToCreate(QStringLiteral("Cannot start wireguard-go"));
        for (int i = 0; i < 50 && m_engine.state() == QProcess::Running && !holdsTun(m_engine.processId(), m_interface);
             ++i)
            QThread::msleep(100);
        if (m_engine.state() != QProcess::Running)
            return failedToCreate(QStringLiteral("wireguard-go ended without creating %1").arg(m_interface));
        if (!holdsTun(m_engine.processId(), m_interface))
            return failedToCreate(QStringLiteral("wireguard-go did not create %1").arg(m_interface));
        m_created = true;
        return mark();
    }

    bool failedToCreate(const QString &why)
    {
        m_log.write(why);
        state(QStringLiteral("ERROR:Cannot create the interface"));
        return false;
    }

    // A tunnel that ends without tearing down (killed) leaves a kernel interface behind: the
    // mark lets the next removal of this configuration know it as its own.
    bool mark()
    {
        bool ok = false;
        run(QStringLiteral("ip"),
            {QStringLiteral("link"),
             QStringLiteral("set"),
             QStringLiteral("dev"),
             m_interface,
             QStringLiteral("alias"),
             QString::fromLatin1(ownerMark(m_configPath))},
            &ok);
        return ok || failedToCreate(QStringLiteral("Cannot mark %1 as this tunnel's").arg(m_interface));
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
        const int marker = m_folder.create(dnsMarkerName(m_configPath), 0644);
        const bool marked = marker >= 0 && ::write(marker, "switched\n", 9) == 9;
        if (marker >= 0)
            ::close(marker);
        if (!marked) {
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
        const qint64 latest =
            run(QStringLiteral("wg"), {QStringLiteral("show"), m_interface, QStringLiteral("latest-handshakes")})
                .section(QLatin1Char('\t'), 1, 1)
                .trimmed()
                .toLongLong();
        const qint64 age = QDateTime::currentSecsSinceEpoch() - latest;
        if (latest > 0 && age > peerTimeout()) {
            m_log.write(QStringLiteral("No handshake for %1 s: the peer is lost").arg(age));
            m_peerLost = true;
            QCoreApplication::exit(1);
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

public:
    bool peerLost() const { return m_peerLost; }

private:
    SafeFolder &m_folder;
    QString m_configPath;
    QString m_interface;
    BinaryLog m_log;
    QTcpSocket m_channel;
    BoundProcess m_engine;
    QTimer m_timer;
    QList<QStringList> m_routes;
    int m_seconds = 0;
    bool m_connected = false;
    bool m_tornDown = false;
    bool m_peerLost = false;
    bool m_dnsSwitched = false;
    bool m_created = false; // the interface is this process's to delete
};

QString pidFileName(const QString &configPath)
{
    return QFileInfo(configPath).fileName() + QStringLiteral(".pid");
}

// Whether the process is this program's tunnel for that configuration: a pid file may name
// any process by the time it is read (a process that ended and a number used again, or a file
// written by someone else), and a signal from root reaches every process.
bool isTunnelProcess(pid_t pid, const QString &configPath)
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath();
    if (self.isEmpty() || exe != self)
        return false;
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!cmdline.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> arguments = cmdline.readAll().split('\0');
    return arguments.size() >= 3 && arguments.at(1) == "--add"
        && QFileInfo(QFile::decodeName(arguments.at(2))).absoluteFilePath() == configPath;
}

int remove(SafeFolder &folder, const QString &configPath)
{
    QByteArray text;
    const qint64 pid = folder.read(pidFileName(configPath), 64, &text) ? text.trimmed().toLongLong() : 0;
    // Held before the check: the number then stays this process's until the signal is sent.
    const int handle = pid > 1 ? pidfd_open(pid_t(pid), 0) : -1;
    const bool tunnel = handle >= 0 && isTunnelProcess(pid_t(pid), configPath);
    if (handle >= 0 && !tunnel)
        std::fprintf(stderr,
                     "wireguard-service: %s names process %lld, which is not the tunnel of %s; no signal sent\n",
                     qPrintable(pidFileName(configPath)),
                     pid,
                     qPrintable(configPath));
    if (tunnel && pidfd_send_signal(handle, SIGTERM, nullptr, 0) == 0) {
        // The tunnel's own process tears it down and reports; wait for it to be gone.
        for (int i = 0; i < 100 && pidfd_send_signal(handle, 0, nullptr, 0) == 0; ++i)
            QThread::msleep(50);
        ::close(handle);
        return 0;
    }
    if (handle >= 0)
        ::close(handle);
    // The tunnel's process is gone without tearing down (killed): its DNS switch too.
    restoreDns(folder, configPath);
    const QString interface = TunnelConfig::interfaceName(configPath);
    if (!interfaceExists(interface))
        return 0;
    if (!isMarkedFor(interface, configPath)) {
        std::fprintf(stderr,
                     "wireguard-service: %s is not the interface of %s; left alone\n",
                     qPrintable(interface),
                     qPrintable(configPath));
        return 1;
    }
    run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"), interface});
    return 0;
}

// The folder of the configuration, opened safely for its owner.
std::unique_ptr<SafeFolder> openFolder(const QString &configPath)
{
    struct stat st = {};
    const QString folder = QFileInfo(configPath).absolutePath();
    const uid_t owner = ::stat(QFile::encodeName(folder).constData(), &st) == 0 ? st.st_uid : 0;
    auto opened = std::make_unique<SafeFolder>(folder, owner);
    if (!opened->isOpen())
        std::fprintf(stderr, "wireguard-service: %s\n", qPrintable(opened->error()));
    return opened;
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
    const bool removing = arguments.size() == 2 && arguments.at(0) == QLatin1String("--remove");
    bool portOk = false;
    const uint port = arguments.size() == 4 ? arguments.at(3).toUInt(&portOk) : 0;
    const bool adding = arguments.size() == 4 && arguments.at(0) == QLatin1String("--add")
        && arguments.at(2) == QLatin1String("--port") && portOk && port > 0 && port <= 65535;
    if ((!removing && !adding) || arguments.at(1).isEmpty())
        return usage();

    const QString configPath = QFileInfo(arguments.at(1)).absoluteFilePath();
    // The interface is named after the file: only names of our own, never the machine's links.
    if (!TunnelConfig::interfaceName(configPath).startsWith(QLatin1String("wg-"))) {
        std::fprintf(stderr, "wireguard-service: the configuration is not named wg-NAME.conf\n");
        return 2;
    }
    const std::unique_ptr<SafeFolder> folder = openFolder(configPath);
    if (!folder->isOpen())
        return 1;
    if (removing)
        return remove(*folder, configPath);

    Tunnel tunnel(*folder, configPath, quint16(port));
    // Before the pid file: that of the tunnel holding the name stays as it is.
    if (tunnel.interfaceTaken())
        return 1;
    const int pid = folder->create(pidFileName(configPath), 0644);
    if (pid >= 0) {
        const QByteArray number = QByteArray::number(QCoreApplication::applicationPid());
        [[maybe_unused]] const ssize_t written = ::write(pid, number.constData(), size_t(number.size()));
        ::close(pid);
    }

    Platform::watchQuitSignals(&app, [] { QCoreApplication::exit(0); });

    int code = 1;
    if (tunnel.up()) {
        tunnel.watch();
        code = app.exec();
    }
    tunnel.tearDown(!tunnel.peerLost());
    folder->remove(pidFileName(configPath));
    return code;
}

#include "accesscontrol.h"
#include "argumentpolicy.h"
#include "logger.h"
#include "openvpnclient.h"
#include "openvpnconfig.h"
#include "safefolder.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Platform::TcpPeer)

namespace {

const QString app = QStringLiteral("/opt/velmorix");

QStringList openVpn(const QStringList &arguments)
{
    return QStringList{app + QStringLiteral("/openvpn/bin/openvpn")} + arguments;
}

QStringList clientOpenVpn()
{
    return openVpn({"--config",
                    "/tmp/qt_temp.Ab12Cd",
                    "--management",
                    "127.0.0.1",
                    "61973",
                    "--management-query-passwords",
                    "--management-client",
                    "--log-append",
                    "/home/ann/.local/share/VPN/VPNClient/logs/VPNClient-vpn.log"});
}

QByteArray readAll(int fd)
{
    QByteArray data(4096, '\0');
    const ssize_t n = ::read(fd, data.data(), size_t(data.size()));
    ::close(fd);
    return data.left(int(qMax<ssize_t>(n, 0)));
}

} // namespace

// Who may command the privileged service, what it starts, what a root openvpn may read, and
// how root reaches the client's files: each as a table of what the client does and what an
// attacker would try.
class TestServicePolicy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLines_data();
    void commandLines();
    void openVpnConfigurations_data();
    void openVpnConfigurations();
    void everyConfigurationOfTheClientPasses();
    void peers_data();
    void peers();
    void safeFolderAttacks();

private:
    QTemporaryDir m_home;
    QTemporaryDir m_data;
};

void TestServicePolicy::initTestCase()
{
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_data.path().toLocal8Bit());
    QVERIFY(Logger::instance()->isInitialized());
}

void TestServicePolicy::commandLines_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("refusal"); // a part of the reason; empty when it may run

    const QString wg = app + QStringLiteral("/wireguard/bin/wireguard-service");
    const QString ks = app + QStringLiteral("/killswitch");
    const QString nt = app + QStringLiteral("/network-tool");
    const QString dns = app + QStringLiteral("/dns");
    const QString conf = QStringLiteral("/var/lib/velmorix/config/wg-velmorix.conf");

    // What the client sends.
    QTest::newRow("openvpn") << clientOpenVpn() << "";
    QTest::newRow("openvpn without a log") << QStringList(clientOpenVpn().mid(0, 8)) << "";
    QTest::newRow("wireguard add") << QStringList{wg, "--add", conf, "--port", "61976"} << "";
    QTest::newRow("wireguard numbered") << QStringList{wg, "--remove", "/var/lib/velmorix/config/wg-velmorix12.conf"}
                                        << "";
    QTest::newRow("kill switch on") << QStringList{ks, "enable", "all", "10.99.0.1", "local"} << "";
    QTest::newRow("kill switch on, no local") << QStringList{ks, "enable", "all", "2001:db8::7", ""} << "";
    QTest::newRow("kill switch off") << QStringList{ks, "disable", "all"} << "";
    QTest::newRow("ipv6 off") << QStringList{nt, "--ipv6", "disable"} << "";
    QTest::newRow("dns vpn")
        << QStringList{dns, "vpn", "eth0@172.16.0.1,fd00:dead:beef:cafe::1", "resolv.conf@172.16.0.1,"} << "";
    QTest::newRow("dns user, no servers") << QStringList{dns, "user", "{4d36e972-e325-11ce}@"} << "";
    QTest::newRow("dns user, encrypted DNS") << QStringList{dns, "user", "wlan0@1.1.1.1:853#one.one.one.one"} << "";
    QTest::newRow("dns reset") << QStringList{dns, "reset"} << "";

    // What an attacker sends.
    QTest::newRow("a shell") << QStringList{"/bin/sh", "-c", "id"} << "outside the application directory";
    QTest::newRow("relative") << QStringList{"killswitch", "disable", "all"} << "not an absolute path";
    QTest::newRow("climbing out") << QStringList{app + "/../tmp/killswitch", "disable", "all"} << "outside";
    QTest::newRow("a neighbour folder") << QStringList{app + "-evil/killswitch", "disable", "all"} << "outside";
    QTest::newRow("unknown program inside") << QStringList{app + "/stunnel/bin/stunnel", "/tmp/x"} << "not a known";
    QTest::newRow("openvpn --up") << openVpn({"--config", "/tmp/c", "--up", "/tmp/x"}) << "'--up' would run";
    QTest::newRow("openvpn --plugin") << clientOpenVpn() + QStringList{"--plugin", "/tmp/x.so"} << "'--plugin'";
    QTest::newRow("openvpn --script-security")
        << clientOpenVpn() + QStringList{"--script-security", "2"} << "'--script-security'";
    QTest::newRow("openvpn --route-up as the log's value") << openVpn({"--config",
                                                                       "/tmp/c",
                                                                       "--management",
                                                                       "127.0.0.1",
                                                                       "61973",
                                                                       "--management-query-passwords",
                                                                       "--management-client",
                                                                       "--log-append",
                                                                       "--route-up"})
                                                           << "'--route-up'";
    QTest::newRow("openvpn --config twice") << openVpn({"--config",
                                                        "/tmp/c",
                                                        "--management",
                                                        "127.0.0.1",
                                                        "61973",
                                                        "--management-query-passwords",
                                                        "--management-client",
                                                        "--config",
                                                        "/tmp/d"})
                                            << "not the command line";
    QTest::newRow("openvpn, management elsewhere") << openVpn({"--config",
                                                               "/tmp/c",
                                                               "--management",
                                                               "0.0.0.0",
                                                               "61973",
                                                               "--management-query-passwords",
                                                               "--management-client"})
                                                   << "not the command line";
    QTest::newRow("openvpn, relative configuration") << openVpn({"--config",
                                                                 "c.ovpn",
                                                                 "--management",
                                                                 "127.0.0.1",
                                                                 "61973",
                                                                 "--management-query-passwords",
                                                                 "--management-client"})
                                                     << "not a file of the client's";
    QTest::newRow("openvpn, configuration path climbing") << openVpn({"--config",
                                                                      "/tmp/../etc/shadow",
                                                                      "--management",
                                                                      "127.0.0.1",
                                                                      "61973",
                                                                      "--management-query-passwords",
                                                                      "--management-client"})
                                                          << "not a file of the client's";
    QTest::newRow("wireguard on the machine's link") << QStringList{wg, "--remove", "/tmp/eth0.conf"} << "wg-NAME.conf";
    QTest::newRow("wireguard name too long")
        << QStringList{wg, "--add", "/tmp/wg-abcdefghijklm.conf", "--port", "61976"} << "wg-NAME.conf";
    QTest::newRow("wireguard other port") << QStringList{wg, "--add", conf, "--port", "22"} << "not a command line";
    QTest::newRow("wireguard extra") << QStringList{wg, "--add", conf, "--port", "61976", "--x"} << "not a command";
    QTest::newRow("kill switch, line inside")
        << QStringList{ks, "enable", "all", "10.0.0.1\nflush ruleset", "local"} << "control characters";
    QTest::newRow("kill switch, scope id") << QStringList{ks, "enable", "all", "fe80::1%eth0", ""} << "";
    QTest::newRow("kill switch, blank after") << QStringList{ks, "enable", "all", "10.0.0.1 ", ""} << "";
    QTest::newRow("kill switch, fifth word") << QStringList{ks, "enable", "all", "10.0.0.1", "everything"} << "";
    QTest::newRow("network tool, other switch") << QStringList{nt, "--ipv4", "disable"} << "not --ipv6";
    QTest::newRow("network tool, extra") << QStringList{nt, "--ipv6", "disable", "now"} << "not --ipv6";
    QTest::newRow("dns, unknown mode") << QStringList{dns, "flush", "eth0@10.0.0.1"} << "the mode";
    QTest::newRow("dns, no entries") << QStringList{dns, "vpn"} << "takes 1 to";
    QTest::newRow("dns, reset with entries") << QStringList{dns, "reset", "eth0@10.0.0.1"} << "reset takes no";
    QTest::newRow("dns, blank in the id") << QStringList{dns, "vpn", "eth 0@10.0.0.1"} << "not an entry";
    QTest::newRow("dns, an id like an option") << QStringList{dns, "vpn", "--help@10.0.0.1"} << "not an entry";
    QTest::newRow("dns, scope id") << QStringList{dns, "user", "eth0@fe80::1%eth0"} << "not an entry";
    QTest::newRow("dns, two at signs") << QStringList{dns, "user", "eth0@10.0.0.1@10.0.0.2"} << "not an entry";
    QTest::newRow("dns, a name for a server") << QStringList{dns, "user", "eth0@dns.example"} << "not an entry";
    QTest::newRow("an argument beyond any size") << QStringList{nt, QString(5000, QLatin1Char('x'))} << "beyond";
}

void TestServicePolicy::commandLines()
{
    QFETCH(QStringList, command);
    QFETCH(QString, refusal);
    const ArgumentPolicy policy(app + QStringLiteral("/"));
    const ArgumentPolicy::Decision decision = policy.check(command);
    // Rows with a reason of the kill switch's own parse say only that they are refused.
    const bool allowed =
        refusal.isEmpty() && !QLatin1String(QTest::currentDataTag()).startsWith(QLatin1String("kill switch,"));
    QVERIFY2(decision.allowed() == allowed, qPrintable(decision.refusal));
    QVERIFY2(decision.refusal.contains(refusal), qPrintable(decision.refusal));
    if (!allowed) {
        QCOMPARE(decision.program, ArgumentPolicy::Program::None);
        QCOMPARE(decision.configArgument, -1);
        return;
    }
    QCOMPARE(decision.executable, QDir::cleanPath(command.first()));
    // The files the service opens itself are the ones the client named.
    if (decision.program == ArgumentPolicy::Program::OpenVpn) {
        QCOMPARE(command.value(decision.configArgument + 1), command.at(2));
        QCOMPARE(decision.logArgument >= 0, command.size() == 10);
    }
    if (decision.program == ArgumentPolicy::Program::WireGuard)
        QCOMPARE(decision.tunnelIsRead, command.at(1) == QLatin1String("--add"));
}

void TestServicePolicy::openVpnConfigurations_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem"); // a part of the reason; empty when it may run

    const QByteArray head = "client\r\ndev tun\r\nremote 10.99.0.1 1194 udp\r\nauth-user-pass\r\n";
    QTest::newRow("the client's form") << head + "<ca>\r\n-----BEGIN CERTIFICATE-----\r\n</ca>\r\n"
                                       << "";
    QTest::newRow("comments and blanks") << "# c\r\n; c\r\n\r\n   \r\n" + head << "";
    QTest::newRow("script-security 1") << head + "script-security 1\r\n"
                                       << "";
    QTest::newRow("script-security 2") << head + "script-security 2\r\n"
                                       << "above 1";
    QTest::newRow("up") << head + "up /tmp/x.sh\r\n"
                        << "'up' runs a program";
    QTest::newRow("up, as --up") << head + "--up /tmp/x.sh\r\n"
                                 << "'up' runs a program";
    QTest::newRow("up, indented") << head + "\t  up /tmp/x.sh\r\n"
                                  << "'up' runs a program";
    QTest::newRow("route-up") << head + "route-up /tmp/x.sh\r\n"
                              << "runs a program";
    QTest::newRow("tls-verify") << head + "tls-verify /tmp/x.sh\r\n"
                                << "runs a program";
    QTest::newRow("learn-address") << head + "learn-address /tmp/x\r\n"
                                   << "runs a program";
    QTest::newRow("plugin") << head + "plugin /tmp/x.so\r\n"
                            << "loads a plug-in";
    QTest::newRow("a file of root's") << head + "ca /etc/shadow\r\n"
                                      << "names a file";
    QTest::newRow("an include") << head + "config /tmp/more.ovpn\r\n"
                                << "names a file";
    QTest::newRow("a log of root's") << head + "log-append /etc/cron.d/x\r\n"
                                     << "names a file";
    QTest::newRow("a pid file") << head + "writepid /etc/passwd\r\n"
                                << "names a file";
    QTest::newRow("credentials from a file") << head + "auth-user-pass /etc/shadow\r\n"
                                             << "'auth-user-pass'";
    QTest::newRow("management on all addresses") << head + "management 0.0.0.0 7505\r\n"
                                                 << "127.0.0.1";
    QTest::newRow("an option made optional") << head + "setenv opt up /tmp/x\r\n"
                                             << "not an option";
    QTest::newRow("unknown option") << head + "daemon\r\n"
                                    << "not an option";
    QTest::newRow("remote with a scope") << head + "remote fe80::1%eth0 1194 udp\r\n"
                                         << "neither";
    QTest::newRow("remote with more") << head + "remote 10.0.0.1 1194 udp extra\r\n"
                                      << "takes a server";
    QTest::newRow("a line of 256") << head + "verb " + QByteArray(251, '3') + "\r\n"
                                   << "longer than";
    QTest::newRow("a NUL") << head + QByteArray("verb 3\0up /x\r\n", 14) << "control character";
    QTest::newRow("a lone CR in a line") << head + "verb 3\rup /tmp/x\r\n"
                                         << "control character";
    QTest::newRow("a byte beyond ASCII") << head + "verb 3\xc2\xa0\r\n"
                                         << "beyond ASCII";
    QTest::newRow("a backslash") << head + "pull-filter ignore \"a\\\" up\"\r\n"
                                 << "backslashes";
    QTest::newRow("an open quote") << head + "remote-cert-eku \"TLS\r\n"
                                   << "quotes";
    QTest::newRow("a block of directives") << head + "<connection>\r\nup /x\r\n</connection>\r\n"
                                           << "not a block";
    QTest::newRow("a tag inside a block") << head + "<ca>\r\n<connection>\r\n</ca>\r\n"
                                          << "a tag inside";
    QTest::newRow("a block without an end") << head + "<ca>\r\nup /x\r\n"
                                            << "does not end";
    QTest::newRow("beyond the size") << QByteArray(OpenVpnConfig::maxSize + 1, '#') << "larger than";
}

void TestServicePolicy::openVpnConfigurations()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    const QString found = OpenVpnConfig::problem(text);
    QVERIFY2(found.isEmpty() == problem.isEmpty() && found.contains(problem), qPrintable(found));
}

void TestServicePolicy::everyConfigurationOfTheClientPasses()
{
    // What the client writes, for every protocol and option, is what the service lets through.
    for (const int protocol : {0, 1, 2}) {
        for (const bool ipv6 : {true, false}) {
            OpenVpnClient client;
            ConnectionParameters p;
            p.server = QStringLiteral("nl1.example.net");
            p.protocol = protocol;
            p.port = 1194;
            p.ipv6Enabled = ipv6;
            client.setConnectionParameters(p);
            QVERIFY(client.prepareConfig());
            QFile file(client.configFilePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString problem = OpenVpnConfig::problem(file.readAll());
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
    }
    // And the command line the client starts it with.
    const QStringList command = QStringList{QStringLiteral("/opt/velmorix/openvpn/bin/openvpn"),
                                            QStringLiteral("--config"),
                                            QStringLiteral("/tmp/qt_temp.x"),
                                            QStringLiteral("--management"),
                                            QStringLiteral("127.0.0.1"),
                                            QString::number(OpenVpnClient::managementPort),
                                            QStringLiteral("--management-query-passwords"),
                                            QStringLiteral("--management-client")};
    QVERIFY(ArgumentPolicy(QStringLiteral("/opt/velmorix")).check(command).allowed());
}

void TestServicePolicy::peers_data()
{
    QTest::addColumn<QVector<Platform::TcpPeer>>("holders");
    QTest::addColumn<bool>("allowed");

    const auto holder = [](qint64 pid, int uid, const QString &executable) {
        Platform::TcpPeer peer;
        peer.pid = pid;
        peer.uid = uid;
        peer.executable = executable;
        return peer;
    };
    const QString client = QStringLiteral("/opt/velmorix/velmorix");
    QTest::newRow("the client") << QVector<Platform::TcpPeer>{holder(42, 1000, client)} << true;
    QTest::newRow("the client as root") << QVector<Platform::TcpPeer>{holder(42, 0, client)} << true;
    QTest::newRow("a tool root allowed") << QVector<Platform::TcpPeer>{holder(7, 0, "/usr/lib/velmorix/tool")} << true;
    QTest::newRow("a shell of root's") << QVector<Platform::TcpPeer>{holder(7, 0, "/usr/bin/python3")} << false;
    QTest::newRow("a copy of the client") << QVector<Platform::TcpPeer>{holder(9, 1000, "/tmp/velmorix")} << false;
    QTest::newRow("the client and the one that handed it the socket")
        << QVector<Platform::TcpPeer>{holder(42, 1000, client), holder(43, 1000, "/usr/bin/python3")} << false;
    QTest::newRow("a process that cannot be seen") << QVector<Platform::TcpPeer>{holder(-1, 1000, QString())} << false;
    QTest::newRow("gone before it was looked at") << QVector<Platform::TcpPeer>{} << false;
}

void TestServicePolicy::peers()
{
    QFETCH(QVector<Platform::TcpPeer>, holders);
    QFETCH(bool, allowed);
    // Files that exist, since a client is known by its real file.
    QTemporaryDir root;
    for (const char *program : {"opt/velmorix/velmorix", "usr/lib/velmorix/tool"}) {
        QVERIFY(QDir().mkpath(QFileInfo(root.filePath(QLatin1String(program))).path()));
        QVERIFY(QFile(root.filePath(QLatin1String(program))).open(QIODevice::WriteOnly));
    }
    for (Platform::TcpPeer &holder : holders) {
        if (holder.executable.isEmpty())
            continue;
        holder.executable = root.path() + holder.executable;
        QDir().mkpath(QFileInfo(holder.executable).path());
        QFile(holder.executable).open(QIODevice::WriteOnly);
    }
    const AccessControl access({root.filePath(QStringLiteral("opt/velmorix/velmorix")),
                                root.filePath(QStringLiteral("usr/lib/velmorix/tool")),
                                root.filePath(QStringLiteral("not/there"))});
    QCOMPARE(access.clients().size(), 2);
    const AccessControl::Peer peer = access.identify(holders);
    QVERIFY2(peer.allowed == allowed, qPrintable(peer.refusal));
    QCOMPARE(peer.refusal.isEmpty(), allowed);
    if (allowed)
        QCOMPARE(peer.uid, holders.first().uid);
    for (const Platform::TcpPeer &holder : holders) {
        if (holder.pid > 0)
            QVERIFY(peer.description.contains(QStringLiteral("pid %1").arg(holder.pid)));
    }
}

void TestServicePolicy::safeFolderAttacks()
{
    VELMORIX_REQUIRE(::geteuid() == 0, QStringLiteral("needs root to own files as another user"));
    const uid_t client = 1000;
    const uid_t other = 65534;
    QTemporaryDir dir;
    const QString base = dir.path();
    const auto folder = [&](const QString &name, uid_t owner, mode_t mode) {
        const QString path = base + QLatin1Char('/') + name;
        QDir().mkpath(path);
        QVERIFY(::chown(QFile::encodeName(path).constData(), owner, owner) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
    };
    const auto file = [&](const QString &name, uid_t owner, const QByteArray &content) {
        const QString path = base + QLatin1Char('/') + name;
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QVERIFY(::lchown(QFile::encodeName(path).constData(), owner, owner) == 0);
    };
    QVERIFY(::chmod(QFile::encodeName(base).constData(), 0755) == 0);
    folder(QStringLiteral("home"), client, 0700);
    file(QStringLiteral("home/conf"), client, "mine");
    file(QStringLiteral("victim"), 0, "precious");

    // The client's own folder and file.
    {
        SafeFolder home(base + QStringLiteral("/home"), client);
        QVERIFY2(home.isOpen(), qPrintable(home.error()));
        QByteArray content;
        QVERIFY(home.read(QStringLiteral("conf"), 100, &content));
        QCOMPARE(content, QByteArray("mine"));
        QVERIFY(!home.read(QStringLiteral("conf"), 2, &content)); // beyond the limit
        QVERIFY(!home.read(QStringLiteral("../victim"), 100, &content));
    }
    // Someone else's folder, or one others may write, or a link of someone else's on the way.
    folder(QStringLiteral("others"), other, 0755);
    QVERIFY(!SafeFolder(base + QStringLiteral("/others"), client).isOpen());
    folder(QStringLiteral("open"), client, 0777);
    QVERIFY(!SafeFolder(base + QStringLiteral("/open"), client).isOpen());
    folder(QStringLiteral("sticky"), 0, 01777);
    QVERIFY(SafeFolder(base + QStringLiteral("/sticky"), client).isOpen());
    QVERIFY(QFile::link(base + QStringLiteral("/others"), base + QStringLiteral("/sticky/link")));
    QVERIFY(::lchown(QFile::encodeName(base + QStringLiteral("/sticky/link")).constData(), client, client) == 0);
    QVERIFY(!SafeFolder(base + QStringLiteral("/sticky/link"), client).isOpen());
    // A link that root made is the system's own and is followed.
    QVERIFY(QFile::link(base + QStringLiteral("/home"), base + QStringLiteral("/roothome")));
    QVERIFY(SafeFolder(base + QStringLiteral("/roothome"), client).isOpen());

    SafeFolder home(base + QStringLiteral("/home"), client);
    QByteArray content;
    // A link where a file goes: not read, not written through.
    QVERIFY(QFile::link(base + QStringLiteral("/victim"), base + QStringLiteral("/home/log")));
    QVERIFY(!home.read(QStringLiteral("log"), 100, &content));
    const int appended = home.openForAppend(QStringLiteral("log"));
    QVERIFY2(appended >= 0, qPrintable(home.error()));
    QCOMPARE(::write(appended, "x", 1), ssize_t(1));
    ::close(appended);
    QVERIFY(QFile::link(base + QStringLiteral("/victim"), base + QStringLiteral("/home/pid")));
    const int created = home.create(QStringLiteral("pid"), 0644);
    QVERIFY(created >= 0);
    QCOMPARE(::write(created, "1", 1), ssize_t(1));
    ::close(created);
    QFile victim(base + QStringLiteral("/victim"));
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("precious"));
    struct stat st = {};
    QVERIFY(::lstat(QFile::encodeName(base + QStringLiteral("/home/log")).constData(), &st) == 0);
    QVERIFY(S_ISREG(st.st_mode) && st.st_uid == client);
    // A hard link to a file of root's, a file of someone else's, a pipe.
    QVERIFY(::link(QFile::encodeName(base + QStringLiteral("/victim")).constData(),
                   QFile::encodeName(base + QStringLiteral("/home/hard")).constData())
            == 0);
    QVERIFY(!home.read(QStringLiteral("hard"), 100, &content));
    QVERIFY(home.openForAppend(QStringLiteral("hard")) < 0);
    file(QStringLiteral("home/foreign"), other, "theirs");
    QVERIFY(!home.read(QStringLiteral("foreign"), 100, &content));
    QVERIFY(::mkfifo(QFile::encodeName(base + QStringLiteral("/home/pipe")).constData(), 0600) == 0);
    QVERIFY(home.openForReading(QStringLiteral("pipe")) < 0); // and does not wait for a writer
    QCOMPARE(readAll(home.openForReading(QStringLiteral("conf"))), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestServicePolicy)
#include "tst_servicepolicy.moc"

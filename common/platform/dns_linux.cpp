#include "platform/dns.h"

#include "addresscheck.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace Platform {

namespace {

const QString resolvConfPath = QStringLiteral("/etc/resolv.conf");
// The id of /etc/resolv.conf as an interface: the same in every run, as "dns.dat" needs.
const QString resolvConfId = QStringLiteral("resolv.conf");

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString resolvectl()
{
    const QString inPath = QStandardPaths::findExecutable(QStringLiteral("resolvectl"));
    return inPath.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("resolvectl"),
                                                             {QStringLiteral("/usr/bin"), QStringLiteral("/bin")})
                            : inPath;
}

bool usesResolved()
{
    return !resolvectl().isEmpty()
        && pointsAtResolvedStub(readText(resolvConfPath), QFileInfo(resolvConfPath).symLinkTarget());
}

QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!finished)
        process.kill();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The servers of one family, in the forms resolvectl prints: encrypted DNS ("1.1.1.1#name",
// "1.1.1.1:853") included, so that a session gives them back as they were.
QStringList ofFamily(const QStringList &servers, DnsFamily family)
{
    QStringList result;
    const AddressCheck::Family wanted =
        family == DnsFamily::Ipv4 ? AddressCheck::Family::Ipv4 : AddressCheck::Family::Ipv6;
    for (const QString &server : servers) {
        if (AddressCheck::dnsServer(server).family == wanted)
            result << server;
    }
    return result;
}

// /proc/self/mountinfo writes blanks and backslashes of paths as octal escapes.
QString unescapeMountPath(const QString &path)
{
    QString result;
    for (int i = 0; i < path.size(); ++i) {
        if (path.at(i) == QLatin1Char('\\') && i + 3 < path.size()) {
            result += QChar(path.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            result += path.at(i);
        }
    }
    return result;
}

bool isMountPoint(const QString &path)
{
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : mounts.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4 && unescapeMountPath(QString::fromUtf8(fields.at(4))) == path)
            return true;
    }
    return false;
}

// Rewrites the file in place, putting the old content back when the write fails midway.
bool rewriteInPlace(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray original = file.readAll();
    if (file.seek(0) && file.write(content) == content.size() && file.resize(content.size()) && file.flush())
        return true;
    *error = file.errorString();
    file.seek(0);
    file.write(original);
    file.resize(original.size());
    file.flush();
    return false;
}

} // namespace

bool writeFileSafely(const QString &path, const QByteArray &content, QString *error)
{
    // Through a link to the file it names, so that the link stays.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();

    // A file mounted over another (as "ip netns exec" does with /etc/resolv.conf) cannot be
    // replaced by a rename, and a temporary file beside it would land in the folder below.
    if (isMountPoint(target))
        return rewriteInPlace(target, content, error);

    QSaveFile file(target);
    const bool existed = QFileInfo::exists(target);
    const QFileDevice::Permissions permissions = QFile::permissions(target);
    if (file.open(QIODevice::WriteOnly)) {
        if (existed)
            file.setPermissions(permissions);
        file.write(content);
        if (file.commit())
            return true;
    }
    // A folder we may not create files in still lets us rewrite the file itself.
    return rewriteInPlace(target, content, error);
}

QVector<DnsLink> readDnsLinks(const QString &logName)
{
    if (!usesResolved()) {
        const ResolvConf conf = parseResolvConf(readText(resolvConfPath));
        return {{resolvConfId, resolvConfPath, conf.ipv4, conf.ipv6}};
    }
    bool ok = false;
    const QString output = run(resolvectl(), {QStringLiteral("dns")}, &ok);
    if (!ok) {
        qWarning().noquote() << logName + QStringLiteral(": Cannot read the DNS servers from resolvectl");
        return {};
    }
    QVector<DnsLink> links;
    for (const ResolvedLink &link : parseResolvectlDns(output)) {
        if (link.name == QLatin1String("lo"))
            continue;
        // A link's name reaches resolvectl's command line in later runs.
        if (!AddressCheck::nameRefusal(link.name).isEmpty() || link.name.startsWith(QLatin1Char('-'))) {
            qWarning().noquote() << logName
                    + QStringLiteral(": Ignoring the link '%1'").arg(AddressCheck::forLog(link.name));
            continue;
        }
        for (const QString &server : link.servers) {
            if (AddressCheck::dnsServer(server).family == AddressCheck::Family::None)
                qWarning().noquote() << logName
                        + QStringLiteral(": Cannot use the DNS server '%1' of '%2': it %3")
                              .arg(AddressCheck::forLog(server), link.name, AddressCheck::dnsServer(server).refusal);
        }
        links.append(
            {link.name, link.name, ofFamily(link.servers, DnsFamily::Ipv4), ofFamily(link.servers, DnsFamily::Ipv6)});
    }
    return links;
}

bool isVpnInterface(const QString &id)
{
    if (id.isEmpty() || id.contains(QLatin1Char('/')) || id == resolvConfId)
        return false;
    const QString folder = QStringLiteral("/sys/class/net/") + id;
    if (QFileInfo::exists(folder + QStringLiteral("/tun_flags")))
        return true;
    return readText(folder + QStringLiteral("/uevent")).contains(QLatin1String("DEVTYPE=wireguard"));
}

QString dnsServerText(const QString &id, DnsFamily family)
{
    for (const DnsLink &link : readDnsLinks(QStringLiteral("DnsManager"))) {
        if (link.id == id)
            return (family == DnsFamily::Ipv4 ? link.ipv4 : link.ipv6).join(QLatin1Char(','));
    }
    return QString();
}

void writeDnsServers(
    const QString &id, const QString &name, DnsFamily family, const QStringList &servers, const QString &logName)
{
    Q_UNUSED(name)
    // Servers arrive checked; this is the last stop before a root file or command line, so
    // anything else is dropped here all the same.
    const AddressCheck::Family family4or6 =
        family == DnsFamily::Ipv4 ? AddressCheck::Family::Ipv4 : AddressCheck::Family::Ipv6;
    QStringList wanted;
    for (const QString &server : servers) {
        if (server.trimmed().isEmpty())
            continue;
        if (AddressCheck::dnsServer(server).family == family4or6)
            wanted << server;
        else
            qWarning().noquote() << logName
                    + QStringLiteral(": Not writing the DNS server '%1'").arg(AddressCheck::forLog(server));
    }
    if (!usesResolved()) {
        if (id != resolvConfId)
            return;
        const QString text = readText(resolvConfPath);
        QString error;
        if (!writeFileSafely(resolvConfPath, rewriteResolvConf(text, family, wanted).toUtf8(), &error))
            qWarning().noquote() << logName + QStringLiteral(": Cannot write %1: %2").arg(resolvConfPath, error);
        return;
    }
    if (!AddressCheck::nameRefusal(id).isEmpty())
        return;
    // resolvectl sets a link's servers of both families at once; IPv4 first, whichever family
    // is written, so that the order does not depend on the order of the writes.
    const QStringList other = dnsServerText(id, family == DnsFamily::Ipv4 ? DnsFamily::Ipv6 : DnsFamily::Ipv4)
                                  .split(QLatin1Char(','), Qt::SkipEmptyParts);
    QStringList all = family == DnsFamily::Ipv4 ? wanted + other : other + wanted;
    // Without servers, resolvectl only prints the link's; one empty argument clears it. Behind
    // "--" no link name or server is taken for an option.
    if (all.isEmpty())
        all << QString();
    const QStringList arguments = QStringList{QStringLiteral("dns"), QStringLiteral("--"), id} + all;
    bool ok = false;
    const QString output = run(resolvectl(), arguments, &ok);
    if (!ok) {
        qInfo().noquote() << logName
                + QStringLiteral(": Subprocess (%1) finished with status: '%2', output: '%3'")
                      .arg(arguments.join(QLatin1Char(' ')), QStringLiteral("false"), output.simplified());
    }
}

void holdForeignDnsServers(bool hold, const QString &logName)
{
    if (usesResolved())
        return;
    const QString text = readText(resolvConfPath);
    const QString changed = holdForeignNameservers(text, hold);
    if (changed == text)
        return;
    qInfo().noquote() << logName
            + (hold ? QStringLiteral(
                   ": Holding the servers of %1 that are not plain addresses while the VPN's are in use")
                    : QStringLiteral(": Giving back the held servers of %1"))
                  .arg(resolvConfPath);
    QString error;
    if (!writeFileSafely(resolvConfPath, changed.toUtf8(), &error))
        qWarning().noquote() << logName + QStringLiteral(": Cannot write %1: %2").arg(resolvConfPath, error);
}

bool flushResolverCache()
{
    // Without systemd-resolved there is no cache of the system's to empty.
    if (!usesResolved())
        return true;
    bool ok = false;
    run(resolvectl(), {QStringLiteral("flush-caches")}, &ok);
    if (!ok)
        qWarning().noquote() << QStringLiteral("Dns: Failed execute function: resolvectl flush-caches");
    return ok;
}

Command fallbackFlushCommand()
{
    return {};
}

} // namespace Platform

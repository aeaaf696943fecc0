#include "platform/dns.h"

#include <QDebug>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>

#include <windows.h>

namespace Platform {

namespace {

const QString ipv4Key =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces");
const QString ipv6Key =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip6\\Parameters\\Interfaces");
const QString adapterClassKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}");
const QString networkKey = QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-"
                                          "E325-11CE-BFC1-08002BE10318}\\%1\\Connection");
const QString nameServer = QStringLiteral("NameServer");

QString familyKey(DnsFamily family)
{
    return family == DnsFamily::Ipv4 ? ipv4Key : ipv6Key;
}

QString connectionName(const QString &guid)
{
    const QSettings connection(networkKey.arg(guid), QSettings::NativeFormat);
    if (connection.value(QStringLiteral("PnPInstanceId")).toString() == QLatin1String("ROOT\\KDNIC\\0000"))
        return QString();
    return connection.value(QStringLiteral("Name")).toString();
}

QVector<DnsLink> familyRecords(DnsFamily family, const QSet<QString> &guids)
{
    QVector<DnsLink> records;
    QSettings interfaces(familyKey(family), QSettings::NativeFormat);
    for (const QString &id : interfaces.childGroups()) {
        const QString name = connectionName(id);
        if (name.isEmpty() || !guids.contains(id.toUpper()))
            continue;
        const QString value = interfaces.value(id + QLatin1Char('/') + nameServer).toString();
        const QStringList servers = value.isEmpty() ? QStringList() : value.split(QLatin1Char(','), Qt::KeepEmptyParts);
        records.append({id,
                        name,
                        family == DnsFamily::Ipv4 ? servers : QStringList(),
                        family == DnsFamily::Ipv6 ? servers : QStringList()});
    }
    return records;
}

} // namespace

QVector<DnsLink> readDnsLinks(const QString &logName)
{
    QProcess wmic;
    wmic.start(QStringLiteral("wmic"), wmicGuidArguments(), QIODevice::ReadWrite);
    wmic.waitForFinished(30000);
    const QSet<QString> guids = parseWmicGuids(wmic.readAll());

    const QVector<DnsLink> ipv4 = familyRecords(DnsFamily::Ipv4, guids);
    const QVector<DnsLink> ipv6 = familyRecords(DnsFamily::Ipv6, guids);
    if (ipv4.size() != ipv6.size()) {
        qCritical().noquote() << logName + QStringLiteral(": DNS internal issue: Ipv4/Ipv6 mismatch");
        return {};
    }
    QVector<DnsLink> links;
    for (int i = 0; i < ipv4.size(); ++i)
        links.append({ipv4.at(i).id, ipv4.at(i).name, ipv4.at(i).ipv4, ipv6.at(i).ipv6});
    return links;
}

bool isVpnInterface(const QString &id)
{
    QSettings adapters(adapterClassKey, QSettings::NativeFormat);
    bool vpn = false;
    for (const QString &instance : adapters.childGroups()) {
        adapters.beginGroup(instance);
        for (const QString &key : adapters.childKeys()) {
            if (key != QLatin1String("MatchingDeviceId"))
                continue;
            if (adapters.value(key).toString() == QLatin1String("tap0901")
                && adapters.value(QStringLiteral("NetCfgInstanceId")).toString().toLower() == id.toLower())
                vpn = true;
            break;
        }
        adapters.endGroup();
    }
    return vpn;
}

QString dnsServerText(const QString &id, DnsFamily family)
{
    return QSettings(familyKey(family) + QLatin1Char('\\') + id, QSettings::NativeFormat).value(nameServer).toString();
}

void writeDnsServers(
    const QString &id, const QString &name, DnsFamily family, const QStringList &servers, const QString &logName)
{
    Q_UNUSED(id)
    for (const QStringList &arguments : netshDnsArguments(family, name, servers)) {
        QProcess netsh;
        netsh.start(QStringLiteral("netsh"), arguments, QIODevice::ReadWrite);
        const bool finished = netsh.waitForFinished(30000);
        const QString output = QString::fromUtf8(netsh.readAllStandardOutput()).simplified();
        // One still running after the wait is abandoned: its exit code would read 0.
        if (finished && (netsh.exitStatus() != QProcess::NormalExit || netsh.exitCode() != 0)) {
            qInfo().noquote() << logName
                    + QStringLiteral(": Subprocess (%1) finished with status: '%2', output: '%3'")
                          .arg(arguments.join(QLatin1Char(' ')), QStringLiteral("false"), output);
        }
    }
}

void holdForeignDnsServers(bool, const QString &)
{
    // The registry keeps no server that could not be written back.
}

bool flushResolverCache()
{
    HMODULE library = LoadLibraryW(L"dnsapi.dll");
    if (!library) {
        qWarning().noquote() << QStringLiteral("Dns: Failed loading dnsapi.dll: %1").arg(GetLastError());
        return false;
    }
    using FlushFunction = BOOL(WINAPI *)();
    // Through the generic function pointer type: a direct cast between unrelated function types
    // is what the compiler rightly warns about.
    const auto flush =
        reinterpret_cast<FlushFunction>(reinterpret_cast<void (*)()>(GetProcAddress(library, "DnsFlushResolverCache")));
    bool ok = false;
    if (!flush) {
        qWarning().noquote() << QStringLiteral("Dns: Failed loading function for dnsapi.dll: %1").arg(GetLastError());
    } else if (!(ok = flush() != 0)) {
        qWarning().noquote() << QStringLiteral("Dns: Failed execute function: %1").arg(GetLastError());
    }
    FreeLibrary(library);
    return ok;
}

Command fallbackFlushCommand()
{
    return {QStringLiteral("ipconfig"), {QStringLiteral("/flushdns")}};
}

bool writeFileSafely(const QString &path, const QByteArray &content, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace Platform

#include "platform/adapters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Platform {

NetworkAdapters parseRoutePrint(const QStringList &lines, bool vpnOnly)
{
    NetworkAdapters adapters;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.contains(QLatin1String("Software Loopback Interface")))
            continue;
        if (!line.contains(QLatin1String("TAP-Windows Adapter")) && vpnOnly)
            continue;
        // " 17...00 ff 8e 3d 2a 91 ......TAP-Windows Adapter V9": index, hardware address, description.
        const int index = line.split(QStringLiteral("..."), Qt::KeepEmptyParts).first().trimmed().toInt();
        const QStringList parts = line.split(QStringLiteral("......"), Qt::KeepEmptyParts);
        const QString name = parts.size() >= 2 ? parts.at(1).simplified() : QString();
        if (index > 0 && !name.isEmpty())
            adapters.append({name, index});
    }
    return adapters;
}

namespace {

QByteArray readSysFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(64).trimmed();
}

constexpr int loopbackType = 772; // ARPHRD_LOOPBACK

} // namespace

NetworkAdapters linuxAdapters(bool vpnOnly, const QString &tunDevice, const QString &sysClassNet)
{
    NetworkAdapters adapters;
    if (!QFileInfo::exists(tunDevice))
        return adapters;
    adapters.append({QStringLiteral("TUN/TAP driver (%1)").arg(tunDevice), 0});

    const QDir net(sysClassNet);
    const QStringList links = net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &link : links) {
        const QString folder = net.filePath(link);
        const int index = readSysFile(folder + QStringLiteral("/ifindex")).toInt();
        if (index <= 0 || readSysFile(folder + QStringLiteral("/type")).toInt() == loopbackType)
            continue;
        const bool tunTap = QFileInfo::exists(folder + QStringLiteral("/tun_flags"));
        if (tunTap || !vpnOnly)
            adapters.append({link, index});
    }
    return adapters;
}

} // namespace Platform

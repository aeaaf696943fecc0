// Entries of the dns program's command line, its "dns.dat" and /etc/resolv.conf are outside
// input: any bytes may reach their parses.
#include "dns.h"
#include "platform/dns.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <cstdlib>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(dropMessages), true);
    Q_UNUSED(quiet)
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text = QString::fromUtf8(bytes);

    const Dns::Parsed parsed = Dns::parseEntries(text.split(QLatin1Char('\n')));
    for (const DnsInterface &entry : parsed.interfaces) {
        if (entry.ipv4Dns.size() + entry.ipv6Dns.size() > text.count(QLatin1Char(',')) + 1)
            std::abort();
    }

    // "dns.dat" as a reset reads it.
    static const QString path = QDir::tempPath() + QStringLiteral("/velmorix-fuzz-dns.dat");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
        const QSettings settings(path, QSettings::IniFormat);
        Dns::parseEntries(settings.value(QStringLiteral("UserDns/Args"))
                              .toString()
                              .simplified()
                              .split(QLatin1Char(';'), Qt::SkipEmptyParts));
    }

    // A rewrite keeps every line that is not a server of the family it writes.
    const QString rewritten =
        Platform::rewriteResolvConf(text, Platform::DnsFamily::Ipv4, {QStringLiteral("172.16.0.1")});
    if (Platform::parseResolvConf(rewritten).ipv4 != QStringList{QStringLiteral("172.16.0.1")})
        std::abort();
    if (Platform::parseResolvConf(rewritten).ipv6 != Platform::parseResolvConf(text).ipv6)
        std::abort();
    return 0;
}

// Entries of the dns program's command line, its "dns.dat" and /etc/resolv.conf are outside
// input: any bytes may reach their parses.
#include "addresscheck.h"
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

    // Entries one to a line, and the whole input as one entry (line breaks and all).
    for (const QStringList &entries : {text.split(QLatin1Char('\n')), QStringList{text}}) {
        const Dns::Parsed parsed = Dns::parseEntries(entries);
        for (const DnsInterface &entry : parsed.interfaces) {
            if (entry.ipv4Dns.size() + entry.ipv6Dns.size() > text.count(QLatin1Char(',')) + 1)
                std::abort();
            // What is taken is a server of its family and nothing else: no line break, blank,
            // scope or control character gets through to a file or a command line.
            for (const QString &server : entry.ipv4Dns + entry.ipv6Dns) {
                const AddressCheck::Verdict verdict = AddressCheck::dnsServer(server);
                if (verdict.family == AddressCheck::Family::None || server.contains(QLatin1Char('%'))
                    || !AddressCheck::nameRefusal(server).isEmpty())
                    std::abort();
                if ((verdict.family == AddressCheck::Family::Ipv4) != entry.ipv4Dns.contains(server))
                    std::abort();
            }
            if (!AddressCheck::nameRefusal(entry.interfaceId).isEmpty())
                std::abort();
        }
        if (parsed.interfaces.size() + parsed.refused.size() > entries.size())
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

    // Servers from outside handed to the writer: every line it adds is "nameserver ADDRESS".
    for (const Platform::DnsFamily family : {Platform::DnsFamily::Ipv4, Platform::DnsFamily::Ipv6}) {
        const QString written =
            Platform::rewriteResolvConf(QStringLiteral("search lan\n"), family, text.split(QLatin1Char(',')));
        for (const QString &line : written.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line == QLatin1String("search lan"))
                continue;
            if (!line.startsWith(QLatin1String("nameserver "))
                || AddressCheck::plainAddress(line.mid(11)).family == AddressCheck::Family::None)
                std::abort();
        }
    }
    return 0;
}

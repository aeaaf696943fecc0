// "log.bin", the state lines and the tunnel configuration are outside input for the WireGuard
// client, its log reader and the tunnel program.
#include "connectionstatistics.h"
#include "tunnelconfig.h"
#include "wireguardlogger.h"

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

    int count = -1;
    QStringList lines;
    if (WireGuardLogger::decode(bytes, &count, &lines)) {
        const int present = (bytes.size() - WireGuardLogger::headerSize) / WireGuardLogger::recordSize;
        if (count < 0 || lines.size() > count || lines.size() > present)
            std::abort();
    } else if (!lines.isEmpty()) {
        std::abort();
    }

    const QString text = QString::fromUtf8(bytes);
    for (const QString &amount : text.split(QStringLiteral(", ")))
        ConnectionStatistics::parseBytes(amount);

    const TunnelConfig config = TunnelConfig::parse(text);
    if (config.error.isEmpty() && (config.endpointPort == 0 || config.privateKey.isEmpty()))
        std::abort();
    return 0;
}

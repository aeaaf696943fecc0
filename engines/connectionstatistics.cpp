#include "connectionstatistics.h"

#include <QDebug>

ConnectionStatistics::ConnectionStatistics(quint64 receivedBytes, quint64 sentBytes)
    : received(receivedBytes)
    , sent(sentBytes)
{
}

ConnectionStatistics::ConnectionStatistics(const QString &receivedText, const QString &sentText)
    : received(parseBytes(receivedText))
    , sent(parseBytes(sentText))
{
}

quint64 ConnectionStatistics::parseBytes(const QString &text)
{
    static const struct
    {
        const char *suffix;
        quint64 factor;
    } units[] = {
        {" B", 1ULL}, {" KiB", 1024ULL}, {" MiB", 1048576ULL}, {" GiB", 1073741824ULL}, {" TiB", 1099511627776ULL}};
    for (const auto &unit : units) {
        const QLatin1String suffix(unit.suffix);
        if (!text.endsWith(suffix))
            continue;
        bool ok = false;
        const float number = text.left(text.size() - suffix.size()).toFloat(&ok);
        // A negative, unreadable or overflowing amount is no count of bytes.
        const double bytes = double(number) * double(unit.factor);
        if (!ok || !(bytes >= 0) || bytes >= 18446744073709551615.0)
            break;
        return quint64(bytes);
    }
    qCritical().noquote() << QStringLiteral("ConnectionStatistics: Parse error, %1").arg(text);
    return 0;
}

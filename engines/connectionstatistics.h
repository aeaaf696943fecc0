#pragma once

#include <QString>

// Traffic totals of a connection.
class ConnectionStatistics
{
public:
    ConnectionStatistics() = default;
    ConnectionStatistics(quint64 received, quint64 sent);
    // From traffic texts such as "1.5 KiB"; a text without a known unit counts as 0.
    ConnectionStatistics(const QString &received, const QString &sent);

    static quint64 parseBytes(const QString &text);

    quint64 received = 0;
    quint64 sent = 0;
};

#include "multiping.h"

#include "pinger.h"

#include <algorithm>

MultiPing::MultiPing(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("MultiPing"));
}

MultiPing::~MultiPing()
{
    for (const auto &entry : qAsConst(m_pingers)) {
        entry.second->kill();
        delete entry.second;
    }
}

void MultiPing::sendRequest(const QString &ip)
{
    auto *pinger = new Pinger;
    m_pingers.append({ip, pinger});
    connect(pinger, &Pinger::finished, this, &MultiPing::onPingFinished);
    pinger->ping(ip, timeoutMs);
}

void MultiPing::sendRequest(const QStringList &list)
{
    m_results.clear();
    m_starting = true;
    for (const QString &ip : list)
        sendRequest(ip);
    m_starting = false;
    // Every probe failed while the list was being started.
    if (!list.isEmpty() && m_pingers.isEmpty())
        finishBatch();
}

void MultiPing::onPingFinished(bool success, uint value)
{
    auto *pinger = qobject_cast<Pinger *>(sender());
    const auto entry = std::find_if(
        m_pingers.begin(), m_pingers.end(), [pinger](const QPair<QString, Pinger *> &e) { return e.second == pinger; });
    if (entry == m_pingers.end())
        return;
    const QString address = entry->first;
    const uint result = success ? value : failedPingValue;
    m_sorted.append({result, address});
    m_results << QStringLiteral("%1:%2").arg(address).arg(result);

    m_pingers.erase(entry);
    // Not from within its own notification.
    pinger->kill();
    pinger->deleteLater();

    if (m_pingers.isEmpty() && !m_starting)
        finishBatch();
}

QStringList MultiPing::byValue(const QStringList &results)
{
    QList<QPair<qulonglong, QString>> ranked;
    for (const QString &entry : results) {
        bool ok = false;
        const qulonglong value = entry.mid(entry.lastIndexOf(QLatin1Char(':')) + 1).toULongLong(&ok);
        ranked.append({ok && entry.contains(QLatin1Char(':')) ? value : ~0ULL, entry});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList ordered;
    for (const auto &pair : qAsConst(ranked))
        ordered << pair.second;
    return ordered;
}

void MultiPing::finishBatch()
{
    std::sort(m_sorted.begin(), m_sorted.end());
    const QList<QPair<uint, QString>> sorted = m_sorted;
    m_sorted.clear();
    for (const auto &pair : sorted)
        emit requestFinished(pair.second, ushort(pair.first));
    emit lastRequestFinished(m_results);
}

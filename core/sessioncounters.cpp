#include "sessioncounters.h"

#include "vpnclient.h"

SessionCounters::SessionCounters(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
    , m_onlineTime(onlineTimeText(0))
{
    setObjectName(QStringLiteral("SessionCounters"));
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, &SessionCounters::tick);
}

QString SessionCounters::onlineTimeText(qint64 seconds)
{
    if (seconds <= 0)
        return QStringLiteral("00:00:00");
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString SessionCounters::downloaded() const
{
    return VpnClient::formatTraffic(m_received);
}

QString SessionCounters::uploaded() const
{
    return VpnClient::formatTraffic(m_sent);
}

void SessionCounters::start()
{
    m_since = m_clock();
    m_onlineTime = onlineTimeText(0);
    emit onlineTimeChanged(m_onlineTime);
    m_timer.start();
}

void SessionCounters::reset()
{
    m_timer.stop();
    m_since = QDateTime();
    m_received = 0;
    m_sent = 0;
    m_onlineTime = onlineTimeText(0);
    emit downloadedChanged(downloaded());
    emit uploadedChanged(uploaded());
    emit onlineTimeChanged(m_onlineTime);
}

void SessionCounters::setTraffic(quint64 received, quint64 sent)
{
    m_received = received;
    m_sent = sent;
    emit downloadedChanged(downloaded());
    emit uploadedChanged(uploaded());
}

void SessionCounters::tick()
{
    // The span counts, not the wall clock's reading: a session across midnight stays right.
    m_onlineTime = onlineTimeText(m_since.isValid() ? m_since.secsTo(m_clock()) : 0);
    emit onlineTimeChanged(m_onlineTime);
}

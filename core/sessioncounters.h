#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

// The session's traffic totals and its online time, as texts for the window. The clock is
// handed in, so that a day's session can be tested in a moment.
class SessionCounters final : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    static constexpr int tickMs = 500;

    explicit SessionCounters(QObject *parent = nullptr);

    // "%1:%2:%3": whole hours (not wrapped at a day), minutes, seconds.
    static QString onlineTimeText(qint64 seconds);

    void setClock(Clock clock) { m_clock = std::move(clock); }

    QString downloaded() const;
    QString uploaded() const;
    QString onlineTime() const { return m_onlineTime; }

    // The tunnel is up: the time counts from now.
    void start();
    // The session is over: all back to zero.
    void reset();
    void setTraffic(quint64 received, quint64 sent);
    void tick();

signals:
    void downloadedChanged(const QString &text);
    void uploadedChanged(const QString &text);
    void onlineTimeChanged(const QString &text);

private:
    Clock m_clock;
    QTimer m_timer;
    QDateTime m_since;
    QString m_onlineTime;
    quint64 m_received = 0;
    quint64 m_sent = 0;
};

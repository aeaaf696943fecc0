#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPointer>

class QNetworkReply;

// Aborts a reply that is still running when its time is up; the abort then takes the reply's
// error path. A child of the reply, so it goes with it.
class NetworkReplyTimeout final : public QObject
{
    Q_OBJECT

public:
    NetworkReplyTimeout(QNetworkReply *reply, int milliseconds);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    QPointer<QNetworkReply> m_reply;
    QBasicTimer m_timer;
};

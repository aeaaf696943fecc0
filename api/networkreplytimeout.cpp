#include "networkreplytimeout.h"

#include <QDebug>
#include <QNetworkReply>
#include <QTimerEvent>

NetworkReplyTimeout::NetworkReplyTimeout(QNetworkReply *reply, int milliseconds)
    : QObject(reply)
    , m_reply(reply)
{
    setObjectName(QStringLiteral("ReplyTimeout"));
    if (reply && reply->isRunning())
        m_timer.start(milliseconds, this);
}

void NetworkReplyTimeout::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return;
    m_timer.stop();
    if (!m_reply) {
        qWarning().noquote() << objectName() + QStringLiteral(": Reply doesn't exists");
        return;
    }
    if (m_reply->isRunning()) {
        qInfo().noquote() << objectName()
                + QStringLiteral(": Request '%1', cancelled by timer").arg(m_reply->url().toString());
        m_reply->abort();
    }
}

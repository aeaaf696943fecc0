#include "senderobject.h"

SenderObject::SenderObject(QObject *parent)
    : QObject(parent)
{
}

SenderObject::~SenderObject()
{
    if (!m_delivered)
        emit finished(false, 0);
}

void SenderObject::deliver(bool success, uint value)
{
    if (m_delivered)
        return;
    m_delivered = true;
    emit finished(success, value);
}

#pragma once

#include <QObject>

// Relays the result of one echo request. A relay destroyed before it delivered reports a
// failure on its way out, so that every probe reports exactly once.
class SenderObject final : public QObject
{
    Q_OBJECT

public:
    explicit SenderObject(QObject *parent = nullptr);
    ~SenderObject() override;

    void deliver(bool success, uint value);
    bool delivered() const { return m_delivered; }

signals:
    void finished(bool success, uint value);

private:
    bool m_delivered = false;
};

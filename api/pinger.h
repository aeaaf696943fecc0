#pragma once

#include <QObject>

#include <memory>

class SenderObject;

// One ICMP echo probe (on Windows the IP helper's asynchronous echo, elsewhere an ICMP
// socket). Reports once: finished(true, milliseconds) for an answer, finished(false, 0) for
// none within the limit or any failure.
class Pinger final : public QObject
{
    Q_OBJECT

public:
    Pinger();
    ~Pinger() override;

    void ping(const QString &address, int timeoutMs);

signals:
    void finished(bool success, uint value);

public slots:
    // Later results go nowhere.
    void kill();

protected slots:
    void callBackFinished(bool success, uint value);

private:
    struct Request;
    std::unique_ptr<Request> m_request;
};

#ifdef Q_OS_WIN
using PingWin = Pinger;
#endif

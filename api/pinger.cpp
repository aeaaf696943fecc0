#include "pinger.h"

void Pinger::kill()
{
    disconnect(this, &Pinger::finished, nullptr, nullptr);
}

void Pinger::callBackFinished(bool success, uint value)
{
    emit finished(success, value);
}

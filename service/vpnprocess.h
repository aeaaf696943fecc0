#pragma once

#include "serviceprocess.h"

// The service process of a VPN engine, which the client may also kill or stop by name.
class VpnProcess final : public ServiceProcess
{
    Q_OBJECT

public:
    VpnProcess(const QString &name, QObject *parent = nullptr);

    // "start: <kill NAME>": the service's kill action for the engine.
    void kill();
    // "stop: <NAME>".
    void stop();

public slots:
    // Whatever is given, an engine only ever gets the stop command written to it.
    void write(const QString &command) override;
};

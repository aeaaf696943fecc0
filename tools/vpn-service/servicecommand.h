#pragma once

#include <QString>
#include <QStringList>

// One command of the client, as it arrives in a text frame.
struct ServiceCommand
{
    enum Kind {
        Invalid,
        Init, // "init: connection"
        Start, // start: "PROGRAM" "ARG"...
        Kill, // start: <kill NAME>
        Stop, // stop: <NAME>
    };

    Kind kind = Invalid;
    QStringList programAndArguments; // Start
    QString name; // Kill, Stop
    QString error; // Invalid: why

    static ServiceCommand parse(const QString &frame);
};

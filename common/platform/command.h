#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// A program and its arguments, ready for QProcess. An empty program means "nothing to run".
struct Command
{
    QString program;
    QStringList arguments;

    bool isEmpty() const { return program.isEmpty(); }
};

} // namespace Platform

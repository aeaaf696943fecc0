#pragma once

#include "platform/command.h"

#include <QByteArray>
#include <QString>

namespace Platform {

// Time the system tools get to start and to finish before their output is taken as it is.
constexpr int toolTimeoutMs = 30000;

// True when a process whose executable file name is exactly `fileName` (case-sensitive, no
// directories) runs on this machine.
bool isProcessRunning(const QString &fileName);

// The command interpreter running one command line: "cmd /C ..." on Windows, "/bin/sh -c ..." on Linux.
Command shellCommand(const QString &commandLine);

// Windows form of the process list: the tool's command line, and whether its output (lines
// ended by any mix of CR and LF, as wmic writes to a pipe) holds the name as a whole caption.
QString wmicProcessCommandLine();
bool wmicCaptionsContain(const QByteArray &output, const QString &fileName);

} // namespace Platform

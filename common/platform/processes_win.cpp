#include "platform/processes.h"

#include <QProcess>

namespace Platform {

bool isProcessRunning(const QString &fileName)
{
    QProcess wmic;
    wmic.setProcessChannelMode(QProcess::MergedChannels);
    wmic.start(wmicProcessCommandLine());
    wmic.waitForStarted(toolTimeoutMs);
    wmic.waitForFinished(toolTimeoutMs);
    return wmicCaptionsContain(wmic.readAll(), fileName);
}

Command shellCommand(const QString &commandLine)
{
    return {QStringLiteral("cmd"), {QStringLiteral("/C"), commandLine}};
}

} // namespace Platform

#include "platform/processes.h"

#include <QProcess>

namespace Platform {

bool isProcessRunning(const QString &fileName)
{
    QProcess wmic;
    wmic.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList words = QProcess::splitCommand(wmicProcessCommandLine());
    wmic.start(words.first(), words.mid(1));
    wmic.waitForStarted(toolTimeoutMs);
    wmic.waitForFinished(toolTimeoutMs);
    return wmicCaptionsContain(wmic.readAll(), fileName);
}

Command shellCommand(const QString &commandLine)
{
    return {QStringLiteral("cmd"), {QStringLiteral("/C"), commandLine}};
}

} // namespace Platform

#include "childprocess.h"

#include "platform/processes.h"

#include <QDebug>

ChildProcess::ChildProcess(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("ChildProcess"));
    connect(&m_process, &QProcess::errorOccurred, this, &ChildProcess::onErrorOccurred);
    connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, &ChildProcess::onFinished);
}

ChildProcess::~ChildProcess()
{
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

void ChildProcess::start(const QString &program, const QStringList &arguments)
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
    m_process.start(program, arguments, QIODevice::ReadWrite);
}

QStringList ChildProcess::execute(const QString &program, const QStringList &arguments, bool readOutput)
{
    QProcess process;
    process.start(program, arguments, QIODevice::ReadWrite);
    const bool finished = process.waitForFinished(Platform::toolTimeoutMs);
    QStringList lines;
    if (readOutput)
        lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    if (!finished && process.state() != QProcess::NotRunning) {
        // Abandoned with what it wrote; it must not outlive the wait.
        process.kill();
        process.waitForFinished(1000);
    }
    return lines;
}

QString ChildProcess::errorName(QProcess::ProcessError error)
{
    switch (error) {
    case QProcess::FailedToStart: return QStringLiteral("failed to start");
    case QProcess::Crashed: return QStringLiteral("crashed");
    case QProcess::Timedout: return QStringLiteral("timed out");
    case QProcess::ReadError: return QStringLiteral("read error");
    case QProcess::WriteError: return QStringLiteral("write error");
    case QProcess::UnknownError: break;
    }
    return QStringLiteral("unknown error");
}

void ChildProcess::onErrorOccurred(QProcess::ProcessError error)
{
    qWarning().noquote() << objectName() + QStringLiteral(": Error occured: ") + errorName(error);
}

void ChildProcess::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    emit processFinished(exitCode == 0 && exitStatus == QProcess::NormalExit);
}

#include "serviceprocess.h"

#include "servicecontroller.h"

#include <QDebug>

ServiceProcess::ServiceProcess(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
{
    setObjectName(name);
    if (ServiceController *controller = ServiceController::instance())
        connect(controller, &ServiceController::processOutput, this, &ServiceProcess::onProcessOutput);
    else
        qWarning().noquote() << name + QStringLiteral(": No service link; the service's reports will not arrive");
}

ServiceProcess::Report ServiceProcess::parseReport(const QString &text)
{
    Report report;
    QString prefix;
    if (text.startsWith(QLatin1String("started:"))) {
        report.kind = Report::Started;
        prefix = QStringLiteral("started:");
    } else if (text.startsWith(QLatin1String("finished:"))) {
        report.kind = Report::Finished;
        prefix = QStringLiteral("finished:");
    } else {
        return report;
    }
    const QStringList fields = QString(text).remove(prefix).split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (fields.size() >= 2)
        report.code = fields.at(1).toUInt(); // 0 when not a number
    report.name = fields.isEmpty() ? QString() : fields.last();
    return report;
}

QString ServiceProcess::startCommandFor(const QStringList &programAndArguments)
{
    QStringList quoted;
    for (const QString &element : programAndArguments)
        quoted << QLatin1Char('"') + element + QLatin1Char('"');
    return QStringLiteral("start: %1").arg(quoted.join(QLatin1Char(' ')));
}

void ServiceProcess::start(const QStringList &programAndArguments)
{
    startCommand(startCommandFor(programAndArguments));
}

void ServiceProcess::startCommand(const QString &command)
{
    m_state = Starting;
    send(command);
}

void ServiceProcess::write(const QString &command)
{
    send(command);
}

void ServiceProcess::send(const QString &command)
{
    if (ServiceController *controller = ServiceController::instance())
        controller->sendCommand(command);
    else
        qWarning().noquote() << m_name + QStringLiteral(": No service link, command dropped");
}

void ServiceProcess::onProcessOutput(const QString &output)
{
    const Report report = parseReport(output);
    if (report.kind == Report::None || report.name != m_name)
        return;
    if (report.kind == Report::Finished) {
        m_state = NotRunning;
        emit finished(int(report.code));
    } else if (report.code != 0) {
        m_state = NotRunning;
        emit error(int(report.code));
    } else {
        m_state = Running;
        emit started();
    }
}

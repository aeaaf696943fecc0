#include "serviceprocess.h"

#include "servicecontroller.h"

#include <QDebug>
#include <QHash>
#include <QPointer>

// Hands each report of the service to the object it belongs to. The service answers every
// start command with one "started:" report, in the order of the commands, so the starts of a
// name wait in line for theirs; a start that was on a link that went down never hears back
// and leaves the line. "finished:" reports go to every object of the name, which keep those
// of their own process ids.
class ServiceReportRouter final : public QObject
{
public:
    static ServiceReportRouter &instance()
    {
        static ServiceReportRouter router;
        return router;
    }

    void attach(ServiceController *controller)
    {
        if (!controller || controller == m_controller)
            return;
        if (m_controller)
            m_controller->disconnect(this);
        m_controller = controller;
        m_waiting.clear();
        connect(controller, &ServiceController::processOutput, this, &ServiceReportRouter::route);
        connect(controller, &ServiceController::disconnected, this, &ServiceReportRouter::onLinkDown);
        connect(controller, &ServiceController::connected, this, &ServiceReportRouter::onLinkUp);
    }

    void add(ServiceProcess *process) { m_processes << process; }
    void remove(ServiceProcess *process) { m_processes.removeAll(process); }

    void expectStart(ServiceProcess *process)
    {
        attach(ServiceController::instance());
        m_waiting[process->name()].append(
            {QPointer<ServiceProcess>(process), m_controller && m_controller->isConnected()});
    }

private:
    struct Waiting
    {
        QPointer<ServiceProcess> process;
        bool sent = false; // false while the command waits in the link's buffer
    };

    void route(const QString &text)
    {
        const ServiceProcess::Report report = ServiceProcess::parseReport(text);
        if (report.kind == ServiceProcess::Report::None)
            return;
        if (report.kind == ServiceProcess::Report::Started) {
            QList<Waiting> &line = m_waiting[report.name];
            if (line.isEmpty())
                return;
            // An object that is gone leaves its report unheard, rather than to the next one.
            const QPointer<ServiceProcess> owner = line.takeFirst().process;
            if (owner)
                owner->take(report);
            return;
        }
        QList<QPointer<ServiceProcess>> named;
        for (ServiceProcess *process : qAsConst(m_processes)) {
            if (process->name() == report.name)
                named << process;
        }
        for (const QPointer<ServiceProcess> &process : qAsConst(named)) {
            if (process)
                process->take(report);
        }
    }

    void onLinkDown()
    {
        for (QList<Waiting> &line : m_waiting) {
            for (int i = line.size() - 1; i >= 0; --i) {
                if (line.at(i).sent || !line.at(i).process)
                    line.removeAt(i);
            }
        }
    }

    void onLinkUp()
    {
        // The buffered commands have gone out now.
        for (QList<Waiting> &line : m_waiting) {
            for (Waiting &waiting : line)
                waiting.sent = true;
        }
    }

    QPointer<ServiceController> m_controller;
    QList<ServiceProcess *> m_processes;
    QHash<QString, QList<Waiting>> m_waiting;
};

ServiceProcess::ServiceProcess(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
{
    setObjectName(name);
    ServiceReportRouter::instance().add(this);
    if (ServiceController *controller = ServiceController::instance())
        ServiceReportRouter::instance().attach(controller);
    else
        qWarning().noquote() << name + QStringLiteral(": No service link; the service's reports will not arrive");
}

ServiceProcess::~ServiceProcess()
{
    ServiceReportRouter::instance().remove(this);
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
    if (fields.size() >= 2) {
        const qint64 pid = fields.at(0).toLongLong(); // 0 when not a number
        report.pid = pid > 0 ? pid : 0;
        report.code = fields.at(1).toUInt(); // 0 when not a number
    }
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
    ServiceReportRouter::instance().expectStart(this);
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
    take(report);
}

void ServiceProcess::take(const Report &report)
{
    if (report.kind == Report::Finished) {
        // Another program of the same name (an engine before this one) is none of ours.
        if (report.pid != 0 && !m_pids.contains(report.pid) && !m_pids.contains(0))
            return;
        m_pids.remove(m_pids.contains(report.pid) ? report.pid : 0);
        m_state = NotRunning;
        emit finished(int(report.code), report.pid);
    } else if (report.code != 0) {
        m_state = NotRunning;
        emit error(int(report.code));
    } else {
        m_pids.insert(report.pid);
        m_state = Running;
        emit started(report.pid);
    }
}

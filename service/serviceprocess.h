#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

// A program that the privileged service runs for the client. Start requests go out on the
// service link; the service's "started:" and "finished:" reports come back as signals, so a
// caller can treat the program much like a local process. The name is what the service
// reports as the program's name. Several objects may share a name (an engine that ends and
// the next one): a "started:" report belongs to the object whose start command it answers
// (the service answers each start, in order), a "finished:" report to the object that was
// told that process id when its program started.
class ServiceProcess : public QObject
{
    Q_OBJECT

public:
    // The same values as QProcess::ProcessState.
    enum State {
        NotRunning = 0,
        Starting = 1,
        Running = 2,
    };

    struct Report
    {
        enum Kind { None, Started, Finished };
        Kind kind = None;
        qint64 pid = 0; // 0 when the report names none
        uint code = 0;
        QString name;
    };

    ServiceProcess(const QString &name, QObject *parent = nullptr);
    ~ServiceProcess() override;

    // The service's report "started:PID,STATUS,NAME" or "finished:PID,CODE,NAME", fields as
    // they come: empty ones kept, nothing trimmed, a missing or non-numeric number read as 0.
    static Report parseReport(const QString &text);
    // "start: "PROGRAM" "ARG"...": every element in double quotes, joined by single blanks.
    static QString startCommandFor(const QStringList &programAndArguments);

    QString name() const { return m_name; }
    int state() const { return m_state; }
    // The process ids of this object's programs that have started and not yet finished.
    QSet<qint64> runningPids() const { return m_pids; }

    // The first element is the program's full path, the rest its arguments.
    void start(const QStringList &programAndArguments);

signals:
    void error(int error);
    // `pid` is the process id the service named, 0 when it named none.
    void finished(int state, qint64 pid);
    void started(qint64 pid);

public slots:
    virtual void startCommand(const QString &command);
    virtual void write(const QString &command);
    // A report of the service: acted on when it is this object's (same name; for "finished:",
    // one of this object's process ids, or none named).
    void onProcessOutput(const QString &output);

protected:
    void send(const QString &command);

private:
    friend class ServiceReportRouter;
    void take(const Report &report);

    const QString m_name;
    int m_state = NotRunning;
    QSet<qint64> m_pids;
};

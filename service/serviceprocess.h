#pragma once

#include <QObject>
#include <QStringList>

// A program that the privileged service runs for the client. Start requests go out on the
// service link; the service's "started:" and "finished:" reports come back as signals, so a
// caller can treat the program much like a local process. The name is the key by which the
// reports are matched: it must be what the service reports as the program's name.
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
        uint code = 0;
        QString name;
    };

    ServiceProcess(const QString &name, QObject *parent = nullptr);

    // The service's report "started:PID,STATUS,NAME" or "finished:PID,CODE,NAME", fields as
    // they come: empty ones kept, nothing trimmed, a missing or non-numeric code read as 0.
    static Report parseReport(const QString &text);
    // "start: "PROGRAM" "ARG"...": every element in double quotes, joined by single blanks.
    static QString startCommandFor(const QStringList &programAndArguments);

    QString name() const { return m_name; }
    int state() const { return m_state; }

    // The first element is the program's full path, the rest its arguments.
    void start(const QStringList &programAndArguments);

signals:
    void error(int error);
    void finished(int state);
    void started();

public slots:
    virtual void startCommand(const QString &command);
    virtual void write(const QString &command);
    void onProcessOutput(const QString &output);

protected:
    void send(const QString &command);

private:
    const QString m_name;
    int m_state = NotRunning;
};

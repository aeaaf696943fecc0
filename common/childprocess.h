#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// A program that needs no privileges, run as a local child of this process.
class ChildProcess final : public QObject
{
    Q_OBJECT

public:
    explicit ChildProcess(QObject *parent = nullptr);
    ~ChildProcess() override;

    // Starts the program, ending the one still running first. The outcome arrives as
    // processFinished(), or as an error line when it cannot start.
    void start(const QString &program, const QStringList &arguments);

    // Runs the program to its end (30 s at most) and returns its standard output split at every
    // line feed, empty pieces kept; nothing when the output is not asked for.
    static QStringList execute(const QString &program, const QStringList &arguments, bool readOutput);

    static QString errorName(QProcess::ProcessError error);

signals:
    void processFinished(bool success);

private slots:
    void onErrorOccurred(QProcess::ProcessError error);
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    QProcess m_process;
};

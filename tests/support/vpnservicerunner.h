#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest>

// The real stand-in, on a port of its own, with its log kept for the test to read.
// VELMORIX_SERVICE_WRAPPER is a command that the service's command line is handed to (the
// package's tests run the service confined as its system unit confines it).
// VELMORIX_INSTALLED_APP_DIR names the application directory of an installed package, whose
// vpn-service then runs instead of the build's.
// The test program is the client: the service is told to take its commands.
class VpnServiceRunner
{
public:
    static bool installed() { return !qEnvironmentVariableIsEmpty("VELMORIX_INSTALLED_APP_DIR"); }
    // Where the service and the engines are: the installed package's or the build's.
    static QString programsDir()
    {
        return installed() ? qEnvironmentVariable("VELMORIX_INSTALLED_APP_DIR") : QStringLiteral(VELMORIX_APP_DIR_PATH);
    }

    VpnServiceRunner(const QString &appDir, quint16 port, const QProcessEnvironment &environment = {})
        : m_port(port)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        if (!environment.isEmpty())
            m_process.setProcessEnvironment(environment);
        QStringList command = QProcess::splitCommand(qEnvironmentVariable("VELMORIX_SERVICE_WRAPPER"));
        command << programsDir() + QStringLiteral("/vpn-service") << QStringLiteral("--port") << QString::number(port)
                << QStringLiteral("--app-dir") << appDir << QStringLiteral("--allow-client")
                << QCoreApplication::applicationFilePath();
        m_process.start(command.takeFirst(), command);
    }
    ~VpnServiceRunner()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }

    quint16 port() const { return m_port; }
    bool waitListening() { return waitFor(QStringLiteral("Listening on"), 10000); }

    bool waitFor(const QString &text, int ms = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!log().contains(text)) {
            if (timer.elapsed() > ms || m_process.state() == QProcess::NotRunning)
                return log().contains(text);
            QTest::qWait(20);
        }
        return true;
    }

    QString log()
    {
        m_log += QString::fromUtf8(m_process.readAll());
        return m_log;
    }

    QStringList receivedCommands()
    {
        QStringList commands;
        const QString marker = QStringLiteral("VpnService: Received command: ");
        for (const QString &line : log().split(QLatin1Char('\n'))) {
            const int at = line.indexOf(marker);
            if (at >= 0)
                commands << line.mid(at + marker.size());
        }
        return commands;
    }

    // The pid of the last start of a program, from the service's own log.
    qint64 lastPid(const QString &name)
    {
        const QRegularExpression started(QStringLiteral("Started '%1' \\(pid (\\d+)\\)").arg(name));
        qint64 pid = -1;
        QRegularExpressionMatchIterator it = started.globalMatch(log());
        while (it.hasNext())
            pid = it.next().captured(1).toLongLong();
        return pid;
    }

    void crash()
    {
        m_process.kill();
        m_process.waitForFinished(2000);
    }

private:
    quint16 m_port;
    QProcess m_process;
    QString m_log;
};

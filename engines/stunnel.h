#pragma once

#include <QObject>
#include <QProcess>

// The stealth tunnel: stunnel wraps OpenVPN's TCP stream in TLS to the server's port 443 and
// offers its local end on 127.0.0.1:1194. Runs as a local child, not through the service.
class Stunnel final : public QObject
{
    Q_OBJECT

public:
    explicit Stunnel(QObject *parent = nullptr);
    ~Stunnel() override;

    static QString executablePath();
    static QString configFilePath();
    // The configuration for a server, from the template and the system's advanced options.
    static QString configText(const QString &templateText, const QString &host, const QString &advancedOptions);

    static constexpr int stopWaitMs = 30000;

    bool start(const QString &host);
    // Ends the tunnel: asked to end first, killed when it has not within the wait, and never
    // waited for longer.
    void stop();
    void setStopWaitForTesting(int milliseconds) { m_stopWaitMs = milliseconds; }

signals:
    void started(bool success);

private slots:
    void onReadyRead();
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    QProcess *m_process;
    int m_stopWaitMs = stopWaitMs;
};

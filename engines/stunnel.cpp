#include "stunnel.h"

#include "logger.h"

#include "addresscheck.h"

#include "platform/engines.h"
#include "platform/paths.h"
#include "utils.h"

#include <QDebug>
#include <QDir>
#include <QFile>

Stunnel::Stunnel(QObject *parent)
    : QObject(parent)
    , m_process(new QProcess(this))
{
    setObjectName(QStringLiteral("Stunnel"));
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, &QProcess::readyRead, this, &Stunnel::onReadyRead);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, &Stunnel::onFinished);
}

Stunnel::~Stunnel()
{
    stop();
}

QString Stunnel::executablePath()
{
    return QDir::toNativeSeparators(
        QStringLiteral("%1/stunnel/bin/%2")
            .arg(Utils::applicationDirectory(), QStringLiteral("stunnel") + Platform::executableSuffix()));
}

QString Stunnel::configFilePath()
{
    return QDir::toNativeSeparators(Utils::dataDirectory() + QStringLiteral("/stunnel.conf"));
}

QString Stunnel::configText(const QString &templateText, const QString &host, const QString &advancedOptions)
{
    return QString(templateText)
        .replace(QLatin1String("<HOSTNAME>"), host)
        .replace(QLatin1String("<ADVANCED_OPTIONS>"), advancedOptions);
}

bool Stunnel::start(const QString &host)
{
    stop();

    // One address on the "connect" line, nothing that would start a line of its own.
    if (!Utils::isServerAddress(host)) {
        Log::warning(this, QStringLiteral("Refused the server address '%1'").arg(AddressCheck::forLog(host)));
        return false;
    }
    QFile source(QStringLiteral(":/resources/config/%1").arg(QStringLiteral("stunnel.conf")));
    if (!source.open(QIODevice::ReadOnly)) {
        Log::warning(this, QStringLiteral("Can't open stunnel resource file!"));
        return false;
    }
    const QString text = configText(QString::fromUtf8(source.readAll()), host, Platform::stunnelAdvancedOptions());

    const QString path = configFilePath();
    Utils::ensureDirectory(QFileInfo(path).absolutePath());
    QFile::remove(path);
    // The template's CR LF line ends are written as they are.
    if (!Utils::writeTextFile(path, text)) {
        Log::warning(this, QStringLiteral("Can't open stunnel file for writing!"));
        return false;
    }
    if (QFileInfo(path).size() == 0)
        return false;

    m_process->start(executablePath(), {path});
    Log::info(this, QStringLiteral("Process started with args: '%1', '%2'").arg(executablePath(), path));
    return true;
}

void Stunnel::stop()
{
    if (m_process->state() == QProcess::NotRunning)
        return;
    Log::info(this, QStringLiteral("Stop process"));
    // QProcess::close() waits without a limit for a process that will not end.
    // The last second of the wait is the kill's.
    const int killWaitMs = qMin(1000, m_stopWaitMs / 2);
    m_process->terminate();
    if (m_process->waitForFinished(m_stopWaitMs - killWaitMs))
        return;
    Log::warning(this, QStringLiteral("Process did not end when asked, killing it"));
    m_process->kill();
    m_process->waitForFinished(killWaitMs);
}

void Stunnel::onReadyRead()
{
    const QByteArray output = m_process->readAll();
    if (!output.contains("Configuration successful"))
        return;
    Log::info(this, QStringLiteral("Configuration successful"));
    QFile::remove(configFilePath());
    emit started(true);
}

void Stunnel::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    Log::info(
        this,
        QStringLiteral("Process finished with exit code '%1' and status '%2'").arg(exitCode).arg(int(exitStatus)));
}

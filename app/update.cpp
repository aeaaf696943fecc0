#include "update.h"

#include "logger.h"
#include "utils.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QXmlStreamReader>

namespace {

const char maintenanceToolName[] = "maintenancetool";

QString &cachedVersion()
{
    static QString version;
    return version;
}

} // namespace

Update::Update(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("Update"));
}

QString Update::maintenanceToolPath()
{
    return QDir::toNativeSeparators(QStringLiteral("%1/%2").arg(
        Utils::applicationDirectory(), Utils::executablePath(QLatin1String(maintenanceToolName), false)));
}

QString Update::currentVersion()
{
    if (cachedVersion().isEmpty())
        cachedVersion() = versionFromComponentsFile(Utils::applicationDirectory() + QStringLiteral("/components.xml"));
    return cachedVersion();
}

QString Update::versionFromComponentsFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();

    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Version")) {
            const QString version = xml.readElementText().trimmed();
            if (!xml.hasError())
                return version;
            break;
        }
    }
    if (xml.hasError())
        qDebug().noquote() << QStringLiteral("Update: Cannot parse XML: ") + xml.errorString();
    // Without a version element there is no version: never the file's text in its place.
    return QString();
}

QString Update::offeredVersion(const QString &output)
{
    if (output.contains(QLatin1String("There are currently no updates available")))
        return QString();
    static const QRegularExpression pattern(QStringLiteral("version=\"[\\d,\\.]+\""));
    const QRegularExpressionMatch match = pattern.match(output);
    if (!match.hasMatch())
        return QString();
    return match.captured().remove(QStringLiteral("version=")).remove(QLatin1Char('"'));
}

void Update::checkForUpdates()
{
    const QString tool = maintenanceToolPath();
    if (!QFile::exists(tool)) {
        Log::warning(this,
                     QStringLiteral("Disabled, '%1' does not exists")
                         .arg(Utils::executablePath(QLatin1String(maintenanceToolName), false)));
        return;
    }

    auto *process = new QProcess(this);
    m_process = process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    connect(process,
            QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this,
            &Update::checkForUpdatesProcessFinished);
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        // A tool that cannot start never finishes: say why, and let it go.
        if (error == QProcess::FailedToStart) {
            Log::warning(this, QStringLiteral("Cannot start '%1': %2").arg(process->program(), process->errorString()));
            process->deleteLater();
        }
    });
    process->start(tool, {QStringLiteral("--checkupdates")});

    QTimer::singleShot(m_checkTimeLimit, process, [process] {
        if (process->state() != QProcess::NotRunning)
            process->kill();
    });
}

void Update::checkForUpdatesProcessFinished()
{
    auto *process = qobject_cast<QProcess *>(sender());
    if (!process)
        process = m_process;
    if (!process)
        return;

    const QString version = offeredVersion(QString::fromUtf8(process->readAll()));
    Log::info(this,
              QStringLiteral("Finished,  new version is available: ")
                  + (version.isEmpty() ? QStringLiteral("There are currently no updates available") : version));
    process->deleteLater();
    emit newVersionIsAvailable(version);
}

void Update::startUpdater()
{
    qint64 pid = 0;
    const bool started = QProcess::startDetached(maintenanceToolPath(), {QStringLiteral("--updater")}, QString(), &pid);
    Log::info(this,
              QStringLiteral("Maintenance tool started in update mode: %1, pid: %2")
                  .arg(Utils::boolText(started))
                  .arg(started ? pid : 0));
}

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

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

const char maintenanceToolName[] = "maintenancetool";
// The tool's answer is a few lines; more than this is kept from no tool.
constexpr int maxToolOutput = 64 * 1024;

// The tool in a process group of its own, so that ending it ends whatever it started too.
class ToolProcess final : public QProcess
{
public:
    using QProcess::QProcess;

    void endGroup()
    {
#ifdef Q_OS_UNIX
        if (group > 0)
            ::kill(-pid_t(group), SIGKILL);
#endif
        if (state() != QProcess::NotRunning)
            kill();
    }
    void keepOutput()
    {
        const QByteArray chunk = readAll();
        if (output.size() < maxToolOutput)
            output += chunk.left(maxToolOutput - output.size());
    }

    QByteArray output;
    bool timedOut = false;
    qint64 group = 0; // the tool's pid, which leads its group

protected:
    void setupChildProcess() override
    {
#ifdef Q_OS_UNIX
        ::setsid();
#endif
    }
};

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

Update::~Update()
{
    if (auto *process = static_cast<ToolProcess *>(m_process.data())) {
        process->disconnect(this);
        process->endGroup();
        process->waitForFinished(1000);
    }
}

QString Update::maintenanceToolPath()
{
    return Utils::executablePath(QLatin1String(maintenanceToolName), true);
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

    auto *process = new ToolProcess(this);
    m_process = process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    connect(process, &QProcess::started, process, [process] { process->group = process->processId(); });
    // Read as it comes, so that a tool that writes without end costs neither memory nor the loop.
    connect(process, &QProcess::readyRead, process, [process] { process->keepOutput(); });
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
        if (process->state() != QProcess::NotRunning) {
            process->timedOut = true;
            process->endGroup();
        }
    });
}

void Update::checkForUpdatesProcessFinished()
{
    auto *process = static_cast<ToolProcess *>(qobject_cast<QProcess *>(sender()));
    if (!process)
        process = static_cast<ToolProcess *>(m_process.data());
    if (!process)
        return;

    process->keepOutput();
    // What the tool left running goes with it.
    process->endGroup();
    QString version;
    if (process->timedOut)
        Log::warning(this, QStringLiteral("The maintenance tool did not finish in time"));
    else if (process->exitStatus() != QProcess::NormalExit)
        Log::warning(this, QStringLiteral("The maintenance tool crashed"));
    else
        version = offeredVersion(QString::fromUtf8(process->output));
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

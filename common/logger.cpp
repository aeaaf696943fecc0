#include "logger.h"

#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString lineTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString fileTimeFormat = QStringLiteral("yyyy-MM-dd_hh-mm-ss");
const QString fileSuffix = QStringLiteral("log");

Logger::Options &configuredOptions()
{
    static Logger::Options options;
    return options;
}

// Guards the stream: a Qt module may log from a thread of its own, and two lines written at
// once would interleave.
QMutex writeMutex;
QTextStream *activeStream = nullptr;
thread_local bool writingLine = false;

} // namespace

void Logger::setOptions(const Options &options)
{
    configuredOptions() = options;
}

Logger *Logger::instance()
{
    static Logger logger;
    if (!logger.m_initialized)
        logger.m_initialized = logger.initialize();
    return &logger;
}

Logger::Logger()
{
    setObjectName(QStringLiteral("Logger"));
    const Options &options = configuredOptions();
    m_basePath = options.baseDirectory.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                                 : options.baseDirectory;
}

Logger::~Logger()
{
    QMutexLocker lock(&writeMutex);
    if (activeStream == &m_stream) {
        qInstallMessageHandler(nullptr);
        activeStream = nullptr;
    }
    m_stream.flush();
    m_file.close();
}

bool Logger::initialize()
{
    const Options &options = configuredOptions();
    const QString folderName = options.folderName;
    QDir folder(m_basePath);
    if (m_basePath.isEmpty() || (!folder.exists(folderName) && !folder.mkpath(folderName))) {
        qWarning().noquote() << "Log folder does not exists or cannot be created: " + m_basePath + ", " + folderName;
        return false;
    }
    if (!folder.cd(folderName)) {
        qWarning().noquote() << "Cannot change path to log folder: " + m_basePath + ", " + folderName;
        return false;
    }

    rotate(folder.absolutePath(), maxLogFiles - 1);

    const QString fileName = options.fileName.isEmpty()
        ? QStringLiteral("%1-app.%2").arg(QDateTime::currentDateTime().toString(fileTimeFormat), fileSuffix)
        : options.fileName;

    qSetMessagePattern(QStringLiteral("%{time %1}\t%{type}%2%{message}").arg(lineTimeFormat, QStringLiteral("\t")));
    m_file.setFileName(folder.filePath(fileName));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning().noquote() << "Logger: Cannot open log file '" + m_file.fileName() + "': " + m_file.errorString();
        return false;
    }
    m_fileName = fileName;
    m_folderPath = folder.absolutePath();

    QMutexLocker lock(&writeMutex);
    m_stream.setDevice(&m_file);
    m_stream.setCodec("UTF-8");
    activeStream = &m_stream;
    qInstallMessageHandler(&Logger::handleMessage);
    return true;
}

QStringList Logger::rotate(const QString &folderPath, int keep)
{
    QStringList deleted;
    const QFileInfoList files =
        QDir(folderPath).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Time /* newest first */);
    int kept = 0;
    for (const QFileInfo &file : files) {
        if (file.completeSuffix() != fileSuffix)
            continue;
        if (kept < keep) {
            ++kept;
            continue;
        }
        if (QFile::remove(file.absoluteFilePath()))
            deleted << file.fileName();
        else
            qWarning().noquote() << "Logger: Cannot remove old log file " + file.fileName();
    }
    return deleted;
}

void Logger::handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QString simplified = message.simplified();
    if (simplified.isEmpty() || simplified.contains(QLatin1String("Retrying to obtain clipboard.")))
        return;
    // A warning raised while a line is written (by the stream itself) must not wait for the
    // lock it already holds.
    if (writingLine)
        return;
    writingLine = true;
    const QString line = qFormatLogMessage(type, context, simplified);
    {
        QMutexLocker lock(&writeMutex);
        if (activeStream) {
            *activeStream << line << '\n';
            activeStream->flush();
        }
    }
    writingLine = false;
}

QString Logger::logFilePath() const
{
    QDir folder(m_basePath);
    if (m_basePath.isEmpty() || !folder.cd(configuredOptions().folderName)) {
        qWarning().noquote() << "Log folder doesn't exist or cannot be accessed: " + m_basePath;
        return QString();
    }
    if (m_fileName.isEmpty())
        return QString();
    return folder.filePath(m_fileName);
}

namespace Log {

void debug(const QString &source, const QString &text)
{
    qDebug().noquote() << source + QStringLiteral(": ") + text;
}

void info(const QString &source, const QString &text)
{
    qInfo().noquote() << source + QStringLiteral(": ") + text;
}

void warning(const QString &source, const QString &text)
{
    qWarning().noquote() << source + QStringLiteral(": ") + text;
}

void critical(const QString &source, const QString &text)
{
    qCritical().noquote() << source + QStringLiteral(": ") + text;
}

void debug(const QObject *source, const QString &text)
{
    debug(source->objectName(), text);
}

void info(const QObject *source, const QString &text)
{
    info(source->objectName(), text);
}

void warning(const QObject *source, const QString &text)
{
    warning(source->objectName(), text);
}

void critical(const QObject *source, const QString &text)
{
    critical(source->objectName(), text);
}

} // namespace Log

void Logger::logSection(const QString &objectName, const QString &text)
{
    Log::info(objectName, QStringLiteral("========== %1 ==========").arg(text.toUpper()));
}

void Logger::openLogFolder()
{
    // The log folder as a file URL ("file:///C:/..." on Windows, "file:///home/..." elsewhere).
    const QUrl url = QUrl::fromLocalFile(m_folderPath);
    if (!QDesktopServices::openUrl(url))
        qWarning().noquote() << "Logger: Can't open openUrl " + url.toString();
}

void Logger::qmlLog(const QString &objectName, const QString &message)
{
    Log::info(objectName, message);
}

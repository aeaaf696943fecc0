#pragma once

#include <QFile>
#include <QObject>
#include <QString>
#include <QTextStream>

// Every program log line that has a source is "<object name>: <text>"; these write one at the
// given level. The object's name is read at the time of the line, so a renamed object logs
// under its new name.
namespace Log {
void debug(const QString &source, const QString &text);
void info(const QString &source, const QString &text);
void warning(const QString &source, const QString &text);
void critical(const QString &source, const QString &text);
void debug(const QObject *source, const QString &text);
void info(const QObject *source, const QString &text);
void warning(const QObject *source, const QString &text);
void critical(const QObject *source, const QString &text);
} // namespace Log

// The program's log: one file per start in the "logs" folder of the per-user application data,
// older files rotated away, every message of every level written as one line through one
// installed message handler. One process-wide instance, reached through instance().
class Logger final : public QObject
{
    Q_OBJECT

public:
    // Where the log goes. The main program keeps the defaults; the dns program writes "<name>.log"
    // straight into the data folder. Must be set before the first instance() call.
    struct Options
    {
        QString baseDirectory; // empty: the per-user application-data folder
        QString folderName = QStringLiteral("logs");
        QString fileName; // empty: "<start time>-app.log"
    };

    static constexpr int maxLogFiles = 10;

    static void setOptions(const Options &options);
    static Logger *instance();

    // Logs `text` in upper case inside a "==========" banner under the object's name.
    static void logSection(const QString &objectName, const QString &text);

    // Keeps the `keep` newest "*.log" files of the folder and deletes the older ones; other
    // files are left alone. Returns the names of the deleted files.
    static QStringList rotate(const QString &folderPath, int keep);

    bool isInitialized() const { return m_initialized; }
    QString logFilePath() const;

    Q_INVOKABLE void openLogFolder();
    Q_INVOKABLE void qmlLog(const QString &objectName, const QString &message);

private:
    Logger();
    ~Logger() override;

    bool initialize();
    static void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QString m_basePath;
    QString m_folderPath;
    QString m_fileName;
    QFile m_file;
    QTextStream m_stream;
    bool m_initialized = false;
};

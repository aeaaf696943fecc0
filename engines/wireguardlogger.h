#pragma once

#include <QFile>
#include <QFileSystemWatcher>
#include <QObject>

// Follows the WireGuard tunnel's binary log ("log.bin"): decodes its records into time-stamped
// lines, writes them into the program's log and emits them, again after every change.
class WireGuardLogger final : public QObject
{
    Q_OBJECT

public:
    static constexpr quint32 magic = 0x0BADBABE;
    static constexpr int headerSize = 8;
    static constexpr int recordSize = 520;
    static constexpr int textSize = 512;

    WireGuardLogger();

    // The lines of one block read from the file, as "yyyy-MM-dd hh:mm:ss text"; false with
    // nothing decoded when the block does not start with a valid header.
    static bool decode(const QByteArray &block, int *count, QStringList *lines);

    void setFile(const QString &path);
    void readNow();
    void close();

signals:
    void lineCount(int lineCount);
    void lineReaded(const QString &line);

public slots:
    void onFileChanged(const QString &path);

private:
    void readFromPosition();

    QFile m_file;
    QFileSystemWatcher *m_watcher;
    int m_count = 0;
};

#include "wireguardlogger.h"

#include "logger.h"

#include <QDateTime>
#include <QDebug>
#include <QtEndian>

WireGuardLogger::WireGuardLogger()
    : m_watcher(new QFileSystemWatcher(this))
{
    setObjectName(QStringLiteral("WireGuardLogger"));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &WireGuardLogger::onFileChanged);
}

bool WireGuardLogger::decode(const QByteArray &block, int *count, QStringList *lines)
{
    if (block.size() < headerSize || qFromLittleEndian<quint32>(block.constData()) != magic)
        return false;
    const qint32 records = qFromLittleEndian<qint32>(block.constData() + 4);
    if (records < 0)
        return false;
    *count = records;
    const int present = (block.size() - headerSize) / recordSize;
    for (int i = 0; i < qMin(records, present); ++i) {
        const char *record = block.constData() + headerSize + i * recordSize;
        const qint64 nanoseconds = qFromLittleEndian<qint64>(record);
        const char *text = record + 8;
        const int length = int(qstrnlen(text, textSize));
        const QDateTime time = QDateTime::fromSecsSinceEpoch(nanoseconds / 1000000000);
        *lines << time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1Char(' ')
                + QString::fromUtf8(text, length);
    }
    return true;
}

void WireGuardLogger::setFile(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        qCritical().noquote() << objectName() + QStringLiteral(": Can't open file '%1'!").arg(path);
        return;
    }
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    m_watcher->addPath(path);
    m_count = 0;
}

void WireGuardLogger::readNow()
{
    readFromPosition();
}

void WireGuardLogger::close()
{
    m_file.close();
    m_count = 0;
}

void WireGuardLogger::onFileChanged(const QString &path)
{
    Log::info(this, QStringLiteral("File '%1' changed").arg(path));
    readFromPosition();
}

void WireGuardLogger::readFromPosition()
{
    if (!m_file.isOpen())
        return;
    const QByteArray block = m_file.readAll();
    if (block.isEmpty())
        return;
    int count = 0;
    QStringList lines;
    if (!decode(block, &count, &lines)) {
        qCritical().noquote() << objectName() + QStringLiteral(": Cannot read header!");
        return;
    }
    m_count = count;
    Log::info(this, QStringLiteral("Using filename '%1', total lines: %2").arg(m_file.fileName()).arg(count));
    emit lineCount(count);
    for (const QString &line : qAsConst(lines)) {
        Log::info(this, line);
        emit lineReaded(line);
    }
}

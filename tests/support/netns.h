#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace TestSupport {

// This thread lives in the named network namespace while the object lives: sockets made
// meanwhile belong there for good, so a test can play both ends of a link in one process.
class InNamespace
{
public:
    explicit InNamespace(const QString &name)
        : m_own(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC))
    {
        const int other = ::open(qPrintable(QStringLiteral("/run/netns/") + name), O_RDONLY | O_CLOEXEC);
        m_entered = m_own >= 0 && other >= 0 && ::setns(other, CLONE_NEWNET) == 0;
        if (other >= 0)
            ::close(other);
    }
    ~InNamespace()
    {
        if (m_entered)
            ::setns(m_own, CLONE_NEWNET);
        if (m_own >= 0)
            ::close(m_own);
    }
    InNamespace(const InNamespace &) = delete;
    InNamespace &operator=(const InNamespace &) = delete;

    bool entered() const { return m_entered; }

private:
    int m_own;
    bool m_entered = false;
};

// Runs a program to its end (inside `netns` when one is named); its exit code, its output in
// `output`.
inline int run(const QString &program,
               const QStringList &arguments,
               const QString &netns = QString(),
               QByteArray *output = nullptr,
               const QByteArray &input = QByteArray())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (netns.isEmpty())
        process.start(program, arguments);
    else
        process.start(QStringLiteral("ip"),
                      QStringList{QStringLiteral("netns"), QStringLiteral("exec"), netns, program} + arguments);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        process.kill();
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

struct Count
{
    qint64 packets = -1;
    qint64 bytes = -1;
};

// A named counter of an nftables table.
inline Count nftCounter(const QString &table, const QString &name, const QString &netns = QString())
{
    QByteArray output;
    run(QStringLiteral("nft"),
        {QStringLiteral("list"), QStringLiteral("counter"), QStringLiteral("inet"), table, name},
        netns,
        &output);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("packets (\\d+) bytes (\\d+)")).match(QString::fromUtf8(output));
    Count count;
    if (match.hasMatch()) {
        count.packets = match.captured(1).toLongLong();
        count.bytes = match.captured(2).toLongLong();
    }
    return count;
}

} // namespace TestSupport

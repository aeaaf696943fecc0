#pragma once

#include <QDir>
#include <QString>
#include <QTcpServer>
#include <QtTest>

namespace TestSupport {

// A loopback port that nothing listens on right now.
inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

inline QString supportPath(const QString &relative)
{
    return QDir(QStringLiteral(VELMORIX_TEST_SUPPORT_DIR)).filePath(relative);
}

inline QByteArray readSupportFile(const QString &relative)
{
    QFile file(supportPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Missing test fixture %s", qPrintable(file.fileName()));
    return file.readAll();
}

// CI sets VELMORIX_REQUIRE_INTEGRATION: there a test that cannot run its real peer fails
// instead of passing unseen.
inline bool integrationRequired()
{
    return qEnvironmentVariableIntValue("VELMORIX_REQUIRE_INTEGRATION") != 0;
}

} // namespace TestSupport

// Skips with the reason, or fails with it where integration tests must run.
#define VELMORIX_REQUIRE(condition, reason)                                                                            \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            if (TestSupport::integrationRequired())                                                                    \
                QFAIL(qPrintable(QStringLiteral("required but unavailable: ") + (reason)));                            \
            QSKIP(qPrintable(reason));                                                                                 \
        }                                                                                                              \
    } while (false)

#include "platform/processes.h"

#include <QRegularExpression>

namespace Platform {

QString wmicProcessCommandLine()
{
    return QStringLiteral("wmic.exe /OUTPUT:STDOUT PROCESS get %1").arg(QStringLiteral("Caption"));
}

bool wmicCaptionsContain(const QByteArray &output, const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]"));
    const QStringList pieces = QString::fromUtf8(output).split(lineBreaks, Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        if (piece.simplified() == fileName)
            return true;
    }
    return false;
}

} // namespace Platform

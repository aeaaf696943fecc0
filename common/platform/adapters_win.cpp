#include "platform/adapters.h"

#include "childprocess.h"

namespace Platform {

NetworkAdapters detectAdapters(bool vpnOnly)
{
    QStringList lines = ChildProcess::execute(QStringLiteral("route"), {QStringLiteral("print")}, true);
    lines.removeAll(QString());
    return parseRoutePrint(lines, vpnOnly);
}

} // namespace Platform

#include "autostart.h"

#include "platform/autostart.h"
#include "utils.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>

namespace {

QString entryName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString expectedValue()
{
    return Platform::autoStartValue(QCoreApplication::applicationFilePath());
}

} // namespace

bool isAutoStartEnabled()
{
    return Platform::autoStartEntry(entryName()) == expectedValue();
}

bool setAutoStart(bool enable)
{
    const QString name = entryName();
    if (enable)
        Platform::writeAutoStartEntry(name, expectedValue());
    else
        Platform::removeAutoStartEntry(name);

    const bool result = Platform::autoStartEntry(name) == expectedValue();
    qInfo().noquote() << QStringLiteral("AutoStart: Set enabled: '%1', status '%2'")
                             .arg(Utils::boolText(enable), Utils::boolText(enable == result));
    return result;
}

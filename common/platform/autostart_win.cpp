#include "platform/autostart.h"

#include <QDir>
#include <QSettings>

namespace Platform {

namespace {

const QString runKey = QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");

} // namespace

QString autoStartEntry(const QString &name)
{
    return QSettings(runKey, QSettings::NativeFormat).value(name).toString();
}

void writeAutoStartEntry(const QString &name, const QString &value)
{
    QSettings run(runKey, QSettings::NativeFormat);
    run.setValue(name, value);
    run.sync();
}

void removeAutoStartEntry(const QString &name)
{
    QSettings run(runKey, QSettings::NativeFormat);
    run.remove(name);
    run.sync();
}

QString autoStartValue(const QString &executablePath)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(executablePath) + QLatin1Char('"');
}

} // namespace Platform

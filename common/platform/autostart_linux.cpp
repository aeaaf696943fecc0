#include "platform/autostart.h"

#include "buildconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace Platform {

namespace {

QString entryPath(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/")
        + name + QStringLiteral(".desktop");
}

} // namespace

QString autoStartEntry(const QString &name)
{
    QFile file(entryPath(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString text = QString::fromUtf8(file.read(64 * 1024));
    // An entry that the user switched off in the desktop's start-up settings starts nothing.
    if (desktopEntryValue(text, QStringLiteral("Hidden")) == QLatin1String("true")
        || desktopEntryValue(text, QStringLiteral("X-GNOME-Autostart-enabled")) == QLatin1String("false"))
        return QString();
    return desktopEntryValue(text, QStringLiteral("Exec"));
}

void writeAutoStartEntry(const QString &name, const QString &value)
{
    const QString path = entryPath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    // The entry's file name is the program's, and the icon the brand's, as in the menu entry
    // that the package installs.
    const QString text =
        autoStartDesktopEntry(QCoreApplication::applicationName(), QLatin1String(BuildConfig::brandId), value);
    file.write(text.toUtf8());
    file.commit();
}

void removeAutoStartEntry(const QString &name)
{
    QFile::remove(entryPath(name));
}

QString autoStartValue(const QString &executablePath)
{
    return desktopExecArgument(QDir::toNativeSeparators(executablePath));
}

} // namespace Platform

#include "platform/autostart.h"

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
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(name, value);
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

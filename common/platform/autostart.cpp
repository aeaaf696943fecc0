#include "platform/autostart.h"

#include <QStringList>

namespace Platform {

QString desktopExecArgument(const QString &path)
{
    // Inside a quoted argument these four need a backslash, and "%" starts a field code.
    QString argument;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            argument += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            argument += QLatin1Char('%');
        argument += c;
    }
    QString value = QLatin1Char('"') + argument + QLatin1Char('"');
    // The string escapes of the file format apply on top of the quoting.
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    value.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    value.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return value;
}

QString desktopEntryValue(const QString &entryText, const QString &key)
{
    bool inMainGroup = false;
    const QStringList lines = entryText.split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return QString();
}

} // namespace Platform

#include "platform/autostart.h"

#include <QStringList>

namespace Platform {

namespace {

// The escapes of the file format for a string value: a line break or a tab would end or bend
// the line, and a leading blank would be cut.
QString desktopString(const QString &text)
{
    QString value = text;
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    value.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    value.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    if (value.startsWith(QLatin1Char(' ')))
        value.replace(0, 1, QLatin1String("\\s"));
    return value;
}

QString undoStringEscapes(const QString &value)
{
    QString text;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar next = value.at(++i);
        if (next == QLatin1Char('s'))
            text += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            text += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            text += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            text += QLatin1Char('\r');
        else
            text += next;
    }
    return text;
}

} // namespace

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
    // The string escapes of the file format apply on top of the quoting.
    return desktopString(QLatin1Char('"') + argument + QLatin1Char('"'));
}

QString desktopExecProgram(const QString &execValue)
{
    const QString line = undoStringEscapes(execValue).trimmed();
    QString program;
    if (!line.startsWith(QLatin1Char('"'))) {
        program = line.section(QLatin1Char(' '), 0, 0);
    } else {
        int i = 1;
        for (; i < line.size() && line.at(i) != QLatin1Char('"'); ++i) {
            if (line.at(i) == QLatin1Char('\\') && i + 1 < line.size())
                ++i;
            program += line.at(i);
        }
        if (i == line.size())
            return QString();
    }
    return program.replace(QLatin1String("%%"), QLatin1String("%"));
}

QString autoStartDesktopEntry(const QString &displayName, const QString &iconName, const QString &execValue)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "TryExec=%3\n"
                          "Icon=%4\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(desktopString(displayName),
             execValue,
             desktopString(desktopExecProgram(execValue)),
             desktopString(iconName));
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

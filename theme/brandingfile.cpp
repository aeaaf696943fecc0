#include "brandingfile.h"

#include "platform/files.h"

#include <QFile>
#include <QTextCodec>

#include <optional>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// QSettings writes characters outside letters, digits and a few marks of a key or group name
// as "%XX", and those beyond Latin-1 as "%UXXXX".
QString percentDecoded(const QString &name)
{
    QString result;
    result.reserve(name.size());
    for (int i = 0; i < name.size(); ++i) {
        if (name.at(i) == QLatin1Char('%')) {
            if (i + 5 < name.size() && name.at(i + 1) == QLatin1Char('U')) {
                int code = 0;
                bool hex = true;
                for (int k = 2; k <= 5; ++k) {
                    const int digit = hexDigit(name.at(i + k));
                    hex = hex && digit >= 0;
                    code = code * 16 + digit;
                }
                if (hex) {
                    result += QChar(ushort(code));
                    i += 5;
                    continue;
                }
            }
            if (i + 2 < name.size()) {
                const int high = hexDigit(name.at(i + 1));
                const int low = hexDigit(name.at(i + 2));
                if (high >= 0 && low >= 0) {
                    result += QChar(ushort(high * 16 + low));
                    i += 2;
                    continue;
                }
            }
        }
        result += name.at(i);
    }
    return result;
}

// The text of a value as QSettings writes it: blanks around it dropped, double quotes keep
// what they enclose as it is, backslash escapes (C's, "\xHHHH" for a UTF-16 unit, octal),
// ";" outside quotes starts a comment. Nothing when a quote is left open.
std::optional<QString> unescapedValue(const QString &raw)
{
    QString result;
    result.reserve(raw.size());
    int significant = 0; // length up to the last character that is not a trailing blank
    bool inQuotes = false;
    int i = 0;
    while (i < raw.size() && isBlank(raw.at(i)))
        ++i;
    for (; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            significant = result.size();
            continue;
        }
        if (c == QLatin1Char(';') && !inQuotes)
            break;
        if (c != QLatin1Char('\\') || i + 1 >= raw.size()) {
            result += c;
            if (inQuotes || !isBlank(c))
                significant = result.size();
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 'a': result += QLatin1Char('\a'); break;
        case 'b': result += QLatin1Char('\b'); break;
        case 'f': result += QLatin1Char('\f'); break;
        case 'n': result += QLatin1Char('\n'); break;
        case 'r': result += QLatin1Char('\r'); break;
        case 't': result += QLatin1Char('\t'); break;
        case 'v': result += QLatin1Char('\v'); break;
        case '"':
        case '\'':
        case '?':
        case '\\': result += next; break;
        case 'x': {
            int code = 0;
            int digits = 0;
            while (digits < 4 && i + 1 < raw.size() && hexDigit(raw.at(i + 1)) >= 0) {
                code = code * 16 + hexDigit(raw.at(++i));
                ++digits;
            }
            if (digits == 0)
                result += QStringLiteral("\\x");
            else
                result += QChar(ushort(code));
            break;
        }
        default:
            if (next >= QLatin1Char('0') && next <= QLatin1Char('7')) {
                int code = next.unicode() - '0';
                for (int digits = 1; digits < 3 && i + 1 < raw.size() && raw.at(i + 1) >= QLatin1Char('0')
                     && raw.at(i + 1) <= QLatin1Char('7');
                     ++digits)
                    code = code * 8 + (raw.at(++i).unicode() - '0');
                result += QChar(ushort(code));
            } else {
                // Not an escape: kept as written, as in a hand-written Windows path.
                result += QLatin1Char('\\');
                result += next;
            }
        }
        significant = result.size();
    }
    if (inQuotes)
        return std::nullopt;
    result.truncate(significant);
    return result;
}

} // namespace

BrandingFile BrandingFile::invalid(const QString &error)
{
    BrandingFile file;
    file.m_error = error;
    return file;
}

std::optional<QByteArray> BrandingFile::content(const QString &path)
{
    // Only a regular file: a FIFO put in its place would make the reader wait forever.
    QFile file;
    if (!Platform::openRegularFile(file, path))
        return std::nullopt;
    // In pieces: the size of a device or a pipe in its place says nothing, and a buffer of the
    // largest size for every small file would be waste.
    QByteArray bytes;
    char buffer[16384];
    while (bytes.size() <= maximumSize) {
        const qint64 count = file.read(buffer, sizeof buffer);
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        bytes.append(buffer, int(count));
    }
    return bytes;
}

BrandingFile BrandingFile::read(const QString &path)
{
    const std::optional<QByteArray> bytes = content(path);
    if (!bytes)
        return invalid(QStringLiteral("cannot be read"));
    return parse(*bytes);
}

BrandingFile BrandingFile::parse(const QByteArray &bytes)
{
    if (bytes.size() > maximumSize)
        return invalid(QStringLiteral("larger than %1 bytes").arg(maximumSize));
    if (bytes.contains('\0'))
        return invalid(QStringLiteral("binary data, not text"));

    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0)
        return invalid(QStringLiteral("not UTF-8 text"));

    const QString mainGroup = QStringLiteral("main");
    const QString styleGroup = QStringLiteral("style");
    BrandingFile file;
    // Keys before the first group belong to "General", a group that is not kept (empty here).
    QString group;
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        QString line = lines.at(number - 1);
        // The mark a Windows editor puts first; the codec above keeps it as a character.
        if (number == 1 && line.startsWith(QChar(0xfeff)))
            line.remove(0, 1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            const int close = trimmed.indexOf(QLatin1Char(']'));
            const QString rest = close < 0 ? QString() : trimmed.mid(close + 1).trimmed();
            if (close < 0 || !(rest.isEmpty() || rest.startsWith(QLatin1Char(';'))))
                return invalid(QStringLiteral("line %1 is not a group header").arg(number));
            const QString name = percentDecoded(trimmed.mid(1, close - 1).trimmed()).toCaseFolded();
            group = name == mainGroup || name == styleGroup ? name : QString();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        const QString key = equals < 0 ? QString() : percentDecoded(line.left(equals).trimmed());
        if (key.isEmpty())
            return invalid(QStringLiteral("line %1 is neither a group, a key=value pair nor a comment").arg(number));
        const std::optional<QString> value = unescapedValue(line.mid(equals + 1));
        if (!value)
            return invalid(QStringLiteral("line %1 leaves a quote open").arg(number));
        if (!group.isEmpty())
            file.m_groups[group].insert(key.toCaseFolded(), {key, *value});
    }
    return file;
}

BrandingFile::Value BrandingFile::value(const QString &group, const QString &key) const
{
    const auto groupIt = m_groups.constFind(group.toCaseFolded());
    if (groupIt == m_groups.constEnd())
        return {};
    const auto keyIt = groupIt->constFind(key.toCaseFolded());
    if (keyIt == groupIt->constEnd())
        return {};
    const QString &text = keyIt->text;
    // QSettings doubles a leading "@" of plain text and writes an empty variant as
    // "@Invalid()"; any other leading "@" marks a typed value.
    if (text.startsWith(QLatin1String("@@")))
        return {Value::Text, text.mid(1)};
    if (text == QLatin1String("@Invalid()"))
        return {Value::Text, QString()};
    if (text.startsWith(QLatin1Char('@')))
        return {Value::Typed, QString()};
    return {Value::Text, text};
}

QStringList BrandingFile::keys(const QString &group) const
{
    QStringList names;
    const auto groupIt = m_groups.constFind(group.toCaseFolded());
    if (groupIt == m_groups.constEnd())
        return names;
    names.reserve(groupIt->size());
    for (const Entry &entry : *groupIt)
        names << entry.name;
    return names;
}

#include "countrynames.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>

namespace CountryNames {

namespace {

// The toolkit names countries in one word ("UnitedStates"): split it where capitals start.
QString spacedName(const QString &name)
{
    static const QRegularExpression pieces(QStringLiteral("[A-Z][^A-Z]*"));
    QStringList parts;
    QRegularExpressionMatchIterator it = pieces.globalMatch(name);
    while (it.hasNext())
        parts << it.next().captured(0).trimmed();
    return parts.size() > 1 ? parts.join(QLatin1Char(' ')) : name;
}

const QMap<QString, QString> &table()
{
    static const QMap<QString, QString> names = [] {
        QMap<QString, QString> map;
        const QList<QLocale> locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyCountry);
        for (const QLocale &locale : locales) {
            const QString localeName = locale.name();
            const QString key = localeName.mid(localeName.lastIndexOf(QLatin1Char('_')) + 1).toLower();
            map.insert(key, spacedName(QLocale::countryToString(locale.country())));
        }
        return map;
    }();
    return names;
}

} // namespace

QString nameForCode(const QString &code)
{
    return table().value(code.toLower());
}

QString codeForName(const QString &name)
{
    const QMap<QString, QString> &names = table();
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        if (it.value() == name)
            return it.key();
    }
    return QString();
}

bool isKnownCode(const QString &code)
{
    return table().contains(code.toLower());
}

} // namespace CountryNames

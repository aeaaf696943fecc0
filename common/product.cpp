#include "product.h"

#include "buildconfig.h"

namespace Product {

namespace {

QString &currentName()
{
    static QString name = QLatin1String(BuildConfig::productName);
    return name;
}

} // namespace

QString name()
{
    return currentName();
}

void setName(const QString &name)
{
    if (!name.isEmpty())
        currentName() = name;
}

QString themeEditorName()
{
    return QStringLiteral("Radizidivi");
}

bool isThemeEditor()
{
    return currentName() == themeEditorName();
}

} // namespace Product

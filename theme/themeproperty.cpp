#include "themeproperty.h"

QString themeDataTypeString(ThemeDataType type)
{
    switch (type) {
    case ThemeDataType::Color: return QStringLiteral("Color");
    case ThemeDataType::Float: return QStringLiteral("Float");
    case ThemeDataType::Image: return QStringLiteral("Image");
    case ThemeDataType::Bool: return QStringLiteral("Bool");
    }
    return QString();
}

QString themeSectionName(ThemeSection section)
{
    switch (section) {
    case ThemeSection::General: return QStringLiteral("General");
    case ThemeSection::Button: return QStringLiteral("Button");
    case ThemeSection::Label: return QStringLiteral("Label");
    case ThemeSection::ListView: return QStringLiteral("ListView");
    case ThemeSection::RadioButton: return QStringLiteral("RadioButton");
    case ThemeSection::Switch: return QStringLiteral("Switch");
    case ThemeSection::TabButton: return QStringLiteral("TabButton");
    case ThemeSection::SettingsButton: return QStringLiteral("SettingsButton");
    case ThemeSection::VpnConnectionButton: return QStringLiteral("VpnConnectionButton");
    case ThemeSection::Image: return QStringLiteral("Image");
    case ThemeSection::AppProperty: return QStringLiteral("App property");
    }
    return QString();
}

ThemeProperty::ThemeProperty(const QString &propertyId,
                             const QVariant &propertyData,
                             int section,
                             const QString &toolTip,
                             ThemeDataType dataType)
    : m_toolTip(toolTip.isEmpty() ? propertyId : toolTip)
    , m_propertyData(propertyData)
    , m_propertyId(propertyId)
    , m_dataType(dataType)
{
    // bitset::set refuses a position beyond the set, negative numbers included.
    if (section != -1)
        m_sections.set(static_cast<std::size_t>(section));
}

QStringList ThemeProperty::sectionNames() const
{
    QStringList names;
    for (int section = 0; section < themeSectionCount; ++section) {
        if (m_sections.test(static_cast<std::size_t>(section)))
            names << themeSectionName(static_cast<ThemeSection>(section));
    }
    return names;
}

bool ThemeProperty::isInSection(const QString &sectionName) const
{
    for (int section = 0; section < themeSectionCount; ++section) {
        if (m_sections.test(static_cast<std::size_t>(section))
            && themeSectionName(static_cast<ThemeSection>(section)) == sectionName)
            return true;
    }
    return false;
}

bool ThemeProperty::operator==(const ThemeProperty &other) const
{
    return m_toolTip == other.m_toolTip && m_propertyData == other.m_propertyData && m_sections == other.m_sections
        && m_propertyId == other.m_propertyId && m_dataType == other.m_dataType;
}

void ThemeProperty::registerMetaType()
{
    qRegisterMetaType<ThemeProperty>("ThemeProperty");
}

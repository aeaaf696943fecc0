#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <bitset>

// How the theme editor presents a value.
enum class ThemeDataType {
    Color = 0,
    Float = 1,
    Image = 2,
    Bool = 3,
};

// "Color", "Float", "Image" or "Bool"; empty for any other value.
QString themeDataTypeString(ThemeDataType type);

// The editor's sections; the numbers index a property's section set.
enum class ThemeSection {
    General = 0,
    Button = 1,
    Label = 2,
    ListView = 3,
    RadioButton = 4,
    Switch = 5,
    TabButton = 6,
    SettingsButton = 7,
    VpnConnectionButton = 8,
    Image = 9,
    AppProperty = 10,
};

constexpr int themeSectionCount = 11;

// The name the editor shows ("App property"); empty for any other value.
QString themeSectionName(ThemeSection section);

// One themed value with what the editor needs to show it. It travels in signals between the
// editor's model and the theme, so it is a registered metatype.
class ThemeProperty
{
public:
    ThemeProperty() = default;
    // A section of -1 puts the property in no section; any other number outside the sections
    // throws std::out_of_range, since only the built-in table names sections. An empty label
    // becomes the id.
    ThemeProperty(const QString &propertyId,
                  const QVariant &propertyData,
                  int section = -1,
                  const QString &toolTip = QString(),
                  ThemeDataType dataType = ThemeDataType::Color);

    QString toolTip() const { return m_toolTip; }
    QVariant propertyData() const { return m_propertyData; }
    void setPropertyData(const QVariant &data) { m_propertyData = data; }
    std::bitset<themeSectionCount> sections() const { return m_sections; }
    QString propertyId() const { return m_propertyId; }
    ThemeDataType dataType() const { return m_dataType; }

    // The display names of the sections the property is in, in section order.
    QStringList sectionNames() const;
    bool isInSection(const QString &sectionName) const;

    bool operator==(const ThemeProperty &other) const;
    bool operator!=(const ThemeProperty &other) const { return !(*this == other); }

    static void registerMetaType();

private:
    QString m_toolTip;
    QVariant m_propertyData;
    std::bitset<themeSectionCount> m_sections;
    QString m_propertyId;
    ThemeDataType m_dataType = ThemeDataType::Color;
};

Q_DECLARE_METATYPE(ThemeProperty)

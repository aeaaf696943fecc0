#include "themelistmodel.h"

ThemeListModel::ThemeListModel(QObject *parent)
    : ThemeItemsModel(parent)
{
    setObjectName(QStringLiteral("ThemeListModel"));
}

QVariant ThemeListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const ThemeProperty &property = m_items.at(index.row());
    switch (role) {
    case IdRole:
    case ThemePropertyIdRole: return property.propertyId();
    case ThemePropertyDataRole: return property.propertyData().toString();
    case ThemePropertyDataTypeStringRole: return themeDataTypeString(property.dataType());
    case ThemePropertyToolTipRole: return property.toolTip();
    case VisibleRole: return property.isInSection(m_currentSectionName);
    default: return QVariant();
    }
}

QHash<int, QByteArray> ThemeListModel::roleNames() const
{
    return {
        {IdRole, "Id"},
        {ThemePropertyIdRole, "ThemePropertyId"},
        {ThemePropertyDataRole, "ThemePropertyData"},
        {ThemePropertyDataTypeStringRole, "ThemePropertyDataTypeString"},
        {ThemePropertyToolTipRole, "ThemePropertyToolTip"},
        {VisibleRole, "Visible"},
    };
}

void ThemeListModel::setCurrentSectionName(const QString &sectionName)
{
    m_currentSectionName = sectionName;
    for (int row = 0; row < m_items.size(); ++row)
        emit dataChanged(index(row), index(row));
    emit currentSectionNameChanged(sectionName);
}

void ThemeListModel::updateCurrentThemeProperty(const QString &themePropertyId, const QVariant &data)
{
    for (int row = 0; row < m_items.size(); ++row) {
        ThemeProperty &property = m_items[row];
        if (property.propertyId() != themePropertyId)
            continue;
        if (property.propertyData() == data)
            return;
        property.setPropertyData(data);
        emit dataChanged(index(row), index(row));
        emit themePropertyChanged(ThemeProperty(themePropertyId, data));
        return;
    }
}

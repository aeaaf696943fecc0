#include "themesectionlistmodel.h"

ThemeSectionListModel::ThemeSectionListModel(QObject *parent)
    : ThemeItemsModel(parent)
{
    setObjectName(QStringLiteral("ThemeSectionListModel"));
}

QVariant ThemeSectionListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const ThemeProperty &section = m_items.at(index.row());
    switch (role) {
    case IdRole:
    case ThemeSectionIdRole: return section.propertyId();
    case ThemeSectionDataRole: return section.propertyData().toString();
    default: return QVariant();
    }
}

QHash<int, QByteArray> ThemeSectionListModel::roleNames() const
{
    return {{IdRole, "Id"}, {ThemeSectionIdRole, "ThemeSectionId"}, {ThemeSectionDataRole, "ThemeSectionData"}};
}

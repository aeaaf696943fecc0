#include "simplelistmodel.h"

SimpleListModel::SimpleListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_items{QStringLiteral("Item 1"), QStringLiteral("Item 2"), QStringLiteral("Item 3")}
{
    setObjectName(QStringLiteral("SimpleListModel"));
}

int SimpleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

QVariant SimpleListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    switch (role) {
    case IdRole:
    case ItemIdRole: return index.row();
    case ItemDataRole: return m_items.at(index.row());
    default: return QVariant();
    }
}

QHash<int, QByteArray> SimpleListModel::roleNames() const
{
    return {{IdRole, "Id"}, {ItemIdRole, "ItemId"}, {ItemDataRole, "ItemData"}};
}

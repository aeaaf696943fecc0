#include "themeitemsmodel.h"

#include "logger.h"

ThemeItemsModel::ThemeItemsModel(QObject *parent)
    : QAbstractListModel(parent)
{
    ThemeProperty::registerMetaType();
}

int ThemeItemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

void ThemeItemsModel::setItems(const QVector<ThemeProperty> &items)
{
    if (!m_items.isEmpty()) {
        beginRemoveRows(QModelIndex(), 0, m_items.size() - 1);
        m_items.clear();
        endRemoveRows();
    }
    if (!items.isEmpty()) {
        beginInsertRows(QModelIndex(), 0, items.size() - 1);
        m_items = items;
        endInsertRows();
    }
    announceIsEmpty(!items.isEmpty());
}

void ThemeItemsModel::updateItems(const QVector<ThemeProperty> &items)
{
    if (items.isSharedWith(m_items) || items == m_items)
        return;
    if (items.size() != m_items.size()) {
        Log::critical(this, QStringLiteral("Cannot set theme properties, internal error"));
        return;
    }
    m_items = items;
    for (int row = 0; row < m_items.size(); ++row)
        emit dataChanged(index(row), index(row));
}

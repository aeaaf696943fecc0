#pragma once

#include "themeproperty.h"

#include <QAbstractListModel>
#include <QVector>

// What the editor's property list and section list share: a list of theme properties that is
// replaced whole at the start and refreshed in place after a theme file was loaded.
class ThemeItemsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;

    // Replaces every row and tells whether there are rows now.
    void setItems(const QVector<ThemeProperty> &items);
    // Takes fresh values for the same rows; a list of another length is refused, since the
    // views keep their rows.
    void updateItems(const QVector<ThemeProperty> &items);

    // True when the model has rows: the views show only then.
    bool isEmpty() const { return !m_items.isEmpty(); }

protected:
    explicit ThemeItemsModel(QObject *parent);

    // Each model declares its own isEmptyChanged, so that its signals keep their order.
    virtual void announceIsEmpty(bool empty) = 0;

    QVector<ThemeProperty> m_items;
};

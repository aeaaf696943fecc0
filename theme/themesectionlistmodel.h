#pragma once

#include "themeitemsmodel.h"

// The theme editor's section list, one row per section that holds a property.
class ThemeSectionListModel final : public ThemeItemsModel
{
    Q_OBJECT
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    enum Roles {
        IdRole = Qt::UserRole,
        ThemeSectionIdRole,
        ThemeSectionDataRole,
    };
    Q_ENUM(Roles)

    explicit ThemeSectionListModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void isEmptyChanged(bool empty);

protected:
    void announceIsEmpty(bool empty) override { emit isEmptyChanged(empty); }
};

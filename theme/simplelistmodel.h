#pragma once

#include <QAbstractListModel>
#include <QStringList>

// Three fixed rows for the list-view preview of the theme editor.
class SimpleListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    enum Roles {
        IdRole = Qt::UserRole,
        ItemIdRole,
        ItemDataRole,
    };
    Q_ENUM(Roles)

    explicit SimpleListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // True when the model has rows, as for the editor's other models: always.
    bool isEmpty() const { return !m_items.isEmpty(); }

signals:
    void isEmptyChanged(bool empty);

private:
    const QStringList m_items;
};

#pragma once

#include <QAbstractListModel>

// The ports the settings allow for one transport, for a combo box; port 0 reads "Auto".
class ComboBoxListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum ProxyRoles {
        Id = 257,
        TextRole = 258,
        ValueRole = 259,
    };
    Q_ENUM(ProxyRoles)

    explicit ComboBoxListModel(bool tcp, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    const QList<quint16> &m_ports;
};

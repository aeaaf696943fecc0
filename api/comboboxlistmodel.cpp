#include "comboboxlistmodel.h"

#include "settings.h"

ComboBoxListModel::ComboBoxListModel(bool tcp, QObject *parent)
    : QAbstractListModel(parent)
    , m_ports(tcp ? Settings::tcpPorts() : Settings::udpPorts())
{
    setObjectName(QStringLiteral("ComboBoxListModel"));
}

int ComboBoxListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ports.size();
}

QVariant ComboBoxListModel::data(const QModelIndex &index, int role) const
{
    const QString undefined = QStringLiteral("Undefined");
    if (!index.isValid() || index.row() >= m_ports.size())
        return undefined;
    const quint16 port = m_ports.at(index.row());
    switch (role) {
    case Id: return index.row();
    case TextRole: return port == 0 ? tr("Auto") : QString::number(port);
    case ValueRole: return int(port);
    // A view's size hint and font have types of their own; a text there is no answer.
    case Qt::SizeHintRole:
    case Qt::FontRole: return QVariant();
    default: return undefined;
    }
}

QHash<int, QByteArray> ComboBoxListModel::roleNames() const
{
    return {{Id, "id"}, {TextRole, "text"}, {ValueRole, "value"}};
}

#pragma once

#include <QList>
#include <QString>

// A network adapter as the system lists it: its description and its interface index.
struct NetworkAdapter
{
    QString name;
    int index = 0;

    bool operator==(const NetworkAdapter &other) const { return name == other.name && index == other.index; }
};

using NetworkAdapters = QList<NetworkAdapter>;

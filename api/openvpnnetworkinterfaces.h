#pragma once

#include "networkadapter.h"

#include <QObject>

// Finds the network adapters that the VPN engine can use, once at start-up; the settings
// apply the MTU to them.
class OpenVpnNetworkInterfaces final : public QObject
{
    Q_OBJECT

public:
    explicit OpenVpnNetworkInterfaces(QObject *parent = nullptr);

    void detect(bool vpnOnly);
    bool isEmpty() const { return m_entries.isEmpty(); }
    NetworkAdapters interfaces() const { return m_entries; }
    void logInterfaces() const;

private:
    NetworkAdapters m_entries;
    bool m_vpnOnly = true;
};

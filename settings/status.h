#pragma once

#include <QObject>
#include <QSettings>

// Whether the kill switch and the VPN's DNS servers are engaged right now, kept on disk the
// moment it changes, so that the next start can undo protection that a crash left behind.
class Status final : public QObject
{
    Q_OBJECT

public:
    explicit Status(QObject *parent = nullptr);

    bool dnsActivated() const { return m_dnsActivated; }
    bool killswitchActivated() const { return m_killswitchActivated; }

    void setDnsActivated(bool activated);
    void setKillswitchActivated(bool activated);

    // Forgets both flags, on disk too.
    void clear();

private:
    void write();

    QSettings m_store;
    bool m_dnsActivated = false;
    bool m_killswitchActivated = false;
};

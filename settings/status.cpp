#include "status.h"

namespace {

const QString group = QStringLiteral("Protection");
const QString dnsKey = QStringLiteral("dnsActivated");
const QString killswitchKey = QStringLiteral("killswitchActivated");

} // namespace

Status::Status(QObject *parent)
    : QObject(parent)
    , m_store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"), QStringLiteral("Status"))
{
    setObjectName(QStringLiteral("Status"));
    m_store.beginGroup(group);
    m_killswitchActivated = m_store.value(killswitchKey, false).toBool();
    m_dnsActivated = m_store.value(dnsKey, false).toBool();
    m_store.endGroup();
}

void Status::setDnsActivated(bool activated)
{
    if (activated == m_dnsActivated)
        return;
    m_dnsActivated = activated;
    write();
}

void Status::setKillswitchActivated(bool activated)
{
    if (activated == m_killswitchActivated)
        return;
    m_killswitchActivated = activated;
    write();
}

void Status::clear()
{
    // Memory follows the disk: a flag still remembered as set would make the next real change
    // look like no change, and it would never be written.
    m_dnsActivated = false;
    m_killswitchActivated = false;
    m_store.clear();
    m_store.sync();
}

void Status::write()
{
    m_store.beginGroup(group);
    m_store.setValue(killswitchKey, m_killswitchActivated);
    m_store.setValue(dnsKey, m_dnsActivated);
    m_store.endGroup();
    // On disk at once: the process may be killed the next moment.
    m_store.sync();
}

#include "sessionprotection.h"

#include "logger.h"
#include "servicecontroller.h"
#include "utils.h"

SessionProtection::SessionProtection(const QObject *logOwner, QObject *parent)
    : QObject(parent)
    , m_logOwner(logOwner)
    , m_dnsProcess(QStringLiteral("dns"))
    , m_networkTool(QStringLiteral("network-tool"))
{
    setObjectName(QStringLiteral("SessionProtection"));
    for (Runs *runs : {&m_killSwitchRuns, &m_dnsRuns}) {
        runs->limit.setSingleShot(true);
        runs->limit.setInterval(runTimeLimitMs);
        connect(&runs->limit, &QTimer::timeout, this, [this, runs] {
            Log::warning(m_logOwner,
                         QStringLiteral("No report on the %1 run in time, the next run goes ahead").arg(runs->program));
            runEnded(*runs);
        });
    }
    connect(&m_killSwitch, &KillSwitch::killSwitchFinished, this, &SessionProtection::killSwitchFinished);
    connect(&m_killSwitch, &KillSwitch::runEnded, this, [this] { runEnded(m_killSwitchRuns); });
    connect(&m_dnsProcess, &ServiceProcess::finished, this, [this](int state) {
        emit dnsProcessFinished(state);
        runEnded(m_dnsRuns);
    });
    connect(&m_dnsProcess, &ServiceProcess::error, this, [this](int status) {
        Log::warning(m_logOwner, QStringLiteral("The service did not start the DNS program, status: %1").arg(status));
        runEnded(m_dnsRuns);
    });
    connect(&m_networkTool, &ServiceProcess::finished, this, [this] { runEnded(m_dnsRuns); });
    connect(&m_networkTool, &ServiceProcess::error, this, [this] { runEnded(m_dnsRuns); });
    if (ServiceController *link = ServiceController::instance())
        connect(link, &ServiceController::disconnected, this, &SessionProtection::onLinkDown);
}

SessionProtection::~SessionProtection()
{
    for (Runs *runs : {&m_killSwitchRuns, &m_dnsRuns}) {
        if (runs->waiting.isEmpty())
            continue;
        if (runs == &m_killSwitchRuns)
            m_record.setKillswitchActivated(true);
        else
            m_record.setDnsActivated(true);
        const auto waiting = runs->waiting;
        runs->waiting.clear();
        for (const auto &run : waiting)
            run.second();
    }
}

void SessionProtection::setRunTimeLimitForTesting(int milliseconds)
{
    m_killSwitchRuns.limit.setInterval(milliseconds);
    m_dnsRuns.limit.setInterval(milliseconds);
}

void SessionProtection::submit(Runs &runs, const QString &program, std::function<void()> run)
{
    runs.waiting.append({program, std::move(run)});
    next(runs);
}

void SessionProtection::next(Runs &runs)
{
    if (runs.busy || runs.waiting.isEmpty())
        return;
    runs.busy = true;
    runs.limit.start();
    const auto run = runs.waiting.takeFirst();
    runs.program = run.first;
    run.second();
}

void SessionProtection::runEnded(Runs &runs)
{
    if (!runs.busy)
        return;
    runs.busy = false;
    runs.limit.stop();
    next(runs);
    if (&runs == &m_dnsRuns && dnsSettled())
        emit dnsSettledChanged();
}

void SessionProtection::onLinkDown()
{
    // What was under way is never reported on this link.
    for (Runs *runs : {&m_killSwitchRuns, &m_dnsRuns}) {
        if (runs->busy)
            Log::info(m_logOwner,
                      QStringLiteral("The service link went down during the %1 run, the next run goes ahead")
                          .arg(runs->program));
        runEnded(*runs);
    }
}

bool SessionProtection::dnsSettled() const
{
    return !m_dnsRuns.busy && m_dnsRuns.waiting.isEmpty();
}

bool SessionProtection::isSettled() const
{
    return dnsSettled() && !m_killSwitchRuns.busy && m_killSwitchRuns.waiting.isEmpty();
}

void SessionProtection::armKillSwitch(const QString &internalIp, const QString &server, bool allowLocalDevices)
{
    m_killSwitchHeld = false;
    m_killSwitchOn = true;
    m_killSwitchServer = server;
    m_record.setKillswitchActivated(true);
    submit(m_killSwitchRuns, QStringLiteral("killswitch"), [this, internalIp, server, allowLocalDevices] {
        m_killSwitch.enable(internalIp, server, allowLocalDevices);
    });
}

void SessionProtection::rearmKillSwitch(const QString &server, bool allowLocalDevices)
{
    m_killSwitchServer = server;
    submit(m_killSwitchRuns, QStringLiteral("killswitch"), [this, server, allowLocalDevices] {
        m_killSwitch.enable(QString(), server, allowLocalDevices);
    });
}

void SessionProtection::holdKillSwitch()
{
    m_killSwitchHeld = true;
}

void SessionProtection::releaseKillSwitch()
{
    m_killSwitchHeld = false;
    if (!m_killSwitchOn)
        return;
    m_killSwitchOn = false;
    m_killSwitchServer.clear();
    if (!m_leaving)
        m_record.setKillswitchActivated(false);
    submit(m_killSwitchRuns, QStringLiteral("killswitch"), [this] { m_killSwitch.disable(); });
}

void SessionProtection::releaseLeftoverKillSwitch()
{
    m_killSwitchHeld = false;
    m_killSwitchOn = false;
    m_killSwitchServer.clear();
    m_record.setKillswitchActivated(false);
    submit(m_killSwitchRuns, QStringLiteral("killswitch"), [this] { m_killSwitch.disable(); });
}

QStringList SessionProtection::readUserDns()
{
    // A switch still on record (its "user" run failed or never came) means the servers in use
    // are the VPN's: saved as the user's, the next session's end would write them back for good.
    const QStringList recorded = DnsManager::userDnsOfRecordedSwitch();
    if (!recorded.isEmpty()) {
        Log::info(m_logOwner, QStringLiteral("Taking the user DNS saved by the switch still on record"));
        return recorded;
    }
    if (m_dnsReader)
        return m_dnsReader();
    m_dnsManager.refresh();
    return m_dnsManager.userDnsEntries();
}

void SessionProtection::switchDnsToVpn(const QString &ipv4, const QString &ipv6)
{
    const QStringList entries = m_dnsManager.vpnDnsEntries(ipv4, ipv6);
    m_record.setDnsActivated(true);
    submit(m_dnsRuns, QStringLiteral("dns"), [this, entries] {
        m_dnsProcess.start(QStringList{DnsManager::dnsProgramPath(), QStringLiteral("vpn")} + entries);
    });
}

void SessionProtection::restoreUserDns(const QStringList &userEntries, bool runProgram)
{
    if (!m_leaving)
        m_record.setDnsActivated(false);
    if (!runProgram)
        return;
    submit(m_dnsRuns, QStringLiteral("dns"), [this, userEntries] {
        m_dnsProcess.start(QStringList{DnsManager::dnsProgramPath(), QStringLiteral("user")} + userEntries);
    });
}

void SessionProtection::resetDns()
{
    m_record.setDnsActivated(false);
    submit(m_dnsRuns, QStringLiteral("dns"), [this] {
        m_dnsProcess.start(QStringList{DnsManager::dnsProgramPath(), QStringLiteral("reset")});
    });
}

void SessionProtection::restoreIpv6()
{
    // The engine switched IPv6 off for the session; without a record of that, the tool changes
    // nothing.
    submit(m_dnsRuns, QStringLiteral("network-tool"), [this] {
        m_networkTool.start({Utils::executablePath(QStringLiteral("network-tool"), true),
                             QStringLiteral("--ipv6"),
                             QStringLiteral("enable")});
    });
}

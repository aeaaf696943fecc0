#include "sessionprotection.h"

#include "logger.h"
#include "servicecontroller.h"
#include "utils.h"

#include <algorithm>

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
            abandon(*runs);
        });
    }
    const QString killSwitch = QStringLiteral("killswitch");
    connect(&m_killSwitch, &KillSwitch::runStarted, this, [this, killSwitch](qint64 pid) {
        onRunStarted(m_killSwitchRuns, killSwitch, pid);
    });
    connect(&m_killSwitch, &KillSwitch::runFinished, this, [this, killSwitch](qint64 pid, bool ok) {
        if (isCurrentRun(m_killSwitchRuns, killSwitch, pid))
            emit killSwitchFinished(ok);
        onRunFinished(m_killSwitchRuns, killSwitch, pid);
    });
    connect(&m_killSwitch, &KillSwitch::runRefused, this, [this, killSwitch] {
        onRunRefused(m_killSwitchRuns, killSwitch);
    });
    connect(&m_dnsProcess, &ServiceProcess::started, this, [this](qint64 pid) {
        onRunStarted(m_dnsRuns, m_dnsProcess.name(), pid);
    });
    connect(&m_dnsProcess, &ServiceProcess::finished, this, [this](int state, qint64 pid) {
        if (isCurrentRun(m_dnsRuns, m_dnsProcess.name(), pid))
            emit dnsProcessFinished(state);
        onRunFinished(m_dnsRuns, m_dnsProcess.name(), pid);
    });
    connect(&m_dnsProcess, &ServiceProcess::error, this, [this](int status) {
        if (onRunRefused(m_dnsRuns, m_dnsProcess.name()))
            Log::warning(m_logOwner,
                         QStringLiteral("The service did not start the DNS program, status: %1").arg(status));
    });
    connect(&m_networkTool, &ServiceProcess::started, this, [this](qint64 pid) {
        onRunStarted(m_dnsRuns, m_networkTool.name(), pid);
    });
    connect(&m_networkTool, &ServiceProcess::finished, this, [this](int, qint64 pid) {
        onRunFinished(m_dnsRuns, m_networkTool.name(), pid);
    });
    connect(&m_networkTool, &ServiceProcess::error, this, [this] { onRunRefused(m_dnsRuns, m_networkTool.name()); });
    if (ServiceController *link = ServiceController::instance()) {
        connect(link, &ServiceController::disconnected, this, &SessionProtection::onLinkDown);
        connect(link, &ServiceController::connected, this, [this] {
            next(m_killSwitchRuns);
            next(m_dnsRuns);
        });
    }
}

SessionProtection::~SessionProtection()
{
    for (Runs *runs : {&m_killSwitchRuns, &m_dnsRuns}) {
        if (runs->waiting.isEmpty())
            continue;
        if (runs == &m_killSwitchRuns)
            m_record.setKillswitchActivated(true);
        else if (DnsManager::hasRecordedVpnSwitch())
            m_record.setDnsActivated(true);
        // Of each program only the last run counts: sent at once, out of turn, an earlier one
        // could end after it and leave its own state behind.
        QList<QPair<QString, std::function<void()>>> last;
        for (int i = runs->waiting.size() - 1; i >= 0; --i) {
            const auto &run = runs->waiting.at(i);
            const bool later =
                std::any_of(last.cbegin(), last.cend(), [&run](const auto &taken) { return taken.first == run.first; });
            if (!later)
                last.prepend(run);
        }
        runs->waiting.clear();
        for (const auto &run : last)
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
    // Sent now, the run would wait in the link's buffer while its time runs out, and go out
    // together with the next one.
    const ServiceController *link = ServiceController::instance();
    if (link && !link->isConnected())
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
    runs.started = false;
    runs.pid = 0;
    runs.limit.stop();
    next(runs);
    if (&runs == &m_dnsRuns && dnsSettled())
        emit dnsSettledChanged();
}

void SessionProtection::abandon(Runs &runs)
{
    // Its reports may still come: they are this run's, never the turn of the run after it.
    if (runs.busy) {
        if (!runs.started)
            ++runs.unanswered[runs.program];
        else if (runs.pid != 0)
            runs.abandoned.insert(runs.pid);
    }
    runEnded(runs);
}

bool SessionProtection::isCurrentRun(const Runs &runs, const QString &program, qint64 pid) const
{
    return runs.busy && runs.program == program && !(pid != 0 && runs.abandoned.contains(pid));
}

void SessionProtection::onRunStarted(Runs &runs, const QString &program, qint64 pid)
{
    // The service answers the starts of a program in their order: an abandoned run's answer
    // comes before that of the run under way.
    int &unanswered = runs.unanswered[program];
    if (unanswered > 0) {
        --unanswered;
        if (pid != 0)
            runs.abandoned.insert(pid);
        return;
    }
    if (!runs.busy || runs.program != program)
        return;
    runs.started = true;
    runs.pid = pid;
}

void SessionProtection::onRunFinished(Runs &runs, const QString &program, qint64 pid)
{
    if (pid != 0 && runs.abandoned.remove(pid)) {
        Log::info(m_logOwner, QStringLiteral("The abandoned %1 run has ended").arg(program));
        return;
    }
    if (runs.busy && runs.program == program)
        runEnded(runs);
}

bool SessionProtection::onRunRefused(Runs &runs, const QString &program)
{
    int &unanswered = runs.unanswered[program];
    if (unanswered > 0) {
        --unanswered;
        return false;
    }
    if (!runs.busy || runs.program != program)
        return false;
    runEnded(runs);
    return true;
}

void SessionProtection::onLinkDown()
{
    // What was under way is never reported on this link, and the service forgets the starts
    // it has not answered.
    for (Runs *runs : {&m_killSwitchRuns, &m_dnsRuns}) {
        if (runs->busy)
            Log::info(m_logOwner,
                      QStringLiteral("The service link went down during the %1 run, the next run goes ahead")
                          .arg(runs->program));
        runs->unanswered.clear();
        if (runs->busy && runs->started && runs->pid != 0)
            runs->abandoned.insert(runs->pid);
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

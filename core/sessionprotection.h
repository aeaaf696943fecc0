#pragma once

#include "dnsmanager.h"
#include "killswitch.h"
#include "serviceprocess.h"
#include "status.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <functional>

// What protects the machine around a session: the kill switch, the DNS switch, IPv6 given back,
// and the record of kill switch and DNS that survives a crash. The record is written before
// each change is asked for. The kill switch's runs go one at a time, in order, and so do the
// DNS program's and the network tool's: two runs of the DNS program at once could save the
// VPN's servers as the user's, and the next session reads the user's DNS (and switches IPv6
// off again) only once the last run is through (dnsSettled()).
class SessionProtection final : public QObject
{
    Q_OBJECT

public:
    // A run that the service never reports on (a service gone for good) stops holding up the
    // next one after this.
    static constexpr int runTimeLimitMs = 60000;

    // Log lines go out under the name of `logOwner`, whose protection this is.
    SessionProtection(const QObject *logOwner, QObject *parent = nullptr);
    // The last waiting run of each program goes out at once, out of turn: the record keeps
    // saying that protection is in force (the DNS only with a switch on record), so that the
    // next start puts things right.
    ~SessionProtection() override;

    // The program is going: what is asked for from now on may never reach the service (the
    // link goes first), so the record no longer says that protection was lifted.
    void setLeaving() { m_leaving = true; }

    void armKillSwitch(const QString &internalIp, const QString &server, bool allowLocalDevices);
    // A kill switch held across a crash lets only the server it was armed for through: a
    // reconnection to another server arms it for that one instead of opening it.
    void rearmKillSwitch(const QString &server, bool allowLocalDevices);
    void holdKillSwitch();
    void releaseKillSwitch();
    // Start-up: rules a crashed run left behind go, whatever this run believes.
    void releaseLeftoverKillSwitch();
    bool killSwitchOn() const { return m_killSwitchOn; }
    bool killSwitchHeld() const { return m_killSwitchHeld; }
    QString killSwitchServer() const { return m_killSwitchServer; }

    // The user's DNS entries: those of this moment, or those saved by a switch that is still on
    // record. Read only when dnsSettled().
    QStringList readUserDns();
    void switchDnsToVpn(const QString &ipv4, const QString &ipv6);
    void restoreUserDns(const QStringList &userEntries, bool runProgram);
    void resetDns();
    // The machine's own IPv6 settings back, after a session and at start-up.
    void restoreIpv6();

    const Status &record() const { return m_record; }
    void forgetRecord() { m_record.clear(); }

    bool dnsSettled() const;
    bool isSettled() const;

    void setDnsReaderForTesting(std::function<QStringList()> reader) { m_dnsReader = std::move(reader); }
    void setRunTimeLimitForTesting(int milliseconds);

signals:
    void dnsSettledChanged();
    void dnsProcessFinished(int state);
    void killSwitchFinished(bool ok);

private:
    // One program's runs, one at a time.
    struct Runs
    {
        QString program; // of the run under way
        qint64 pid = 0; // of the run under way, once the service has started it
        QList<QPair<QString, std::function<void()>>> waiting;
        QTimer limit;
        // Runs given up at the limit: by program, those whose start the service has not
        // answered yet; the process ids of those it has.
        QHash<QString, int> unanswered;
        QSet<qint64> abandoned;
        bool busy = false;
        bool started = false;
    };

    void submit(Runs &runs, const QString &program, std::function<void()> run);
    void runEnded(Runs &runs);
    void abandon(Runs &runs);
    void next(Runs &runs);
    bool isCurrentRun(const Runs &runs, const QString &program, qint64 pid) const;
    void onRunStarted(Runs &runs, const QString &program, qint64 pid);
    void onRunFinished(Runs &runs, const QString &program, qint64 pid);
    // Whether the refusal ended the run under way.
    bool onRunRefused(Runs &runs, const QString &program);
    void onLinkDown();

    const QObject *m_logOwner;
    KillSwitch m_killSwitch;
    ServiceProcess m_dnsProcess;
    ServiceProcess m_networkTool;
    DnsManager m_dnsManager;
    Status m_record;
    Runs m_killSwitchRuns;
    Runs m_dnsRuns; // and the network tool's
    std::function<QStringList()> m_dnsReader;
    QString m_killSwitchServer;
    bool m_killSwitchOn = false;
    bool m_killSwitchHeld = false;
    bool m_leaving = false;
};

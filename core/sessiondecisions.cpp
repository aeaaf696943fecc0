#include "sessiondecisions.h"

namespace SessionDecisions {

QString fastDown()
{
    return QStringLiteral("FastDown");
}

QString cantFindPorts()
{
    return QStringLiteral("CantFindPorts");
}

QString crashExit()
{
    return QStringLiteral("CrashExit");
}

EndDecision sessionEnded(const SessionEnd &end)
{
    EndDecision decision;
    decision.attempts = end.attempts;
    const bool crash = end.marker == crashExit();
    if (crash && end.critical) {
        if (end.autoReconnect)
            decision.note = EndDecision::Note::CriticalNotAllowed;
    } else if (crash && end.autoReconnect && !end.byUser) {
        decision.attempts = end.attempts + 1;
        if (decision.attempts >= 4) {
            decision.note = EndDecision::Note::GaveUp;
            decision.attempts = 0;
        } else {
            decision.note = EndDecision::Note::Reconnecting;
            decision.reconnect = true;
        }
    }

    const bool engineCrash = crash && !end.critical;
    decision.holdKillSwitch = end.killSwitchOn && !end.byUser && (engineCrash || end.killSwitchHeld);
    decision.killSwitchEvent = decision.holdKillSwitch && !decision.reconnect && !end.serverSwitch;
    return decision;
}

KillSwitchAtAttempt attemptBegins(bool byUser, bool on, bool held, const QString &armedFor, const QString &server)
{
    if (!on)
        return KillSwitchAtAttempt::Nothing;
    if (byUser || !held)
        return KillSwitchAtAttempt::Release;
    return armedFor == server ? KillSwitchAtAttempt::Nothing : KillSwitchAtAttempt::Rearm;
}

KillSwitchWhenConnected sessionConnected(bool wanted, bool engineSupports, bool on)
{
    if (wanted && engineSupports)
        return KillSwitchWhenConnected::Arm;
    return on ? KillSwitchWhenConnected::Release : KillSwitchWhenConnected::Nothing;
}

bool takesEngineReport(ConnectionState::Id shown,
                       ConnectionState::Id reported,
                       bool engineEnded,
                       bool reconnectionPending,
                       bool userStopping)
{
    using S = ConnectionState::Id;
    // After its end an engine only says that it counts on a reconnection, and that is shown
    // only when one is really on its way.
    if (engineEnded)
        return reported == S::Reconnecting && shown == S::Disconnected && reconnectionPending;
    if (reported == shown)
        return false;
    switch (reported) {
    case S::Connecting: return shown == S::Disconnected || shown == S::Reconnecting || shown == S::Preparing;
    // Connected on its way while the stop went out: the session ends anyway, and shown as
    // connected it would arm the kill switch and switch the DNS for nothing.
    case S::Connected: return shown == S::Connecting && !userStopping;
    case S::Disconnecting: return shown == S::Connecting || shown == S::Connected;
    case S::Disconnected:
    case S::Error:
    case S::Unknown: return true;
    case S::Preparing:
    case S::Reconnecting: return false;
    }
    return false;
}

AddressReply addressReply(ConnectionState::Id shown)
{
    switch (shown) {
    case ConnectionState::Id::Connecting:
    case ConnectionState::Id::Disconnecting: return AddressReply::Skip;
    case ConnectionState::Id::Disconnected: return AddressReply::Remember;
    default: return AddressReply::Show;
    }
}

} // namespace SessionDecisions

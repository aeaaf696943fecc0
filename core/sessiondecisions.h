#pragma once

#include "connectionstate.h"

#include <QString>

// What the controller decides at the turns of a session, as plain functions of what it knows:
// nothing here acts, so each rule reads (and is tested) on its own.
namespace SessionDecisions {

// The markers that an end of a session carries beside its state.
QString fastDown(); // an attempt that ended before it began: nothing to clean up
QString cantFindPorts(); // no TCP port answered
QString crashExit(); // the engine died

struct SessionEnd
{
    QString marker;
    bool critical = false;
    bool byUser = false; // the user asked for this end
    bool autoReconnect = false; // the reconnection setting
    int attempts = 0; // reconnections made in this run of failures
    bool killSwitchOn = false; // its rules are in force
    bool killSwitchHeld = false; // kept closed across an earlier crash
    bool serverSwitch = false; // a connection to another server follows
};

struct EndDecision
{
    enum class Note {
        None,
        CriticalNotAllowed, // "Critical error, reconnection is not allowed now!"
        GaveUp, // "Can't reconnect after 3 attempts..."
        Reconnecting, // "Going to reconnection...N"
    };
    bool reconnect = false;
    int attempts = 0; // the count after this end
    Note note = Note::None;
    bool holdKillSwitch = false; // keep its rules (else they go, when in force)
    bool killSwitchEvent = false; // nothing follows: the user must answer
};

// A session (or an attempt) ended: reconnect or not, and the kill switch's fate. Fail closed:
// an engine that died under the kill switch leaves it in force until the tunnel is back or
// the user answers; the user's own disconnect, and every other end, open it.
EndDecision sessionEnded(const SessionEnd &end);

// A kill switch still in force when an attempt begins: the user's connect lifts it; a
// reconnection keeps it, armed for the server that the attempt goes to.
enum class KillSwitchAtAttempt { Nothing, Release, Rearm };
KillSwitchAtAttempt attemptBegins(bool byUser, bool on, bool held, const QString &armedFor, const QString &server);

// The tunnel is up: the kill switch is armed when wanted, and one held for a session that does
// not use it (switched off meanwhile, or an engine without one) goes.
enum class KillSwitchWhenConnected { Nothing, Arm, Release };
KillSwitchWhenConnected sessionConnected(bool wanted, bool engineSupports, bool on);

// Whether a state that the session's engine reports is taken, given what the controller shows
// and whether the engine has reported its end already. What the state table does not allow
// (an engine that connects after the user has disconnected, a second end) is not shown.
// `userStopping`: the user has asked for the disconnection, which the engine may not have acted
// on yet.
bool takesEngineReport(ConnectionState::Id shown,
                       ConnectionState::Id reported,
                       bool engineEnded,
                       bool reconnectionPending,
                       bool userStopping);

// What a public-address reply does to the address shown.
enum class AddressReply {
    Skip, // the address is changing: a reply now would show the wrong one
    Show, //
    Remember, // the user's own address: shown, and shown again after every session
};
AddressReply addressReply(ConnectionState::Id shown);

} // namespace SessionDecisions

#pragma once

#include <QString>

// Addresses from outside (command lines, data files, configuration files, the output of other
// programs) on their way into a file, a command line or a firewall rule of a root process.
// An address parser alone is not enough: it quietly takes a scope of any text (line breaks
// included) and surrounding blanks, and reads "010.1.1.1" as 8.1.1.1 where the C library
// reads 10.1.1.1.
namespace AddressCheck {

enum class Family { None, Ipv4, Ipv6 };

struct Verdict
{
    Family family = Family::None; // None: refused
    QString refusal; // why, for a log line; empty when accepted
    // Refused for a control character, a blank or a scope id: a sign of a forged text rather
    // than of a mere typo.
    bool hostile = false;
};

// A plain IPv4 (dotted quad, as the C library reads it) or IPv6 address.
Verdict plainAddress(const QString &text);
// A DNS server as systemd-resolved takes and prints it: a plain address, optionally with a
// port ("1.1.1.1:853", "[2606:4700::1111]:853") and a server name for encrypted DNS
// ("1.1.1.1#one.one.one.one").
Verdict dnsServer(const QString &text);
// The address part of a DNS server text (the text itself for a plain address).
QString dnsServerAddress(const QString &text);
// Why a name (an interface id, say) may not reach a command line or a file: a control character
// or a blank; empty when it may.
QString nameRefusal(const QString &text);
// An outside text made safe for one log line: control characters written as \xNN.
QString forLog(const QString &text);

} // namespace AddressCheck

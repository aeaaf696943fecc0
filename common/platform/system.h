#pragma once

#include <QString>

namespace Platform {

// "Windows" or "Linux": the system the program runs on.
QString osName();

// The system's name and version for the start-up log.
QString systemVersionText();

// Windows form: from build 22000 on, the toolkit still says "Windows 10"; the registry's
// display version tells the truth.
QString windowsVersionText(int buildNumber, const QString &displayVersion, const QString &prettyProductName);

// Whether this machine can run WireGuard tunnels, and if not, what is missing.
struct WireGuardAvailability
{
    bool available = false;
    QString reason;
};
WireGuardAvailability wireGuardAvailability();

} // namespace Platform

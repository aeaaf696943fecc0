#pragma once

// The steps of the program's start that come before the application object exists or after
// it failed.
namespace Startup {

// A tray host may start after the program (both started at login): true as soon as there is
// one, false after `timeoutMs` without.
bool waitForSystemTray(int timeoutMs);

// The program cannot run: says so in a dialog that offers the log folder (as often as the user
// wants) and returns when the user closes it.
void showFailureDialog();

// Says that there is no tray to live in.
void showNoSystemTrayMessage();

} // namespace Startup

#pragma once

#include <QString>

// The per-user list of programs that start with the desktop session. Windows: a value under
// the Run key. Linux: an XDG autostart entry "<name>.desktop", whose Exec key is the value.
namespace Platform {

// The value stored under `name`, or an empty text when there is none.
QString autoStartEntry(const QString &name);
void writeAutoStartEntry(const QString &name, const QString &value);
void removeAutoStartEntry(const QString &name);

// The value that makes the entry start the program at `executablePath`: the quoted native path.
QString autoStartValue(const QString &executablePath);

// Linux form: the path as one quoted argument of a desktop entry's Exec key, escaped so that
// quotes, backslashes, "$", "`" and "%" in it survive.
QString desktopExecArgument(const QString &path);
// The program that an Exec value starts, as the desktop reads it: its first argument, with
// every escape undone. Empty when the value holds none or leaves a quote open.
QString desktopExecProgram(const QString &execValue);
// The autostart entry that starts `execValue`, shown as `displayName` with the icon `iconName`.
// It names the program in TryExec too, so that a desktop skips an entry whose program has been
// removed instead of failing to start it at every login.
QString autoStartDesktopEntry(const QString &displayName, const QString &iconName, const QString &execValue);
// The value of a key in the main group of a desktop entry text, empty when it has none.
QString desktopEntryValue(const QString &entryText, const QString &key);

} // namespace Platform

#pragma once

#include <QByteArray>
#include <QList>

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

// Environment variables that the program sets for its own toolkit only. The toolkit reads them
// once, early; `restore()` then puts back what the user had, so that the programs this one
// starts (the folder opener, the maintenance tool) scale and cache by their own rules.
class ToolkitVariables
{
public:
    explicit ToolkitVariables(const QList<QByteArray> &names);
    void restore() const;

private:
    struct Saved
    {
        QByteArray name;
        bool set;
        QByteArray value;
    };
    QList<Saved> m_saved;
};

} // namespace Startup

#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// The machine-wide data folder as the privileged programs (dns, network-tool) keep their own
// state in it: the DNS and IPv6 records, their logs and locks. What they read there decides
// what they write into the system, and where they write a planted link would take them, so
// the folder is used only when no one but the privileged user can put anything into it.
//
// Linux: the folder (made with mode 0755 when missing, readable so that the client sees the
// DNS record and the log) and every folder above it belong to root or the effective user and
// may be written by nobody else (a folder above may be sticky, as /tmp). Each of `files` is
// then missing or a plain file of the effective user's with a single name; anything else in
// its place (a link, a second name of someone's file, a pipe) was planted while the folder was
// open to others and is removed, never followed. Windows: the folder is made when missing.
// Returns an empty text when the folder may be used, else why not.
QString prepareStateFolder(const QString &folder, const QStringList &files);

// An exclusive lock on `name` in a state folder prepared as above, held until the object goes.
// The kernel lets it go when the holder dies, so a lock file left behind never blocks.
class StateLock final
{
public:
    // Waits up to `timeoutMs` for a holder to let go.
    StateLock(const QString &folder, const QString &name, int timeoutMs);
    ~StateLock();
    StateLock(const StateLock &) = delete;
    StateLock &operator=(const StateLock &) = delete;

    bool isLocked() const { return m_locked; }
    QString error() const { return m_error; }

private:
    struct Held;
    Held *m_held = nullptr;
    bool m_locked = false;
    QString m_error;
};

} // namespace Platform

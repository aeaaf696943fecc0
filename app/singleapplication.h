#pragma once

#include <QApplication>
#include <QLockFile>

#include <memory>

class QLocalServer;

// The application object of a program that runs once per user. The first instance holds a
// lock and listens on a local socket; a later start finds the lock taken and hands its message
// to the first instance instead of running. A lock left by a killed instance is stale and the
// next start takes it over.
class SingleApplication final : public QApplication
{
    Q_OBJECT

public:
    // `id` names the lock and the socket; both live in folders of the current user only.
    SingleApplication(const QString &id, int &argc, char **argv);
    ~SingleApplication() override;

    // True when another instance of this user runs (this one then holds nothing).
    bool isRunning() const { return !m_primary; }

    // Delivers the message to the running instance, waiting at most `timeoutMs` for it to
    // take it. False when there is none or it did not answer in time.
    bool sendMessage(const QString &message, int timeoutMs);
    // One more attempt at the lock, for a start whose message nobody took: true when this
    // instance now holds it (or runs without one).
    bool retakeLock();

    // Removes what stands at `path` unless it is a plain file of this user; true if it did.
    static bool removeForeignLock(const QString &path);

    // The folder that holds the lock and the socket, private to the user (owned, mode 0700);
    // empty when there is none.
    static QString instanceFolder();
    static QString lockFilePath(const QString &id);
    static QString serverName(const QString &id);

signals:
    void messageReceived(const QString &message);

private:
    bool takeLock();
    bool lockIsBroken() const;
    void listen();
    void onNewConnection();

    const QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    bool m_primary = false;
};

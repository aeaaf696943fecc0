#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// A local attacker: tests/support/probe.cpp run as another user (`nobody`, through setpriv) or
// as root, a process that is not the client either way. Its copy sits in a folder every user
// may enter, so that the other user can run it whatever the build folder's rights.
class Attacker
{
public:
    enum Who {
        Nobody,
        Root,
    };

    Attacker()
    {
        QFile::setPermissions(m_folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                  | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        m_probe = m_folder.filePath(QStringLiteral("vmx-probe"));
        QFile::copy(QStringLiteral(VELMORIX_PROBE_PATH), m_probe);
        QFile::setPermissions(m_probe,
                              QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                  | QFile::ExeOther);
    }

    static bool canChangeUser()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty() && ::geteuid() == 0;
    }

    // Starts the probe; the caller reads its output.
    void start(QProcess &process, Who who, const QStringList &arguments) const
    {
        process.setProcessChannelMode(QProcess::MergedChannels);
        if (who == Nobody)
            process.start(QStringLiteral("setpriv"),
                          QStringList{QStringLiteral("--reuid=65534"),
                                      QStringLiteral("--regid=65534"),
                                      QStringLiteral("--clear-groups"),
                                      QStringLiteral("--no-new-privs"),
                                      m_probe}
                              + arguments);
        else
            process.start(m_probe, arguments);
    }

    // Runs the probe to its end and returns what it printed.
    QString run(Who who, const QStringList &arguments, int ms = 10000) const
    {
        QProcess process;
        start(process, who, arguments);
        process.waitForFinished(ms);
        return QString::fromUtf8(process.readAll());
    }

    static QString name(Who who) { return who == Nobody ? QStringLiteral("nobody") : QStringLiteral("root"); }

private:
    QTemporaryDir m_folder;
    QString m_probe;
};

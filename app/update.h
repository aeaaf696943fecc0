#pragma once

#include <QObject>
#include <QPointer>

class QProcess;

// Asks the installer's maintenance tool beside the program whether a newer version exists,
// and starts it in update mode when the user agrees. The program's own version comes from the
// installer's component file beside it.
class Update final : public QObject
{
    Q_OBJECT

public:
    static constexpr int checkTimeLimitMs = 20000;

    explicit Update(QObject *parent = nullptr);
    // Ends a check that still runs, with everything the tool started.
    ~Update() override;

    // "<application directory>/maintenancetool" (".exe" on Windows), native separators.
    static QString maintenanceToolPath();

    // The program's version from "components.xml" in the application directory; read once
    // per process and kept as soon as it is known.
    static QString currentVersion();
    // The first "Version" element of such a file; empty when the file cannot be read, holds
    // no such element or is not XML.
    static QString versionFromComponentsFile(const QString &path);
    // The version the tool's output offers, or empty for none.
    static QString offeredVersion(const QString &output);

    void checkForUpdates();
    void startUpdater();

    // For tests only: the product gives the tool 20 s.
    void setCheckTimeLimitForTesting(int milliseconds) { m_checkTimeLimit = milliseconds; }

signals:
    void appUpdated();
    void newVersionIsAvailable(QString newVersion);

public slots:
    void checkForUpdatesProcessFinished();

private:
    QPointer<QProcess> m_process;
    int m_checkTimeLimit = checkTimeLimitMs;
};

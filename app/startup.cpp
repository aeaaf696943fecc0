#include "startup.h"

#include "logger.h"
#include "product.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QThread>

namespace Startup {

bool waitForSystemTray(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(100);
    }
    return true;
}

void showNoSystemTrayMessage()
{
    QMessageBox::critical(nullptr,
                          Product::name(),
                          QCoreApplication::translate("main", "Couldn't detect any system tray on this system."));
}

void showFailureDialog()
{
    QMessageBox box(QMessageBox::Critical,
                    Product::name(),
                    QCoreApplication::translate("main", "Critical error, exiting (Click 'Show logs' for details)."));
    box.setObjectName(QStringLiteral("failureDialog"));
    QPushButton *close = box.addButton(QCoreApplication::translate("main", "Close"), QMessageBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeButton"));
    QPushButton *showLogs = box.addButton(QCoreApplication::translate("main", "Show logs"), QMessageBox::ActionRole);
    showLogs->setObjectName(QStringLiteral("showLogsButton"));
    box.setDefaultButton(close);
    box.setEscapeButton(close);
    // The box would close on any of its buttons; this one only opens the folder.
    QObject::disconnect(showLogs, &QAbstractButton::clicked, nullptr, nullptr);
    QObject::connect(showLogs, &QPushButton::clicked, [] { Logger::instance()->openLogFolder(); });
    box.exec();
}

ToolkitVariables::ToolkitVariables(const QList<QByteArray> &names)
{
    for (const QByteArray &name : names)
        m_saved.append({name, qEnvironmentVariableIsSet(name.constData()), qgetenv(name.constData())});
}

void ToolkitVariables::restore() const
{
    for (const Saved &saved : m_saved) {
        if (saved.set)
            qputenv(saved.name.constData(), saved.value);
        else
            qunsetenv(saved.name.constData());
    }
}

} // namespace Startup

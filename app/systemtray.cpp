#include "systemtray.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

// Which icon the next flash shows; shared, so that a tray made anew keeps the rhythm.
bool showGreyOnNextFlash = false;

} // namespace

SystemTray::SystemTray(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("SystemTray"));

    m_flashingTimer.setInterval(flashingIntervalMs);
    connect(&m_flashingTimer, &QTimer::timeout, this, &SystemTray::onFlashingTimerTimeout);

    const QImage colour(iconPath());
    m_colourIcon = QIcon(QPixmap::fromImage(colour));
    m_greyIcon = QIcon(QPixmap::fromImage(greyImage(colour)));

    m_connectDisconnectAction = new QAction(this);
    m_connectDisconnectAction->setObjectName(QStringLiteral("connectDisconnectAction"));
    m_settingsAction = new QAction(this);
    m_settingsAction->setObjectName(QStringLiteral("settingsAction"));
    m_exitAction = new QAction(this);
    m_exitAction->setObjectName(QStringLiteral("exitAction"));
    retranslate();
    connect(m_connectDisconnectAction, &QAction::triggered, this, &SystemTray::onConnectDisconnectActionClicked);
    connect(m_settingsAction, &QAction::triggered, this, &SystemTray::onSettingsActionClicked);
    connect(m_exitAction, &QAction::triggered, this, &SystemTray::onExitActionClicked);

    m_menu = std::make_unique<QMenu>();
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    m_menu->addAction(m_connectDisconnectAction);
    m_menu->addAction(m_settingsAction);
    m_menu->addSeparator();
    m_menu->addAction(m_exitAction);

    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_trayIcon->setContextMenu(m_menu.get());
    m_trayIcon->setIcon(m_greyIcon);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &SystemTray::onSystemTrayIconActivated);
    m_trayIcon->setVisible(true);
}

SystemTray::~SystemTray()
{
    // The icon goes first: it must not outlive the menu it points to.
    delete m_trayIcon;
}

QString SystemTray::iconPath()
{
    return QStringLiteral(":/resources/icons/app/app.png");
}

QImage SystemTray::greyImage(const QImage &image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = line[x];
            const int value = (11 * qRed(pixel) + 16 * qGreen(pixel) + 5 * qBlue(pixel)) / 32;
            line[x] = qRgba(value, value, value, qAlpha(pixel) / 3);
        }
    }
    return grey;
}

void SystemTray::setConnectAction(const QString &text, bool enabled)
{
    m_connectDisconnectAction->setText(text);
    m_connectDisconnectAction->setEnabled(enabled);
}

void SystemTray::setIconMode(int mode)
{
    switch (mode) {
    case Grey:
        m_flashingTimer.stop();
        m_trayIcon->setIcon(m_greyIcon);
        break;
    case Colour:
        m_flashingTimer.stop();
        m_trayIcon->setIcon(m_colourIcon);
        break;
    case Flashing: m_flashingTimer.start(); break;
    default: break;
    }
}

void SystemTray::setToolTip(const QString &text)
{
    m_trayIcon->setToolTip(text);
}

void SystemTray::showMessage(const QString &title, const QString &text)
{
    if (text.isEmpty())
        return;
    m_trayIcon->showMessage(title, text, QSystemTrayIcon::Information, messageDurationMs);
}

void SystemTray::setMenuEnabled(bool enabled)
{
    m_menu->setEnabled(enabled);
}

void SystemTray::reduceToExit()
{
    m_menu->clear();
    m_menu->addAction(m_exitAction);
}

void SystemTray::retranslate()
{
    m_settingsAction->setText(tr("Settings"));
    m_exitAction->setText(tr("Exit"));
}

void SystemTray::onConnectDisconnectActionClicked()
{
    emit connectDisconnectActionClicked();
}

void SystemTray::onExitActionClicked()
{
    emit exitActionClicked();
}

void SystemTray::onSettingsActionClicked()
{
    emit settingsActionClicked();
}

void SystemTray::onSystemTrayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (!m_menu->isEnabled())
        return;
    switch (reason) {
    case QSystemTrayIcon::Context:
        if (m_menu->isVisible())
            m_menu->popup(QCursor::pos());
        else
            m_menu->hide();
        break;
    case QSystemTrayIcon::Trigger: emit triggeredClicked(); break;
    default: break;
    }
}

void SystemTray::onFlashingTimerTimeout()
{
    m_trayIcon->setIcon(showGreyOnNextFlash ? m_greyIcon : m_colourIcon);
    showGreyOnNextFlash = !showGreyOnNextFlash;
}

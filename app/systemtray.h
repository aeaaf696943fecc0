#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;

// The program's icon in the notification area: a grey, coloured or flashing icon that mirrors
// the connection, a menu with connect/disconnect, settings and exit, and balloon messages. It
// knows nothing of connections: the application tells it texts and icon modes.
class SystemTray final : public QObject
{
    Q_OBJECT

public:
    enum IconMode {
        Grey = 0,
        Colour = 1,
        Flashing = 2,
    };

    static constexpr int flashingIntervalMs = 1000;
    static constexpr int messageDurationMs = 10000;

    explicit SystemTray(QObject *parent = nullptr);
    ~SystemTray() override;

    // ":/resources/icons/app/app.png".
    static QString iconPath();
    // The disabled-looking form of an image: each pixel's weighted grey, at a third of its
    // opacity.
    static QImage greyImage(const QImage &image);

    void setConnectAction(const QString &text, bool enabled);
    void setIconMode(int mode);
    void setToolTip(const QString &text);
    // Nothing for an empty text.
    void showMessage(const QString &title, const QString &text);
    void setMenuEnabled(bool enabled);
    // After a failed start only "Exit" makes sense.
    void reduceToExit();
    void retranslate();

signals:
    void connectDisconnectActionClicked();
    void exitActionClicked();
    void settingsActionClicked();
    void triggeredClicked();

protected slots:
    void onConnectDisconnectActionClicked();
    void onExitActionClicked();
    void onSettingsActionClicked();
    void onSystemTrayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void onFlashingTimerTimeout();

private:
    QTimer m_flashingTimer;
    QIcon m_colourIcon;
    QIcon m_greyIcon;
    QAction *m_connectDisconnectAction;
    QAction *m_exitAction;
    QAction *m_settingsAction;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_trayIcon;
};

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import ConnectionState 1.0

// The main window. The application calls five of its functions by name: raiseMainWindow,
// raiseSettingsWindow, triggerVpnState, setCriticalServiceError and saveUnsavedData.
ApplicationWindow {
    id: mainWindow
    objectName: "mainWindow"

    width: 400
    height: qmlApp.windowHeight()
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    title: settings.titleName()
    visible: false
    flags: Qt.Window | Qt.WindowTitleHint | Qt.WindowSystemMenuHint | Qt.WindowCloseButtonHint
           | Qt.WindowMinimizeButtonHint
    color: uiStyle.generalBackgroundColor

    // The settings window, once the scene has made it; raiseSettingsWindow() shows it and
    // saveUnsavedData() asks it to save.
    property var settingsWindow: null
    // Set when the privileged service is missing: the connection button is off and the
    // critical-error bar says why.
    property bool criticalServiceError: false
    readonly property string criticalServiceErrorText: qsTr("System service is not running!")

    // What the connection button's tool tip says when a click cannot act.
    signal connectionNotice(string text)

    background: Rectangle {
        color: uiStyle.generalBackgroundColor
        Image {
            anchors.fill: parent
            source: uiStyle.generalBackgroundImage
            fillMode: Image.PreserveAspectCrop
            visible: source != ""
        }
    }

    Component.onCompleted: {
        x = Math.max(0, Screen.virtualX + (Screen.width - width) / 2)
        y = Math.max(0, Screen.virtualY + (Screen.height - height) / 2)
        if (qmlApp.themeEditorMode()) {
            var component = Qt.createComponent("ThemeWindow.qml")
            if (component.status === Component.Ready)
                component.createObject(mainWindow).show()
            else
                console.warn("Error loading component:", component.errorString())
        }
    }

    onClosing: {
        // Ubuntu's dock cannot bring back a window that was closed to the tray.
        if (qmlApp.desktopSessionUbuntu()) {
            close.accepted = false
            showMinimized()
        }
        qmlApp.scheduleMinimizedMessage()
    }

    Shortcut {
        sequence: "Ctrl+S"
        onActivated: raiseSettingsWindow()
    }

    Shortcut {
        sequence: "Ctrl+L"
        onActivated: logger.openLogFolder()
    }

    function raiseMainWindow() {
        visible = true
        raise()
        requestActivate()
        showNormal()
    }

    function raiseSettingsWindow() {
        raiseMainWindow()
        if (!settingsWindow)
            return
        if (settingsWindow.visibility === Window.Windowed)
            return
        if (settingsWindow.visibility === Window.Minimized) {
            settingsWindow.showNormal()
            return
        }
        settingsWindow.x = Math.max(0, x + (width - settingsWindow.width) / 2)
        settingsWindow.y = Math.max(0, y + (height - settingsWindow.height) / 2)
        settingsWindow.show()
    }

    // What a click on the connection button does, also from the tray.
    function triggerVpnState() {
        if (qmlApp.themeEditorMode())
            return
        switch (vpnCore.connectionState) {
        case ConnectionState.Disconnected:
            vpnCore.connectToVpn()
            break
        case ConnectionState.Preparing:
        case ConnectionState.Connecting:
        case ConnectionState.Connected:
            vpnCore.disconnectFromVpn()
            break
        case ConnectionState.Disconnecting:
            connectionNotice(qsTr("Disconnection in progress..."))
            break
        default:
            break
        }
    }

    function setCriticalServiceError() {
        criticalServiceError = true
    }

    function saveUnsavedData() {
        if (settingsWindow && settingsWindow.visible)
            settingsWindow.saveGeneralSettings()
    }
}

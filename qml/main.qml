import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Universal 2.15
import QtQuick.Window 2.15
import ConnectionState 1.0
import DashCircle 1.0
import VPNClient 1.0
import "controls"

// The main window. The application calls five of its functions by name: raiseMainWindow,
// raiseSettingsWindow, triggerVpnState, setCriticalServiceError and saveUnsavedData.
ApplicationWindow {
    id: mainWindow
    objectName: ObjectNames.mainWindow

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
    font.family: FontFactory.poppinsRegular.name

    Universal.theme: uiStyle.darkStyle ? Universal.Dark : Universal.Light
    Universal.accent: uiStyle.generalTabSelectedColor

    // The settings window; raiseSettingsWindow() shows it and saveUnsavedData() asks it to save.
    property var settingsWindow: settingsWindowInstance
    // Set when the privileged service is missing: the connection button is off and the
    // critical-error bar says why.
    property bool criticalServiceError: false
    readonly property string criticalServiceErrorText: qsTr("System service is not running!")
    readonly property alias serverList: serverListWindow

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

    // The bar takes the logo's place: over the page it would hide the location.
    header: HeaderItem {
        implicitHeight: criticalErrorArea.visible ? Math.max(50, criticalErrorArea.implicitHeight) : 50

        ACriticalErrorArea {
            id: criticalErrorArea
            objectName: ObjectNames.criticalErrorArea
            anchors.fill: parent
            visible: mainWindow.criticalServiceError
            text: mainWindow.criticalServiceErrorText
        }
    }

    footer: FooterItem {
        onSettingsClicked: mainWindow.raiseSettingsWindow()
    }

    Component.onCompleted: {
        x = Math.max(0, Screen.virtualX + (Screen.width - width) / 2)
        y = Math.max(0, Screen.virtualY + (Screen.height - height) / 2)
        if (qmlApp.themeEditorMode()) {
            var component = Qt.createComponent("ThemeWindow.qml")
            // A window of its own, not one that lives and hides with the main window.
            if (component.status === Component.Ready)
                component.createObject(mainWindow, { "transientParent": null }).show()
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
        onActivated: mainWindow.raiseSettingsWindow()
    }
    Shortcut {
        sequence: "Ctrl+L"
        onActivated: logger.openLogFolder()
    }
    Shortcut {
        sequence: "Ctrl+A"
        onActivated: serverListWindow.open()
    }

    Item {
        id: page
        anchors.fill: parent

        // Two dashed rings around the switch, 65 pixels under the header.
        DashCircle {
            id: outerCircle
            anchors.horizontalCenter: parent.horizontalCenter
            y: 65
            width: mainWindow.width - 5
            height: width
            color: uiStyle.connectionPageCirclesColor
        }
        DashCircle {
            anchors.centerIn: outerCircle
            width: 290
            height: 290
            color: uiStyle.connectionPageCirclesColor
        }

        // The server list covers these: out of the Tab ring and deaf to Space while it is shown.
        VpnConnectionInfo {
            id: connectionInfo
            enabled: !serverListWindow.visible
            anchors.horizontalCenter: parent.horizontalCenter
            y: 8
            width: 320
            onLocationClicked: serverListWindow.open()
        }

        VpnConnectionButton {
            id: connectionButton
            anchors.centerIn: outerCircle
            width: 220
            height: 220
            enabled: !mainWindow.criticalServiceError && !serverListWindow.visible
            onClicked: mainWindow.triggerVpnState()
        }

        CurrentIpItem {
            enabled: !serverListWindow.visible
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: outerCircle.bottom
            anchors.topMargin: 6
            width: 320
        }

        ServerListWindow {
            id: serverListWindow
            anchors.fill: parent
        }
    }

    Connections {
        target: mainWindow
        function onConnectionNotice(text) { connectionButton.showToolTip(text) }
    }

    Connections {
        target: vpnCore
        function onKillSwitchEventActivated() { killSwitchDialog.open() }
    }

    Dialog {
        id: killSwitchDialog
        objectName: ObjectNames.killSwitchDialog
        anchors.centerIn: parent
        width: parent.width - 48
        modal: true
        closePolicy: Popup.CloseOnEscape
        title: qsTr("Killswitch event")
        font.family: FontFactory.poppinsRegular.name

        // However the box goes (its button, Escape), the user has seen that traffic is blocked.
        onClosed: {
            logger.qmlLog(mainWindow.objectName, "Restore connection to Internet")
            vpnCore.disableKillSwitch()
        }

        Row {
            width: parent.width
            spacing: 12

            AIcon {
                size: 28
                icon: "warning"
            }
            ALabel {
                width: parent.width - 40
                anchors.verticalCenter: parent.verticalCenter
                Accessible.role: Accessible.AlertMessage
                text: qsTr("Connection to Internet is blocked")
                wrapMode: Text.WordWrap
                elide: Text.ElideNone
            }
        }

        footer: Item {
            implicitHeight: 64

            AButton {
                id: killSwitchOk
                objectName: ObjectNames.killSwitchDialogOk
                anchors.right: parent.right
                anchors.rightMargin: 24
                anchors.verticalCenter: parent.verticalCenter
                width: Math.max(implicitWidth, 96)
                text: qsTr("OK")
                onClicked: killSwitchDialog.close()
            }
        }
        onOpened: killSwitchOk.forceActiveFocus()
    }

    SettingsWindow {
        id: settingsWindowInstance
        mainWindow: mainWindow
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
        settingsWindow.raise()
        settingsWindow.requestActivate()
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

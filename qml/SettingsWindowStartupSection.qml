import QtQuick 2.15
import "controls"

// How the program starts.
SettingsSection {
    id: root

    property alias startMinimizedIndex: startMinimized.currentIndex

    title: qsTr("Startup")

    function load() {
        launchOnStartup.checked = settings.launchAppOnStartup
        connectToLastLocation.checked = settings.connectToLastLocation
        autoReconnect.checked = settings.autoReconnectionOnError
        startMinimized.currentIndex = settings.startMinimized
    }

    function save() {
        settings.launchAppOnStartup = launchOnStartup.checked
        settings.connectToLastLocation = connectToLastLocation.checked
        settings.autoReconnectionOnError = autoReconnect.checked
        vpnCore.setAutoReconnectionOnError(autoReconnect.checked)
        settings.startMinimized = startMinimized.currentIndex
    }

    ASwitch {
        id: launchOnStartup
        objectName: ObjectNames.launchOnStartupSwitch
        width: parent.width
        text: qsTr("Launch %1 on %2 startup").arg(settings.titleName()).arg(settings.osName())
    }
    ASwitch {
        id: connectToLastLocation
        objectName: ObjectNames.connectToLastLocationSwitch
        width: parent.width
        text: qsTr("Connect to the last used location when %1 is launched").arg(settings.titleName())
    }
    ASwitch {
        id: autoReconnect
        objectName: ObjectNames.autoReconnectSwitch
        width: parent.width
        text: qsTr("Re-establish VPN connection if disconnected or dropped")
    }

    Column {
        width: parent.width
        spacing: 6

        ALabel {
            width: parent.width
            text: qsTr("Start minimized")
            color: uiStyle.settingsPageDefaultLabelColor1
            opacity: Number(uiStyle.generalLabelOpacity)
            wrapMode: Text.WordWrap
            elide: Text.ElideNone
        }
        AComboBox {
            id: startMinimized
            objectName: ObjectNames.startMinimizedCombo
            width: parent.width
            model: [qsTr("Disabled"), qsTr("To systray"), qsTr("To taskbar")]
            Accessible.name: qsTr("Start minimized")
        }
    }
}

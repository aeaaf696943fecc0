import QtQuick 2.15
import "controls"

// The network lock and its exception for the local network, which means nothing without it.
SettingsSection {
    id: root

    title: qsTr("Kill switch")

    function load() {
        killSwitch.checked = settings.killswitchEnabled
        allowLocalDevices.checked = settings.allowAccessToLocalDevices
    }

    function save() {
        settings.killswitchEnabled = killSwitch.checked
        settings.allowAccessToLocalDevices = allowLocalDevices.checked
    }

    ASwitch {
        id: killSwitch
        objectName: ObjectNames.killSwitchSwitch
        width: parent.width
        text: qsTr("Enable Network lock (Internet kill switch). Available only for OpenVPN")
        onToggled: allowLocalDevices.checked = checked
    }
    ASwitch {
        id: allowLocalDevices
        objectName: ObjectNames.allowLocalDevicesSwitch
        width: parent.width
        enabled: killSwitch.checked
        text: qsTr("Allow access to local network devices such as shares printers")
    }
}

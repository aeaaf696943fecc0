import QtQuick 2.15
import "controls"

// Updates of the program.
SettingsSection {
    id: root

    title: qsTr("Auto Update")

    function load() {
        autoUpdate.checked = settings.autoUpdateEnabled
    }

    function save() {
        settings.autoUpdateEnabled = autoUpdate.checked
    }

    ASwitch {
        id: autoUpdate
        objectName: ObjectNames.autoUpdateSwitch
        width: parent.width
        text: qsTr("Automatically update application")
    }
}

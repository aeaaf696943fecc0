import QtQuick 2.15
import "controls"

// The way to the log files, for a brand that shows it.
SettingsSection {
    id: root

    objectName: ObjectNames.showLogsSection
    title: qsTr("Show logs")
    visible: uiStyle.settingsPageShowLogs

    AButton {
        objectName: ObjectNames.showLogsButton
        text: qsTr("Show logs folder")
        iconName: "folder"
        onClicked: logger.openLogFolder()
    }
}

import QtQuick 2.15
import "controls"

// The strip under the main window's content, with the way to the settings.
Item {
    id: root

    signal settingsClicked()

    implicitHeight: 72

    AButton {
        objectName: ObjectNames.settingsButton
        anchors.centerIn: parent
        width: Math.max(implicitWidth, 180)
        text: qsTr("Settings")
        iconName: "settings"
        backgroundColor: uiStyle.connectionPageSettingsButtonBackgroundColor
        backgroundColorPressed: uiStyle.connectionPageSettingsButtonBackgroundColorPressed
        textColor: uiStyle.connectionPageSettingsButtonTextColor
        textColorPressed: uiStyle.connectionPageSettingsButtonTextColorPressed
        onClicked: root.settingsClicked()

        // A white button on a white page needs an edge.
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: "transparent"
            border.width: 1
            border.color: uiStyle.generalTextFieldBorderColor
        }
    }
}

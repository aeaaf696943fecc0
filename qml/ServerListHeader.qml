import QtQuick 2.15
import "controls"

// The title bar of the server list, with its close button.
Rectangle {
    id: root

    signal closeClicked()

    implicitHeight: 52
    color: uiStyle.generalHeaderBackgroundColor

    ABrightLabel {
        anchors.left: parent.left
        anchors.leftMargin: 20
        anchors.right: close.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: qsTr("Serverlist")
        font.pixelSize: 17
        Accessible.role: Accessible.Heading
    }

    ACloseButton {
        id: close
        objectName: ObjectNames.serverListClose
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        onClicked: root.closeClicked()
    }
}

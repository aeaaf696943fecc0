import QtQuick 2.15
import "controls"

// The machine's public address as the world sees it, with its country's flag.
Item {
    id: root

    implicitWidth: 300
    implicitHeight: column.implicitHeight

    Accessible.role: Accessible.StaticText
    Accessible.name: vpnCore.currentIpInfoText + " " + vpnCore.currentIp

    Column {
        id: column
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 2

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8

            FlagItem {
                objectName: ObjectNames.currentIpFlag
                anchors.verticalCenter: parent.verticalCenter
                width: 24
                height: 18
                source: vpnCore.currentLocationImageSource
            }
            ABrightLabel {
                objectName: ObjectNames.currentIpText
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(implicitWidth, root.width - 40)
                text: vpnCore.currentIp
                font.pixelSize: 17
            }
        }
        AGreyLabel {
            objectName: ObjectNames.currentIpCaption
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, root.width)
            horizontalAlignment: Text.AlignHCenter
            text: vpnCore.currentIpInfoText
        }
    }
}

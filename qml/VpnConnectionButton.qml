import QtQuick 2.15
import QtQuick.Controls 2.15
import ConnectionState 1.0
import VPNClient 1.0
import "controls"

// The round switch of the tunnel. What a click does is the main window's triggerVpnState(),
// which the tray's action shares; the tool tip says why a click did not act, and what failed.
Item {
    id: root

    readonly property bool connectedState: vpnCore.connectionState === ConnectionState.Connected
    readonly property var gradientColors: connectedState
        ? [uiStyle.connectionPageVpnConnectedButtonGradientColor1,
           uiStyle.connectionPageVpnConnectedButtonGradientColor2,
           uiStyle.connectionPageVpnConnectedButtonGradientColor3]
        : [uiStyle.connectionPageVpnDisconnectedButtonGradientColor1,
           uiStyle.connectionPageVpnDisconnectedButtonGradientColor2,
           uiStyle.connectionPageVpnDisconnectedButtonGradientColor3]
    readonly property string switchText: connectedState ? qsTr("SWITCH OFF") : qsTr("SWITCH ON")

    signal clicked()

    function showToolTip(text) {
        toolTip.text = text
        toolTip.open()
    }

    implicitWidth: 220
    implicitHeight: 220

    Connections {
        target: vpnCore
        function onVpnConnectionErrorTextChanged(text) {
            if (text !== "")
                root.showToolTip(text)
        }
        function onVpnConnectedChanged() { toolTip.close() }
    }

    Rectangle {
        id: circle
        anchors.fill: parent
        radius: width / 2
        opacity: root.enabled ? 1.0 : 0.5
        gradient: Gradient {
            GradientStop { position: 0.0; color: root.gradientColors[0] }
            GradientStop { position: 0.5; color: root.gradientColors[1] }
            GradientStop { position: 1.0; color: root.gradientColors[2] }
        }

        Rectangle {
            id: disc
            anchors.centerIn: parent
            width: parent.width * 0.68
            height: width
            radius: width / 2
            color: uiStyle.connectionPageVpnSwitchBackgroundColor
            border.width: 2
            border.color: uiStyle.connectionPageVpnSwitchLabelColor
            scale: area.pressed ? 0.97 : 1.0

            Column {
                anchors.centerIn: parent
                spacing: 8

                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 64
                    height: 64
                    sourceSize: Qt.size(128, 128)
                    source: root.connectedState ? "qrc:/resources/icons/redswitch.png"
                                                : "qrc:/resources/icons/greenswitch.png"
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: ObjectNames.connectionButtonLabel
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: Math.min(implicitWidth, disc.width - 24)
                    text: root.switchText
                    color: uiStyle.connectionPageVpnDurationLabelColor
                    opacity: 0.75
                    font.family: FontFactory.poppinsBold.name
                    font.bold: true
                    font.pixelSize: 13
                    font.letterSpacing: 1
                    horizontalAlignment: Text.AlignHCenter
                    fontSizeMode: Text.HorizontalFit
                    minimumPixelSize: 9
                }
            }
        }

        // The session's duration, on a badge over the lower edge of the ring.
        Rectangle {
            visible: root.connectedState
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: -height / 3
            width: Math.max(120, durationColumn.implicitWidth + 28)
            height: 44
            radius: height / 2
            color: uiStyle.connectionPageVpnDurationBackgroundColor

            Column {
                id: durationColumn
                anchors.centerIn: parent

                Text {
                    textFormat: Text.PlainText
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("DURATION")
                    color: uiStyle.connectionPageVpnDurationLabelColor
                    opacity: 0.55
                    font.family: FontFactory.poppinsRegular.name
                    font.pixelSize: 10
                    font.letterSpacing: 1
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: ObjectNames.durationText
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: vpnCore.vpnOnlineTime
                    color: uiStyle.connectionPageVpnTimerLabelColor
                    font.family: FontFactory.poppinsBold.name
                    font.bold: true
                    font.pixelSize: 15
                }
            }
        }
    }

    RoundMouseArea {
        id: area
        objectName: ObjectNames.connectionButton
        anchors.fill: parent
        accessibleName: root.switchText
        accessibleDescription: root.connectedState ? qsTr("Duration %1").arg(vpnCore.vpnOnlineTime) : ""
        onClicked: root.clicked()
    }

    ToolTip {
        id: toolTip
        objectName: ObjectNames.connectionToolTip
        x: (root.width - width) / 2
        y: -height - 8
        width: Math.min(implicitWidth, 340)
        timeout: 5000
        font.family: FontFactory.poppinsRegular.name
        font.pixelSize: 13
        contentItem: Text {
            textFormat: Text.PlainText
            text: toolTip.text
            font: toolTip.font
            color: uiStyle.generalButtonTextColor
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        background: Rectangle {
            radius: 8
            color: uiStyle.generalButtonBackgroundColorPressed
            opacity: 0.92
        }
    }
}

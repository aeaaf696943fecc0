import QtQuick 2.15
import VPNClient 1.0

// A red bar that tells of a failure the user cannot work around.
Rectangle {
    id: root

    property alias text: label.text

    implicitHeight: Math.max(40, label.implicitHeight + 16)
    color: "#d93636"
    visible: false

    Accessible.role: Accessible.AlertMessage
    Accessible.name: text

    Text {
        textFormat: Text.PlainText
        id: label
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        color: "white"
        font.family: FontFactory.poppinsBold.name
        font.bold: true
        font.pixelSize: 14
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.WordWrap
    }
}

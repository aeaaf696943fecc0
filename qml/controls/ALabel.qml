import QtQuick 2.15
import VPNClient 1.0

// The default text of the scene.
Text {
    color: uiStyle.generalDefaultLabelColor
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 14
    elide: Text.ElideRight
    verticalAlignment: Text.AlignVCenter
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}

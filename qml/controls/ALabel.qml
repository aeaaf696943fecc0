import QtQuick 2.15
import VPNClient 1.0

// The default text of the scene.
Text {
    // Never markup: catalogue names and service messages go through here, and an image tag
    // in them would be fetched. None of our own texts needs rich text.
    textFormat: Text.PlainText
    color: uiStyle.generalDefaultLabelColor
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 14
    elide: Text.ElideRight
    verticalAlignment: Text.AlignVCenter
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}

import QtQuick 2.15
import VPNClient 1.0

// The title of a settings section.
ALabel {
    color: uiStyle.generalBrightLabelColor
    font.family: FontFactory.poppinsBold.name
    font.bold: true
    font.pixelSize: 15
    wrapMode: Text.WordWrap
    elide: Text.ElideNone
    Accessible.role: Accessible.Heading
}

import QtQuick 2.15
import VPNClient 1.0

// Emphasised text: titles and values.
ALabel {
    color: uiStyle.generalBrightLabelColor
    font.family: FontFactory.poppinsBold.name
    font.bold: true
}

import QtQuick 2.15

// Captions beside values ("Downloaded", "Your current IP").
ALabel {
    color: uiStyle.generalGreyLabelColor
    opacity: Number(uiStyle.generalGreyLabelOpacity)
    font.pixelSize: 12
}

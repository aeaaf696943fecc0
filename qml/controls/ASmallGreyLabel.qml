import QtQuick 2.15

// Explanatory text under a choice; wraps instead of eliding, since every word matters.
ALabel {
    color: uiStyle.settingsPageDefaultLabelColor1
    opacity: Number(uiStyle.generalLabelOpacity)
    font.pixelSize: 12
    wrapMode: Text.WordWrap
    elide: Text.ElideNone
    lineHeight: 1.1
}

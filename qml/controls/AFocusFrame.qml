import QtQuick 2.15

// The ring that shows which control the keyboard is on. Drawn outside its parent so that it
// never covers the control's own content. Buttons and switches take the keyboard only from the
// keyboard (their focus policy is Tab), so a click never leaves a ring behind.
Rectangle {
    property bool shown: false
    property real spread: 3

    anchors.fill: parent
    anchors.margins: -spread
    radius: parent && parent.radius !== undefined ? parent.radius + spread : spread
    color: "transparent"
    border.width: 2
    border.color: uiStyle.generalTabSelectedColor
    visible: shown
    z: 100
}

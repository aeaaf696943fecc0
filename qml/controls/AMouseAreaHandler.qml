import QtQuick 2.15

// Pointer handling of a clickable surface: the hand cursor and one signal for a click.
MouseArea {
    signal activated()

    anchors.fill: parent
    cursorShape: enabled ? Qt.PointingHandCursor : Qt.ArrowCursor
    hoverEnabled: true
    acceptedButtons: Qt.LeftButton
    onClicked: activated()
}

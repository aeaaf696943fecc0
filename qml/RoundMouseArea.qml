import QtQuick 2.15
import "controls"

// A round surface that acts like a button: presses outside the circle are not its own and fall
// through to what lies beside it.
Item {
    id: root

    readonly property bool pressed: area.pressed && area.inside
    property string accessibleName: ""
    property string accessibleDescription: ""

    signal clicked()

    function insideCircle(point) {
        var dx = point.x - width / 2
        var dy = point.y - height / 2
        var r = Math.min(width, height) / 2
        return dx * dx + dy * dy <= r * r
    }

    activeFocusOnTab: enabled
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.description: accessibleDescription
    Accessible.focusable: true
    Accessible.onPressAction: root.clicked()

    Keys.onSpacePressed: root.clicked()
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    MouseArea {
        id: area

        property bool inside: false

        anchors.fill: parent
        enabled: root.enabled
        hoverEnabled: true
        cursorShape: root.insideCircle(Qt.point(mouseX, mouseY)) ? Qt.PointingHandCursor : Qt.ArrowCursor
        onPressed: {
            inside = root.insideCircle(Qt.point(mouse.x, mouse.y))
            mouse.accepted = inside
        }
        onClicked: if (inside) root.clicked()
    }

    AFocusFrame {
        radius: width / 2
        shown: root.activeFocus
    }
}

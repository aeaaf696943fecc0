import QtQuick 2.15
import "controls"

// A surface that acts like a button: the pointer clicks it, Tab reaches it, Space, Return and
// Enter press it, and a ring shows when the keyboard is on it. The surface's own look is the
// caller's; `radius` shapes the ring.
Item {
    id: root

    property real radius: 0
    property alias pressed: area.pressed
    property alias hovered: area.containsMouse
    property string accessibleName: ""
    property string accessibleDescription: ""

    signal clicked()

    activeFocusOnTab: enabled
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.description: accessibleDescription
    Accessible.focusable: true
    Accessible.onPressAction: root.clicked()

    Keys.onSpacePressed: root.clicked()
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    AMouseAreaHandler {
        id: area
        enabled: root.enabled
        onActivated: root.clicked()
    }

    AFocusFrame {
        radius: root.radius + spread
        shown: root.activeFocus
    }
}

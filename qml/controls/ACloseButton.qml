import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A round button with the close cross.
T.Button {
    id: control

    implicitWidth: 36
    implicitHeight: 36
    padding: 0
    focusPolicy: Qt.TabFocus
    text: qsTr("Close")
    display: T.AbstractButton.IconOnly

    Accessible.role: Accessible.Button
    Accessible.name: text
    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()

    contentItem: Item {
        AIcon {
            anchors.centerIn: parent
            icon: "close"
            opacity: control.down ? 0.6 : 1.0
        }
    }

    background: Rectangle {
        radius: width / 2
        color: control.down || control.hovered ? uiStyle.generalTextFieldBorderColor : "transparent"

        AFocusFrame {
            shown: control.activeFocus
        }
    }
}

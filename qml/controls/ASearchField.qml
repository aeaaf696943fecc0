import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// The search field of the server list: the magnifier on the left and, once something is typed,
// a cross that empties it. Escape empties it too, and goes on to close the list when empty.
ATextField {
    id: control

    property alias clearName: clearButton.objectName

    leftPadding: 40
    rightPadding: text !== "" ? 40 : 12
    placeholderText: qsTr("Search")
    inputMethodHints: Qt.ImhNoPredictiveText
    Accessible.name: qsTr("Search")

    Keys.onEscapePressed: {
        if (text !== "")
            clear()
        else
            event.accepted = false
    }

    AIcon {
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        size: 18
        icon: "search"
        opacity: 0.6
    }

    T.Button {
        id: clearButton
        visible: control.text !== ""
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        width: 30
        height: 30
        padding: 0
        focusPolicy: Qt.NoFocus
        text: qsTr("Clear search")
        display: T.AbstractButton.IconOnly
        Accessible.role: Accessible.Button
        Accessible.name: text
        onClicked: control.clear()

        contentItem: Item {
            AIcon {
                anchors.centerIn: parent
                size: 16
                icon: "close"
                opacity: 0.6
            }
        }
        background: Item {}
    }
}

import QtQuick 2.15
import "controls"

// The card of one settings section: its title over its controls.
Rectangle {
    id: root

    property alias title: header.text
    default property alias content: column.data

    implicitHeight: column.implicitHeight + 32
    radius: 12
    color: uiStyle.generalSectionColor
    border.width: 1
    border.color: uiStyle.generalTextFieldBorderColor

    Column {
        id: column
        x: 16
        y: 16
        width: parent.width - 32
        spacing: 12

        ASectionHeader {
            id: header
            width: parent.width
        }
    }
}

import QtQuick 2.15
import QtQuick.Layouts 1.15
import VPNClient 1.0
import "controls"

// One property of the theme with the editor of its type: a colour by name or hex with its
// swatch, an opacity in percent, an image file, or a switch.
Rectangle {
    id: root

    property string propertyId: ""
    property string value: ""
    property string dataType: ""
    property string label: ""
    property bool shown: true

    // A colour is a name or #RGB, #RRGGBB or #AARRGGBB; anything else never reaches the theme.
    readonly property var colorPattern: /^(#([0-9a-fA-F]{3}|[0-9a-fA-F]{6}|[0-9a-fA-F]{8})|[a-zA-Z]+)$/

    signal edited(string propertyId, string value)
    signal colorRequested(string propertyId, string value)
    signal imageRequested(string propertyId)

    visible: shown
    height: shown ? column.height + 20 : 0
    color: uiStyle.generalSectionColor
    Accessible.role: Accessible.Grouping
    Accessible.name: label

    Column {
        id: column
        x: 16
        y: 10
        width: parent.width - 32
        spacing: 6

        ALabel {
            width: parent.width
            text: root.label
            font.family: FontFactory.poppinsBold.name
            font.bold: true
        }
        AGreyLabel {
            width: parent.width
            text: root.propertyId
            font.pixelSize: 11
        }
        Loader {
            width: parent.width
            active: root.shown
            sourceComponent: {
                switch (root.dataType) {
                case "Color": return colorEditor
                case "Float": return floatEditor
                case "Image": return imageEditor
                case "Bool": return boolEditor
                }
                return null
            }
        }
    }

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 1
        color: uiStyle.generalListViewSeparatorColor
    }

    Component {
        id: colorEditor

        RowLayout {
            spacing: 10

            Rectangle {
                implicitWidth: 40
                implicitHeight: 40
                radius: 8
                color: root.colorPattern.test(root.value) ? root.value : "transparent"
                border.width: 1
                border.color: uiStyle.generalTextFieldBorderColor

                ExtendedMouseArea {
                    anchors.fill: parent
                    radius: 8
                    accessibleName: qsTr("Choose a colour")
                    accessibleDescription: root.value
                    onClicked: root.colorRequested(root.propertyId, root.value)
                }
            }
            ATextField {
                objectName: ObjectNames.themeColorField
                Layout.fillWidth: true
                text: root.value
                validator: RegularExpressionValidator {
                    regularExpression: root.colorPattern
                }
                Accessible.name: root.label
                onEditingFinished: {
                    if (acceptableInput && text !== root.value)
                        root.edited(root.propertyId, text)
                }
            }
        }
    }

    Component {
        id: floatEditor

        Row {
            spacing: 10

            ASpinBox {
                objectName: ObjectNames.themeFloatSpinBox
                from: 0
                to: 100
                value: Math.round(Number(root.value) * 100)
                Accessible.name: root.label
                onValueModified: root.edited(root.propertyId, String(value / 100))
            }
            AGreyLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: "%"
            }
        }
    }

    Component {
        id: imageEditor

        RowLayout {
            spacing: 10

            ATextField {
                objectName: ObjectNames.themeImageField
                Layout.fillWidth: true
                text: root.value
                readOnly: true
                Accessible.name: root.label
            }
            AButton {
                objectName: ObjectNames.themeImageBrowse
                text: qsTr("Browse...")
                onClicked: root.imageRequested(root.propertyId)
            }
        }
    }

    Component {
        id: boolEditor

        Item {
            implicitHeight: boolSwitch.implicitHeight

            ASwitch {
                id: boolSwitch
                objectName: ObjectNames.themeBoolSwitch
                Accessible.name: root.label
                checked: root.value === "true"
                onToggled: root.edited(root.propertyId, checked ? "true" : "false")
            }
        }
    }
}

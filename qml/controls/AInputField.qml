import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A labelled text field: the label above, the field below, and the label as the field's
// accessible name.
Column {
    id: root

    property alias label: caption.text
    property alias text: field.text
    property alias echoMode: field.echoMode
    property alias placeholderText: field.placeholderText
    property alias field: field
    // A field for a secret shows an eye that reveals and hides it again.
    property bool secret: false
    property alias revealName: reveal.objectName

    spacing: 6

    ALabel {
        id: caption
        width: parent.width
        color: uiStyle.settingsPageDefaultLabelColor1
        opacity: Number(uiStyle.generalLabelOpacity)
        font.pixelSize: 13
        wrapMode: Text.WordWrap
        elide: Text.ElideNone
    }

    ATextField {
        id: field
        width: parent.width
        rightPadding: root.secret ? 44 : 12
        echoMode: root.secret && !reveal.checked ? TextInput.Password : TextInput.Normal
        // Qt gives a password field no accessible name; the description carries its label.
        Accessible.name: caption.text
        Accessible.description: caption.text

        T.Button {
            id: reveal
            visible: root.secret
            checkable: true
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            width: 32
            height: 32
            padding: 0
            focusPolicy: Qt.TabFocus
            text: checked ? qsTr("Hide password") : qsTr("Show password")
            display: T.AbstractButton.IconOnly
            Accessible.role: Accessible.CheckBox
            Accessible.name: text
            Accessible.checked: checked
            Keys.onReturnPressed: toggle()
            Keys.onEnterPressed: toggle()

            contentItem: Item {
                AIcon {
                    anchors.centerIn: parent
                    icon: reveal.checked ? "eye_off" : "eye"
                    opacity: 0.75
                }
            }
            background: Rectangle {
                radius: width / 2
                color: reveal.down ? uiStyle.generalTextFieldBorderColor : "transparent"

                AFocusFrame {
                    shown: reveal.activeFocus
                }
            }
        }
    }
}

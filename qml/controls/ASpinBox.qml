import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// A number field with steps down and up.
T.SpinBox {
    id: control

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)

    editable: true
    focusPolicy: Qt.StrongFocus
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 14

    // Plain digits: a grouping separator in an MTU reads like two numbers.
    validator: IntValidator {
        bottom: Math.min(control.from, control.to)
        top: Math.max(control.from, control.to)
    }
    textFromValue: function(value) { return String(value) }
    valueFromText: function(text) { return parseInt(text, 10) }

    Accessible.role: Accessible.SpinBox
    Accessible.description: String(value)

    contentItem: TextInput {
        z: 2
        text: control.displayText
        font: control.font
        color: uiStyle.settingsPageDefaultLabelColor1
        selectionColor: uiStyle.generalTabSelectedColor
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        readOnly: !control.editable
        validator: control.validator
        inputMethodHints: Qt.ImhDigitsOnly
        selectByMouse: true
    }

    down.indicator: Rectangle {
        x: control.mirrored ? parent.width - width : 0
        height: parent.height
        implicitWidth: 40
        implicitHeight: 40
        radius: 8
        color: control.down.pressed ? uiStyle.generalTextFieldBorderColor : "transparent"
        opacity: enabled ? 1.0 : 0.4

        Text {
            textFormat: Text.PlainText
            anchors.centerIn: parent
            text: "\u2212"
            font.pixelSize: 18
            color: uiStyle.settingsPageDefaultLabelColor1
        }
    }

    up.indicator: Rectangle {
        x: control.mirrored ? 0 : parent.width - width
        height: parent.height
        implicitWidth: 40
        implicitHeight: 40
        radius: 8
        color: control.up.pressed ? uiStyle.generalTextFieldBorderColor : "transparent"
        opacity: enabled ? 1.0 : 0.4

        Text {
            textFormat: Text.PlainText
            anchors.centerIn: parent
            text: "+"
            font.pixelSize: 18
            color: uiStyle.settingsPageDefaultLabelColor1
        }
    }

    background: Rectangle {
        implicitWidth: 160
        implicitHeight: 40
        radius: 8
        color: uiStyle.generalSectionColor
        border.width: 1
        border.color: uiStyle.generalTextFieldBorderColor

        AFocusFrame {
            shown: control.activeFocus
        }
    }
}

import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// A choice among several: the round indicator on the left, the text beside it.
T.RadioButton {
    id: control

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding,
                             implicitIndicatorHeight + topPadding + bottomPadding)
    topPadding: 4
    bottomPadding: 4

    leftPadding: 0
    spacing: 10
    focusPolicy: Qt.TabFocus
    font.family: checked ? FontFactory.poppinsBold.name : FontFactory.poppinsRegular.name
    font.bold: checked
    font.pixelSize: 14

    Accessible.role: Accessible.RadioButton
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Keys.onReturnPressed: if (!control.checked) { control.toggle(); control.toggled(); control.clicked(); }
    Keys.onEnterPressed: if (!control.checked) { control.toggle(); control.toggled(); control.clicked(); }

    indicator: Rectangle {
        implicitWidth: 22
        implicitHeight: 22
        x: control.leftPadding
        y: control.topPadding + (control.availableHeight - height) / 2
        radius: width / 2
        color: uiStyle.generalRadioButtonBackgroundColor
        border.width: 2
        border.color: control.checked ? uiStyle.generalRadioButtonSelectedColor : uiStyle.generalRadioButtonBorderColor

        Rectangle {
            anchors.centerIn: parent
            width: 10
            height: 10
            radius: 5
            color: uiStyle.generalRadioButtonSelectedColor
            visible: control.checked
        }
        AFocusFrame {
            shown: control.activeFocus
        }
    }

    contentItem: Text {
        textFormat: Text.PlainText
        leftPadding: control.indicator.width + control.spacing
        text: control.text
        font: control.font
        color: uiStyle.settingsPageDefaultLabelColor1
        opacity: control.enabled ? Number(uiStyle.generalLabelOpacity) : Number(uiStyle.generalLabelOpacity) * 0.5
        wrapMode: Text.WordWrap
        verticalAlignment: Text.AlignVCenter
    }
}

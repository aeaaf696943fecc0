import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// A settings switch: the text on the left, wrapped over as many lines as it needs, and the
// switch on the right.
T.Switch {
    id: control

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding,
                             implicitIndicatorHeight + topPadding + bottomPadding)
    topPadding: 4
    bottomPadding: 4

    leftPadding: 0
    rightPadding: 0
    spacing: 12
    focusPolicy: Qt.TabFocus
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 14

    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Keys.onReturnPressed: { control.toggle(); control.toggled(); }
    Keys.onEnterPressed: { control.toggle(); control.toggled(); }

    indicator: Rectangle {
        implicitWidth: 44
        implicitHeight: 24
        x: control.width - width - control.rightPadding
        y: control.topPadding + (control.availableHeight - height) / 2
        radius: height / 2
        color: control.checked ? uiStyle.generalSwitchBackgroundColorChecked : uiStyle.generalSwitchBackgroundColor
        border.width: 1
        border.color: control.checked ? uiStyle.generalSwitchBackgroundColorChecked : uiStyle.generalTextFieldBorderColor
        opacity: control.enabled ? 1.0 : 0.45

        Rectangle {
            width: 18
            height: 18
            radius: 9
            y: 3
            x: control.checked ? parent.width - width - 3 : 3
            color: control.checked ? uiStyle.generalSwitchIndicatorColorChecked : uiStyle.generalSwitchIndicatorColor

            Behavior on x {
                NumberAnimation { duration: 120 }
            }
        }
        AFocusFrame {
            shown: control.activeFocus
        }
    }

    contentItem: Text {
        textFormat: Text.PlainText
        leftPadding: 0
        rightPadding: control.indicator.width + control.spacing
        text: control.text
        font: control.font
        color: uiStyle.settingsPageDefaultLabelColor1
        opacity: control.enabled ? Number(uiStyle.generalLabelOpacity) : Number(uiStyle.generalLabelOpacity) * 0.5
        wrapMode: Text.WordWrap
        verticalAlignment: Text.AlignVCenter
    }
}

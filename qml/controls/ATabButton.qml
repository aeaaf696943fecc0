import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// A tab of a tab bar: the selected one is marked by a bar in the selection colour.
T.TabButton {
    id: control

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: 44
    leftPadding: 6
    rightPadding: 6
    focusPolicy: Qt.TabFocus
    font.family: checked ? FontFactory.poppinsBold.name : FontFactory.poppinsRegular.name
    font.bold: checked
    font.pixelSize: 13

    Accessible.role: Accessible.PageTab
    Accessible.name: text
    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()

    contentItem: Text {
        textFormat: Text.PlainText
        text: control.text
        font: control.font
        color: uiStyle.generalTabFontColor
        opacity: control.checked ? 1.0 : 0.75
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
    }

    background: Rectangle {
        implicitHeight: 44
        color: uiStyle.generalTabBackgroundColor

        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: control.checked ? 3 : 1
            color: control.checked ? uiStyle.generalTabSelectedColor : uiStyle.generalTabNonSelectedColor
        }
        AFocusFrame {
            spread: -2
            shown: control.activeFocus
        }
    }
}

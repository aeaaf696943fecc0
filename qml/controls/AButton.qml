import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// The scene's push button: a pill in the button colours, with an optional styled icon.
T.Button {
    id: control

    // A name for uiStyle.iconSource, empty for a text-only button.
    property string iconName: ""
    property color backgroundColor: uiStyle.generalButtonBackgroundColor
    property color backgroundColorPressed: uiStyle.generalButtonBackgroundColorPressed
    property color textColor: uiStyle.generalButtonTextColor
    property color textColorPressed: uiStyle.generalButtonTextColorPressed

    readonly property int iconSpace: iconName !== "" ? 26 : 0
    // The icon takes the text's colour, light or dark, whatever the page style: the button's
    // own colours need not follow the page.
    readonly property color currentTextColor: down ? textColorPressed : textColor
    readonly property bool lightText: 0.299 * currentTextColor.r + 0.587 * currentTextColor.g
                                      + 0.114 * currentTextColor.b > 0.5

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    leftPadding: 20
    rightPadding: 20
    topPadding: 6
    bottomPadding: 6
    focusPolicy: Qt.TabFocus
    font.family: FontFactory.poppinsBold.name
    font.bold: true
    font.pixelSize: 14

    Accessible.role: Accessible.Button
    Accessible.name: text
    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()

    contentItem: Item {
        implicitWidth: control.iconSpace + label.implicitWidth
        implicitHeight: Math.max(label.implicitHeight, 18)

        Row {
            anchors.centerIn: parent
            spacing: 8

            Image {
                visible: control.iconName !== ""
                anchors.verticalCenter: parent.verticalCenter
                width: 18
                height: 18
                sourceSize: Qt.size(36, 36)
                source: control.iconName !== ""
                        ? uiStyle.iconSource(control.iconName + (control.lightText ? "_white" : "_black"), false)
                        : ""
            }
            Text {
                textFormat: Text.PlainText
                id: label
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(implicitWidth, control.availableWidth - control.iconSpace)
                text: control.text
                font: control.font
                color: control.currentTextColor
                elide: Text.ElideRight
            }
        }
    }

    background: Rectangle {
        implicitWidth: 100
        implicitHeight: 40
        radius: height / 2
        color: control.down ? control.backgroundColorPressed : control.backgroundColor
        opacity: control.enabled ? 1.0 : 0.5

        AFocusFrame {
            shown: control.activeFocus
        }
    }
}

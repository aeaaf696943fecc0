import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// A one-line text field with the Cut, Copy and Paste menu on the right button (or the menu key).
T.TextField {
    id: control

    implicitWidth: implicitBackgroundWidth + leftInset + rightInset
                   || Math.max(contentWidth, placeholder.implicitWidth) + leftPadding + rightPadding
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding,
                             placeholder.implicitHeight + topPadding + bottomPadding)
    leftPadding: 12
    rightPadding: 12
    topPadding: 6
    bottomPadding: 6
    verticalAlignment: TextInput.AlignVCenter
    selectByMouse: true
    persistentSelection: true
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 14
    color: uiStyle.generalDefaultLabelColor
    placeholderTextColor: uiStyle.colorOpacity(uiStyle.generalGreyLabelColor, Number(uiStyle.generalGreyLabelOpacity))
    selectionColor: uiStyle.generalTabSelectedColor
    selectedTextColor: "white"

    Accessible.role: Accessible.EditableText
    Accessible.passwordEdit: echoMode !== TextInput.Normal
    Keys.onMenuPressed: contextMenu.openAt(cursorRectangle.x, cursorRectangle.y + cursorRectangle.height)

    Text {
        textFormat: Text.PlainText
        id: placeholder
        x: control.leftPadding
        y: control.topPadding
        width: control.width - (control.leftPadding + control.rightPadding)
        height: control.height - (control.topPadding + control.bottomPadding)
        text: control.placeholderText
        font: control.font
        color: control.placeholderTextColor
        visible: !control.length && !control.preeditText
        verticalAlignment: control.verticalAlignment
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 200
        implicitHeight: 40
        radius: 8
        color: uiStyle.generalSectionColor
        border.width: control.activeFocus ? 2 : 1
        border.color: control.activeFocus ? uiStyle.generalTabSelectedColor : uiStyle.generalTextFieldBorderColor
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        cursorShape: Qt.IBeamCursor
        onClicked: {
            control.forceActiveFocus()
            contextMenu.openAt(mouse.x, mouse.y)
        }
    }

    AContextMenu {
        id: contextMenu
        target: control
    }
}
